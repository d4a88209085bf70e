#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;

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
const QStringList kFixedBases = {
    "DD001002001|Señorío", "Señoras y señores",   "", "", "", "la patria os contempla.",
    "DD002002|Breve",      "Nada más que añadir."};

} // namespace

class TestCompanion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void speechForms_data();
    void speechForms();
    void seedMakesOutputRepeatable();
    void defaultFileIsBesideTheProgram();
    void checkResults_data();
    void checkResults();
    void listDescribesEveryBase();
    void failures_data();
    void failures();
    void speech32768IsReportedAfterTheRest();
    void helpIsSpanish();
    void baseFromAPipe();
    void placeholdersInThePathStayInMessages();

private:
    QString writeBase(const QString &name, const QStringList &lines);
    QTemporaryDir m_dir;
    QString m_fixed;
};

QString TestCompanion::writeBase(const QString &name, const QStringList &lines)
{
    return testsupport::writeFile(m_dir.filePath(name), testsupport::soyBytes(lines));
}

void TestCompanion::initTestCase()
{
    QVERIFY(QFile::exists(kProgram));
    m_fixed = writeBase("fijo.soy", kFixedBases);
}

void TestCompanion::speechForms_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("raw bytes, separated premises")
        << QStringList{"--raw"}
        << QByteArray("Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n\r\n");
    QTest::newRow("raw bytes, joined premises")
        << QStringList{"--raw", "-j"} << QByteArray("Se\xF1oras y se\xF1ores la patria os contempla. \r\n");
    QTest::newRow("raw history entries")
        << QStringList{"--raw", "--history", "-n", "2"}
        << QByteArray("  1 Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n\r\n"
                      "  2 Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n\r\n");
    QTest::newRow("terminal encoding and LF")
        << QStringList{}
        << QByteArray("Se\xC3\xB1oras y se\xC3\xB1ores ...\nla patria os contempla. ...\n\n");
    QTest::newRow("chosen base") << QStringList{"-b", "2", "-j", "--history"}
                                 << QByteArray("  1 Nada m\xC3\xA1s que a\xC3\xB1"
                                               "adir. \n");
}

void TestCompanion::speechForms()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, output);
    const Run result = run(QStringList{"-f", m_fixed} + options);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, output);
}

void TestCompanion::seedMakesOutputRepeatable()
{
    const QStringList options = {"-f", kShippedBase, "-n", "20", "-b", "3"};
    const Run first = run(options + QStringList{"-s", "42"});
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(run(options + QStringList{"--seed", "42"}).out, first.out);
    QVERIFY(run(options + QStringList{"-s", "43"}).out != first.out);
    QCOMPARE(first.out.count("...\n\n"), 20);
}

void TestCompanion::defaultFileIsBesideTheProgram()
{
    const Run result = run({"--check"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.endsWith("0 errores, 0 avisos.\n"), result.out.constData());
    QVERIFY(result.out.startsWith(QFile::encodeName(PARLANZA_BIN_DIR "/dialogo.soy")));
}

void TestCompanion::checkResults_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("clean file") << kFixedBases << 0 << QByteArray("2 bases, 0 errores, 0 avisos.");
    QTest::newRow("warnings only") << QStringList{"DD001002|Uno", "una premisa", "otra que sobra"} << 0
                                   << QByteArray(":3: aviso: la base 01 nunca usará esta línea");
    QTest::newRow("an error")
        << QStringList{"DD001002|Uno", "no"} << 1
        << QByteArray(":1: error: la base 01 no tiene ninguna premisa utilizable en el grupo 1");
}

void TestCompanion::checkResults()
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

void TestCompanion::listDescribesEveryBase()
{
    const Run result = run({"-l", "-f", m_fixed});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray("01  \xC2\xAB"
                                    "Se\xC3\xB1or\xC3\xADo\xC2\xBB  grupos: 2 1  utilizables: 1 1  "
                                    "discursos distintos: 1\n"
                                    "02  \xC2\xAB"
                                    "Breve\xC2\xBB  grupos: 2  utilizables: 1  discursos distintos: 1\n"));
}

void TestCompanion::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QStringList{"-f", "/no/existe.soy"} << 2 << "No se encuentra el archivo";
    QTest::newRow("missing file when checking")
        << QStringList{"-c", "-f", "/no/existe.soy"} << 2 << "No se encuentra el archivo";
    QTest::newRow("folder instead of file") << QStringList{"-f", "/tmp"} << 2 << "es una carpeta";
    QTest::newRow("base not in the file")
        << QStringList{"-b", "5"} << 1 << "no tiene la base 05. Bases: 01, 02.";
    QTest::newRow("count of zero") << QStringList{"-n", "0"} << 1 << "mayor que 0";
    QTest::newRow("count not a number") << QStringList{"-n", "muchos"} << 1 << "«muchos»";
    QTest::newRow("base out of range") << QStringList{"-b", "100"} << 1 << "de 0 a 99";
    QTest::newRow("bad seed") << QStringList{"-s", "-1"} << 1 << "semilla";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << "Opción desconocida: «bogus»";
    QTest::newRow("missing value") << QStringList{"-n"} << 1 << "Falta el valor después de «-n»";
    QTest::newRow("stray argument") << QStringList{"suelto"} << 1 << "Sobran argumentos: suelto";
}

void TestCompanion::failures()
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

void TestCompanion::speech32768IsReportedAfterTheRest()
{
    const Run result = run({"-f", m_fixed, "-n", "32768", "-j"});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out.count('\n'), 32767);
    QVERIFY2(result.err.startsWith(u"Desbordamiento"), qPrintable(result.err));
    QCOMPARE(result.err.count(u'\n'), 1);
}

void TestCompanion::helpIsSpanish()
{
    const Run result = run({"--help"});
    QCOMPARE(result.exitCode, 0);
    const QString help = QString::fromUtf8(result.out);
    for (const char *text :
         {"Uso: ", "[opciones]", "Opciones:", "Muestra esta ayuda.", "--check", "--raw", "RUTA"})
        QVERIFY2(help.contains(QLatin1String(text)), text);
    QVERIFY(!help.contains(u"Usage"));
}

void TestCompanion::baseFromAPipe()
{
    // A pipe gives its lines only once, so the base is read once for every step.
    const Run result = run({"-f", "/dev/stdin", "--raw", "-j"}, testsupport::soyBytes(kFixedBases));
    QCOMPARE(result.err, QString());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray("Se\xF1oras y se\xF1ores la patria os contempla. \r\n"));
}

void TestCompanion::placeholdersInThePathStayInMessages()
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

QTEST_GUILESS_MAIN(TestCompanion)
#include "tst_companion.moc"
