#include "HistoryRecord.h"

#include "platform/Marks.h"
#include "platform/TextFile.h"

namespace parlanza {

namespace {

const QString kIndent = QStringLiteral("    ");

} // namespace

QStringList historyRecordRows(const QStringList &entries, const QString &date)
{
    QStringList rows;
    rows.reserve(entries.size() + 5);
    rows.append(QString(42, u'-'));
    rows.append(QStringLiteral("    Impresión del Discurso, previamente generado.    ") + date);
    rows.append(kIndent);
    for (const QString &entry : entries)
        rows.append(kIndent + entry + QStringLiteral(" ...."));
    rows.append(kIndent + QStringLiteral("-------   Parlanza © %1  ·  %2   -------")
                              .arg(marks::kMaker.toString(), marks::kWebAddress.toString()));
    rows.append(QString());
    return rows;
}

void appendHistoryRecord(const QString &path, const QStringList &entries, const QString &date)
{
    TextFile::appendLines(path, historyRecordRows(entries, date));
}

} // namespace parlanza
