#pragma once

#include "PlainLists.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace parlanza {

class Failure;
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

// Tries usable lists against the premise base file they would go into, given by its bytes: as a new base, or
// in the place of base `replacing`. What appendBase or replaceBase would refuse joins the problems, and the
// count becomes the file's own for the base. `name` stands for the lists in messages.
void tryInFile(ListsDraft &draft, const QString &name, const QString &path, const QByteArray &bytes,
               std::optional<int> replacing);

// A refusal as a problem of the lists: on its line when it points at one of them, otherwise on none.
ListProblem problemOf(const Failure &failure, const QString &name);

// One speech from usable lists: a premise drawn from each group, in group order, joined by blanks.
QString sampleSpeech(const PlainLists &lists, RandomSource &random);

} // namespace parlanza
