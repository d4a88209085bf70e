#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Numbers as the program writes and reads them.
namespace parlanza {

// Formats with a pattern of the kinds the program uses:
//  - digit patterns such as "#0.0", "00", "-00": "0" is a digit always written, "#" a digit written only when
//    significant, "." the locale's decimal separator; other characters are literals around the digits;
//  - fill patterns such as "@@@ ", "@@@@@": the run of "@" is filled from the right with the number's digits
//  and
//    blanks on the left; other characters are literals.
// A number wider than its pattern is written whole. Digit patterns round halves away from zero.
QString formatNumber(double value, QStringView pattern, const QLocale &locale = QLocale::c());

// The number with one blank in the place of the sign when it is not negative: 7 gives " 7", -7 gives "-7".
QString signReserved(qint64 value);

// Reads a number leniently: leading blanks (spaces; a tab is not one) are skipped, then the longest leading
// decimal number (optional sign, digits, optional decimal point and digits) is taken; text without one reads
// 0.
double readNumber(QStringView text);

} // namespace parlanza
