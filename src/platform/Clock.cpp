#include "Clock.h"

#include <QDate>
#include <QLocale>
#include <ctime>

namespace parlanza {

float SystemClock::secondsSinceMidnight()
{
    // A float holds the time of day to about 8 ms late in the day; the coarse clock is that precise and
    // cheaper.
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    if (now.tv_sec != m_cachedSecond) {
        const time_t seconds = now.tv_sec;
        tm local{};
        localtime_r(&seconds, &local);
        m_cachedSecond = now.tv_sec;
        m_cachedSecondsSinceMidnight = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    }
    return static_cast<float>(static_cast<double>(m_cachedSecondsSinceMidnight) +
                              static_cast<double>(now.tv_nsec) / 1e9);
}

QString shortDateText(QDate date, const QLocale &system)
{
    const QLocale locale =
        system.language() == QLocale::C ? QLocale(QLocale::Spanish, QLocale::Spain) : system;
    return locale.toString(date, QLocale::ShortFormat);
}

QString SystemClock::shortDate()
{
    return shortDateText(QDate::currentDate());
}

} // namespace parlanza
