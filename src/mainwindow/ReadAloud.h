#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QAction;
class QLabel;
class QListWidget;
class QWidget;

namespace parlanza {

class Beeper;
class SpeechCore;
class Voice;
class VoiceDialog;
class WindowCommands;

// The speech the speech label shows; one shown again by the step-back button comes without the number of its
// history entry.
QString speechOnLabel(const SpeechCore &core);
// The speech the user has before them: while the history list is shown, its current entry without its number;
// otherwise the speech label's.
QString speechInView(const SpeechCore &core, const QListWidget *history);

// The main window's reading aloud: "Leer en voz alta", "Leer cada discurso nuevo" and "Callar" in the context
// menus of the speech label and of the history list, with window-wide shortcuts, and "Voz…", the choice of
// voice the user keeps. Without a speech service or a Spanish voice the four are disabled and the menus say
// what to install.
class ReadAloud : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QWidget *window = nullptr;
        QLabel *speech = nullptr;       // Label3
        QListWidget *history = nullptr; // List2
        const WindowCommands *commands = nullptr;
        // The premises of every base loaded so far: a speech of run-on premises is read premise by premise.
        const QStringList *knownPremises = nullptr;
    };

    ReadAloud(const Controls &controls, const SpeechCore &core, Beeper &beeper, Voice &voice,
              QObject *parent = nullptr);

    // A new speech is on display: composed, or shown again by the step-back button.
    void speechShown();
    // Whether the program's own voice reads each new speech ("Leer cada discurso nuevo", with a voice).
    bool readsEachNewSpeech() const;

    void readShown();
    // "Voz…": the dialog "Voz de lectura", opened without blocking.
    void chooseVoice();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void voicePrepared(bool available, const QString &problem);
    QString shownText() const;
    QString speechOnDisplay() const;

    Controls m_controls;
    QObject *m_historyViewport = nullptr;
    const SpeechCore &m_core;
    Beeper &m_beeper;
    Voice &m_voice;
    QTimer m_afterBeeps; // a speech announced by beeps is read once they have sounded
    QAction *m_read = nullptr;
    QAction *m_follow = nullptr;
    QAction *m_silence = nullptr;
    QAction *m_choose = nullptr;
    QAction *m_hint = nullptr;
    QPointer<VoiceDialog> m_dialog;
};

} // namespace parlanza
