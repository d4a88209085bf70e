#pragma once

#include <QtGlobal>
#include <optional>

// Counters and indexes of the program are 16-bit signed integers, and passing their range is a failure, never
// a wrap. These helpers give no value where the arithmetic would leave the range; callers turn that into a
// Failure that says what overflowed.
namespace parlanza {

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::optional<qint16> toInt16(double value);

std::optional<qint16> add16(qint64 a, qint64 b);

} // namespace parlanza
