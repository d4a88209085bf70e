#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwindow/VoiceDialog.h"
#include "platform/Announcer.h"
#include "speech/Declaimer.h"
#include "speech/Voice.h"
#include "speech/VoiceSettings.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
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
    void initTestCase()
    {
        // The choice of voice is kept in the test's own configuration folder, and the engine's log beside it.
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("PARLANZA_PRUEBA_REGISTRO", m_config.filePath("motor.txt").toUtf8());
    }
    void init()
    {
        QFile::remove(VoiceSettings::defaultPath());
        QFile::remove(m_config.filePath("motor.txt"));
    }
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
        const int pauses = paused ? 50 + VoiceChoice::kOriginPauseMs : 0;
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
        QTest::qWait(VoiceChoice::kOriginPauseMs + 300); // and nothing after
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
        for (const char *name : {"leerEnVozAlta", "leerCadaDiscurso", "callar", "vozDeLectura", "sinVoz"}) {
            const QAction *item = window->findChild<QAction *>(name);
            QVERIFY(window->findChild<QWidget *>("Label3")->actions().contains(item));
            QVERIFY(window->findChild<QWidget *>("List2")->actions().contains(item));
            if (item->objectName() == "sinVoz")
                QCOMPARE(item->isVisible() ? item->text() : QString(), problem);
            else
                QCOMPARE(item->isEnabled(), problem.isEmpty());
        }
    }

    // The steps name a control of "Voz de lectura" and what is done with it: "voces=latina" chooses that
    // voice, "velocidad=N", "tono=N" and "pausa=S" set the sliders and the pause, a button's name clicks it.
    // The choice kept is written "voice|rate|pitch|pauseMs" ("-": no settings file).
    void choiceReachesTheEngine_data()
    {
        testsupport::columns<QString>({"saved", "kept", "engine"});
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("said"); // while the dialog is open
        const QString origin = "|-25|-30|400";
        const QStringList none;
        const QStringList sample = VoiceDialog::samplePhrases();
        row("nothing saved: the program's own declamation", "-", "-", "prueba -25 -30",
            QStringList{"cancelar"}, none);
        row("a choice kept reaches the engine exactly", "-", "latina|29|-29|1000", "latina 29 -29",
            QStringList{"voces=latina", "velocidad=29", "tono=-29", "pausa=1", "aceptar"}, none);
        row("the extremes", "-", "prueba+Adam|-100|100|2000", "prueba+Adam -100 100",
            QStringList{"voces=prueba+Adam", "velocidad=-100", "tono=100", "pausa=2", "aceptar"}, none);
        row("the default voice kept as none, so it follows the service", "latina|0|0|200", "|0|0|200",
            "prueba 0 0", QStringList{"voces=prueba", "aceptar"}, none);
        row("a saved choice is read after a restart", "latina|12|-7|700", "latina|12|-7|700", "latina 12 -7",
            QStringList{"cancelar"}, none);
        row("Cancelar leaves the saved choice", "latina|12|-7|700", "latina|12|-7|700", "latina 12 -7",
            QStringList{"voces=prueba", "velocidad=80", "cancelar"}, none);
        row("Valores de origen", "latina|12|-7|700", origin, "prueba -25 -30",
            QStringList{"valoresDeOrigen", "aceptar"}, none);
        row("Probar reads a sample as the controls stand, and the dialog stays", "-", "-", "prueba -25 -30",
            QStringList{"voces=latina", "tono=50", "probar", "abierto", "cancelar"}, sample);
        row("a saved voice no longer installed: the default one, silently", "ausente|10|20|300",
            "ausente|10|20|300", "prueba 10 20", QStringList{"cancelar"}, none);
        row("damaged values keep the program's own", "prueba+Adam|rápido|-300|5", "prueba+Adam|-25|-30|400",
            "prueba+Adam -25 -30", QStringList{"cancelar"}, none);
    }
    void choiceReachesTheEngine()
    {
        const auto [saved, kept, engine] = testsupport::fetch({"saved", "kept", "engine"});
        QFETCH(QStringList, steps);
        QFETCH(QStringList, said);
        if (saved != "-")
            writeChoice(saved);
        QStringList phrases;
        {
            Voice voice(QStringLiteral("parlanzaprueba"));
            voice.prepare();
            QTRY_VERIFY(voice.isPrepared());
            std::unique_ptr<dialogo> window = open(voice);
            connect(&voice, &Voice::saying, this, [&](const QString &phrase) { phrases.append(phrase); });
            QAction *item = window->findChild<QAction *>("vozDeLectura");
            QVERIFY(item->isEnabled());
            item->trigger();
            auto *dialog = window->findChild<VoiceDialog *>();
            QVERIFY(dialog && dialog->isVisible());
            for (const QString &step : steps) {
                const QString control = step.section('=', 0, 0);
                const QString value = step.section('=', 1);
                if (control == "voces") {
                    auto *list = dialog->findChild<QListWidget *>(control);
                    list->setCurrentItem(list->findItems(value, Qt::MatchExactly).value(0));
                } else if (control == "pausa") {
                    dialog->findChild<QDoubleSpinBox *>(control)->setValue(value.toDouble());
                } else if (control == "abierto") {
                    QTRY_COMPARE(phrases.size(), said.size());
                    QVERIFY(dialog->isVisible());
                } else if (auto *slider = dialog->findChild<QSlider *>(control)) {
                    slider->setValue(value.toInt());
                } else {
                    dialog->findChild<QPushButton *>(control)->click();
                }
            }
            QTRY_VERIFY(!window->findChild<VoiceDialog *>());
            QCOMPARE(phrases, said);
            // What the dialog leaves behind is what reads from now on.
            QTRY_COMPARE(engineState(), engine);
        }
        QCOMPARE(readChoice(), kept);
        // A new window with a new engine, as after a restart, reads with the choice kept.
        QFile::remove(m_config.filePath("motor.txt"));
        const VoiceChoice choice = VoiceSettings::load();
        Voice voice(QStringLiteral("parlanzaprueba"));
        std::unique_ptr<dialogo> window = open(voice);
        phrases.clear();
        QList<qint64> times;
        QElapsedTimer clock;
        clock.start();
        connect(&voice, &Voice::saying, this, [&](const QString &phrase) {
            phrases.append(phrase);
            times.append(clock.elapsed());
        });
        window->findChild<QAction *>("leerEnVozAlta")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(phrases.size(), 2, 8000);
        QVERIFY2(times[1] - times[0] >= 50 + choice.pauseMs - 100,
                 qPrintable(QString::number(times[1] - times[0])));
        QCOMPARE(engineState(), engine);
        QCOMPARE(m_fakes.messages.shown, QStringList());
    }
    void aChoiceThatCannotBeKeptSaysWhy()
    {
        // A file where the configuration folder should be.
        const QString blocker = testsupport::writeFile(m_config.filePath("bloqueo"), "x");
        qputenv("XDG_CONFIG_HOME", blocker.toUtf8());
        Voice voice(QStringLiteral("parlanzaprueba"));
        voice.prepare();
        QTRY_VERIFY(voice.isPrepared());
        std::unique_ptr<dialogo> window = open(voice);
        window->findChild<QAction *>("vozDeLectura")->trigger();
        auto *dialog = window->findChild<VoiceDialog *>();
        dialog->findChild<QSlider *>("velocidad")->setValue(10);
        dialog->findChild<QPushButton *>("aceptar")->click();
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        const auto *problem = dialog->findChild<QLabel *>("problema");
        QVERIFY(dialog->isVisible() && problem->isVisible());
        QVERIFY2(problem->text().contains(Failure::quoted(blocker + "/VelarMundo")),
                 qPrintable(problem->text()));
        QCOMPARE(m_fakes.messages.shown, QStringList());
        // Nothing was kept, and nothing changed what reads.
        QCOMPARE(voice.choice(), VoiceChoice());
        dialog->findChild<QPushButton *>("cancelar")->click();
        QTRY_VERIFY(!window->findChild<VoiceDialog *>());
    }
    void dialogControlsAreNamed()
    {
        Voice voice(QStringLiteral("parlanzaprueba"));
        voice.prepare();
        QTRY_VERIFY(voice.isPrepared());
        VoiceDialog dialog(voice.voices(), voice.defaultVoice(), VoiceChoice());
        QCOMPARE(dialog.windowTitle(), "Voz de lectura");
        const auto *list = dialog.findChild<QListWidget *>("voces");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text() + ": " + list->item(i)->toolTip());
        QCOMPARE(names, QStringList({"latina: español (Latinoamérica)", "prueba: español (España)",
                                     "prueba+Adam: español (España)"}));
        QCOMPARE(list->currentItem()->text(), "prueba");
        const std::pair<const char *, const char *> named[] = {{"voces", "Voz"},
                                                               {"velocidad", "Velocidad"},
                                                               {"tono", "Tono"},
                                                               {"pausa", "Pausa entre premisas"}};
        for (const auto &[name, accessible] : named)
            QCOMPARE(dialog.findChild<QWidget *>(name)->accessibleName(), accessible);
        for (const char *name : {"probar", "valoresDeOrigen", "aceptar", "cancelar"})
            QVERIFY(dialog.findChild<QPushButton *>(name));
    }

private:
    static void writeChoice(const QString &fields)
    {
        const QStringList values = fields.split('|');
        QSettings settings(VoiceSettings::defaultPath(), QSettings::IniFormat);
        settings.setValue("voz/nombre", values[0]);
        settings.setValue("voz/velocidad", values[1]);
        settings.setValue("voz/tono", values[2]);
        settings.setValue("voz/pausa_ms", values[3]);
    }
    static QString readChoice()
    {
        if (!QFile::exists(VoiceSettings::defaultPath()))
            return "-";
        const VoiceChoice choice = VoiceSettings::load();
        return QStringList{choice.voice, QString::number(choice.rate), QString::number(choice.pitch),
                           QString::number(choice.pauseMs)}
            .join('|');
    }
    // The voice, rate and pitch the engine was told last: "voice rate pitch".
    QString engineState() const
    {
        QString voice, rate, pitch;
        for (const QString &line :
             QString::fromUtf8(testsupport::readFile(m_config.filePath("motor.txt"))).split('\n')) {
            const QString value = line.section(' ', 1);
            if (line.startsWith("voz "))
                voice = value;
            else if (line.startsWith("velocidad "))
                rate = value;
            else if (line.startsWith("tono "))
                pitch = value;
        }
        return QStringList{voice, rate, pitch}.join(' ');
    }

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
    QTemporaryDir m_config;
};

QTEST_MAIN(TestReadAloud)
#include "tst_readaloud.moc"
