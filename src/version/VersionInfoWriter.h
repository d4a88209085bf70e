#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Builds a VS_VERSIONINFO tree: the program's own resource at build time, and test files.
namespace parlanza::versionresource {

struct FixedInfo
{
    quint32 structureVersion = 0x00010000;
    quint32 fileVersionMS = 0;
    quint32 fileVersionLS = 0;
    quint32 productVersionMS = 0;
    quint32 productVersionLS = 0;
    quint32 flagsMask = 0;
    quint32 flags = 0;
    quint32 os = 0;
    quint32 type = 0;
    quint32 subtype = 0;
};

struct VersionInfo
{
    FixedInfo fixed;
    QList<QPair<quint16, quint16>> translations; // language, code page; none leaves out the translation list
    QString tableKey;                            // the string table's key; empty leaves out the string table
    QList<QPair<QString, QString>> strings;
};

QByteArray build(const VersionInfo &info);

} // namespace parlanza::versionresource
