#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace parlanza {

// A date in the short form of the user's locale; Spain's when no locale is set (the C locale would write
// English month names).
QString shortDateText(QDate date, const QLocale &system = QLocale::system());

// The time of day and the date, behind an interface so tests and the companion's --seed can fix them.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local time of day in seconds since midnight, single precision.
    virtual float secondsSinceMidnight() = 0;
    // Today's date as the system's short date.
    virtual QString shortDate() = 0;
};

class SystemClock final : public Clock
{
public:
    float secondsSinceMidnight() override;
    QString shortDate() override;

private:
    // The composer asks for the time before every draw; the local offset is looked up once per second.
    qint64 m_cachedSecond = -1;
    qint64 m_cachedSecondsSinceMidnight = 0;
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(float seconds = 0.0f, QString date = QStringLiteral("01/01/2000"))
        : m_seconds(seconds), m_date(std::move(date))
    {}
    float secondsSinceMidnight() override { return m_seconds; }
    QString shortDate() override { return m_date; }
    void set(float seconds) { m_seconds = seconds; }

private:
    float m_seconds;
    QString m_date;
};

} // namespace parlanza
