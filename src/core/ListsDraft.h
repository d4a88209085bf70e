#pragma once

#include "PlainLists.h"

#include <QString>

namespace parlanza {

class RandomSource;

// Plain lists as a user writes them: what keeps them from making a base, and what they would give.
struct ListsDraft
{
    PlainListsCheck check;
    QString speechVariety; // how many different speeches they allow, in decimal digits; "0" with problems

    bool usable() const { return check.problems.isEmpty(); }
};

// Reads the text as plain lists (lines as the companion reads a lists file); path names them in messages.
ListsDraft reviewLists(QStringView text, const QString &path = {});

// One speech from usable lists: a premise drawn from each group, in group order, joined by blanks.
QString sampleSpeech(const PlainLists &lists, RandomSource &random);

} // namespace parlanza
