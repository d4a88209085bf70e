#pragma once

#include "speech/Declaimer.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QSlider;

namespace parlanza {

// "Voz de lectura": the voice, speed, tone and pause of readings aloud. It only gathers the choice; whoever
// opens it tries it out, keeps it and applies it.
class VoiceDialog : public QDialog
{
    Q_OBJECT

public:
    // defaultVoice: the voice an empty choice stands for.
    VoiceDialog(const QList<SpeechVoice> &voices, const QString &defaultVoice, const VoiceChoice &current,
                QWidget *parent = nullptr);

    // The choice as the controls stand; the default voice is given as none, so it follows the service.
    VoiceChoice choice() const;
    void showChoice(const VoiceChoice &choice);
    // Keeping the choice failed: the dialog stays open and says why.
    void showProblem(const QString &text);

    // What "Probar" reads.
    static QStringList samplePhrases();

signals:
    void tryOut(const parlanza::VoiceChoice &choice);
    void chosen(const parlanza::VoiceChoice &choice);

private:
    QSlider *countSlider(const char *name, const QString &caption);

    QString m_defaultVoice;
    QListWidget *m_voices = nullptr;
    QSlider *m_rate = nullptr;
    QSlider *m_pitch = nullptr;
    QDoubleSpinBox *m_pause = nullptr;
    QLabel *m_problem = nullptr;
};

} // namespace parlanza
