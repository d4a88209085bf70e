#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

namespace parlanza {

// Beeps asked for in a row sound one after the other, kSpacingMs apart, each on its own. Those not yet
// sounded can be dropped, so that the beeps never fall behind what they announce.
class BeepQueue final : public QObject
{
public:
    static constexpr int kSpacingMs = 250;

    explicit BeepQueue(std::function<void()> play);

    // One more beep, kSpacingMs after the last one sounded or queued.
    void add();
    // Drops every beep not yet sounded; one that is sounding ends by itself.
    void drop();
    // How long the queued beeps still take to sound, in milliseconds.
    int soundingMs() const;

private:
    std::function<void()> m_play;
    QElapsedTimer m_clock;
    qint64 m_lastStart = -kSpacingMs; // when the last beep that sounded started, on m_clock
    qint64 m_nextFree = 0;            // when the next beep may start
};

} // namespace parlanza
