#pragma once

#include "VoiceSettings.h"

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVoice>

class QTextToSpeech;

namespace parlanza {

// A voice the speech service offers for one of the Spanish languages.
struct SpeechVoice
{
    QString name; // the service's own name
    QLocale locale;

    // The language in its own words: "español (España)".
    QString language() const;
};

// Reads speeches aloud in Spanish with the voice, speed, tone and pause chosen (by default a grandiloquent
// tone, slower and lower than the engine's default): one phrase at a time, with a pause between phrases. Qt's
// engine has no queue of utterances, so each phrase waits for the engine to come back to Ready before the
// pause and the next phrase; a phrase that never ends (an engine without a sound output stays speaking) is
// given up after a time that grows with its length. The engine is created by prepare(), which takes seconds
// with the speech service: run it off the window's thread. A reading asked for before then starts when the
// engine is ready.
class Declaimer : public QObject
{
    Q_OBJECT

public:
    explicit Declaimer(const QString &engine, QObject *parent = nullptr);
    ~Declaimer() override;

    static QString defaultEngine();
    // Where a reading cannot be had, what to install.
    static QString missingServiceText();
    static QString missingVoiceText();

    bool isPrepared() const { return m_prepared; }
    bool isAvailable() const { return m_speech != nullptr; }
    QString problem() const { return m_problem; }
    bool isReading() const { return !m_phrases.isEmpty(); }
    // Every voice of every Spanish language, once prepared.
    const QList<SpeechVoice> &voices() const { return m_voices; }
    bool offers(const QString &voice) const;
    const VoiceChoice &choice() const { return m_choice; }
    // The voice the service reads Spanish with when none is chosen, once prepared.
    QString defaultVoice() const { return m_defaultVoice.name(); }

public slots:
    void prepare();
    // Stops the reading in progress and reads these phrases.
    void read(const QStringList &phrases);
    void silence();
    // From the next phrase on; before prepare(), from the first. A voice the service does not offer (or none)
    // reads with the default Spanish voice.
    void choose(const parlanza::VoiceChoice &choice);

signals:
    void prepared(bool available, const QString &problem);
    void saying(const QString &phrase);
    // The reading ended: every phrase said (true), or stopped, given up or failed (false).
    void finished(bool complete);

private:
    void start();
    void sayNext();
    void engineStateChanged(int state);
    void end(bool complete);
    void unavailable(const QString &problem);
    void listVoices();
    void applyChoice();

    QString m_engine;
    QTextToSpeech *m_speech = nullptr;
    bool m_prepared = false;
    QString m_problem;
    QList<SpeechVoice> m_voices;
    QLocale m_defaultLocale; // and voice: the engine's own once its language is Spanish
    QVoice m_defaultVoice;
    VoiceChoice m_choice;

    QStringList m_phrases; // the reading in progress; empty when none
    qsizetype m_next = 0;
    bool m_heard = false;       // the engine has been speaking since the last phrase was handed to it
    bool m_waitForStop = false; // a stopped reading has not reported its end yet
    QTimer m_pause;
    QTimer m_giveUp;
};

} // namespace parlanza
