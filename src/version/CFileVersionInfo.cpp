#include "CFileVersionInfo.h"

#include "BinaryReader.h"
#include "VersionResource.h"

#include <QDir>
#include <QStringDecoder>

namespace parlanza {

namespace {

QString flagNames(quint32 flags)
{
    static const std::pair<quint32, const char *> names[] = {{0x01, "Debug "},   {0x02, "PreRel "},
                                                             {0x04, "Patched "}, {0x08, "Private "},
                                                             {0x10, "Info "},    {0x20, "Special "}};
    QString text;
    for (const auto &[bit, name] : names) {
        if (flags & bit)
            text += QLatin1String(name);
    }
    return text.trimmed();
}

QString osName(quint32 os)
{
    switch (os) {
    case 0x00010001:
        return QStringLiteral("DOS-Win16");
    case 0x00010004:
        return QStringLiteral("DOS-Win32");
    case 0x00020002:
        return QStringLiteral("OS/2-16 PM-16");
    case 0x00030003:
        return QStringLiteral("OS/2-16 PM-32");
    case 0x00040004:
        return QStringLiteral("NT-Win32");
    default:
        return QStringLiteral("Unknown");
    }
}

QString hex2(quint8 byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper();
}

} // namespace

void CFileVersionInfo::setFullPathName(const QString &name)
{
    if (name.isEmpty())
        return;
    // Resolved as text against the current folder, however long the result.
    m_fullPathName = QDir::cleanPath(QDir::current().absoluteFilePath(name));
    Refresh();
}

QString CFileVersionInfo::StringFromPointer(const QByteArray &text)
{
    const qsizetype end = text.indexOf('\0');
    return StringFromBuffer(text, end < 0 ? text.size() : end);
}

QString CFileVersionInfo::StringFromBuffer(const QByteArray &bytes, qsizetype count)
{
    if (count <= 0)
        return {};
    return QStringDecoder("windows-1252").decode(QByteArrayView(bytes).first(std::min(count, bytes.size())));
}

void CFileVersionInfo::Refresh()
{
    const QByteArray resource = versionresource::read(m_fullPathName);
    if (resource.isEmpty()) {
        m_available = false;
        return;
    }
    m_available = true;

    // The fixed information only when the root query gives all of it.
    if (const auto root = versionresource::query(resource, u"\\"); root && root->data.size() >= 52) {
        const ByteView fixed(root->data);
        if (fixed.u32(0) == 0xFEEF04BDu) {
            const quint32 structure = *fixed.u32(4);
            m_structureVersion = QStringLiteral("%1.%2").arg(structure >> 16).arg(structure & 0xFFFF);
            m_fixedFileVersion = versionresource::versionText(*fixed.u32(8), *fixed.u32(12));
            m_fixedProductVersion = versionresource::versionText(*fixed.u32(16), *fixed.u32(20));
            m_fileFlags = flagNames(*fixed.u32(28));
            m_fileOS = osName(*fixed.u32(32));
            const quint32 type = *fixed.u32(36);
            const quint32 subtype = *fixed.u32(40);
            static const char *const drivers[] = {
                "Unknown",     "Printer drv", "Keyboard drv", "Language drv", "Display drv", "Mouse drv",
                "Network drv", "System drv",  "Installable",  "Sound drv",    "Comm drv"};
            static const char *const fonts[] = {nullptr, "Raster Font", "Vector Font", "TrueType Font"};
            switch (type) {
            case 1:
                m_fileType = QStringLiteral("Application");
                break;
            case 2:
                m_fileType = QStringLiteral("DLL");
                break;
            case 3:
                m_fileType = QStringLiteral("Driver");
                if (subtype <= 10)
                    m_fileSubtype = QLatin1String(drivers[subtype]);
                break;
            case 4:
                m_fileType = QStringLiteral("Font");
                if (subtype >= 1 && subtype <= 3)
                    m_fileSubtype = QLatin1String(fonts[subtype]);
                break;
            case 5:
                m_fileType = QStringLiteral("VxD");
                break;
            case 7:
                m_fileType = QStringLiteral("Lib");
                break;
            default:
                m_fileType = QStringLiteral("Unknown");
                break;
            }
        }
    }

    const auto translation = versionresource::query(resource, u"\\VarFileInfo\\Translation");
    if (!translation || translation->length == 0)
        return;
    // Only the first translation counts: language and code page, little-endian.
    const QByteArray bytes = translation->data.left(4);
    if (bytes.size() < 4)
        return;
    const auto b = [&](int i) { return static_cast<quint8>(bytes[i]); };
    const QString key = hex2(b(1)) + hex2(b(0)) + hex2(b(3)) + hex2(b(2));
    const QString path = QStringLiteral("\\StringFileInfo\\") + key + u'\\';
    m_languageName = versionresource::languageName(static_cast<quint16>(b(0) | (b(1) << 8)));
    const auto product = versionresource::query(resource, QString(path + QStringLiteral("ProductVersion")));
    if (product && product->length != 0)
        m_productVersion = StringFromPointer(product->data);
}

} // namespace parlanza
