#include "FakeDesktop.h"
#include "TestSupport.h"
#include "platform/Announcer.h"
#include "speech/Declaimer.h"
#include "speech/Voice.h"

#include <QAction>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

using namespace parlanza;
using testsupport::row;

class TestReadAloud : public QObject
{
    Q_OBJECT

private slots:
    void whatIsReadAndWhen_data()
    {
        testsupport::columns<QStringList>({"steps", "said"});
        QTest::addColumn<bool>("paused");    // then phrases said come at least 50 ms plus the pause apart
        QTest::addColumn<QString>("engine"); // empty: the test engine, with its Spanish voice
        const QStringList speech = {"Señoras y señores", "la patria os contempla."};
        row("the speech on display, a phrase per premise", QStringList{"leer"}, speech, true, "");
        // "Señoras y señores la", a line between the groups, starts the run-on speech too but leads nowhere.
        row("run-on premises read one by one", QStringList{"seguidas", "Command1", "leer"}, speech, true, "");
        row("a speech shown again by the step-back button", QStringList{"Command1", "Command4", "leer"},
            speech, true, "");
        row("the chosen history entry", QStringList{"Command1", "visualiza", "leer"}, speech, true, "");
        row("a new reading cuts the one in progress", QStringList{"leer", "luego", "leer"},
            QStringList{speech[0]} + speech, false, "");
        row("Callar stops the reading", QStringList{"leer", "luego", "callar"}, speech.mid(0, 1), false, "");
        row("every new speech of automatic mode, after its beeps",
            QStringList{"cada", "Label5", "esperar", "tick"}, speech + speech, false, "");
        row("each new speech, the one the step-back button shows too, in the program's voice alone",
            QStringList{"cada", "Command1", "esperar", "Command4"}, speech + speech, false, "");
        row("no speech service: disabled, saying what to install", QStringList{"leer"}, QStringList(), false,
            "ninguno");
        row("no Spanish voice: disabled, saying what to install", QStringList{"leer"}, QStringList(), false,
            "sinespanol");
    }
    void whatIsReadAndWhen()
    {
        const auto [steps, said] = testsupport::fetch<QStringList>({"steps", "said"});
        QFETCH(bool, paused);
        QFETCH(QString, engine);
        const int pauses = paused ? 50 + Declaimer::kPauseMs : 0;
        const QString problem = engine == "ninguno"      ? Declaimer::missingServiceText()
                                : engine == "sinespanol" ? Declaimer::missingVoiceText()
                                                         : QString();
        if (engine == "sinespanol")
            qputenv("PARLANZA_PRUEBA_SIN_ESPANOL", "1");
        Voice voice(engine == "ninguno" ? engine : QStringLiteral("parlanzaprueba"));
        voice.prepare();
        QTRY_VERIFY(voice.isPrepared());
        qunsetenv("PARLANZA_PRUEBA_SIN_ESPANOL");
        std::unique_ptr<dialogo> window = open(voice);
        QStringList phrases;
        QList<qint64> times;
        QElapsedTimer clock;
        clock.start();
        connect(&voice, &Voice::saying, this, [&](const QString &phrase) {
            phrases.append(phrase);
            times.append(clock.elapsed());
        });
        const auto action = [&](const char *name) { window->findChild<QAction *>(name)->trigger(); };
        int announced = 0;
        connect(window->findChild<Announcer *>(), &Announcer::announced, this, [&] { ++announced; });
        if (steps.contains("cada")) // the first speech came before the choice
            QTRY_COMPARE(announced, 1);
        const std::map<QString, std::function<void()>> run = {
            {"leer", [&] { action("leerEnVozAlta"); }},
            {"luego", [&] { QTRY_VERIFY(!phrases.isEmpty()); }},
            {"callar", [&] { action("callar"); }},
            {"cada",
             [&] {
                 action("leerCadaDiscurso");
                 announced = 0;
             }},
            {"seguidas", [&] { action("mnuPsgd"); }},
            {"visualiza",
             [&] {
                 action("mnuvisua");
                 window->findChild<QListWidget *>("List2")->setCurrentRow(0);
             }},
            {"Command1", [&] { window->findChild<QPushButton *>("Command1")->click(); }},
            {"Command4", [&] { window->findChild<QPushButton *>("Command4")->click(); }},
            {"Label5", [&] { window->Label5_Click(); }},
            {"tick", [&] { window->Timer1_Timer(); }},
            {"esperar", [&] { QTRY_COMPARE_WITH_TIMEOUT(phrases.size(), 2, 5000); }},
        };
        for (const QString &step : steps)
            run.at(step)();
        QTRY_COMPARE_WITH_TIMEOUT(phrases.size(), said.size(), 5000);
        QTest::qWait(Declaimer::kPauseMs + 300); // and nothing after
        QCOMPARE(phrases, said);
        // The phrases are timed when the window's thread takes them: a late one shortens the next gap, so
        // the bound leaves room for a busy machine and still tells a pause from none.
        for (qsizetype i = 1; i < times.size(); ++i)
            QVERIFY2(times[i] - times[i - 1] >= pauses - 100,
                     qPrintable(QString::number(times[i] - times[i - 1])));
        QCOMPARE(m_fakes.beeper.beeps, steps.contains("tick") ? 3 : 0);
        // The screen reader does not speak over the program's own voice.
        if (steps.contains("cada"))
            QCOMPARE(announced, 0);
        for (const char *name : {"leerEnVozAlta", "leerCadaDiscurso", "callar", "sinVoz"}) {
            const QAction *item = window->findChild<QAction *>(name);
            QVERIFY(window->findChild<QWidget *>("Label3")->actions().contains(item));
            QVERIFY(window->findChild<QWidget *>("List2")->actions().contains(item));
            if (item->objectName() == "sinVoz")
                QCOMPARE(item->isVisible() ? item->text() : QString(), problem);
            else
                QCOMPARE(item->isEnabled(), problem.isEmpty());
        }
    }

private:
    std::unique_ptr<dialogo> open(Voice &voice)
    {
        testsupport::writeFile(
            m_fakes.dir.filePath("dialogo.soy"),
            testsupport::soyBytes({"DD001002001|Primera base", "Señoras y señores", "",
                                   "Señoras y señores la", "", "la patria os contempla."}));
        m_fakes.beeper = CountingBeeper();
        auto window = std::make_unique<dialogo>(m_fakes.services());
        window->attachVoice(voice);
        window->findChild<QTimer *>("Timer1")->stop(); // the test ticks by itself
        window->show();
        return window;
    }

    WindowFakes m_fakes;
};

QTEST_MAIN(TestReadAloud)
#include "tst_readaloud.moc"
