#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace parlanza {

class TextFile;

// The line format of the premise base file. A base header line has "DD0" within its first six characters:
// "DD0", the base number in two digits, one three-character size field per premise group, "|" and the title,
// as in "DD002012009015|Titulo". Every other line belongs to the section of the header above it.
namespace premise {

inline constexpr QStringView kMark = u"DD0";
inline constexpr int kMaxGroups = 10;
// The line count is a 16-bit counter: the program reads at most this many lines.
inline constexpr int kMaxLines = 32767;

// Every column counts characters from 1: a character beyond the 16-bit range (an emoji) is one column, though
// it takes two code units.
// The text of count columns from column first on (fewer where the text ends sooner; all the rest for -1).
QStringView columns(QStringView text, qsizetype first, qsizetype count = -1);
// The column of the first c in the text, or 0 when there is none.
qsizetype columnOf(QStringView text, QChar c);

bool isHeaderLine(QStringView line);
// A line can serve as a premise when it has four characters or more and no "DD0".
bool isUsablePremise(QStringView entry);

// Why a listed header line cannot be loaded, in Spanish, or nothing when it is in the format.
std::optional<QString> headerProblem(QStringView header);

// What the base selection takes from a header line that headerProblem() accepts.
struct Header
{
    qsizetype barColumn = 0; // p: 1-based column of the first "|"
    int groupCount = 0;      // g = (p - 5) div 3
    QString baseSpec;        // the line before its "|"
    QString baseTag;         // columns 1 to 5, "-" and g in two digits, fitted to 8 characters
    QString title;           // the line after its "|"
};
Header readHeader(QStringView header);

// The base number as it appears in a baseTag or baseSpec ("02"), for messages.
QString baseNumberText(QStringView tagOrBaseSpec);

QString startMarker(QStringView tag);
QString endMarker(QStringView tag);

// The section of a base: the 0-based index of its first line in the file and its line count; count 0 when the
// header was not reached. Scans at most lineLimit lines, as the base selection does.
struct Section
{
    qsizetype first = 0;
    qsizetype count = 0;
};
Section findSection(const TextFile &file, qsizetype lineLimit, QStringView start, QStringView end);

// Group sizes and the first section entry of every group, as the composer lays them out: group 1 is drawn
// from entries 0 to c1 - 1, group 2 from c1 + 3 on, each later group from one entry after the previous one.
// starts[k - 1] is where group k begins. Throws Failure on more than 10 groups or a position past 32767.
struct GroupLayout
{
    std::array<qint16, 11> sizes{};
    std::array<qint16, 11> starts{};
};
GroupLayout layoutGroups(QStringView baseSpec, int groupCount);

// The section entries a draw for a group can reach: for a size c >= 1 they are start to start + c - 1.
struct DrawRange
{
    int first = 0;
    int last = 0;
};
DrawRange drawRange(qint16 size, qint16 start);

} // namespace premise
} // namespace parlanza
