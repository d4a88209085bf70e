#pragma once

#include <QObject>
#include <QStringList>

class QListWidget;

namespace parlanza {

struct ControlData;
class WindowCommands;

// Text for the clipboard: CR LF becomes the desktop's line end, so a speech in the separated form keeps one
// premise per line.
QString clipboardText(const QString &text);
// Whole history entries, each starting on a line of its own.
QString clipboardEntries(const QStringList &entries);
// The entries chosen in the history list, in the list's order.
QStringList chosenEntries(const QListWidget *history, const QStringList &entries);

// The main window's copy commands: "Copiar el discurso" (the speech label's context menu, CTRL+C in the
// window) copies the speech on display; in the history list, CTRL+C and its context menu copy the selected
// entries whole.
class SpeechCopy : public QObject
{
    Q_OBJECT

public:
    SpeechCopy(const WindowCommands &commands, const ControlData &shown, QListWidget *history);

    void copySpeech();
    void copyEntries();

private:
    const ControlData &m_shown;
    QListWidget *m_history;
};

} // namespace parlanza
