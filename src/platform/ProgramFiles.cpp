#include "ProgramFiles.h"

#include "Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace parlanza {

namespace {

constexpr QStringView kInstalledData = u"share/games/parlanza";

bool isInside(const QString &folder, const QString &home)
{
    const QString canonicalHome = QFileInfo(home).canonicalFilePath();
    if (canonicalHome.isEmpty() || canonicalHome == u"/")
        return false;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical == canonicalHome || canonical.startsWith(canonicalHome + u'/');
}

} // namespace

ProgramFiles::ProgramFiles(QString programFolder, QString userFolder, bool systemWide)
    : m_programFolder(std::move(programFolder)), m_userFolder(std::move(userFolder)), m_systemWide(systemWide)
{}

ProgramFiles ProgramFiles::locate(const Environment &environment)
{
    // The XDG base directory rules ignore a relative $XDG_DATA_HOME.
    const QString dataHome = QDir::isAbsolutePath(environment.xdgDataHome)
                                 ? environment.xdgDataHome
                                 : environment.home + QStringLiteral("/.local/share");
    const QString userFolder = QDir::cleanPath(dataHome + QStringLiteral("/parlanza"));

    const QDir executable(environment.executableFolder);
    const QString prefix = QDir::cleanPath(environment.executableFolder + QStringLiteral("/.."));
    const QString installedData = prefix + u'/' + kInstalledData.toString();
    const bool installed = executable.dirName() == u"games" && QFileInfo(installedData).isDir();
    if (!installed)
        return ProgramFiles(environment.executableFolder, userFolder, false);
    return ProgramFiles(installedData, userFolder, !isInside(prefix, environment.home));
}

ProgramFiles ProgramFiles::forThisProcess()
{
    const QString home = qEnvironmentVariable("HOME");
    return locate({QCoreApplication::applicationDirPath(), home.isEmpty() ? QDir::homePath() : home,
                   qEnvironmentVariable("XDG_DATA_HOME")});
}

QString ProgramFiles::readPath(QStringView name) const
{
    if (!m_userFolder.isEmpty()) {
        QString own = m_userFolder + u'/' + name.toString();
        if (QFileInfo(own).isFile())
            return own;
    }
    return m_programFolder + u'/' + name.toString();
}

QString ProgramFiles::writePath(QStringView name) const
{
    if (!m_systemWide)
        return m_programFolder + u'/' + name.toString();
    // Each missing folder on the way is made for the user alone, as the XDG base directory rules ask.
    QStringList missing;
    for (QString folder = m_userFolder; !QFileInfo::exists(folder); folder = QFileInfo(folder).path())
        missing.prepend(folder);
    for (const QString &folder : missing) {
        if (!QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            throw Failure(QStringLiteral("No se puede crear la carpeta %1.").arg(Failure::quoted(folder)),
                          folder);
    }
    if (!QFileInfo(m_userFolder).isDir())
        throw Failure(QStringLiteral("No se puede crear la carpeta %1: ya hay un archivo con ese nombre.")
                          .arg(Failure::quoted(m_userFolder)),
                      m_userFolder);
    return m_userFolder + u'/' + name.toString();
}

} // namespace parlanza
