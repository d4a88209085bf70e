#include "PremiseBaseCheck.h"

#include "PremiseBase.h"
#include "platform/Failure.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace parlanza {

namespace {

using Severity = Finding::Severity;

// Multiplies a decimal number held as text by a small factor.
QString multiplyDecimal(const QString &number, int factor)
{
    QString result;
    int carry = 0;
    for (qsizetype i = number.size() - 1; i >= 0; --i) {
        const int product = (number[i].unicode() - u'0') * factor + carry;
        result.prepend(QChar(u'0' + product % 10));
        carry = product / 10;
    }
    for (; carry > 0; carry /= 10)
        result.prepend(QChar(u'0' + carry % 10));
    while (result.size() > 1 && result.front() == u'0')
        result.remove(0, 1);
    return result;
}

bool isThreeDigits(QStringView field)
{
    return field.size() == 3 &&
           std::all_of(field.begin(), field.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

class Checker
{
public:
    explicit Checker(const TextFile &file)
        : m_file(file), m_limit(std::min<qsizetype>(file.lineCount(), premise::kMaxLines))
    {}

    PremiseBaseReport run();

private:
    void add(qsizetype line, Severity severity, const QString &message)
    {
        m_report.findings.append({line, severity, message});
    }
    void checkOrder(const BaseSummary &base, int number);
    void checkBase(qsizetype headerIndex, BaseSummary &base);

    const TextFile &m_file;
    const qsizetype m_limit;
    QList<qsizetype> m_headers; // 0-based indexes of the header lines
    QHash<int, qsizetype> m_firstLineOfNumber;
    int m_previousNumber = -1;
    PremiseBaseReport m_report;
};

PremiseBaseReport Checker::run()
{
    for (qsizetype i = 0; i < m_file.lineCount(); ++i) {
        if (premise::isHeaderLine(m_file.line(i)))
            m_headers.append(i);
    }
    if (m_file.lineCount() > premise::kMaxLines)
        add(premise::kMaxLines + 1, Severity::Error,
            QStringLiteral("el archivo tiene %1 líneas y el programa solo lee las %2 primeras.")
                .arg(m_file.lineCount())
                .arg(premise::kMaxLines));
    if (m_headers.isEmpty())
        add(1, Severity::Error,
            QStringLiteral(
                "el archivo no tiene ninguna base: ninguna línea lleva «DD0» entre sus seis primeros "
                "caracteres."));

    const qsizetype beforeFirst = m_headers.isEmpty() ? m_limit : std::min(m_headers.front(), m_limit);
    for (qsizetype i = 0; i < beforeFirst; ++i) {
        if (premise::isUsablePremise(m_file.line(i)))
            add(i + 1, Severity::Warning,
                QStringLiteral("esta línea está antes de la primera base y el programa nunca la usará."));
    }

    for (const qsizetype index : std::as_const(m_headers)) {
        const QStringView line = m_file.line(index);
        BaseSummary base;
        base.line = index + 1;
        base.number = premise::columns(line, 4, 2).toString();
        const qsizetype bar = premise::columnOf(line, u'|');
        base.title = bar == 0 ? QString() : premise::columns(line, bar + 1).toString();
        checkBase(index, base);
        m_report.bases.append(base);
    }
    std::stable_sort(m_report.findings.begin(), m_report.findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return m_report;
}

void Checker::checkOrder(const BaseSummary &base, int number)
{
    if (const auto seen = m_firstLineOfNumber.constFind(number); seen != m_firstLineOfNumber.cend()) {
        add(base.line, Severity::Error,
            QStringLiteral(
                "la base %1 está repetida (ya aparece en la línea %2): al elegir esta se cargarían las "
                "líneas de la primera.")
                .arg(base.number, QString::number(*seen)));
        return;
    }
    m_firstLineOfNumber.insert(number, base.line);
    if (number < m_previousNumber)
        add(base.line, Severity::Error,
            QStringLiteral("la base %1 va después de la base %2: las bases deben seguir un orden creciente.")
                .arg(base.number, formatNumber(m_previousNumber, u"00")));
    else if (m_previousNumber >= 0 && number > m_previousNumber + 1)
        add(base.line, Severity::Warning,
            QStringLiteral("después de la base %1 viene la %2: sin la base %3, la sección de la base %1 no "
                           "termina en esta línea.")
                .arg(formatNumber(m_previousNumber, u"00"), base.number,
                     formatNumber(m_previousNumber + 1, u"00")));
    m_previousNumber = std::max(m_previousNumber, number);
}

void Checker::checkBase(qsizetype headerIndex, BaseSummary &base)
{
    const QStringView line = m_file.line(headerIndex);
    if (headerIndex >= m_limit) {
        add(base.line, Severity::Error,
            QStringLiteral("la cabecera está después de la línea %1 y la base no se puede cargar.")
                .arg(premise::kMaxLines));
        return;
    }
    if (const auto problem = premise::headerProblem(line)) {
        add(base.line, Severity::Error, *problem);
        return;
    }
    // The program still reads the number from columns 4 and 5 and loads the base when its own start marker
    // lies within the first six characters; whether it does shows below.
    if (!line.startsWith(premise::kMark))
        add(base.line, Severity::Warning,
            QStringLiteral(
                "«DD0» no está en las columnas 1 a 3, donde lo pone el formato; el número de base se "
                "lee de las columnas 4 y 5: «%1».")
                .arg(base.number));
    checkOrder(base, static_cast<int>(readNumber(base.number)));

    const premise::Header header = premise::readHeader(line);
    const qsizetype spare = (header.barColumn - 6) % 3;
    if (spare == 1)
        add(base.line, Severity::Warning, QStringLiteral("sobra un carácter antes del «|»; no cuenta."));
    else if (spare == 2)
        add(base.line, Severity::Warning,
            QStringLiteral("sobran dos caracteres antes del «|»: cuentan como un grupo más, el %1.")
                .arg(header.groupCount));

    premise::GroupLayout layout;
    try {
        layout = premise::layoutGroups(header.baseSpec, header.groupCount);
    } catch (const Failure &failure) {
        add(base.line, Severity::Error, failure.description());
        return;
    }

    const premise::Section section = premise::findSection(
        m_file, m_limit, premise::startMarker(header.baseTag), premise::endMarker(header.baseTag));
    if (section.count == 0) {
        const QString start = premise::startMarker(header.baseTag);
        add(base.line, Severity::Error,
            premise::columns(line, 1, 6).contains(start)
                ? QStringLiteral("al elegir la base %1 no se carga ninguna línea: la cabecera de la base "
                                 "siguiente va antes que la suya.")
                      .arg(base.number)
                : QStringLiteral("al elegir la base %1 no se carga ninguna línea: su cabecera no lleva «%2» "
                                 "entre sus seis primeros caracteres.")
                      .arg(base.number, start));
        return;
    }
    // The lines of this base end at the next header, even when the section read by the program goes further.
    qsizetype ownCount = 1;
    while (ownCount < section.count && !premise::isHeaderLine(m_file.line(section.first + ownCount)))
        ++ownCount;
    auto fileLine = [&](qsizetype entry) { return section.first + entry + 1; };

    base.loadable = true;
    QList<bool> drawn(ownCount, false);
    QList<premise::DrawRange> ranges;
    for (int k = 1; k <= header.groupCount; ++k) {
        const QStringView field = premise::columns(header.baseSpec, 3 * k + 3, 3);
        const qint16 size = layout.sizes[k];
        if (!isThreeDigits(field) && !(spare == 2 && k == header.groupCount))
            add(base.line, Severity::Warning,
                QStringLiteral("el tamaño del grupo %1 («%2») no son tres cifras; se lee como %3.")
                    .arg(QString::number(k), field, QString::number(size)));
        if (size < 1)
            add(base.line, Severity::Warning,
                QStringLiteral("el grupo %1 tiene tamaño %2; debe tener al menos una premisa.")
                    .arg(k)
                    .arg(size));

        const premise::DrawRange range = premise::drawRange(size, layout.starts[k - 1]);
        ranges.append(range);
        GroupSummary group;
        group.size = size;
        QSet<QStringView> texts;
        bool missing = false;
        bool borrowed = false;
        for (int i = range.first; i <= range.last; ++i) {
            if (i < 0 || i >= section.count) {
                missing = true;
                continue;
            }
            borrowed = borrowed || i >= ownCount;
            if (i < ownCount)
                drawn[i] = true;
            const QStringView entry = m_file.line(section.first + i);
            if (premise::isUsablePremise(entry)) {
                ++group.usable;
                texts.insert(entry);
            } else if (i > 0 && i < ownCount) {
                add(fileLine(i), Severity::Warning,
                    QStringLiteral("esta línea está en el grupo %1 de la base %2, pero nunca se elegirá: %3.")
                        .arg(QString::number(k), base.number,
                             entry.contains(premise::kMark) ? QStringLiteral("contiene «DD0»")
                                                            : QStringLiteral("tiene menos de 4 caracteres")));
            }
        }
        group.distinct = static_cast<int>(texts.size());
        base.groups.append(group);

        if (group.usable == 0)
            add(base.line, Severity::Error,
                QStringLiteral(
                    "la base %1 no tiene ninguna premisa utilizable en el grupo %2 (líneas %3 a %4); el "
                    "programa no podría componer con ella.")
                    .arg(base.number, QString::number(k), QString::number(fileLine(range.first)),
                         QString::number(fileLine(range.last))));
        else if (missing)
            add(base.line, Severity::Warning,
                QStringLiteral(
                    "el grupo %1 de la base %2 llega hasta la línea %3, pero la base acaba en la línea %4.")
                    .arg(QString::number(k), base.number, QString::number(fileLine(range.last)),
                         QString::number(fileLine(section.count - 1))));
        if (borrowed)
            add(base.line, Severity::Warning,
                QStringLiteral(
                    "el grupo %1 de la base %2 toma líneas de la base siguiente (desde la línea %3).")
                    .arg(QString::number(k), base.number, QString::number(fileLine(ownCount))));
    }

    for (qsizetype i = 1; i < ownCount; ++i) {
        if (drawn[i] || !premise::isUsablePremise(m_file.line(section.first + i)))
            continue;
        qsizetype before = 0;
        for (qsizetype k = 0; k < ranges.size(); ++k) {
            if (ranges[k].last < i)
                before = k + 1;
        }
        const QString where =
            before >= header.groupCount
                ? QStringLiteral("va después del último grupo")
                : QStringLiteral("está en el hueco entre los grupos %1 y %2").arg(before).arg(before + 1);
        add(fileLine(i), Severity::Warning,
            QStringLiteral("la base %1 nunca usará esta línea: %2.").arg(base.number, where));
    }
}

} // namespace

QString BaseSummary::speechVariety() const
{
    if (!loadable)
        return QStringLiteral("0");
    QString product = QStringLiteral("1");
    for (const GroupSummary &group : groups)
        product = multiplyDecimal(product, group.distinct);
    return product;
}

int PremiseBaseReport::count(Finding::Severity severity) const
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [&](const Finding &f) { return f.severity == severity; }));
}

PremiseBaseReport checkPremiseBase(const TextFile &file)
{
    return Checker(file).run();
}

} // namespace parlanza
