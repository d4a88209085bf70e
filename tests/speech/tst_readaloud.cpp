#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "speech/Declaimer.h"
#include "speech/Voice.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

using namespace parlanza;

class TestReadAloud : public QObject
{
    Q_OBJECT

private slots:
    void whatIsReadAndWhen_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<int>("beeps");
        const QStringList speech = {"Señoras y señores", "la patria os contempla."};
        QTest::newRow("the speech on display, a phrase per premise") << QStringList{"leer"} << speech << 0;
        QTest::newRow("run-on premises read one by one")
            << QStringList{"seguidas", "Command1", "leer"} << speech << 0;
        QTest::newRow("the chosen history entry, without its number")
            << QStringList{"Command1", "visualiza", "leer"} << speech << 0;
        QTest::newRow("Callar stops the reading") << QStringList{"leer", "callar"} << speech.mid(0, 1) << 0;
        QTest::newRow("every new speech of automatic mode, after its beeps")
            << QStringList{"cada", "Label5", "esperar", "tick"} << speech + speech << 3;
        QTest::newRow("nothing read unless asked") << QStringList{"Label5", "tick"} << QStringList() << 3;
    }
    void whatIsReadAndWhen()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, said);
        QFETCH(int, beeps);
        Voice voice(QStringLiteral("parlanzaprueba"));
        std::unique_ptr<dialogo> window = open(voice);
        QSignalSpy saying(&voice, &Voice::saying);
        const auto action = [&](const char *name) { window->findChild<QAction *>(name)->trigger(); };
        const std::map<QString, std::function<void()>> run = {
            {"leer", [&] { action("leerEnVozAlta"); }},
            {"callar",
             [&] {
                 QTRY_VERIFY(!saying.isEmpty());
                 action("callar");
             }},
            {"cada", [&] { action("leerCadaDiscurso"); }},
            {"seguidas", [&] { action("mnuPsgd"); }},
            {"visualiza",
             [&] {
                 action("mnuvisua");
                 window->findChild<QListWidget *>("List2")->setCurrentRow(0);
             }},
            {"Command1", [&] { window->findChild<QPushButton *>("Command1")->click(); }},
            {"Label5", [&] { window->Label5_Click(); }},
            {"tick", [&] { window->Timer1_Timer(); }},
            {"esperar", [&] { QTRY_COMPARE_WITH_TIMEOUT(saying.size(), 2, 5000); }},
        };
        for (const QString &step : steps)
            run.at(step)();
        QTRY_COMPARE_WITH_TIMEOUT(saying.size(), said.size(), 5000);
        QTest::qWait(Declaimer::kPauseMs + 300); // and nothing after
        QStringList phrases;
        for (const QList<QVariant> &signal : std::as_const(saying))
            phrases.append(signal.constFirst().toString());
        QCOMPARE(phrases, said);
        QCOMPARE(m_beeper.beeps, beeps);
    }

    void withoutVoiceTheItemsAreDisabledAndSayWhy_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no speech service") << "ninguno" << Declaimer::missingServiceText();
        QTest::newRow("no Spanish voice") << "parlanzaprueba" << Declaimer::missingVoiceText();
    }
    void withoutVoiceTheItemsAreDisabledAndSayWhy()
    {
        QFETCH(QString, engine);
        QFETCH(QString, problem);
        qputenv("PARLANZA_PRUEBA_SIN_ESPANOL", "1");
        Voice voice(engine);
        QSignalSpy prepared(&voice, &Voice::prepared);
        voice.prepare();
        QVERIFY(prepared.wait(5000));
        qunsetenv("PARLANZA_PRUEBA_SIN_ESPANOL");
        std::unique_ptr<dialogo> window = open(voice);
        for (const char *name : {"Label3", "List2"}) {
            QStringList shown;
            for (const QAction *item : window->findChild<QWidget *>(name)->actions()) {
                if (item->isVisible() && !item->isSeparator())
                    shown.append(item->text() + (item->isEnabled() ? "" : " (desactivado)"));
            }
            for (const QString &item : {QStringLiteral("Leer en voz alta (desactivado)"),
                                        QStringLiteral("Leer cada discurso nuevo (desactivado)"),
                                        QStringLiteral("Callar (desactivado)"), problem + " (desactivado)"})
                QVERIFY2(shown.contains(item), qPrintable(shown.join(u'|')));
        }
    }

private:
    std::unique_ptr<dialogo> open(Voice &voice)
    {
        const QStringList base = {"DD001002001|Primera base", "Señoras y señores", "", "", "",
                                  "la patria os contempla."};
        testsupport::writeFile(m_dir.filePath("dialogo.soy"), testsupport::soyBytes(base));
        m_beeper = CountingBeeper();
        auto window = std::make_unique<dialogo>(
            dialogo::Services{&m_clock, &m_random, &m_messages, &m_beeper, &m_printers, m_dir.path()});
        window->attachVoice(voice);
        window->findChild<QTimer *>("Timer1")->stop(); // the test ticks by itself
        window->show();
        return window;
    }

    QTemporaryDir m_dir;
    FixedClock m_clock;
    UniformRandom m_random{5};
    FakeMessageBoxes m_messages;
    CountingBeeper m_beeper;
    NoPrinters m_printers;
};

QTEST_MAIN(TestReadAloud)
#include "tst_readaloud.moc"
