#pragma once

#include <QStringList>
#include <QStringView>

namespace parlanza {

// The phrases in which a speech is read aloud: one per premise, without the separators that follow them. A
// speech with one premise per line is split at its line ends; within a line, premises run on after a blank
// are told apart by the premises the speech may hold (those of the bases loaded). A line that is no run of
// known premises is read as one phrase.
QStringList phrasesOf(QStringView speech, const QStringList &knownPremises);

// A history entry without the number in front of its speech ("  7 " or "1234 ").
QStringView withoutHistoryNumber(QStringView entry);

} // namespace parlanza
