#pragma once

#include <QtGlobal>
#include <optional>

// Counters and indexes of the program are 16-bit signed integers, and passing their range is a failure, never
// a wrap. These helpers give no value where the arithmetic would leave the range; callers turn that into a
// Failure that says what overflowed.
namespace parlanza {

std::optional<qint16> roundToInt16(double value);

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4). Whole numbers in
// range, the common case of every draw, are handled inline.
inline std::optional<qint16> toInt16(double value)
{
    if (value >= -32768.0 && value <= 32767.0) {
        const auto whole = static_cast<qint16>(value);
        if (static_cast<double>(whole) == value)
            return whole;
    }
    return roundToInt16(value);
}

std::optional<qint16> add16(qint64 a, qint64 b);

} // namespace parlanza
