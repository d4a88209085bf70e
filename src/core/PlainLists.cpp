#include "PlainLists.h"

#include "PremiseBase.h"
#include "PremiseBaseCheck.h"
#include "platform/Failure.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <optional>

namespace parlanza {

namespace {

// The largest number a three-digit size field holds; group 1's field counts the header line too.
constexpr int kMaxField = 999;

bool isEmptyLine(QStringView line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c == u' '; });
}

bool isComment(QStringView line)
{
    return line.startsWith(u'#');
}

// Why a line cannot stand in plain lists for itself, or nothing when it can.
std::optional<QString> unlistable(QStringView text)
{
    if (isEmptyLine(text))
        return QStringLiteral("está en blanco");
    if (isComment(text))
        return QStringLiteral("empieza por «#» y se leería como un comentario");
    return std::nullopt;
}

std::optional<QString> premiseProblem(const QString &text)
{
    if (premise::columns(text, 4, 1).isEmpty())
        return QStringLiteral("la premisa «%1» tiene menos de 4 caracteres y el programa nunca la elegiría.")
            .arg(text);
    if (text.contains(premise::kMark))
        return QStringLiteral("la premisa contiene «DD0», que marca las cabeceras de base; el programa nunca "
                              "la elegiría.");
    return std::nullopt;
}

// Where each line of the bytes starts, after a UTF-8 byte-order mark, with the same line ends as TextFile.
QList<qsizetype> lineStarts(const QByteArray &bytes)
{
    QList<qsizetype> starts;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype i = start; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        starts.append(start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        starts.append(start);
    return starts;
}

QByteArray lineEndOf(const QByteArray &bytes)
{
    const qsizetype at =
        bytes.indexOf('\r') >= 0 && (bytes.indexOf('\n') < 0 || bytes.indexOf('\r') < bytes.indexOf('\n'))
            ? bytes.indexOf('\r')
            : bytes.indexOf('\n');
    if (at < 0)
        return QByteArrayLiteral("\r\n");
    if (bytes[at] == '\n')
        return QByteArrayLiteral("\n");
    return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? QByteArrayLiteral("\r\n")
                                                          : QByteArrayLiteral("\r");
}

// Every text of the lists must come back from the file's encoding as it was.
void requireEncodable(const PlainLists &lists, const QString &target)
{
    auto check = [&](const QString &text, qsizetype line) {
        if (TextFile::decode(TextFile::encodeWindows1252(text)) == text)
            return;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QStringView character = QStringView(text).mid(i, width);
            if (TextFile::decode(TextFile::encodeWindows1252(character)) != character)
                throw Failure::atLine(
                    lists.path, line,
                    QStringLiteral("el carácter «%1» (U+%2) no cabe en Windows-1252, la codificación del "
                                   "archivo %3.")
                        .arg(character.toString(),
                             QString::number(character.toUcs4().value(0), 16)
                                 .toUpper()
                                 .rightJustified(4, u'0'),
                             Failure::quoted(target)));
            i += width - 1;
        }
    };
    check(lists.title, lists.titleLine);
    for (const QList<ListedPremise> &group : lists.groups) {
        for (const ListedPremise &premise : group)
            check(premise.text, premise.line);
    }
}

// The base's lines laid out as the program reads them: the header with every group's size (group 1's counts
// the header), group 1, three filler lines, then each later group after one filler line.
QStringList baseLines(const PlainLists &lists, int number)
{
    QString header = premise::kMark.toString() + formatNumber(number, u"00");
    for (qsizetype k = 0; k < lists.groups.size(); ++k)
        header += formatNumber(static_cast<double>(lists.groups[k].size() + (k == 0 ? 1 : 0)), u"000");
    QStringList lines = {header + u'|' + lists.title};
    for (qsizetype k = 0; k < lists.groups.size(); ++k) {
        if (k > 0)
            lines.append(QStringList(k == 1 ? 3 : 1, QString()));
        for (const ListedPremise &premise : lists.groups[k])
            lines.append(premise.text);
    }
    return lines;
}

bool sameTexts(const PlainLists &a, const PlainLists &b)
{
    if (a.title != b.title || a.groups.size() != b.groups.size())
        return false;
    for (qsizetype k = 0; k < a.groups.size(); ++k) {
        if (!std::equal(a.groups[k].begin(), a.groups[k].end(), b.groups[k].begin(), b.groups[k].end(),
                        [](const ListedPremise &x, const ListedPremise &y) { return x.text == y.text; }))
            return false;
    }
    return true;
}

BaseEdit editBase(const QString &path, const QByteArray &bytes, std::optional<int> replacing,
                  const PlainLists &lists)
{
    const TextFile file = TextFile::fromBytes(bytes, path);
    const PremiseBaseReport report = checkPremiseBase(file);
    if (!report.bases.isEmpty() && report.count(Finding::Severity::Error) > 0)
        throw Failure(QStringLiteral("El archivo %1 tiene errores y no se cambia; ejecute «parlanza-discurso "
                                     "--check -f %2» para verlos.")
                          .arg(Failure::quoted(path), path),
                      path);

    BaseEdit edit;
    qsizetype from = bytes.size(); // the bytes replaced run from here to `to`
    qsizetype to = bytes.size();
    const QList<qsizetype> starts = lineStarts(bytes);
    if (replacing) {
        edit.number = *replacing;
        const QString wanted = formatNumber(edit.number, u"00");
        const auto base = std::find_if(report.bases.begin(), report.bases.end(),
                                       [&](const BaseSummary &b) { return b.number == wanted; });
        if (base == report.bases.end())
            throw Failure(
                QStringLiteral("El archivo %1 no tiene la base %2.").arg(Failure::quoted(path), wanted),
                path);
        from = starts[base->line - 1];
        if (base + 1 != report.bases.end())
            to = starts[(base + 1)->line - 1];
    } else {
        edit.number =
            report.bases.isEmpty() ? 1 : static_cast<int>(readNumber(report.bases.last().number)) + 1;
        if (edit.number > 99)
            throw Failure(
                QStringLiteral("La última base del archivo %1 es la %2: no caben más bases que la 99.")
                    .arg(Failure::quoted(path), report.bases.last().number),
                path);
    }

    const bool utf8 = file.encoding() == TextFile::Encoding::Utf8;
    if (!utf8)
        requireEncodable(lists, path);
    const QByteArray lineEnd = lineEndOf(bytes);
    const QString text =
        baseLines(lists, edit.number).join(QString::fromLatin1(lineEnd)) + QString::fromLatin1(lineEnd);
    QByteArray block = utf8 ? text.toUtf8() : TextFile::encodeWindows1252(text);
    if (from == bytes.size() && from > 0 && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
        block.prepend(lineEnd);
    edit.bytes = bytes.left(from) + block + bytes.mid(to);

    // Read back as the program would: the base must give exactly the lists, and the file no new error.
    const TextFile written = TextFile::fromBytes(edit.bytes, path);
    if (written.lineCount() > premise::kMaxLines)
        throw Failure::atLine(
            lists.path, lists.titleLine,
            QStringLiteral("con esta base el archivo %1 tendría %2 líneas, y el programa solo "
                           "lee las %3 primeras.")
                .arg(Failure::quoted(path), QString::number(written.lineCount()),
                     QString::number(premise::kMaxLines)));
    const PremiseBaseReport after = checkPremiseBase(written);
    const auto base = std::find_if(after.bases.begin(), after.bases.end(), [&](const BaseSummary &b) {
        return b.number == formatNumber(edit.number, u"00");
    });
    if (after.count(Finding::Severity::Error) > 0 || base == after.bases.end() ||
        !sameTexts(exportBase(written, edit.number), lists))
        throw Failure(QStringLiteral("Las listas de %1 no se pueden escribir en el archivo %2 de modo que el "
                                     "programa las lea igual; no se ha cambiado nada.")
                          .arg(Failure::quoted(lists.path), Failure::quoted(path)),
                      path);
    edit.title = lists.title;
    edit.speechVariety = base->speechVariety();
    return edit;
}

} // namespace

PlainListsCheck checkPlainLists(const TextFile &file)
{
    const QString &path = file.path();
    PlainListsCheck check;
    PlainLists &lists = check.lists;
    lists.path = path;
    auto problem = [&](qsizetype line, const QString &text) { check.problems.append({line, text}); };
    qsizetype i = 0;
    for (; i < file.lineCount() && lists.titleLine == 0; ++i) {
        if (!isEmptyLine(file.line(i)) && !isComment(file.line(i))) {
            lists.title = file.line(i).toString().normalized(QString::NormalizationForm_C);
            lists.titleLine = i + 1;
        }
    }
    if (lists.titleLine == 0) {
        problem(0, path.isEmpty() ? QStringLiteral("Las listas no tienen título ni premisas.")
                                  : QStringLiteral("El archivo de listas %1 no tiene título ni premisas.")
                                        .arg(Failure::quoted(path)));
        return check;
    }

    bool inParagraph = false;
    bool paragraphHasPremise = false;
    qsizetype paragraphLine = 0;
    qsizetype emptyGroupLine = 0; // a paragraph of comments alone after a group
    for (; i <= file.lineCount(); ++i) {
        const QStringView line = file.line(i);
        if (i == file.lineCount() || isEmptyLine(line)) {
            if (inParagraph && !paragraphHasPremise && !lists.groups.isEmpty() && emptyGroupLine == 0)
                emptyGroupLine = paragraphLine;
            inParagraph = false;
            continue;
        }
        if (!inParagraph) {
            inParagraph = true;
            paragraphHasPremise = false;
            paragraphLine = i + 1;
        }
        if (isComment(line))
            continue;
        if (!paragraphHasPremise) {
            if (emptyGroupLine > 0) {
                problem(emptyGroupLine,
                        QStringLiteral("entre el grupo %1 y el siguiente hay un párrafo solo de "
                                       "comentarios: cuenta como un grupo vacío, y un grupo "
                                       "necesita al menos una premisa.")
                            .arg(lists.groups.size()));
                emptyGroupLine = 0;
            }
            paragraphHasPremise = true;
            lists.groups.append(QList<ListedPremise>());
            // Said once, at the first group too many; the groups after it are still read for their lines.
            if (lists.groups.size() == premise::kMaxGroups + 1)
                problem(i + 1,
                        QStringLiteral("aquí empieza el grupo %1; una base tiene como mucho %2 grupos.")
                            .arg(lists.groups.size())
                            .arg(premise::kMaxGroups));
        }
        const QString text = line.toString().normalized(QString::NormalizationForm_C);
        if (const auto why = premiseProblem(text))
            problem(i + 1, *why);
        QList<ListedPremise> &group = lists.groups.last();
        const int limit = lists.groups.size() == 1 ? kMaxField - 1 : kMaxField;
        if (group.size() == limit)
            problem(i + 1, QStringLiteral("el grupo %1 pasa de %2 premisas, las que caben en el tamaño de "
                                          "tres cifras de la cabecera%3.")
                               .arg(QString::number(lists.groups.size()), QString::number(limit),
                                    lists.groups.size() == 1
                                        ? QStringLiteral(" (el del grupo 1 cuenta también la cabecera)")
                                        : QString()));
        group.append({text, i + 1});
    }
    if (lists.groups.isEmpty())
        problem(lists.titleLine,
                QStringLiteral("el título «%1» no va seguido de ningún grupo de premisas.").arg(lists.title));
    return check;
}

PlainLists readPlainLists(const TextFile &file)
{
    PlainListsCheck check = checkPlainLists(file);
    if (check.problems.isEmpty())
        return std::move(check.lists);
    const ListProblem &first = check.problems.constFirst();
    if (first.line == 0)
        throw Failure(first.message, file.path());
    throw Failure::atLine(file.path(), first.line, first.message);
}

QString plainListsText(const PlainLists &lists, QStringView lineEnd)
{
    QString text = lists.title;
    text += lineEnd;
    for (const QList<ListedPremise> &group : lists.groups) {
        text += lineEnd;
        for (const ListedPremise &premise : group) {
            text += premise.text;
            text += lineEnd;
        }
    }
    return text;
}

QByteArray plainListsBytes(const PlainLists &lists, const QByteArray &baseFile)
{
    TextFile::Encoding encoding = TextFile::Encoding::Windows1252;
    TextFile::decode(baseFile, &encoding);
    const QString text = plainListsText(lists, QString::fromLatin1(lineEndOf(baseFile)));
    return encoding == TextFile::Encoding::Utf8 ? text.toUtf8() : TextFile::encodeWindows1252(text);
}

PlainLists exportBase(const TextFile &file, int number)
{
    const QString &path = file.path();
    const QString wanted = formatNumber(number, u"00");
    const qsizetype lines = std::min<qsizetype>(file.lineCount(), premise::kMaxLines);
    qsizetype at = 0;
    while (at < lines &&
           !(premise::isHeaderLine(file.line(at)) && premise::baseNumberText(file.line(at)) == wanted))
        ++at;
    if (at == lines)
        throw Failure(QStringLiteral("El archivo %1 no tiene la base %2.").arg(Failure::quoted(path), wanted),
                      path);
    const QStringView line = file.line(at);
    if (const auto problem = premise::headerProblem(line))
        throw Failure::atLine(path, at + 1, *problem);
    const premise::Header header = premise::readHeader(line);
    const premise::GroupLayout layout = premise::layoutGroups(header.baseSpec, header.groupCount);
    const premise::Section section = premise::findSection(file, lines, premise::startMarker(header.baseTag),
                                                          premise::endMarker(header.baseTag));
    if (section.count == 0)
        throw Failure::atLine(path, at + 1,
                              QStringLiteral("al elegir la base %1 no se carga ninguna línea.").arg(wanted));

    PlainLists lists;
    lists.path = path;
    lists.title = header.title;
    lists.titleLine = section.first + 1;
    auto require = [&](QStringView text, qsizetype fileLine, const QString &what) {
        if (const auto why = unlistable(text))
            throw Failure::atLine(path, fileLine,
                                  QStringLiteral("%1 %2: no se puede escribir como lista.").arg(what, *why));
    };
    require(lists.title, lists.titleLine, QStringLiteral("el título de la base"));
    for (int k = 1; k <= header.groupCount; ++k) {
        const premise::DrawRange range = premise::drawRange(layout.sizes[k], layout.starts[k - 1]);
        QList<ListedPremise> group;
        for (int e = std::max(range.first, 0); e <= range.last && e < section.count; ++e) {
            const QStringView entry = file.line(section.first + e);
            if (!premise::isUsablePremise(entry))
                continue;
            require(entry, section.first + e + 1, QStringLiteral("la premisa"));
            group.append({entry.toString(), section.first + e + 1});
        }
        if (group.isEmpty())
            throw Failure::atLine(
                path, at + 1,
                QStringLiteral("el grupo %1 de la base %2 no tiene ninguna premisa que se pueda "
                               "elegir.")
                    .arg(QString::number(k), wanted));
        lists.groups.append(group);
    }
    return lists;
}

BaseEdit appendBase(const QString &path, const QByteArray &existing, const PlainLists &lists)
{
    return editBase(path, existing, std::nullopt, lists);
}

BaseEdit replaceBase(const QString &path, const QByteArray &existing, int number, const PlainLists &lists)
{
    return editBase(path, existing, number, lists);
}

} // namespace parlanza
