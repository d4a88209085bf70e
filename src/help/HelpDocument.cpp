#include "HelpDocument.h"

#include "platform/Failure.h"
#include "platform/Marks.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace parlanza {

namespace {

constexpr int kIndexFirst = 4; // positions 4 to 26 hold the index,
constexpr int kIndexLast = 26; // and the search for a heading starts at 26
constexpr int kMaxReported = 100;

} // namespace

HelpDocument HelpDocument::load(const QString &path)
{
    try {
        // A document that stops being readable part way keeps the lines read so far.
        return fromText(TextFile::read(path, TextFile::OnReadError::KeepLinesRead));
    } catch (const Failure &) {
        return {};
    }
}

HelpDocument HelpDocument::fromBytes(const QByteArray &bytes)
{
    return fromText(TextFile::fromBytes(bytes));
}

HelpDocument HelpDocument::fromText(const TextFile &document)
{
    HelpDocument help;
    const int count = static_cast<int>(std::min<qsizetype>(document.lineCount(), kMaxLines));
    help.m_lines.reserve(count);
    help.m_lowered.reserve(count);
    for (int i = 0; i < count; ++i) {
        help.m_lines.append(formatNumber(i + 1, u"@@@@@") + QStringLiteral("  ") +
                            document.line(i).toString());
        help.m_lowered.append(help.m_lines.constLast().toLower());
    }
    return help;
}

std::optional<int> HelpDocument::lookup(int picked) const
{
    if (picked < kIndexFirst || picked > kIndexLast || picked >= m_lowered.size())
        return std::nullopt;
    const QString key = m_lowered[picked].mid(5, 8);
    for (int q = kIndexLast; q < m_lowered.size(); ++q) {
        if (m_lowered[q].contains(key))
            return q;
    }
    return std::nullopt;
}

std::optional<HelpDocument::Search> HelpDocument::search(const QString &text) const
{
    if (text.size() < 2)
        return std::nullopt;
    const QString lowered = text.toLower();
    Search result;
    QString numbers;
    for (int p = 0; p < m_lowered.size(); ++p) {
        if (!m_lowered[p].contains(lowered))
            continue;
        // Past the hundredth match the lines are still found; the answer keeps the first hundred numbers.
        if (result.matches.size() < kMaxReported)
            numbers += m_lines[p].left(5);
        result.matches.append(p);
    }
    result.answer = text + QStringLiteral("   Nº Similitudes= ") + numbers;
    return result;
}

QStringList HelpDocument::linesFrom(const QList<int> &selected, qsizetype column) const
{
    QList<int> positions = selected;
    std::sort(positions.begin(), positions.end());
    QStringList lines;
    for (const int p : positions) {
        if (p >= 0 && p < m_lines.size())
            lines.append(m_lines[p].mid(column));
    }
    return lines;
}

QStringList HelpDocument::printout(const QList<int> &selected) const
{
    // From the blanks between the number and the text on, as the printout always had them.
    QStringList lines = linesFrom(selected, 5);
    lines.append(u' ' + marks::kMaker.toString() + QStringLiteral(", Ayuda ---------"));
    return lines;
}

QString HelpDocument::copiedText(const QList<int> &selected) const
{
    return linesFrom(selected, 7).join(u'\n');
}

} // namespace parlanza
