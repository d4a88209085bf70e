#include "ListsDraft.h"

#include "PremiseBaseCheck.h"
#include "platform/Failure.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"

#include <QSet>
#include <algorithm>

namespace parlanza {

ListsDraft reviewLists(QStringView text, const QString &path)
{
    ListsDraft draft;
    draft.check = checkPlainLists(TextFile::fromBytes(text.toUtf8(), path));
    // The count as the companion and the checker give it: the product of the different texts of each group.
    BaseSummary summary;
    summary.loadable = draft.usable();
    for (const QList<ListedPremise> &group : draft.check.lists.groups) {
        QSet<QStringView> texts;
        texts.reserve(group.size());
        for (const ListedPremise &premise : group)
            texts.insert(premise.text);
        summary.groups.append(
            {static_cast<int>(group.size()), static_cast<int>(group.size()), static_cast<int>(texts.size())});
    }
    draft.speechVariety = summary.speechVariety();
    return draft;
}

void tryInFile(ListsDraft &draft, const QString &name, const QString &path, const QByteArray &bytes,
               std::optional<int> replacing)
{
    if (!draft.usable())
        return;
    PlainLists lists = draft.check.lists;
    lists.path = name;
    try {
        const BaseEdit edit =
            replacing ? replaceBase(path, bytes, *replacing, lists) : appendBase(path, bytes, lists);
        draft.speechVariety = edit.speechVariety;
    } catch (const Failure &failure) {
        draft.check.problems.append(problemOf(failure, name));
        draft.speechVariety = QStringLiteral("0");
    }
}

ListProblem problemOf(const Failure &failure, const QString &name)
{
    const QString prefix = Failure::atLine(failure.file(), failure.line(), QString()).description();
    if (failure.file() == name && failure.line() > 0 && failure.description().startsWith(prefix))
        return {failure.line(), failure.description().mid(prefix.size())};
    return {0, failure.description()};
}

QString sampleSpeech(const PlainLists &lists, RandomSource &random)
{
    QString speech;
    for (const QList<ListedPremise> &group : lists.groups) {
        if (group.isEmpty())
            continue;
        const auto pick = static_cast<qsizetype>(random.next() * static_cast<float>(group.size()));
        if (!speech.isEmpty())
            speech += u' ';
        speech += group[std::min(pick, group.size() - 1)].text;
    }
    return speech;
}

} // namespace parlanza
