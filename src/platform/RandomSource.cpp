#include "RandomSource.h"

#include <bit>

namespace parlanza {

namespace {

constexpr quint64 kGoldenGamma = 0x9E3779B97F4A7C15ull;

quint64 mix(quint64 z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

void UniformRandom::reseed(float value)
{
    // Mixing the running state with the value (rather than replacing it) keeps two reseeds with the same
    // clock reading from giving the same numbers.
    m_state = mix(m_state ^ (static_cast<quint64>(std::bit_cast<quint32>(value)) * kGoldenGamma));
}

float UniformRandom::next()
{
    m_state += kGoldenGamma;
    return static_cast<float>(mix(m_state) >> 40) * 0x1p-24f;
}

} // namespace parlanza
