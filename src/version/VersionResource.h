#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>

// The version-resource operations the version reader needs, written for this platform: they read the
// VS_VERSIONINFO tree straight from a PE file (through its resource directory) or from the section of an ELF
// file in which our build places it.
namespace parlanza::versionresource {

// The ELF section that carries the program's own resource.
inline constexpr char kElfSection[] = ".vsversioninfo";

// The resource's bytes, or empty when the file has none or cannot be read; its size is the resource's size.
QByteArray read(const QString &path);
// The same from an open, seekable device.
QByteArray read(QIODevice &device);

// A value found by a sub-block path ("\", "\VarFileInfo\Translation", "\StringFileInfo\<key>\<name>"); parts
// match ignoring case. Text values come back as Windows-1252 bytes ending in NUL, their length in characters
// with the NUL; binary values as their bytes and length in bytes; a node without a value has length 0.
struct Value
{
    QByteArray data;
    qsizetype length = 0;
};
std::optional<Value> query(const QByteArray &resource, QStringView subBlock);

// Every name and value of the first string table, in the order they stand.
QList<QPair<QString, QString>> firstStringTable(const QByteArray &resource);

// The language's name in Spanish, from a Windows language identifier; a neutral text for an unknown one.
QString languageName(quint16 languageId);

// A version number as the reader writes it: 0.0.0.21 gives 0.00.0021, 1.2.3.4 gives 1.02.0304.
QString versionText(quint32 mostSignificant, quint32 leastSignificant);

} // namespace parlanza::versionresource
