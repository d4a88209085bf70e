#pragma once

#include "BeepQueue.h"
#include "DesktopServices.h"

#include <QString>
#include <cstdint>

struct ca_context;

namespace parlanza {

// The beep as a sound that is heard on X11 and Wayland alike: the desktop's bell from its sound theme
// (through libcanberra and the sound server), the program's own bell sound where the theme has none, and the
// window system's bell only where no sound can be played at all. Beeps asked for in a row sound one after the
// other, each on its own, and those not yet sounded can be dropped.
class SoundBeeper final : public Beeper
{
public:
    // ownSound: the program's bell sound, a WAV file.
    explicit SoundBeeper(const QString &ownSound);
    ~SoundBeeper() override;

    void beep() override;
    void silence() override;
    int soundingMs() const override;

private:
    void play();

    QString m_ownSound;
    ca_context *m_context = nullptr;
    bool m_opened = false;
    uint32_t m_lastId = 0;
    BeepQueue m_queue;
};

} // namespace parlanza
