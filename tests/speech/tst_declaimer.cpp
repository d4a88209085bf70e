#include "speech/Declaimer.h"
#include "speech/Phrases.h"

#include <QSignalSpy>
#include <QTest>

using namespace parlanza;

namespace {

const QString kEngine = QStringLiteral("parlanzaprueba");

// What the test engine was asked, without the times: "say:TEXT" and "stop".
QStringList requests()
{
    QStringList plain;
    for (const QString &entry : qApp->property("fakeSpeech").toStringList())
        plain.append(entry.section(u'@', 0, -2));
    return plain;
}

QList<qint64> sayTimes()
{
    QList<qint64> times;
    for (const QString &entry : qApp->property("fakeSpeech").toStringList()) {
        if (entry.startsWith(QStringLiteral("say:")))
            times.append(entry.section(u'@', -1).toLongLong());
    }
    return times;
}

} // namespace

class TestDeclaimer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QCoreApplication::processEvents(); // what the last test's engine logged on its way out
        qApp->setProperty("fakeSpeech", QStringList());
    }

    void phrasesArePremises_data()
    {
        QTest::addColumn<QString>("speech");
        QTest::addColumn<QStringList>("known");
        QTest::addColumn<QStringList>("phrases");
        const QStringList known = {"Amigos", "Amigos del alma", "la patria ...os mira", "hoy."};
        QTest::newRow("one premise per line") << "Amigos del alma ...\r\nhoy. ...\r\n"
                                              << QStringList() << QStringList{"Amigos del alma", "hoy."};
        QTest::newRow("run-on premises told apart by the known ones")
            << "Amigos del alma la patria ...os mira hoy. " << known
            << QStringList{"Amigos del alma", "la patria ...os mira", "hoy."};
        QTest::newRow("a shorter premise that leads nowhere is given up")
            << "Amigos del alma hoy. " << known << QStringList{"Amigos del alma", "hoy."};
        QTest::newRow("run-on text of unknown premises is one phrase")
            << "Otra base entera " << known << QStringList{"Otra base entera"};
        QTest::newRow("a speech shown again by the step-back button")
            << withoutHistoryNumber(u"  7 Amigos ...\r\nhoy. ...\r\n...\r\n").toString() << known
            << QStringList{"Amigos", "hoy."};
        QTest::newRow("an empty speech has nothing to read") << "" << known << QStringList();
    }
    void phrasesArePremises()
    {
        QFETCH(QString, speech);
        QFETCH(QStringList, known);
        QFETCH(QStringList, phrases);
        QCOMPARE(phrasesOf(speech, known), phrases);
    }

    void phrasesComeInOrderWithPauses_data()
    {
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("one premise, no pause") << QStringList{"Amigos"};
        QTest::newRow("three premises, two pauses") << QStringList{"Amigos", "la patria", "os mira"};
    }
    void phrasesComeInOrderWithPauses()
    {
        QFETCH(QStringList, phrases);
        Declaimer declaimer(kEngine);
        QSignalSpy finished(&declaimer, &Declaimer::finished);
        declaimer.read(phrases); // before the engine is ready: read once it is
        declaimer.prepare();
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.constFirst().constFirst().toBool(), true);
        QStringList said;
        for (const QString &phrase : phrases)
            said.append(QStringLiteral("say:") + phrase);
        QCOMPARE(requests(), said);
        const QList<qint64> times = sayTimes();
        for (qsizetype i = 1; i < times.size(); ++i) {
            // 50 ms of the test engine's speech, then the pause.
            QVERIFY2(times[i] - times[i - 1] >= 45 + Declaimer::kPauseMs, qPrintable(requests().join(u' ')));
            QVERIFY(times[i] - times[i - 1] < 50 + Declaimer::kPauseMs + 400);
        }
    }

    void aNewReadingStopsTheOne_inProgress()
    {
        qputenv("PARLANZA_PRUEBA_MS", "300");
        Declaimer declaimer(kEngine);
        declaimer.prepare();
        QSignalSpy finished(&declaimer, &Declaimer::finished);
        declaimer.read({"primera", "segunda"});
        QTRY_VERIFY(!requests().isEmpty());
        QTest::qWait(100);
        declaimer.read({"nueva"});
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 5000);
        qunsetenv("PARLANZA_PRUEBA_MS");
        QCOMPARE(requests(), (QStringList{"say:primera", "stop", "say:nueva"}));
        QCOMPARE(finished[0].constFirst().toBool(), false);
        QCOMPARE(finished[1].constFirst().toBool(), true);
    }

    void withoutEngineOrSpanishVoiceNothingIsRead_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("spanish");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no speech service") << "ninguno" << true << Declaimer::missingServiceText();
        QTest::newRow("no Spanish voice") << kEngine << false << Declaimer::missingVoiceText();
    }
    void withoutEngineOrSpanishVoiceNothingIsRead()
    {
        QFETCH(QString, engine);
        QFETCH(bool, spanish);
        QFETCH(QString, problem);
        if (!spanish)
            qputenv("PARLANZA_PRUEBA_SIN_ESPANOL", "1");
        Declaimer declaimer(engine);
        QSignalSpy finished(&declaimer, &Declaimer::finished);
        declaimer.read({"Amigos"});
        declaimer.prepare();
        qunsetenv("PARLANZA_PRUEBA_SIN_ESPANOL");
        QVERIFY(!declaimer.isAvailable());
        QCOMPARE(declaimer.problem(), problem);
        QVERIFY(problem.contains(QStringLiteral("speech-dispatcher-espeak-ng")));
        QCOMPARE(finished.size(), 1);
        QVERIFY(!requests().join(u' ').contains(QStringLiteral("say:")));
    }
};

QTEST_GUILESS_MAIN(TestDeclaimer)
#include "tst_declaimer.moc"
