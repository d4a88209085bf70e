#include "Int16.h"

#include <cmath>
#include <limits>

namespace parlanza {

std::optional<qint16> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> add16(qint64 a, qint64 b)
{
    const qint64 sum = a + b;
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(sum);
}

} // namespace parlanza
