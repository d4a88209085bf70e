#pragma once

#include <QString>
#include <QStringView>

namespace parlanza {

// Where the program's files are. The shipped files (the premise base, the guide) live in the program's
// folder; the user's own live in the user's data folder, $XDG_DATA_HOME/parlanza. A file of the user's with a
// shipped name takes the place of the shipped one. A system-wide install never writes into its program
// folder: what the program writes goes to the user's data folder instead.
class ProgramFiles
{
public:
    // What the layout is read from: the folder of the running executable, $HOME and $XDG_DATA_HOME.
    struct Environment
    {
        QString executableFolder;
        QString home;
        QString xdgDataHome;
    };

    ProgramFiles() = default;
    ProgramFiles(QString programFolder, QString userFolder, bool systemWide);

    // An installed tree keeps the programs in <prefix>/games and the data in
    // <prefix>/share/games/parlanza; it is system-wide unless the prefix lies inside the user's home (an
    // install with --prefix ~/.local). Any other layout is one folder holding programs and data together (a
    // build tree, a copied folder), which keeps its files beside the programs.
    static ProgramFiles locate(const Environment &environment);
    static ProgramFiles forThisProcess();

    const QString &programFolder() const { return m_programFolder; }
    const QString &userFolder() const { return m_userFolder; }
    bool systemWide() const { return m_systemWide; }

    // The user's file of that name when there is one, otherwise the program's.
    QString readPath(QStringView name) const;
    // Where the program writes the file of that name. For a system-wide install the user's data folder is
    // made first when missing (readable by the user alone); throws Failure naming the folder when it cannot
    // be made.
    QString writePath(QStringView name) const;

private:
    QString m_programFolder;
    QString m_userFolder;
    bool m_systemWide = false;
};

} // namespace parlanza
