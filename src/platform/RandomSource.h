#pragma once

#include <QtGlobal>

namespace parlanza {

// A uniform generator on [0, 1) that can be reseeded, behind an interface so tests can script the draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Folds the number into the running state; reseeding twice with the same number does not repeat the
    // draws.
    virtual void reseed(float value) = 0;
    // The next number, uniform on [0, 1) in steps of 2^-24.
    virtual float next() = 0;
};

// SplitMix64 underneath: small, fast and well mixed; the top 24 bits of each output make the number.
class UniformRandom final : public RandomSource
{
public:
    explicit UniformRandom(quint64 seed) : m_state(seed) {}
    void reseed(float value) override;
    float next() override;

private:
    quint64 m_state;
};

} // namespace parlanza
