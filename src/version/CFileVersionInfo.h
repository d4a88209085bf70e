#pragma once

#include <QByteArray>
#include <QString>

namespace parlanza {

// The version resource of one executable file, turned into texts. Setting FullPathName resolves the name and
// reads the resource; Refresh reads it again. Refresh assigns only what it finds and never clears a member
// first.
class CFileVersionInfo
{
public:
    // Write-only: resolves the name to a full path (the file need not exist) and runs Refresh; an empty name,
    // which cannot be resolved, changes nothing.
    void setFullPathName(const QString &name);
    QString FileVersion() const { return m_fileVersion; }
    QString ProductName() const { return m_productName; }
    QString ProductVersion() const { return m_productVersion; }
    void Refresh();

    bool Available() const { return m_available; }
    QString StructureVersion() const { return m_structureVersion; }
    QString FixedFileVersion() const { return m_fixedFileVersion; }
    QString FixedProductVersion() const { return m_fixedProductVersion; }
    QString FileFlags() const { return m_fileFlags; }
    QString FileOS() const { return m_fileOS; }
    QString FileType() const { return m_fileType; }
    QString FileSubtype() const { return m_fileSubtype; }
    QString LanguageName() const { return m_languageName; }

private:
    static QString StringFromPointer(const QByteArray &text);
    static QString StringFromBuffer(const QByteArray &bytes, qsizetype count);

    QString m_fullPathName;
    bool m_available = false;
    QString m_structureVersion;
    QString m_fixedFileVersion;
    QString m_fixedProductVersion;
    QString m_fileFlags;
    QString m_fileOS;
    QString m_fileType;
    QString m_fileSubtype;
    QString m_languageName;
    QString m_fileVersion;
    QString m_productName;
    QString m_productVersion;
};

} // namespace parlanza
