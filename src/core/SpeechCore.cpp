#include "SpeechCore.h"

#include "PremiseBase.h"
#include "platform/Clock.h"
#include "platform/Failure.h"
#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"

#include <charconv>
#include <cmath>

namespace parlanza {

namespace {

constexpr QStringView kPremiseFileName = u"dialogo.soy";

QString readingAdvice()
{
    return QStringLiteral("  Pronunciese este discurso en tono grandilocuente, con pausas de efecto. No "
                          "intente mejorar la gramática,"
                          "\r\n"
                          "  pues esto le desmerecerá mucho ante sus oyentes. Al final le resultará un "
                          "explendido discurso válido "
                          "\r\n"
                          "  para cualquier ocasión. Quizás nadie le entienda, pero también nadie podrá "
                          "rebatir sus asertos. \r\n");
}

QString baseBanner(const QString &title)
{
    return QStringLiteral("       ******  PARLANZA    ******   ") + title + QStringLiteral("\r\n") +
           readingAdvice();
}

} // namespace

QString startBanner()
{
    return QStringLiteral("                           ******  PARLANZA    ******\r\n") + readingAdvice();
}

namespace {

void writeCounter(QString &text, qint64 speechNumber)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, speechNumber).ptr;
    text.resize(0);
    text.reserve(5 + (end - digits));
    text += u"Nº: ";
    if (speechNumber >= 0)
        text += u' ';
    text += QLatin1StringView(digits, end - digits);
}

} // namespace

QString counterText(qint64 speechNumber)
{
    QString text;
    writeCounter(text, speechNumber);
    return text;
}

SpeechCore::SpeechCore(Clock &clock, RandomSource &random) : m_clock(clock), m_random(random) {}

QString SpeechCore::premiseFile() const
{
    return m_premiseFile.isEmpty() ? state.dire + kPremiseFileName.toString() : m_premiseFile;
}

void SpeechCore::setPremiseText(const TextFile &text)
{
    m_premiseFile = text.path();
    m_premiseText = text;
}

TextFile SpeechCore::readPremiseFile() const
{
    return m_premiseText ? *m_premiseText : TextFile::read(premiseFile());
}

void SpeechCore::countLines()
{
    state.lineCount = 0;
    const QString path = premiseFile();
    const TextFile file = readPremiseFile();
    if (file.lineCount() > premise::kMaxLines) {
        state.lineCount = premise::kMaxLines;
        throw Failure::atLine(path, premise::kMaxLines + 1,
                              QStringLiteral("el archivo tiene %1 líneas y solo se leen las %2 primeras.")
                                  .arg(file.lineCount())
                                  .arg(premise::kMaxLines));
    }
    state.lineCount = static_cast<qint16>(file.lineCount());
}

void SpeechCore::toggleBaseList()
{
    BaseList &bases = controls.bases;
    if (bases.visible) {
        bases.visible = false;
        return;
    }
    bases.entries.clear();
    bases.lines.clear();
    bases.current = -1;
    const TextFile file = readPremiseFile();
    for (qsizetype i = 0; i < file.lineCount(); ++i) {
        if (premise::isHeaderLine(file.line(i))) {
            bases.entries.append(file.line(i).toString());
            bases.lines.append(i + 1);
        }
    }
    bases.visible = true;
}

void SpeechCore::selectBase()
{
    BaseList &bases = controls.bases;
    if (state.firstBasePending) {
        if (bases.entries.isEmpty())
            throw Failure(
                QStringLiteral("La lista de bases está vacía: el archivo %1 no se ha podido leer o no tiene "
                               "ninguna línea con «DD0» entre sus seis primeros caracteres.")
                    .arg(Failure::quoted(premiseFile())),
                premiseFile());
        bases.current = 0;
    }
    state.firstBasePending = false;
    if (bases.current < 0 || bases.current >= bases.entries.size())
        throw Failure(QStringLiteral("No hay ninguna base de premisas seleccionada."));

    const QString &line = bases.entries[bases.current];
    if (const auto problem = premise::headerProblem(line))
        throw Failure::atLine(premiseFile(), bases.lines.value(bases.current), *problem);
    const premise::Header header = premise::readHeader(line);
    state.baseSpec = header.baseSpec;
    state.baseTag = header.baseTag;
    const QString start = premise::startMarker(state.baseTag);
    const QString end = premise::endMarker(state.baseTag);

    controls.premises.clear();
    m_sectionFirstLine = 0;
    controls.banner = baseBanner(header.title);

    const TextFile file = readPremiseFile();
    const premise::Section section = premise::findSection(file, state.lineCount, start, end);
    controls.premises.reserve(section.count);
    for (qsizetype i = 0; i < section.count; ++i)
        controls.premises.append(file.line(section.first + i).toString());
    if (section.count > 0)
        m_sectionFirstLine = section.first + 1;

    bases.visible = false;
    compose();
}

void SpeechCore::loadWrittenBase(int number)
{
    countLines();
    BaseList &bases = controls.bases;
    const bool visible = bases.visible;
    bases.visible = false;
    toggleBaseList();
    bases.visible = visible;
    const QString wanted = formatNumber(number, u"00");
    for (qsizetype i = 0; i < bases.entries.size() && bases.current < 0; ++i) {
        if (premise::baseNumberText(bases.entries[i]) == wanted)
            bases.current = static_cast<int>(i);
    }
    if (bases.current < 0)
        throw Failure(
            QStringLiteral("El archivo %1 no tiene la base %2.").arg(Failure::quoted(premiseFile()), wanted),
            premiseFile());
    state.firstBasePending = false;
    selectBase();
}

void SpeechCore::compose()
{
    ++state.speechNumber;
    const auto count = toInt16(static_cast<double>(state.speechNumber));
    if (!count)
        throw Failure(
            // The same text for every speech past the limit, so that a repeated failure reads as one.
            QStringLiteral("Desbordamiento: una sesión no admite más de %1 discursos.")
                .arg(premise::kMaxLines));
    state.speechCount = *count;

    if (state.baseSpec != m_layoutSpec || state.baseTag != m_layoutTag || m_layoutSpec.isNull()) {
        const auto groups = toInt16(readNumber(premise::columns(state.baseTag, 7, 2)));
        const int count = groups ? *groups : 0;
        m_layout = premise::layoutGroups(state.baseSpec, count);
        m_layoutGroupCount = count;
        m_layoutSpec = state.baseSpec;
        m_layoutTag = state.baseTag;
    }
    const int groupCount = m_layoutGroupCount;
    const premise::GroupLayout &layout = m_layout;
    state.groupSizes = layout.sizes;
    requireUsablePremises(layout.sizes, layout.starts, groupCount);

    std::array<QStringView, premise::kMaxGroups + 1> drawn;
    qsizetype length = 0;
    for (int k = 1; k <= groupCount; ++k) {
        drawn[k] = drawPremise(layout.sizes[k], layout.starts[k - 1]);
        length += drawn[k].size() + state.separator.size();
    }
    // The speech and counter texts reuse their buffers from the speech before, when no one else holds them.
    QString &speech = controls.speech;
    speech.resize(0);
    speech.reserve(length);
    for (int k = 1; k <= groupCount; ++k) {
        speech += drawn[k];
        speech += state.separator;
    }

    // The history entry: the number right-aligned in three places ("@@@ "), a blank, the speech.
    char digits[24];
    const auto digitsEnd = std::to_chars(digits, digits + sizeof digits, state.speechNumber).ptr;
    const qsizetype digitCount = digitsEnd - digits;
    QString entry;
    entry.reserve(std::max<qsizetype>(3, digitCount) + 1 + speech.size());
    for (qsizetype blanks = 3 - digitCount; blanks > 0; --blanks)
        entry += u' ';
    entry += QLatin1StringView(digits, digitCount);
    entry += u' ';
    entry += speech;
    controls.history.append(std::move(entry));
    writeCounter(controls.counter, state.speechNumber);
}

// A group without any usable entry would be drawn for ever; refuse it before the first draw.
void SpeechCore::requireUsablePremises(const std::array<qint16, 11> &sizes,
                                       const std::array<qint16, 11> &starts, int groupCount) const
{
    for (int k = 1; k <= groupCount; ++k) {
        const premise::DrawRange range = premise::drawRange(sizes[k], starts[k - 1]);
        bool usable = false;
        for (int i = range.first; i <= range.last && !usable; ++i)
            usable = controls.premises.isUsable(i);
        if (usable)
            continue;
        const QString base = premise::baseNumberText(state.baseTag);
        if (controls.premises.isEmpty())
            throw Failure(
                QStringLiteral("La base %1 no tiene ninguna línea cargada: su cabecera no está entre las "
                               "líneas leídas o va después de la cabecera de la base siguiente.")
                    .arg(base));
        // Entries before the section (a negative size) do not exist; name the lines from the header on.
        const qsizetype firstLine = m_sectionFirstLine + std::max(range.first, 0);
        const qsizetype lastLine = m_sectionFirstLine + std::max(range.last, 0);
        throw Failure(
            QStringLiteral("La base %1 no tiene ninguna premisa utilizable en el grupo %2 (líneas %3 a %4 "
                           "de %5): una premisa necesita al menos 4 caracteres y no puede contener "
                           "«DD0».")
                .arg(base)
                .arg(k)
                .arg(firstLine)
                .arg(lastLine)
                .arg(Failure::quoted(premiseFile())),
            premiseFile(), firstLine);
    }
}

QStringView SpeechCore::drawPremise(qint16 size, qint16 start)
{
    // Redraws are unbounded in principle; with a fair generator the bound below is never reached, and past it
    // the premise is picked among the usable entries directly, so a generator that keeps repeating itself
    // cannot hang the program.
    const premise::DrawRange range = premise::drawRange(size, start);
    const int maxDraws = std::max(1024, 64 * (range.last - range.first + 1));
    for (int draw = 0; draw < maxDraws; ++draw) {
        m_random.reseed(m_clock.secondsSinceMidnight());
        const float r = m_random.next();
        const float index = std::floor(static_cast<float>(size) * r) + static_cast<float>(start);
        if (const auto at = toInt16(index); at && controls.premises.isUsable(*at))
            return controls.premises.entry(*at);
    }
    QList<int> usable;
    for (int i = range.first; i <= range.last; ++i) {
        if (controls.premises.isUsable(i))
            usable.append(i);
    }
    const auto pick = static_cast<qsizetype>(m_random.next() * static_cast<float>(usable.size()));
    return controls.premises.entry(usable[std::min(pick, usable.size() - 1)]);
}

} // namespace parlanza
