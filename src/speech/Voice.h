#pragma once

#include "Declaimer.h"

#include <QObject>
#include <QStringList>

class QThread;

namespace parlanza {

// A Declaimer on a thread of its own, so that creating the engine (seconds with the speech service) neither
// delays the program's start nor freezes its window. prepare() starts making the engine, as does the first
// reading; readings asked for before it is ready start when it is.
class Voice : public QObject
{
    Q_OBJECT

public:
    explicit Voice(const QString &engine, QObject *parent = nullptr);
    ~Voice() override;

    bool isPrepared() const { return m_prepared; }
    bool isAvailable() const { return m_available; }
    QString problem() const { return m_problem; }
    // The Spanish voices on offer, once prepared.
    const QList<SpeechVoice> &voices() const { return m_voices; }
    QString defaultVoice() const { return m_defaultVoice; }
    const VoiceChoice &choice() const { return m_choice; }

    void prepare();
    void read(const QStringList &phrases);
    void silence();
    void choose(const VoiceChoice &choice);

signals:
    void prepared(bool available, const QString &problem);
    void saying(const QString &phrase);
    void finished(bool complete);

private:
    QThread *m_thread = nullptr;
    Declaimer *m_declaimer = nullptr;
    bool m_prepared = false;
    bool m_available = false;
    QString m_problem;
    QList<SpeechVoice> m_voices;
    QString m_defaultVoice;
    VoiceChoice m_choice;
};

} // namespace parlanza
