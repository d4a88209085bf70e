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
#include <QSlider>
#include <QTest>
#include <QTimer>
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
        testsupport::writeFile(
            m_fakes.dir.filePath("dialogo.soy"),
            testsupport::soyBytes({"DD001002001|Primera base", "Señoras y señores", "",
                                   "Señoras y señores la", "", "la patria os contempla."}));
    }
    void init()
    {
        QFile::remove(VoiceSettings::defaultPath());
        QFile::remove(m_config.filePath("motor.txt"));
        m_fakes.beeper = CountingBeeper();
        m_heard = {};
    }
    // Each step is one for act(), or "tick", a tick of automatic mode. With a problem, the engine has no
    // Spanish voice or there is none.
    void whatIsReadAndWhen_data()
    {
        testsupport::columns<QString>({"steps", "problem"});
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<int>("gap"); // the least time between phrases said, in ms
        const int paused = kLeastGap + VoiceChoice::kOriginPauseMs;
        const QString none;
        row("the speech on display, a phrase per premise", "leerEnVozAlta", none, kSpeech, paused);
        // "Señoras y señores la", a line between the groups, starts the run-on speech too but leads nowhere.
        row("run-on premises read one by one", "mnuPsgd Command1 leerEnVozAlta", none, kSpeech, paused);
        row("a speech shown again by the step-back button", "Command1 Command4 leerEnVozAlta", none, kSpeech,
            paused);
        row("the chosen history entry", "Command1 mnuvisua List2=* leerEnVozAlta", none, kSpeech, paused);
        row("a new reading cuts the one in progress", "leerEnVozAlta 1 leerEnVozAlta", none,
            kSpeech.mid(0, 1) + kSpeech, 0);
        row("Callar stops the reading", "leerEnVozAlta 1 callar", none, kSpeech.mid(0, 1), 0);
        row("every new speech of automatic mode, after its beeps", "leerCadaDiscurso Label5 2 tick", none,
            kSpeech + kSpeech, 0);
        row("each new speech, the one the step-back button shows too, in the program's voice alone",
            "leerCadaDiscurso Command1 2 Command4", none, kSpeech + kSpeech, 0);
        row("no speech service: disabled, saying what to install", "leerEnVozAlta",
            Declaimer::missingServiceText(), QStringList(), 0);
        row("no Spanish voice: disabled, saying what to install", "leerEnVozAlta",
            Declaimer::missingVoiceText(), QStringList(), 0);
    }
    void whatIsReadAndWhen()
    {
        const auto [steps, problem] = testsupport::fetch({"steps", "problem"});
        QFETCH(QStringList, said);
        QFETCH(int, gap);
        if (problem == Declaimer::missingVoiceText())
            qputenv("PARLANZA_PRUEBA_SIN_ESPANOL", "1");
        Voice voice(problem == Declaimer::missingServiceText() ? "ninguno" : "parlanzaprueba");
        std::unique_ptr<dialogo> window = open(voice);
        QTRY_VERIFY(voice.isPrepared());
        qunsetenv("PARLANZA_PRUEBA_SIN_ESPANOL");
        int announced = 0;
        connect(window->findChild<Announcer *>(), &Announcer::announced, this, [&] { ++announced; });
        QTRY_COMPARE(announced, 1); // the first speech
        announced = 0;
        for (const QString &step : steps.split(' ')) {
            if (step == "tick")
                window->Timer1_Timer();
            else if (step == "Label5")
                window->Label5_Click();
            else
                act(window.get(), step);
        }
        compareSaid(said, gap);
        QCOMPARE(m_fakes.beeper.beeps, steps.contains("tick") ? 3 : 0);
        // The screen reader does not speak over the program's own voice.
        if (steps.contains("leerCadaDiscurso"))
            QCOMPARE(announced, 0);
        for (const char *name : {"leerEnVozAlta", "leerCadaDiscurso", "callar", "vozDeLectura", "sinVoz"}) {
            const QAction *item = window->findChild<QAction *>(name);
            QVERIFY(window->findChild<QWidget *>("Label3")->actions().contains(item) &&
                    window->findChild<QWidget *>("List2")->actions().contains(item));
            QCOMPARE(item->isEnabled(), problem.isEmpty() && item->objectName() != "sinVoz");
        }
        const QAction *hint = window->findChild<QAction *>("sinVoz");
        QCOMPARE(hint->isVisible() ? hint->text() : QString(), problem);
    }

    // Steps in "Voz de lectura" as for act(), or "bloquear", putting a file where the configuration folder
    // goes, and "problema", seeing the dialog say so; only the last step closes the dialog. A choice is
    // written "voice|rate|pitch|pauseMs" ("-": no settings file); the engine's state "voice rate pitch".
    void choiceReachesTheEngine_data()
    {
        testsupport::columns<QString>({"saved", "kept", "engine", "steps"});
        QTest::addColumn<QStringList>("said"); // while the dialog is open
        const QStringList none;
        row("nothing saved: the program's own declamation", "-", "-", "prueba -25 -30", "cancelar", none);
        row("a choice kept reaches the engine exactly, up to the extremes", "-", "prueba+Adam|29|-100|2000",
            "prueba+Adam 29 -100", "voces=prueba+Adam velocidad=29 tono=-100 pausa=2 aceptar", none);
        row("the default voice kept as none, so it follows the service", "latina|0|0|200", "|100|0|200",
            "prueba 100 0", "voces=prueba velocidad=100 aceptar", none);
        row("a saved choice read on opening; Probar reads a sample as the controls stand, Cancelar undoes it",
            "latina|12|-7|700", "latina|12|-7|700", "latina 12 -7", "voces=prueba tono=50 probar 2 cancelar",
            VoiceDialog::samplePhrases());
        row("Valores de origen", "latina|12|-7|700", "|-25|-30|400", "prueba -25 -30",
            "valoresDeOrigen aceptar", none);
        row("a saved voice no longer installed: the default one, silently", "ausente|10|20|300",
            "ausente|10|20|300", "prueba 10 20", "cancelar", none);
        row("a choice that cannot be kept says why, changes nothing and leaves the dialog open", "-", "-",
            "prueba -25 -30", "velocidad=10 bloquear aceptar problema cancelar", none);
    }
    void choiceReachesTheEngine()
    {
        const auto [saved, kept, engine, steps] = testsupport::fetch({"saved", "kept", "engine", "steps"});
        QFETCH(QStringList, said);
        if (const QStringList values = saved.split('|'); values.size() == 4)
            VoiceSettings::save({values[0], values[1].toInt(), values[2].toInt(), values[3].toInt()});
        Voice voice(QStringLiteral("parlanzaprueba"));
        std::unique_ptr<dialogo> window = open(voice);
        QTRY_VERIFY(voice.isPrepared());
        window->findChild<QAction *>("vozDeLectura")->trigger();
        auto *dialog = window->findChild<VoiceDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        // Its title, the voices on offer with their languages, and the controls' accessible names.
        QStringList shown{dialog->windowTitle()};
        for (const QListWidgetItem *item :
             dialog->findChild<QListWidget *>("voces")->findItems("*", Qt::MatchWildcard))
            shown.append(item->text() + ": " + item->toolTip());
        for (const char *name : {"voces", "velocidad", "tono", "pausa"})
            shown.append(dialog->findChild<QWidget *>(name)->accessibleName());
        QCOMPARE(shown, QStringList({"Voz de lectura", "latina: español (Latinoamérica)",
                                     "prueba: español (España)", "prueba+Adam: español (España)", "Voz",
                                     "Velocidad", "Tono", "Pausa entre premisas"}));
        const QString blocker = m_config.filePath("bloqueo");
        const QStringList stepList = steps.split(' ');
        for (const QString &step : stepList) {
            if (step == "bloquear") {
                qputenv("XDG_CONFIG_HOME", testsupport::writeFile(blocker, "x").toUtf8());
            } else if (step == "problema") {
                qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
                const auto *problem = dialog->findChild<QLabel *>("problema");
                QVERIFY2(problem->isVisible() &&
                             problem->text().contains(Failure::quoted(blocker + "/VelarMundo")),
                         qPrintable(problem->text()));
            } else {
                act(dialog, step);
            }
            QVERIFY(step == stepList.last() || dialog->isVisible());
        }
        QTRY_VERIFY(!window->findChild<VoiceDialog *>());
        compareSaid(said, 0);
        QCOMPARE(readChoice(), kept);
        QCOMPARE(m_fakes.messages.shown, QStringList());
        // What the dialog leaves behind is what reads from now on.
        QTRY_COMPARE(engineState(), engine);
        window->findChild<QAction *>("leerEnVozAlta")->trigger();
        compareSaid(kSpeech, kLeastGap + VoiceSettings::load().pauseMs);
    }

private:
    inline static const QStringList kSpeech = {"Señoras y señores", "la patria os contempla."};
    // The test engine sounds a phrase 50 ms. Phrases are timed when the window's thread takes them, so a late
    // one shortens the next gap: 100 ms of room for a busy machine still tell a pause from none.
    static constexpr int kLeastGap = 50 - 100;

    // A number waits until that many phrases were heard; "name=value" sets the list (its first item matching
    // the wildcard value), slider or spin box of that name within parent; a name alone clicks the button or
    // triggers the action so named.
    void act(QWidget *parent, const QString &step)
    {
        const QString name = step.section('=', 0, 0);
        const QString value = step.section('=', 1);
        if (const int count = step.toInt(); count > 0)
            QTRY_VERIFY_WITH_TIMEOUT(m_heard.phrases.size() >= count, 5000);
        else if (auto *list = parent->findChild<QListWidget *>(name))
            list->setCurrentItem(list->findItems(value, Qt::MatchWildcard).value(0));
        else if (auto *slider = parent->findChild<QSlider *>(name))
            slider->setValue(value.toInt());
        else if (auto *spin = parent->findChild<QDoubleSpinBox *>(name))
            spin->setValue(value.toDouble());
        else if (auto *button = parent->findChild<QPushButton *>(name))
            button->click();
        else
            parent->findChild<QAction *>(name)->trigger();
    }
    // The phrases said, nothing after them and at least gap ms between them; then none heard yet.
    void compareSaid(const QStringList &said, int gap)
    {
        QTRY_COMPARE_WITH_TIMEOUT(m_heard.phrases.size(), said.size(), 8000);
        QTest::qWait(VoiceChoice::kOriginPauseMs + 300);
        const Heard heard = std::exchange(m_heard, {});
        QCOMPARE(heard.phrases, said);
        for (qsizetype i = 1; i < heard.times.size(); ++i)
            QVERIFY2(heard.times[i] - heard.times[i - 1] >= gap,
                     qPrintable(QString::number(heard.times[i] - heard.times[i - 1])));
    }
    static QString readChoice()
    {
        const VoiceChoice c = VoiceSettings::load();
        return QFile::exists(VoiceSettings::defaultPath())
                   ? QStringLiteral("%1|%2|%3|%4").arg(c.voice).arg(c.rate).arg(c.pitch).arg(c.pauseMs)
                   : "-";
    }
    // The voice, rate and pitch the engine was told last.
    QString engineState() const
    {
        std::map<QString, QString> last;
        for (const QString &line :
             QString::fromUtf8(testsupport::readFile(m_config.filePath("motor.txt"))).split('\n'))
            last[line.section(' ', 0, 0)] = line.section(' ', 1);
        return QStringList{last["voz"], last["velocidad"], last["tono"]}.join(' ');
    }
    // The window on a base of two premises, with the voice being prepared and what it says timed.
    std::unique_ptr<dialogo> open(Voice &voice)
    {
        voice.prepare();
        connect(&voice, &Voice::saying, this, [this](const QString &phrase) {
            m_heard.phrases.append(phrase);
            m_heard.times.append(m_clock.elapsed());
        });
        m_clock.start();
        auto window = std::make_unique<dialogo>(m_fakes.services());
        window->attachVoice(voice);
        window->findChild<QTimer *>("Timer1")->stop(); // the test ticks by itself
        window->show();
        return window;
    }

    struct Heard
    {
        QStringList phrases;
        QList<qint64> times; // ms since the window opened
    };
    WindowFakes m_fakes;
    QTemporaryDir m_config;
    Heard m_heard;
    QElapsedTimer m_clock;
};

QTEST_MAIN(TestReadAloud)
#include "tst_readaloud.moc"
