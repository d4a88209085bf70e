#include "FakeDesktop.h"
#include "TestSupport.h"
#include "app/StartArguments.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;
using testsupport::row;

// Which premise base file is read and where the history is written: the program's folder, the user's data
// folder, a file asked for on the command line or dropped on the window.
class TestUserFiles : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        // The executable's folder under the test's root, $XDG_DATA_HOME, a dialogo.soy of the user's, and the
        // folders the base is read from and the history written to; "home" is the user's home.
        QTest::addColumn<QStringList>("row");
        const QString user = QStringLiteral("home/.local/share/parlanza");
        const QString installed = QStringLiteral("usr/share/games/parlanza");
        row("build tree: all beside the program", QStringList{"build", "", "", "build", "build"});
        row("build tree: the user's own base first", QStringList{"build", "", "own", user, "build"});
        row("copy inside the home writes beside itself", QStringList{"home/x", "", "", "home/x", "home/x"});
        row("system-wide: history in the user's folder", QStringList{"usr/games", "", "", installed, user});
        row("system-wide: an absolute XDG_DATA_HOME",
            QStringList{"usr/games", "/datos", "", installed, "datos/parlanza"});
        row("system-wide: a relative XDG_DATA_HOME is ignored",
            QStringList{"usr/games", "datos", "", installed, user});
        row("install inside the home writes beside the data",
            QStringList{"home/.local/games", "", "", "home/.local/share/games/parlanza",
                        "home/.local/share/games/parlanza"});
    }

    void layouts()
    {
        QFETCH(QStringList, row);
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(row[0]) && dir.mkpath(row[3]));
        if (!row[2].isEmpty())
            testsupport::writeFile(dir.filePath(row[3] + QStringLiteral("/dialogo.soy")), "DD001");
        const QString dataHome = row[1].startsWith(u'/') ? root.path() + row[1] : row[1];
        const ProgramFiles files =
            ProgramFiles::locate({dir.filePath(row[0]), dir.filePath("home"), dataHome});
        QCOMPARE(files.readPath(u"dialogo.soy"), dir.filePath(row[3]) + QStringLiteral("/dialogo.soy"));
        QCOMPARE(files.writePath(u"Lhistorial.TXT"),
                 dir.filePath(row[4]) + QStringLiteral("/Lhistorial.TXT"));
    }

    void windowReadsTheBaseAskedFor_data()
    {
        // A dialogo.soy of the user's, the file asked for, the file dropped, and the base that is then
        // loaded.
        QTest::addColumn<QStringList>("row");
        row("the program's base", QStringList{"", "", "", "Programa"});
        row("the user's own base", QStringList{"own", "", "", "Propia"});
        row("the file asked for, at every restart", QStringList{"own", "otra.soy", "", "Otra"});
        row("a dropped .soy file, at every restart", QStringList{"own", "", "otra.soy", "Otra"});
        row("a dropped text file is refused", QStringList{"", "", "otra.txt", "Programa"});
    }

    void windowReadsTheBaseAskedFor()
    {
        QFETCH(QStringList, row);
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath("programa") && dir.mkpath("usuario"));
        const auto base = [](const char *title) {
            return testsupport::soyBytes(
                {QStringLiteral("DD001002001|") + title, "Premisa uno", "", "", "", "fin."});
        };
        testsupport::writeFile(dir.filePath("programa/dialogo.soy"), base("Programa"));
        if (!row[0].isEmpty())
            testsupport::writeFile(dir.filePath("usuario/dialogo.soy"), base("Propia"));
        testsupport::writeFile(dir.filePath("otra.soy"), base("Otra"));
        testsupport::writeFile(dir.filePath("otra.txt"), base("Otra"));

        WindowFakes fakes;
        dialogo::Services services = fakes.services(dir.filePath("programa"));
        services.userDirectory = dir.filePath("usuario");
        services.systemWide = true;
        services.premiseFile = row[1].isEmpty() ? QString() : dir.filePath(row[1]);
        dialogo window(services);
        if (!row[2].isEmpty()) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(dir.filePath(row[2]))});
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            // Straight to the window: Qt routes a sent drop only to the target of a real drag.
            static_cast<QObject &>(window).event(&drop);
        }
        window.mnudiscurso_Click();
        QCOMPARE(window.core().controls.bases.entries, QStringList{QStringLiteral("DD001002001|") + row[3]});
        window.mnuImpri_Click();
        QVERIFY(QFile::exists(dir.filePath("usuario/Lhistorial.TXT")));
        QVERIFY(!QFile::exists(dir.filePath("programa/Lhistorial.TXT")));
        QCOMPARE(fakes.messages.shown, QStringList());
    }

    void commandLine_data()
    {
        // The arguments after the program's name; what is done (0 start, 1 answer, 2 refuse), whether an
        // option was unknown, and the base file asked for.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        row("no arguments: the usual base", QStringList{}, "0|0|");
        row("a relative path is made absolute", QStringList{"bases/otra.soy"},
            "0|0|" + QDir::currentPath() + "/bases/otra.soy");
        row("two files are refused", QStringList{"a.soy", "b.soy"}, "2|0|");
        row("an unknown option is told apart", QStringList{"--nada"}, "2|1|");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const StartArguments start = readStartArguments(QStringList{"parlanza"} + arguments);
        const QString done =
            QString::number(int(start.action)) + u'|' + QString::number(int(start.unknownOption));
        QCOMPARE(done + u'|' + start.premiseFile, expected);
    }
};

QTEST_MAIN(TestUserFiles)
#include "tst_userfiles.moc"
