#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QListWidget;
class QWidget;

namespace parlanza {

class FullScreenView;
class MessageBoxes;
class Printers;
class SpeechCore;
class WindowCommands;

// The speech for the lectern: "Imprimir el discurso…" (CTRL+P) prints the speech on display (the current
// entry while the history list is shown) and "Imprimir los discursos elegidos…" the history entries chosen,
// both in large type through the desktop's print dialog; "Leer en pantalla completa" (F11) opens a view of
// the speech alone, which asks the main window for the next or the previous speech and follows whatever it
// shows.
class Lectern : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QWidget *window = nullptr;
        QListWidget *history = nullptr; // List2
        const WindowCommands *commands = nullptr;
        Printers *printers = nullptr;
        MessageBoxes *messages = nullptr;
        const QStringList *knownPremises = nullptr; // of every base loaded so far
    };

    Lectern(const Controls &controls, const SpeechCore &core, QObject *parent = nullptr);

    // The main window has brought its controls in line with the core: a new speech, counter, mode or base.
    void shownChanged();
    // A new speech for screen readers: while the full-screen view is open, it is they who hear it from the
    // view (and not from the main window behind it too). False when the view is closed.
    bool announceInView();

    void printSpeech();
    void printEntries();
    void readFullScreen();

signals:
    void nextSpeechAsked();
    void stepBackAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void print(const QList<QStringList> &speeches, const QString &dialogTitle);
    QString baseTitle() const;
    QString viewFoot() const;

    Controls m_controls;
    const SpeechCore &m_core;
    QPointer<FullScreenView> m_view;
};

} // namespace parlanza
