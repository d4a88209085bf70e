#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QLabel;
class QListWidget;

namespace parlanza {

struct ControlData;

// Text for the clipboard: CR LF becomes the desktop's line end, so a speech in the separated form keeps one
// premise per line.
QString clipboardText(const QString &text);
// Whole history entries, each starting on a line of its own.
QString clipboardEntries(const QStringList &entries);

// The main window's copy commands: "Copiar el discurso" in the speech label's context menu and CTRL+C in the
// window copy the speech on display; in the history list, CTRL+C and its context menu copy the selected
// entries whole. The actions join the controls' own context menus, which other commands may share.
class SpeechCopy : public QObject
{
    Q_OBJECT

public:
    SpeechCopy(QWidget *window, const ControlData &shown, QLabel *speechLabel, QListWidget *history);

    void copySpeech();
    void copyEntries();

private:
    const ControlData &m_shown;
    QListWidget *m_history;
};

} // namespace parlanza
