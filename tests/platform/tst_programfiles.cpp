#include "TestSupport.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;

class TestProgramFiles : public QObject
{
    Q_OBJECT

private slots:
    void whereFilesAreReadAndWritten_data();
    void whereFilesAreReadAndWritten();
    void userFolderFromEnvironment_data();
    void userFolderFromEnvironment();
    void writingMakesTheUserFolderOrNamesIt();

private:
    QTemporaryDir m_dir;
};

void TestProgramFiles::whereFilesAreReadAndWritten_data()
{
    // Folders under the test's root: "home" is the user's home, its data folder home/.local/share/parlanza.
    QTest::addColumn<QString>("executableFolder");
    QTest::addColumn<bool>("userHasOwnBase");
    QTest::addColumn<QString>("readFolder");
    QTest::addColumn<QString>("writeFolder");
    const QString user = QStringLiteral("home/.local/share/parlanza");
    QTest::newRow("build tree: everything beside the program") << "build/bin" << false << "build/bin"
                                                               << "build/bin";
    QTest::newRow("build tree: the user's own base first") << "build/bin" << true << user << "build/bin";
    QTest::newRow("folder copied into the home writes beside itself")
        << "home/parlanza/bin" << false << "home/parlanza/bin"
        << "home/parlanza/bin";
    QTest::newRow("system-wide install writes into the user's folder")
        << "usr/games" << false << "usr/share/games/parlanza" << user;
    QTest::newRow("system-wide install reads the user's own base") << "usr/games" << true << user << user;
    QTest::newRow("install with bin instead of games")
        << "opt/bin" << false << "opt/share/games/parlanza" << user;
    QTest::newRow("install under the home writes beside the data")
        << "home/.local/games" << false << "home/.local/share/games/parlanza"
        << "home/.local/share/games/parlanza";
}

void TestProgramFiles::whereFilesAreReadAndWritten()
{
    QFETCH(QString, executableFolder);
    QFETCH(bool, userHasOwnBase);
    QFETCH(QString, readFolder);
    QFETCH(QString, writeFolder);
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const char *folder :
         {"build/bin", "home/parlanza/bin", "usr/games", "usr/share/games/parlanza", "opt/bin",
          "opt/share/games/parlanza", "home/.local/games", "home/.local/share/games/parlanza"})
        QVERIFY(dir.mkpath(QLatin1String(folder)));
    if (userHasOwnBase) {
        QVERIFY(dir.mkpath(QStringLiteral("home/.local/share/parlanza")));
        testsupport::writeFile(dir.filePath(QStringLiteral("home/.local/share/parlanza/dialogo.soy")),
                               "DD001");
    }
    const ProgramFiles files = ProgramFiles::locate(
        {dir.filePath(executableFolder), dir.filePath(QStringLiteral("home")), QString()});
    QCOMPARE(files.readPath(u"dialogo.soy"), dir.filePath(readFolder) + QStringLiteral("/dialogo.soy"));
    QCOMPARE(files.writePath(u"Lhistorial.TXT"),
             dir.filePath(writeFolder) + QStringLiteral("/Lhistorial.TXT"));
}

void TestProgramFiles::userFolderFromEnvironment_data()
{
    QTest::addColumn<QString>("xdgDataHome");
    QTest::addColumn<QString>("userFolder");
    QTest::newRow("unset: the default under the home") << ""
                                                       << "/casa/.local/share/parlanza";
    QTest::newRow("absolute: used as it is") << "/datos/"
                                             << "/datos/parlanza";
    QTest::newRow("relative: ignored") << "datos"
                                       << "/casa/.local/share/parlanza";
}

void TestProgramFiles::userFolderFromEnvironment()
{
    QFETCH(QString, xdgDataHome);
    QFETCH(QString, userFolder);
    QCOMPARE(ProgramFiles::locate({m_dir.path(), QStringLiteral("/casa"), xdgDataHome}).userFolder(),
             userFolder);
}

void TestProgramFiles::writingMakesTheUserFolderOrNamesIt()
{
    const QString user = m_dir.filePath(QStringLiteral("datos/nuevos/parlanza"));
    QCOMPARE(ProgramFiles(m_dir.path(), user, true).writePath(u"Lhistorial.TXT"), user + "/Lhistorial.TXT");
    for (const QString &folder : {user, QFileInfo(user).path()})
        QCOMPARE(QFile::permissions(folder) & 0x0077, QFile::Permissions());

    // A file where the folder should be: the failure names the folder.
    const QString blocked = testsupport::writeFile(m_dir.filePath(QStringLiteral("archivo")), "x");
    const auto failure =
        testsupport::failureOf([&] { ProgramFiles(m_dir.path(), blocked, true).writePath(u"a"); });
    QVERIFY(failure && failure->description().contains(blocked));
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"
