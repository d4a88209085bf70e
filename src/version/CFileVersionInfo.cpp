#include "CFileVersionInfo.h"

namespace parlanza {

void CFileVersionInfo::setFullPathName(const QString &path)
{
    m_fullPathName = path;
}

} // namespace parlanza
