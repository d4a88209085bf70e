#include "TestSupport.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
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
const QStringList kFixedBases = QStringLiteral("DD001002001|Señorío\nSeñoras y señores\n\n\n\nla patria os "
                                               "contempla.\nDD002002|Breve\nNada más que añadir.")
                                    .split(u'\n');

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
    void commands_data()
    {
        testsupport::table("cli/companion-ordenes.txt", {"base", "arguments", "exitCode", "out", "err"});
    }
    void commands()
    {
        const auto [base, arguments, exitCode, out, err] =
            testsupport::fetch({"base", "arguments", "exitCode", "out", "err"});
        const QString path = base == u"-" ? m_fixed
                                          : writeBase(QStringLiteral("%1.soy").arg(QTest::currentDataTag()),
                                                      base.split(u'\n'));
        QStringList options = arguments.split(u' ');
        if (!options.contains(u"-f"))
            options = QStringList{"-f", path} + options;
        const Run result = run(options);
        QCOMPARE(result.exitCode, exitCode.toInt());
        const QString output = options.contains(u"--raw")
                                   ? QString(QStringDecoder("windows-1252").decode(result.out))
                                   : QString::fromUtf8(result.out);
        if (out.startsWith(u'='))
            QCOMPARE(output, out.mid(1));
        else if (out != u"-")
            QVERIFY2(output.contains(out), qPrintable(output));
        QVERIFY2(err == u"-" ? result.err.isEmpty() : result.err.contains(err), qPrintable(result.err));
    }
    void speech32768IsReportedAfterTheRest()
    {
        const Run result = run({"-f", m_fixed, "-n", "32768", "-j"});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out.count('\n'), 32767);
        QVERIFY2(result.err.startsWith(u"Desbordamiento") && result.err.count(u'\n') == 1,
                 qPrintable(result.err));
    }
    void manySpeechesAreTheCoresSpeeches_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("terminal text") << QStringList{"-s", "77"};
        QTest::newRow("history entries, exact bytes") << QStringList{"--seed", "77", "--history", "--raw"};
    }
    // Speeches written in blocks read the same as the core's speeches written one by one, with the same seed.
    void manySpeechesAreTheCoresSpeeches()
    {
        QFETCH(QStringList, options);
        const bool history = options.contains(u"--history");
        FixedClock clock;
        UniformRandom random(77);
        SpeechCore core(clock, random);
        core.setPremiseText(TextFile::read(kShippedBase));
        core.countLines();
        core.toggleBaseList();
        core.state.firstBasePending = true;
        QString expected;
        for (int i = 0; i < 1500; ++i) {
            i == 0 ? core.selectBase() : core.compose();
            expected += (history ? core.controls.history.constLast() : core.controls.speech) + "\r\n";
        }
        const Run result = run(QStringList{"-f", kShippedBase, "-n", "1500"} + options);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out ==
                (history ? TextFile::encodeWindows1252(expected) : expected.replace("\r\n", "\n").toUtf8()));
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
