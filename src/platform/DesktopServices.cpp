#include "DesktopServices.h"

#include <QApplication>
#include <QMessageBox>

namespace parlanza {

void SystemMessageBoxes::show(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Parlanza"), text, QMessageBox::Ok, parent);
    box.exec();
}

void SystemBeeper::beep()
{
    QApplication::beep();
}

} // namespace parlanza
