#include "TestSupport.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

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
};

Run run(const QStringList &arguments)
{
    QProcess process;
    process.start(kProgram, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        qFatal("parlanza-discurso did not finish");
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

} // namespace

class TestCompanionOutput : public QObject
{
    Q_OBJECT

private slots:
    void checkListAndBaseAgree_data();
    void checkListAndBaseAgree();
    void manySpeechesAreTheCoresSpeeches_data();
    void manySpeechesAreTheCoresSpeeches();

private:
    QTemporaryDir m_dir;
};

void TestCompanionOutput::checkListAndBaseAgree_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("checkExit");
    QTest::addColumn<bool>("listedUsable");
    QTest::addColumn<int>("composeExit");
    QTest::newRow("DD0 in column 2 with its own marker in reach loads")
        << QStringList{" DD00002|Cero", "cero premisa"} << 0 << true << 0;
    QTest::newRow("DD0 in column 2 with its own marker out of reach does not")
        << QStringList{"xDD01002|Uno", "uno premisa"} << 1 << false << 1;
}

void TestCompanionOutput::checkListAndBaseAgree()
{
    QFETCH(QStringList, lines);
    const QString file = testsupport::writeFile(m_dir.filePath(QTest::currentDataTag()) + ".soy",
                                                testsupport::soyBytes(lines));
    const Run check = run({"--check", "-f", file});
    QTEST(check.exitCode, "checkExit");
    QVERIFY(check.out.contains(": aviso: «DD0» no está en las columnas 1 a 3"));
    QTEST(!run({"--list", "-f", file}).out.contains("no se puede cargar"), "listedUsable");
    const QString number = lines[0].mid(4, 2);
    QTEST(run({"-f", file, "-b", number}).exitCode, "composeExit");
}

void TestCompanionOutput::manySpeechesAreTheCoresSpeeches_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("terminal text") << QStringList{};
    QTest::newRow("exact bytes") << QStringList{"--raw"};
    QTest::newRow("history entries") << QStringList{"--history"};
    QTest::newRow("joined premises, exact bytes") << QStringList{"-j", "--raw"};
}

// Speeches written in blocks read the same as the core's speeches written one by one.
void TestCompanionOutput::manySpeechesAreTheCoresSpeeches()
{
    QFETCH(QStringList, options);
    const int count = 1500;
    const quint64 seed = 77;
    FixedClock clock;
    UniformRandom random(seed);
    SpeechCore core(clock, random);
    core.setPremiseText(TextFile::read(kShippedBase));
    if (options.contains("-j"))
        core.state.separator = kJoinedPremises.toString();
    core.countLines();
    core.toggleBaseList();
    core.state.firstBasePending = true;
    QString expected;
    for (int i = 0; i < count; ++i) {
        if (i == 0)
            core.selectBase();
        else
            core.compose();
        expected +=
            (options.contains("--history") ? core.controls.history.constLast() : core.controls.speech) +
            QStringLiteral("\r\n");
    }
    const QByteArray bytes = options.contains("--raw")
                                 ? TextFile::encodeWindows1252(expected)
                                 : expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8();

    const Run written = run(
        QStringList{"-f", kShippedBase, "-n", QString::number(count), "-s", QString::number(seed)} + options);
    QCOMPARE(written.exitCode, 0);
    QCOMPARE(written.out.size(), bytes.size());
    QVERIFY(written.out == bytes);
}

QTEST_GUILESS_MAIN(TestCompanionOutput)
#include "tst_companion_output.moc"
