#include "SoundBeeper.h"

#include <QApplication>
#include <canberra.h>

namespace parlanza {

SoundBeeper::SoundBeeper(const QString &ownSound) : m_ownSound(ownSound), m_queue([this] { play(); }) {}

SoundBeeper::~SoundBeeper()
{
    if (m_context)
        ca_context_destroy(m_context);
}

void SoundBeeper::beep()
{
    m_queue.add();
}

void SoundBeeper::silence()
{
    m_queue.drop();
}

int SoundBeeper::soundingMs() const
{
    return m_queue.soundingMs();
}

void SoundBeeper::play()
{
    // Opened at the first beep: connecting to the sound server has no place in the program's start.
    if (!m_opened) {
        m_opened = true;
        if (ca_context_create(&m_context) == CA_SUCCESS) {
            ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Parlanza", CA_PROP_APPLICATION_ID,
                                    "io.example.velarmundo.Parlanza", nullptr);
            if (ca_context_open(m_context) != CA_SUCCESS) {
                ca_context_destroy(m_context);
                m_context = nullptr;
            }
        }
    }
    if (m_context) {
        // Sounds of the same id would cut one another short; every beep has its own.
        const uint32_t id = ++m_lastId;
        if (ca_context_play(m_context, id, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION,
                            "Discurso nuevo", nullptr) == CA_SUCCESS)
            return;
        const QByteArray file = m_ownSound.toLocal8Bit();
        if (ca_context_play(m_context, id, CA_PROP_MEDIA_FILENAME, file.constData(),
                            CA_PROP_EVENT_DESCRIPTION, "Discurso nuevo", nullptr) == CA_SUCCESS)
            return;
    }
    QApplication::beep();
}

} // namespace parlanza
