#include "TestSupport.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;

namespace {

const QString kShippedBase = QStringLiteral(PARLANZA_DATA_DIR "/dialogo.soy");

// Runs the companion: its exit status and what it wrote on standard output.
std::pair<int, QByteArray> run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(PARLANZA_BIN_DIR "/parlanza-discurso"), arguments);
    if (!process.waitForFinished(60000))
        qFatal("parlanza-discurso did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

} // namespace

class TestCompanionBlocks : public QObject
{
    Q_OBJECT

private slots:
    void manySpeechesAreTheCoresSpeeches_data();
    void manySpeechesAreTheCoresSpeeches();
};

void TestCompanionBlocks::manySpeechesAreTheCoresSpeeches_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("terminal text") << QStringList{};
    QTest::newRow("history entries, exact bytes") << QStringList{"--history", "--raw"};
}

// Speeches written in blocks read the same as the core's speeches written one by one.
void TestCompanionBlocks::manySpeechesAreTheCoresSpeeches()
{
    QFETCH(QStringList, options);
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
        expected += (options.isEmpty() ? core.controls.speech : core.controls.history.constLast()) + "\r\n";
    }
    const auto [exitCode, out] = run(QStringList{"-f", kShippedBase, "-n", "1500", "-s", "77"} + options);
    QCOMPARE(exitCode, 0);
    QVERIFY(out == (options.isEmpty() ? expected.replace("\r\n", "\n").toUtf8()
                                      : TextFile::encodeWindows1252(expected)));
}

QTEST_GUILESS_MAIN(TestCompanionBlocks)
#include "tst_companion_blocks.moc"
