#include "BeepQueue.h"

#include <QTimer>
#include <algorithm>

namespace parlanza {

BeepQueue::BeepQueue(std::function<void()> play) : m_play(std::move(play))
{
    m_clock.start();
}

void BeepQueue::add()
{
    const qint64 now = m_clock.elapsed();
    const qint64 start = std::max(now, m_nextFree);
    m_nextFree = start + kSpacingMs;
    // Each waiting beep is a timer of this queue's own, so that dropping it is deleting it.
    auto *wait = new QTimer(this);
    wait->setSingleShot(true);
    wait->setTimerType(Qt::PreciseTimer); // a beep never comes early: they keep their spacing
    connect(wait, &QTimer::timeout, this, [this, wait] {
        m_lastStart = m_clock.elapsed();
        wait->deleteLater();
        m_play();
    });
    wait->start(static_cast<int>(start - now));
}

void BeepQueue::drop()
{
    for (QTimer *wait : findChildren<QTimer *>(Qt::FindDirectChildrenOnly))
        delete wait;
    m_nextFree = m_lastStart + kSpacingMs;
}

int BeepQueue::soundingMs() const
{
    return static_cast<int>(std::max<qint64>(0, m_nextFree - m_clock.elapsed()));
}

} // namespace parlanza
