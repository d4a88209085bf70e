#pragma once

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QTimer>

class QTextToSpeech;

namespace parlanza {

// Reads speeches aloud in Spanish, in a grandiloquent tone: one phrase at a time, slower and lower than the
// engine's default, with a pause between phrases. Qt's engine has no queue of utterances, so each phrase
// waits for the engine to come back to Ready before the pause and the next phrase; a phrase that never ends
// (an engine without a sound output stays speaking) is given up after a time that grows with its length. The
// engine is created by prepare(), which takes seconds with the speech service: run it off the window's
// thread. A reading asked for before then starts when the engine is ready.
class Declaimer : public QObject
{
    Q_OBJECT

public:
    // With the end of a phrase and the start of the next, the speech service adds about 0.4 s of silence.
    static constexpr int kPauseMs = 400;
    static constexpr double kRate = -0.25;
    static constexpr double kPitch = -0.3;

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

public slots:
    void prepare();
    // Stops the reading in progress and reads these phrases.
    void read(const QStringList &phrases);
    void silence();

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

    QString m_engine;
    QTextToSpeech *m_speech = nullptr;
    bool m_prepared = false;
    QString m_problem;

    QStringList m_phrases; // the reading in progress; empty when none
    qsizetype m_next = 0;
    bool m_heard = false;       // the engine has been speaking since the last phrase was handed to it
    bool m_waitForStop = false; // a stopped reading has not reported its end yet
    QTimer m_pause;
    QTimer m_giveUp;
};

} // namespace parlanza
