#pragma once

#include "platform/RandomSource.h"

#include <QList>

// Gives the numbers it was told to, in order, then repeats the last one; counts reseeds and draws.
class ScriptedRandom final : public parlanza::RandomSource
{
public:
    explicit ScriptedRandom(QList<float> values = {}) : m_values(std::move(values)) {}
    void reseed(float) override { ++reseeds; }
    float next() override
    {
        ++draws;
        if (m_values.isEmpty())
            return 0.0f;
        return m_values.size() > 1 ? m_values.takeFirst() : m_values.front();
    }
    void script(QList<float> values) { m_values = std::move(values); }

    int reseeds = 0;
    int draws = 0;

private:
    QList<float> m_values;
};
