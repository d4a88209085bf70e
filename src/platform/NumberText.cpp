#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace parlanza {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString integerText(double value)
{
    if (std::trunc(value) == value && std::fabs(value) < 9.2e18)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString formatFill(double value, QStringView pattern)
{
    const qsizetype first = pattern.indexOf(u'@');
    qsizetype last = first;
    while (last + 1 < pattern.size() && pattern[last + 1] == u'@')
        ++last;
    const qsizetype width = last - first + 1;
    const QString digits = integerText(value);
    QString text;
    text.reserve(pattern.size() + digits.size());
    text += pattern.left(first);
    for (qsizetype blanks = width - digits.size(); blanks > 0; --blanks)
        text += u' ';
    text += digits;
    text += pattern.mid(last + 1);
    return text;
}

QString formatDigits(double value, QStringView pattern, const QLocale &locale)
{
    auto isPlaceholder = [](QChar c) { return c == u'0' || c == u'#' || c == u'.'; };
    qsizetype begin = 0;
    while (begin < pattern.size() && !isPlaceholder(pattern[begin]))
        ++begin;
    qsizetype end = begin;
    while (end < pattern.size() && isPlaceholder(pattern[end]))
        ++end;
    const QStringView digits = pattern.mid(begin, end - begin);

    const qsizetype point = digits.indexOf(u'.');
    const QStringView integerPart = point < 0 ? digits : digits.left(point);
    const QStringView fractionPart = point < 0 ? QStringView() : digits.mid(point + 1);
    const qsizetype minIntegerDigits = integerPart.count(u'0');
    const qsizetype maxDecimals = fractionPart.size();
    const qsizetype minDecimals = fractionPart.count(u'0');

    // Round half away from zero at the last decimal place, then write the digits.
    const double scale = std::pow(10.0, static_cast<double>(maxDecimals));
    const double magnitude = std::round(std::fabs(value) * scale) / scale;
    QString text = QString::number(magnitude, 'f', static_cast<int>(maxDecimals));
    QString whole = text;
    QString fraction;
    if (const qsizetype dot = text.indexOf(u'.'); dot >= 0) {
        whole = text.left(dot);
        fraction = text.mid(dot + 1);
    }
    while (fraction.size() > minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (whole == u"0" && minIntegerDigits == 0)
        whole.clear();
    whole = whole.rightJustified(minIntegerDigits, u'0');

    QString result = pattern.left(begin).toString();
    if (value < 0 && magnitude != 0.0)
        result += u'-';
    result += whole;
    if (!fraction.isEmpty())
        result += locale.decimalPoint() + fraction;
    result += pattern.mid(end);
    return result;
}

} // namespace

QString formatNumber(double value, QStringView pattern, const QLocale &locale)
{
    if (pattern.contains(u'@'))
        return formatFill(value, pattern);
    return formatDigits(value, pattern, locale);
}

QString signReserved(qint64 value)
{
    if (value < 0)
        return QString::number(value);
    QString text;
    text.reserve(21);
    text += u' ';
    text += QString::number(value);
    return text;
}

double readNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i, anyDigit = true)
        number += static_cast<char>(text[i].unicode());
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i, anyDigit = true)
            number += static_cast<char>(text[i].unicode());
    }
    if (!anyDigit)
        return 0.0;
    if (number.back() == '.')
        number.pop_back();
    if (number.front() == '.' || (number.size() > 1 && number[0] == '-' && number[1] == '.'))
        number.insert(number.front() == '-' ? 1 : 0, 1, '0');
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: only the integer digits can make it large.
        const bool large = number.find_first_of("123456789") < number.find('.');
        const double magnitude = large ? HUGE_VAL : 0.0;
        return number.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

} // namespace parlanza
