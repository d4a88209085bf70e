#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;
using testsupport::row;

namespace {

const QString kProgram = QStringLiteral(PARLANZA_BIN_DIR "/parlanza-discurso");
const QString kShippedBase = QStringLiteral(PARLANZA_DATA_DIR "/dialogo.soy");

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run run(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(kProgram, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        qFatal("parlanza-discurso did not finish");
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

// Two bases whose groups hold one usable premise each, so every speech is known in advance.
const QStringList kFixedBases =
    testsupport::textLines("DD001002001|Señorío\nSeñoras y señores\n\n\n\nla patria os "
                           "contempla.\nDD002002|Breve\nNada más que añadir.");

} // namespace

class TestCompanion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_fixed;
    QString writeBase(const QString &name, const QStringList &lines)
    {
        return testsupport::writeFile(m_dir.filePath(name), testsupport::soyBytes(lines));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(kProgram));
        m_fixed = writeBase("fijo.soy", kFixedBases);
    }
    void speechForms_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("output");
        row("raw bytes, separated premises", QStringList{"--raw"},
            QByteArray("Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n\r\n"));
        row("raw bytes, joined premises", QStringList{"--raw", "-j"},
            QByteArray("Se\xF1oras y se\xF1ores la patria os contempla. \r\n"));
        row("raw history entries", QStringList{"--raw", "--history", "-n", "2"},
            QByteArray("  1 Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n\r\n"
                       "  2 Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n\r\n"));
        row("terminal encoding and LF", QStringList{},
            QByteArray("Se\xC3\xB1oras y se\xC3\xB1ores ...\nla patria os contempla. ...\n\n"));
        row("chosen base", QStringList{"-b", "2", "-j", "--history"},
            QByteArray("  1 Nada m\xC3\xA1s que a\xC3\xB1"
                       "adir. \n"));
    }
    void speechForms()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, output);
        const Run result = run(QStringList{"-f", m_fixed} + options);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, output);
    }
    void seedMakesOutputRepeatable()
    {
        const QStringList options = {"-f", kShippedBase, "-n", "20", "-b", "3"};
        const Run first = run(options + QStringList{"-s", "42"});
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(run(options + QStringList{"--seed", "42"}).out, first.out);
        QVERIFY(run(options + QStringList{"-s", "43"}).out != first.out);
        QCOMPARE(first.out.count("...\n\n"), 20);
    }
    void defaultFileIsBesideTheProgram()
    {
        const Run result = run({"--check"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.endsWith("0 errores, 0 avisos.\n"), result.out.constData());
        QVERIFY(result.out.startsWith(QFile::encodeName(PARLANZA_BIN_DIR "/dialogo.soy")));
    }
    void checkResults_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("report");
        row("clean file", kFixedBases, 0, QByteArray("2 bases, 0 errores, 0 avisos."));
        row("warnings only", QStringList{"DD001002|Uno", "una premisa", "otra que sobra"}, 0,
            QByteArray(":3: aviso: la base 01 nunca usará esta línea"));
        row("an error", QStringList{"DD001002|Uno", "no"}, 1,
            QByteArray(":1: error: la base 01 no tiene ninguna premisa utilizable en el grupo 1"));
    }
    void checkResults()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, report);
        const QString path = writeBase(QStringLiteral("check%1.soy").arg(exitCode), lines);
        const Run result = run({"--check", "--file", path});
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.out.contains(QFile::encodeName(path) + (report.startsWith(':') ? "" : ": ") + report),
                 result.out.constData());
    }
    void listDescribesEveryBase()
    {
        const Run result = run({"-l", "-f", m_fixed});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out,
                 QByteArray("01  \xC2\xAB"
                            "Se\xC3\xB1or\xC3\xADo\xC2\xBB  grupos: 2 1  utilizables: 1 1  "
                            "discursos distintos: 1\n"
                            "02  \xC2\xAB"
                            "Breve\xC2\xBB  grupos: 2  utilizables: 1  discursos distintos: 1\n"));
    }
    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        row("missing file", QStringList{"-f", "/no/existe.soy"}, 2, "No se encuentra el archivo");
        row("missing file when checking", QStringList{"-c", "-f", "/no/existe.soy"}, 2,
            "No se encuentra el archivo");
        row("folder instead of file", QStringList{"-f", "/tmp"}, 2, "es una carpeta");
        row("base not in the file", QStringList{"-b", "5"}, 1, "no tiene la base 05. Bases: 01, 02.");
        row("count of zero", QStringList{"-n", "0"}, 1, "mayor que 0");
        row("count not a number", QStringList{"-n", "muchos"}, 1, "«muchos»");
        row("base out of range", QStringList{"-b", "100"}, 1, "de 0 a 99");
        row("bad seed", QStringList{"-s", "-1"}, 1, "semilla");
        row("unknown option", QStringList{"--bogus"}, 1, "Opción desconocida: «bogus»");
        row("missing value", QStringList{"-n"}, 1, "Falta el valor después de «-n»");
        row("stray argument", QStringList{"suelto"}, 1, "Sobran argumentos: suelto");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        if (!arguments.contains("-f"))
            arguments = QStringList{"-f", m_fixed} + arguments;
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }
    void speech32768IsReportedAfterTheRest()
    {
        const Run result = run({"-f", m_fixed, "-n", "32768", "-j"});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out.count('\n'), 32767);
        QVERIFY2(result.err.startsWith(u"Desbordamiento"), qPrintable(result.err));
        QCOMPARE(result.err.count(u'\n'), 1);
    }
    void helpIsSpanish()
    {
        const Run result = run({"--help"});
        QCOMPARE(result.exitCode, 0);
        const QString help = QString::fromUtf8(result.out);
        for (const char *text :
             {"Uso: ", "[opciones]", "Opciones:", "Muestra esta ayuda.", "--check", "--raw", "RUTA"})
            QVERIFY2(help.contains(QLatin1String(text)), text);
        QVERIFY(!help.contains(u"Usage"));
    }
    void baseFromAPipe()
    {
        // A pipe gives its lines only once, so the base is read once for every step.
        const Run result = run({"-f", "/dev/stdin", "--raw", "-j"}, testsupport::soyBytes(kFixedBases));
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("Se\xF1oras y se\xF1ores la patria os contempla. \r\n"));
    }
    void placeholdersInThePathStayInMessages()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("p%1q%2r%3"));
        const QString path = writeBase("p%1q%2r%3/mala.soy", {"DD0xx002|Mala", "una premisa"});
        const Run check = run({"-c", "-f", path});
        QCOMPARE(check.exitCode, 1);
        QVERIFY2(check.out.startsWith(QFile::encodeName(path + ":1: error: ")), check.out.constData());
        const Run compose = run({"-f", path});
        QCOMPARE(compose.exitCode, 1);
        QVERIFY2(compose.err.contains("«" + QDir::toNativeSeparators(path) + "», línea 1: "),
                 qPrintable(compose.err));
    }
};

QTEST_GUILESS_MAIN(TestCompanion)
#include "tst_companion.moc"
