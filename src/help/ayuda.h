#pragma once

#include "HelpDocument.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace parlanza {

class Printers;

// The help window: the help document as numbered lines, the jump from the index to a section and back, the
// search, the printing of the selected lines and the hover hints.
class ayuda : public QDialog
{
    Q_OBJECT

public:
    ayuda(const QString &dire, Printers &printers, QWidget *parent = nullptr);

    static QString caption();

    void Form_Load();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Text1_Click();
    // Every key that types a character clears the selection first; ENTER then searches. True when it
    // searched.
    bool Text1_KeyPress(int keyAscii);

    void Command2_MouseMove();
    void Command3_MouseMove();
    void List1_MouseMove();
    void Text1_MouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    // Selecting from the program adds the line to the selection, makes it current and scrolls it into view by
    // the least amount; deselecting touches neither the current line nor the scroll position.
    void selectLine(int position);
    void deselectLine(int position);

    QString m_dire;
    Printers &m_printers;
    HelpDocument m_document;
    bool m_selecting = false;
    bool m_placed = false;

    QListWidget *List1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command2 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command3 = nullptr;
};

} // namespace parlanza
