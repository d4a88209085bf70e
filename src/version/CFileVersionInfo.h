#pragma once

#include <QString>

namespace parlanza {

// The version information of a file. Reading the resource itself is not built yet: no file has a version
// here.
class CFileVersionInfo
{
public:
    // Names the file and reads its version information.
    void setFullPathName(const QString &path);
    QString ProductVersion() const { return m_productVersion; }

private:
    QString m_fullPathName;
    QString m_productVersion;
};

} // namespace parlanza
