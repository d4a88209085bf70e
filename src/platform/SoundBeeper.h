#pragma once

#include "DesktopServices.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>

struct ca_context;

namespace parlanza {

// The beep as a sound that is heard on X11 and Wayland alike: the desktop's bell from its sound theme
// (through libcanberra and the sound server), the program's own bell sound where the theme has none, and the
// window system's bell only where no sound can be played at all. Beeps asked for in a row sound one after the
// other, each on its own.
class SoundBeeper final : public Beeper
{
public:
    static constexpr int kSpacingMs = 250;

    // ownSound: the program's bell sound, a WAV file.
    explicit SoundBeeper(const QString &ownSound);
    ~SoundBeeper() override;

    void beep() override;
    int soundingMs() const override;

private:
    void play();

    QString m_ownSound;
    ca_context *m_context = nullptr;
    bool m_opened = false;
    uint32_t m_lastId = 0;
    QObject m_timers;
    QElapsedTimer m_clock;
    qint64 m_nextFree = 0; // when the next beep may start, on m_clock
};

} // namespace parlanza
