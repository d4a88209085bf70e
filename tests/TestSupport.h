#pragma once

#include "platform/Failure.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QStringList>
#include <QTest>
#include <array>
#include <optional>

namespace testsupport {

// A premise base file as the program's files are written: Windows-1252, every line ended by CR LF.
inline QByteArray soyBytes(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return parlanza::TextFile::encodeWindows1252(text);
}

// One row of test data: row("what the row proves", value, value, ...).
template<typename... Values>
void row(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}

// Rows of test data kept in a text file: one row a line, its name and then its values, separated by " | ";
// empty lines and lines starting with "#" do not count. A value in double quotes is taken without them;
// "\r" and "\n" in a value stand for CR and LF, "\xHH" for the character U+00HH.
inline void rowsFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(QStringLiteral(" | "));
        QTestData &data = QTest::newRow(qPrintable(fields[0]));
        for (QString field : fields.mid(1)) {
            if (field.size() > 1 && field.startsWith(u'"') && field.endsWith(u'"'))
                field = field.mid(1).chopped(1);
            for (qsizetype at; (at = field.indexOf(QStringLiteral("\\x"))) >= 0;)
                field.replace(at, 4, QChar(field.mid(at + 2, 2).toUShort(nullptr, 16)));
            data << field.replace(QStringLiteral("\\r"), QStringLiteral("\r"))
                        .replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        }
    }
}

// Columns of one type: columns<int>({"a", "b"}).
template<typename T>
void columns(std::initializer_list<const char *> names)
{
    for (const char *name : names)
        QTest::addColumn<T>(name);
}

// Columns of text, and their rows from the file NAME under tests/ (see rowsFromFile).
inline void table(const char *name, std::initializer_list<const char *> names)
{
    columns<QString>(names);
    rowsFromFile(QStringLiteral(PARLANZA_TESTS_DIR "/") + QLatin1String(name));
}

// The current row's values in columns of one type: const auto [a, b] = fetch({"a", "b"});
template<typename T = QString, std::size_t N>
std::array<T, N> fetch(const char *const (&columns)[N])
{
    std::array<T, N> values;
    for (std::size_t i = 0; i < N; ++i)
        values[i] = *static_cast<T *>(QTest::qData(columns[i], qMetaTypeId<T>()));
    return values;
}

// A file's bytes, or "(sin archivo)" when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(sin archivo)");
}

inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The failure that a call throws, or nothing when it succeeds.
template<typename Call>
std::optional<parlanza::Failure> failureOf(Call &&call)
{
    try {
        call();
    } catch (const parlanza::Failure &failure) {
        return failure;
    }
    return std::nullopt;
}

} // namespace testsupport
