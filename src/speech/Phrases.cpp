#include "Phrases.h"

#include <QSet>
#include <algorithm>
#include <optional>

namespace parlanza {

namespace {

// A line of a speech without its blanks around and the " ..." that ends a premise set one per line.
QStringView trimmedLine(QStringView line)
{
    line = line.trimmed();
    if (line.endsWith(u"..."))
        line.chop(3);
    return line.trimmed();
}

// Splits a line into known premises run on after blanks. Longer premises are tried first; a position from
// which no split succeeds is remembered, so every position is tried once.
class RunSplitter
{
public:
    RunSplitter(QStringView line, const QStringList &premises) : m_line(line), m_premises(premises) {}

    std::optional<QStringList> split(qsizetype from)
    {
        while (from < m_line.size() && m_line[from].isSpace())
            ++from;
        if (from >= m_line.size())
            return QStringList();
        if (m_failed.contains(from))
            return std::nullopt;
        for (const QString &premise : m_premises) {
            const qsizetype end = from + premise.size();
            if (!m_line.mid(from).startsWith(premise) || (end < m_line.size() && !m_line[end].isSpace()))
                continue;
            if (std::optional<QStringList> rest = split(end)) {
                rest->prepend(premise);
                return rest;
            }
        }
        m_failed.insert(from);
        return std::nullopt;
    }

private:
    QStringView m_line;
    const QStringList &m_premises;
    QSet<qsizetype> m_failed;
};

} // namespace

QStringList phrasesOf(QStringView speech, const QStringList &knownPremises)
{
    QStringList premises;
    for (const QString &premise : knownPremises) {
        const QString trimmed = premise.trimmed();
        if (!trimmed.isEmpty())
            premises.append(trimmed);
    }
    premises.removeDuplicates();
    std::sort(premises.begin(), premises.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });

    QStringList phrases;
    for (QStringView rawLine : speech.split(u'\n')) {
        const QStringView line = trimmedLine(rawLine);
        if (line.isEmpty())
            continue;
        if (std::optional<QStringList> run = RunSplitter(line, premises).split(0); run && !run->isEmpty()) {
            phrases.append(*run);
        } else {
            phrases.append(line.toString());
        }
    }
    return phrases;
}

QStringView withoutHistoryNumber(QStringView entry)
{
    qsizetype at = 0;
    while (at < entry.size() && entry[at] == u' ')
        ++at;
    const qsizetype digits = at;
    while (at < entry.size() && entry[at].isDigit())
        ++at;
    if (at == digits || at >= entry.size() || entry[at] != u' ')
        return entry;
    return entry.mid(at + 1);
}

} // namespace parlanza
