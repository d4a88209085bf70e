#include "Failure.h"

#include <QDir>

namespace parlanza {

Failure::Failure(QString description, QString file, qint64 line)
    : m_description(std::move(description)), m_file(std::move(file)), m_line(line),
      m_utf8(m_description.toUtf8())
{}

Failure Failure::atLine(const QString &file, qint64 line, const QString &text)
{
    return Failure(QStringLiteral("%1, línea %2: %3").arg(quoted(file), QString::number(line), text), file,
                   line);
}

QString Failure::quoted(const QString &file)
{
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(file));
}

} // namespace parlanza
