#include "Voice.h"

#include "Declaimer.h"

#include <QThread>

namespace parlanza {

Voice::Voice(const QString &engine, QObject *parent)
    : QObject(parent), m_thread(new QThread(this)), m_declaimer(new Declaimer(engine))
{
    m_thread->setObjectName(QStringLiteral("voz"));
    m_declaimer->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_declaimer, &Declaimer::prepare);
    connect(m_declaimer, &Declaimer::prepared, this, [this](bool available, const QString &problem) {
        m_prepared = true;
        m_available = available;
        m_problem = problem;
        // Written by the Declaimer's thread before it signalled, and never again.
        m_voices = m_declaimer->voices();
        m_defaultVoice = m_declaimer->defaultVoice();
        emit prepared(available, problem);
    });
    connect(m_declaimer, &Declaimer::saying, this, &Voice::saying);
    connect(m_declaimer, &Declaimer::finished, this, &Voice::finished);
}

void Voice::prepare()
{
    if (!m_thread->isRunning())
        m_thread->start();
}

Voice::~Voice()
{
    if (m_thread->isRunning())
        silence();
    m_thread->quit();
    // Creating the engine cannot be cut short: a window closed within seconds of the start waits for it.
    m_thread->wait();
    delete m_declaimer;
}

void Voice::read(const QStringList &phrases)
{
    prepare();
    QMetaObject::invokeMethod(m_declaimer, [declaimer = m_declaimer, phrases] { declaimer->read(phrases); });
}

void Voice::silence()
{
    QMetaObject::invokeMethod(m_declaimer, [declaimer = m_declaimer] { declaimer->silence(); });
}

void Voice::choose(const VoiceChoice &choice)
{
    m_choice = choice;
    QMetaObject::invokeMethod(m_declaimer, [declaimer = m_declaimer, choice] { declaimer->choose(choice); });
}

} // namespace parlanza
