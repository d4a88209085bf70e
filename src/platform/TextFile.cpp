#include "TextFile.h"

#include "Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace parlanza {

namespace {

constexpr char kWindows1252[] = "windows-1252";
constexpr qint64 kMebibyte = qint64(1024) * 1024;
constexpr qsizetype kReadChunk = 1 << 20;

QString decodeWindows1252(QByteArrayView bytes)
{
    QStringDecoder decoder(kWindows1252);
    if (!decoder.isValid())
        throw Failure(QStringLiteral("Este sistema no puede leer texto en Windows-1252 (falta ICU en Qt)."));
    return decoder.decode(bytes);
}

bool hasHighBytes(QByteArrayView bytes)
{
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

QString openFailureText(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("No se encuentra el archivo %1.").arg(Failure::quoted(path));
    if (info.isDir())
        return QStringLiteral("%1 es una carpeta, no un archivo.").arg(Failure::quoted(path));
    if (!info.isReadable())
        return QStringLiteral("No hay permiso para leer el archivo %1.").arg(Failure::quoted(path));
    return QStringLiteral("No se puede abrir el archivo %1.").arg(Failure::quoted(path));
}

QString writeFailureText(const QString &path, QFileDevice::FileError error)
{
    const QString file = Failure::quoted(path);
    switch (error) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("No se puede escribir en el archivo %1: no hay permiso o la carpeta no admite "
                              "escritura.")
            .arg(file);
    case QFileDevice::ResourceError:
        return QStringLiteral("No se puede escribir en el archivo %1: no queda espacio en el disco.")
            .arg(file);
    default:
        return QStringLiteral(
                   "No se ha podido escribir en el archivo %1; su contenido anterior sigue intacto.")
            .arg(file);
    }
}

} // namespace

TextFile TextFile::read(const QString &path, OnReadError onError)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw Failure(openFailureText(path), path);
    return read(file, path, onError);
}

QByteArray TextFile::readAll(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw Failure(openFailureText(path), path);
    return readBytes(file, path, OnReadError::Fail);
}

TextFile TextFile::read(QIODevice &device, const QString &path, OnReadError onError)
{
    return fromBytes(readBytes(device, path, onError), path);
}

QByteArray TextFile::readBytes(QIODevice &device, const QString &path, OnReadError onError)
{
    const auto tooLarge = [&](qint64 size) {
        return Failure(QStringLiteral("El archivo %1 es demasiado grande (%2 MB); el máximo es %3 MB.")
                           .arg(Failure::quoted(path), QString::number(size / kMebibyte),
                                QString::number(kMaxSize / kMebibyte)),
                       path);
    };
    if (device.size() > kMaxSize)
        throw tooLarge(device.size());
    QByteArray bytes;
    bytes.reserve(device.size());
    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(chunk.data(), chunk.size());
        if (got == 0)
            break;
        if (got < 0) {
            if (onError == OnReadError::KeepLinesRead)
                break;
            throw Failure(QStringLiteral("Error al leer el archivo %1.").arg(Failure::quoted(path)), path);
        }
        if (bytes.size() + got > kMaxSize)
            throw tooLarge(bytes.size() + got);
        bytes.append(chunk.constData(), got);
    }
    return bytes;
}

TextFile TextFile::fromBytes(const QByteArray &bytes, const QString &path)
{
    TextFile result;
    result.m_path = path;
    result.m_text = decode(bytes, &result.m_encoding);

    const char16_t *text = reinterpret_cast<const char16_t *>(result.m_text.constData());
    const qsizetype size = result.m_text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        result.m_lines.append({start, i - start});
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        result.m_lines.append({start, size - start});
    return result;
}

QStringView TextFile::line(qsizetype index) const
{
    if (index < 0 || index >= m_lines.size())
        return {};
    const Span span = m_lines[index];
    return QStringView(m_text).mid(span.start, span.length);
}

QString TextFile::decode(const QByteArray &bytes, Encoding *detected)
{
    Encoding encoding = Encoding::Windows1252;
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding = Encoding::Utf8;
        text = QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    } else if (!hasHighBytes(bytes)) {
        text = QString::fromLatin1(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(bytes);
        if (utf8.hasError())
            text = decodeWindows1252(bytes);
        else
            encoding = Encoding::Utf8;
    }
    if (detected)
        *detected = encoding;
    return text;
}

QByteArray TextFile::encodeWindows1252(QStringView text)
{
    QStringEncoder encoder(kWindows1252);
    if (!encoder.isValid())
        throw Failure(
            QStringLiteral("Este sistema no puede escribir texto en Windows-1252 (falta ICU en Qt)."));
    // ICU writes the control character SUB for a character the code page lacks; Windows writes "?", which
    // reads back as text. The 32 characters of 0x80 to 0x9F are learnt from the decoder, not from a table.
    static const QString upperHalf = [] {
        QByteArray bytes;
        for (int byte = 0x80; byte < 0xA0; ++byte)
            bytes.append(static_cast<char>(byte));
        return decodeWindows1252(bytes);
    }();
    auto fits = [](QChar c) {
        return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF) || upperHalf.contains(c);
    };
    if (std::all_of(text.begin(), text.end(), fits))
        return encoder.encode(text);
    // A letter and its accent written apart (as some editors do) become the one letter the code page has.
    QString fitted = text.toString().normalized(QString::NormalizationForm_C);
    qsizetype kept = 0;
    for (qsizetype i = 0; i < fitted.size(); ++i) {
        // A character beyond the 16-bit range is one "?", not two.
        if (fitted[i].isHighSurrogate() && i + 1 < fitted.size() && fitted[i + 1].isLowSurrogate())
            ++i;
        fitted[kept++] = fits(fitted[i]) ? fitted[i] : QChar(u'?');
    }
    fitted.truncate(kept);
    return encoder.encode(fitted);
}

void TextFile::appendLines(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n";
    }
    const QByteArray bytes = encodeWindows1252(text);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw Failure(writeFailureText(path, file.error()), path);
    const qint64 sizeBefore = file.isSequential() ? -1 : file.size();
    const qint64 written = file.write(bytes);
    const bool flushed = written == bytes.size() && file.flush();
    if (!flushed) {
        const QFileDevice::FileError error = file.error();
        // Take back whatever part of the record reached the file, so the earlier records stay as they were.
        if (sizeBefore >= 0)
            file.resize(sizeBefore);
        throw Failure(writeFailureText(path, error), path);
    }
}

void TextFile::replaceWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered: a buffered write of a small file reports success and its flush, cut short (a file size
    // limit, a full disk), drops the rest without an error, so that commit would put a truncated file in
    // place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(writeFailureText(path, file.error()), path);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QFileDevice::FileError error = file.error();
        file.cancelWriting();
        throw Failure(writeFailureText(path, error), path);
    }
}

} // namespace parlanza
