#include "EditorQuestions.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace parlanza {

namespace {

const QString kListsFilter = QStringLiteral("Listas de texto (*.txt);;Todos los archivos (*)");

} // namespace

EditorQuestions::Answer SystemEditorQuestions::saveChanges(QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Parlanza"),
                    QStringLiteral("¿Guardar los cambios?"), QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(QStringLiteral("Guardar"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("Descartar"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return Answer::Save;
    return box.clickedButton() == discard ? Answer::Discard : Answer::Cancel;
}

QString SystemEditorQuestions::listsToOpen(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Abrir listas"), QString(), kListsFilter);
}

QString SystemEditorQuestions::listsToSave(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Guardar listas como"), suggested,
                                        kListsFilter);
}

} // namespace parlanza
