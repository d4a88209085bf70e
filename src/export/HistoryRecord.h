#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace parlanza {

inline constexpr QStringView kHistoryFileName = u"Lhistorial.TXT";

// The rows of one history record: a rule of hyphens, the title with the date, a blank row, one row per
// history entry (which may itself hold line breaks), the credit line and an empty row.
QStringList historyRecordRows(const QStringList &entries, const QString &date);

// Appends one history record to the file, whole, in one write; throws Failure and leaves the file as it was
// when it cannot.
void appendHistoryRecord(const QString &path, const QStringList &entries, const QString &date);

} // namespace parlanza
