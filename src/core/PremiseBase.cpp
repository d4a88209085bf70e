#include "PremiseBase.h"

#include "platform/Failure.h"
#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace parlanza::premise {

namespace {

// A character beyond the 16-bit range (an emoji, say) takes two code units and counts as one character.
bool continuesCharacter(QStringView text, qsizetype i)
{
    return i > 0 && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate();
}

// The code unit where column `column` starts, or the text's size when it has fewer columns.
qsizetype unitOfColumn(QStringView text, qsizetype column)
{
    qsizetype units = 0;
    for (qsizetype characters = 0; units < text.size(); ++units) {
        if (!continuesCharacter(text, units) && ++characters >= column)
            break;
    }
    return units;
}

QStringView firstCharacters(QStringView text, qsizetype n)
{
    return columns(text, 1, n);
}

// Whether the text has at least n characters.
bool hasCharacters(QStringView text, qsizetype n)
{
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size() && characters < n; ++i) {
        if (!continuesCharacter(text, i))
            ++characters;
    }
    return characters >= n;
}

bool isTwoDigits(QStringView text)
{
    return text.size() == 2 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QStringView columns(QStringView text, qsizetype first, qsizetype count)
{
    if (first < 1)
        first = 1;
    const qsizetype begin = unitOfColumn(text, first);
    if (count < 0)
        return text.mid(begin);
    const QStringView rest = text.mid(begin);
    return rest.left(unitOfColumn(rest, count + 1));
}

qsizetype columnOf(QStringView text, QChar c)
{
    const qsizetype unit = text.indexOf(c);
    if (unit < 0)
        return 0;
    qsizetype column = 0;
    for (qsizetype i = 0; i <= unit; ++i) {
        if (!continuesCharacter(text, i))
            ++column;
    }
    return column;
}

bool isHeaderLine(QStringView line)
{
    return firstCharacters(line, 6).contains(kMark);
}

bool isUsablePremise(QStringView entry)
{
    return hasCharacters(entry, 4) && !entry.contains(kMark);
}

std::optional<QString> headerProblem(QStringView header)
{
    const qsizetype bar = columnOf(header, u'|');
    if (bar == 0)
        return QStringLiteral(
            "la cabecera de base no tiene el «|» que separa los tamaños de los grupos del título.");
    if (bar < 5)
        return QStringLiteral("el «|» de la cabecera está en la columna %1, antes del número de base.")
            .arg(bar);
    const QStringView number = columns(header, 4, 2);
    if (!isTwoDigits(number))
        return QStringLiteral("el número de base (columnas 4 y 5) debe tener dos cifras, y es «%1».")
            .arg(number.toString());
    const qsizetype groups = (bar - 5) / 3;
    if (groups > kMaxGroups)
        return QStringLiteral("la cabecera declara %1 grupos de premisas; el máximo es %2.")
            .arg(groups)
            .arg(kMaxGroups);
    return std::nullopt;
}

Header readHeader(QStringView header)
{
    Header result;
    result.barColumn = columnOf(header, u'|');
    result.groupCount = static_cast<int>((result.barColumn - 5) / 3);
    result.baseSpec = columns(header, 1, result.barColumn - 1).toString();
    const QString tag = columns(header, 1, 5).toString() + u'-' + formatNumber(result.groupCount, u"00");
    result.baseTag = columns(tag, 1, 8).toString();
    while (columns(result.baseTag, 8).isEmpty())
        result.baseTag += u' ';
    result.title = columns(header, result.barColumn + 1).toString();
    return result;
}

QString baseNumberText(QStringView tagOrBaseSpec)
{
    return columns(tagOrBaseSpec, 4, 2).toString();
}

QString startMarker(QStringView tag)
{
    return kMark.toString() + columns(tag, 4, 2).toString();
}

QString endMarker(QStringView tag)
{
    return kMark.toString() + formatNumber(readNumber(columns(tag, 4, 2)) + 1, u"00");
}

Section findSection(const TextFile &file, qsizetype lineLimit, QStringView start, QStringView end)
{
    const qsizetype lines = std::min(lineLimit, file.lineCount());
    qsizetype first = -1;
    for (qsizetype i = 0; i < lines; ++i) {
        const QStringView window = firstCharacters(file.line(i), 6);
        const bool isStart = window.contains(start);
        if (isStart && first < 0)
            first = i;
        if (window.contains(end)) {
            // The end marker stops the reading; the line itself is kept only when it also held the start
            // marker.
            if (first < 0)
                return {};
            return {first, i + (isStart ? 1 : 0) - first};
        }
    }
    if (first < 0)
        return {};
    return {first, lines - first};
}

GroupLayout layoutGroups(QStringView baseSpec, int groupCount)
{
    const QString base = baseNumberText(baseSpec);
    if (groupCount > kMaxGroups)
        throw Failure(QStringLiteral("La base %1 tiene %2 grupos de premisas; el máximo es %3.")
                          .arg(base, QString::number(groupCount), QString::number(kMaxGroups)));
    auto overflow = [&](int group) {
        return Failure(
            QStringLiteral("Desbordamiento en la base %1: el grupo %2 empezaría después de la entrada "
                           "32767 de su sección.")
                .arg(base, QString::number(group)));
    };
    GroupLayout layout;
    for (int k = 1; k <= groupCount; ++k) {
        const auto size = toInt16(readNumber(columns(baseSpec, 3 * k + 3, 3)));
        if (!size)
            throw overflow(k);
        layout.sizes[k] = *size;
        auto start = add16(layout.starts[k - 1], *size);
        if (start)
            start = add16(*start, k == 1 ? 3 : 1);
        if (!start)
            throw overflow(k + 1);
        layout.starts[k] = *start;
    }
    return layout;
}

DrawRange drawRange(qint16 size, qint16 start)
{
    // floor(size * r) for r in [0, 1) runs from 0 to size - 1, or from size to 0 for a size below 1.
    if (size >= 1)
        return {start, start + size - 1};
    return {start + size, start};
}

} // namespace parlanza::premise
