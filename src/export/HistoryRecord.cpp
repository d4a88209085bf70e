#include "HistoryRecord.h"

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
    rows.append(kIndent +
                QStringLiteral("-------   Parlanza © VelarMundo  ·  www.velarmundo.example   -------"));
    rows.append(QString());
    return rows;
}

void appendHistoryRecord(const QString &path, const QStringList &entries, const QString &date)
{
    TextFile::appendLines(path, historyRecordRows(entries, date));
}

} // namespace parlanza
