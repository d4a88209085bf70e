#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace parlanza {

// A text file read whole and split into lines. CR LF, a lone CR and a lone LF each end a line, and the last
// line needs no terminator. The bytes are Windows-1252, the code page the program's files are written in,
// unless the file starts with a UTF-8 byte-order mark or is valid UTF-8 with at least one multi-byte
// sequence.
class TextFile
{
public:
    enum class Encoding
    {
        Windows1252,
        Utf8
    };

    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 kMaxSize = 256ll * 1024 * 1024;

    // What a read error part way through the file does: fail, or keep what was read up to it.
    enum class OnReadError
    {
        Fail,
        KeepLinesRead
    };

    // Throws Failure, naming the file, when it is missing, unreadable or too large.
    static TextFile read(const QString &path, OnReadError onError = OnReadError::Fail);
    // The file's bytes as they are, with the same refusals as read().
    static QByteArray readAll(const QString &path);
    // The same from an open device; path names it in messages.
    static TextFile read(QIODevice &device, const QString &path, OnReadError onError = OnReadError::Fail);
    // The same rules applied to bytes already in memory; path only names them in messages.
    static TextFile fromBytes(const QByteArray &bytes, const QString &path = {});

    const QString &path() const { return m_path; }
    Encoding encoding() const { return m_encoding; }
    qsizetype lineCount() const { return m_lines.size(); }
    // The line at a 0-based index, without its terminator.
    QStringView line(qsizetype index) const;

    // Appends the lines to the file, each followed by CR LF, encoded as Windows-1252, in one write. On
    // failure the file is left with the bytes it had, and a Failure naming it is thrown.
    static void appendLines(const QString &path, const QStringList &lines);

    // Writes the bytes as the file's whole new content: beside it first, then renamed over it in one step, so
    // that an interrupted write or a full disk leaves the old file whole; its permissions are kept.
    static void replaceWhole(const QString &path, const QByteArray &bytes);

    static QString decode(const QByteArray &bytes, Encoding *detected = nullptr);
    // Windows-1252 bytes of the text; a character the code page lacks becomes "?", as on Windows.
    static QByteArray encodeWindows1252(QStringView text);

private:
    static QByteArray readBytes(QIODevice &device, const QString &path, OnReadError onError);

    struct Span
    {
        qsizetype start;
        qsizetype length;
    };

    QString m_path;
    Encoding m_encoding = Encoding::Windows1252;
    QString m_text;
    QList<Span> m_lines;
};

} // namespace parlanza
