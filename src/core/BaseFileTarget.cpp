#include "BaseFileTarget.h"

#include "platform/TextFile.h"

#include <QFileInfo>

namespace parlanza {

namespace {

constexpr QStringView kPremiseFileName = u"dialogo.soy";

} // namespace

BaseFileTarget::BaseFileTarget(ProgramFiles files, QString given)
    : m_files(std::move(files)), m_given(std::move(given))
{}

QString BaseFileTarget::readPath() const
{
    return m_given.isEmpty() ? m_files.readPath(kPremiseFileName) : m_given;
}

QString BaseFileTarget::writePath() const
{
    return m_given.isEmpty() && m_files.systemWide() ? m_files.writePath(kPremiseFileName) : readPath();
}

QByteArray BaseFileTarget::readBytes(bool mayBeMissing) const
{
    const QString path = readPath();
    if (mayBeMissing && !QFileInfo::exists(path))
        return {};
    return TextFile::readAll(path);
}

BaseEdit BaseFileTarget::save(std::optional<int> replacing, const PlainLists &lists) const
{
    const QString path = readPath();
    const QByteArray bytes = readBytes(!replacing);
    BaseEdit edit = replacing ? replaceBase(path, bytes, *replacing, lists) : appendBase(path, bytes, lists);
    TextFile::replaceWhole(writePath(), edit.bytes);
    return edit;
}

} // namespace parlanza
