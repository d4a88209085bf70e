#include "ListsDraft.h"

#include "PremiseBaseCheck.h"
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
