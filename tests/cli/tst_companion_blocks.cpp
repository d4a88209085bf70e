#include "TestSupport.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;

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
    core.setPremiseText(TextFile::read(PARLANZA_DATA_DIR "/dialogo.soy"));
    core.countLines();
    core.toggleBaseList();
    core.state.firstBasePending = true;
    QString expected;
    for (int i = 0; i < 1500; ++i) {
        i == 0 ? core.selectBase() : core.compose();
        expected += (options.isEmpty() ? core.controls.speech : core.controls.history.constLast()) + "\r\n";
    }
    QProcess process;
    process.start(PARLANZA_BIN_DIR "/parlanza-discurso",
                  QStringList{"-f", PARLANZA_DATA_DIR "/dialogo.soy", "-n", "1500", "-s", "77"} + options);
    QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
    QVERIFY(process.readAllStandardOutput() == (options.isEmpty() ? expected.replace("\r\n", "\n").toUtf8()
                                                                  : TextFile::encodeWindows1252(expected)));
}

QTEST_GUILESS_MAIN(TestCompanionBlocks)
#include "tst_companion_blocks.moc"
