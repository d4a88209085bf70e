#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace parlanza {

// The program's one failure type: a Spanish description ready to show to the user, and the file and line it
// concerns when there is one.
class Failure : public std::exception
{
public:
    explicit Failure(QString description, QString file = {}, qint64 line = 0);

    // "«file», línea N: text" — for a problem found on one line of a file.
    static Failure atLine(const QString &file, qint64 line, const QString &text);

    const QString &description() const noexcept { return m_description; }
    const QString &file() const noexcept { return m_file; }
    qint64 line() const noexcept { return m_line; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // The file name as the user sees it, between Spanish quotes.
    static QString quoted(const QString &file);

private:
    QString m_description;
    QString m_file;
    qint64 m_line = 0;
    QByteArray m_utf8;
};

} // namespace parlanza
