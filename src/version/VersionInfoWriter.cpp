#include "VersionInfoWriter.h"

#include <QtEndian>

namespace parlanza::versionresource {

namespace {

void pad4(QByteArray &bytes)
{
    while (bytes.size() % 4 != 0)
        bytes.append('\0');
}

void put16(QByteArray &bytes, quint16 value)
{
    char little[2];
    qToLittleEndian(value, little);
    bytes.append(little, 2);
}

void put32(QByteArray &bytes, quint32 value)
{
    char little[4];
    qToLittleEndian(value, little);
    bytes.append(little, 4);
}

// One node: length, value length, type, key, padding, value, padding, children each starting on 4 bytes.
QByteArray node(const QString &key, const QByteArray &value, quint16 valueLength, quint16 type,
                const QList<QByteArray> &children = {})
{
    QByteArray bytes(6, '\0');
    for (const QChar c : key)
        put16(bytes, c.unicode());
    put16(bytes, 0);
    pad4(bytes);
    bytes.append(value);
    for (const QByteArray &child : children) {
        pad4(bytes);
        bytes.append(child);
    }
    qToLittleEndian<quint16>(static_cast<quint16>(bytes.size()), bytes.data());
    qToLittleEndian<quint16>(valueLength, bytes.data() + 2);
    qToLittleEndian<quint16>(type, bytes.data() + 4);
    return bytes;
}

QByteArray text(const QString &value)
{
    QByteArray bytes;
    for (const QChar c : value)
        put16(bytes, c.unicode());
    put16(bytes, 0);
    return bytes;
}

} // namespace

QByteArray build(const VersionInfo &info)
{
    QByteArray fixed;
    const FixedInfo &f = info.fixed;
    for (const quint32 value :
         {0xFEEF04BDu, f.structureVersion, f.fileVersionMS, f.fileVersionLS, f.productVersionMS,
          f.productVersionLS, f.flagsMask, f.flags, f.os, f.type, f.subtype, 0u, 0u})
        put32(fixed, value);

    QList<QByteArray> children;
    if (!info.tableKey.isEmpty()) {
        QList<QByteArray> strings;
        for (const auto &[name, value] : info.strings)
            strings.append(node(name, text(value), static_cast<quint16>(value.size() + 1), 1));
        children.append(
            node(QStringLiteral("StringFileInfo"), {}, 0, 1, {node(info.tableKey, {}, 0, 1, strings)}));
    }
    if (!info.translations.isEmpty()) {
        QByteArray list;
        for (const auto &[language, codePage] : info.translations) {
            put16(list, language);
            put16(list, codePage);
        }
        children.append(
            node(QStringLiteral("VarFileInfo"), {}, 0, 1,
                 {node(QStringLiteral("Translation"), list, static_cast<quint16>(list.size()), 0)}));
    }
    return node(QStringLiteral("VS_VERSION_INFO"), fixed, static_cast<quint16>(fixed.size()), 0, children);
}

} // namespace parlanza::versionresource
