#include "FakeDesktop.h"
#include "TestSupport.h"
#include "platform/BeepQueue.h"
#include "platform/DesignUnits.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace parlanza;

namespace {

// Every group holds one usable premise, so speeches are known in advance; base 03 cannot compose.
const QStringList kBases =
    QStringLiteral(
        "DD001002001|Primera base\nSeñoras y señores\n\n\n\nla patria os contempla.\nDD002002|Segunda base\n"
        "Nada más que añadir.\nDD003003002|Sin premisas\nprimera premisa\notra premisa\n\n\n\nab\nno")
        .split(u'\n');
const QString kFirstSpeech = QStringLiteral("Señoras y señores ...\nla patria os contempla. ...\n");

// Beeps that queue as the program's sound does; each one, instead of sounding, notes when it would and
// whether it belongs to the last tick that asked for beeps (ticks are told apart by the number of speeches
// composed).
class QueuedBeeper final : public Beeper
{
public:
    explicit QueuedBeeper(const qint64 &speeches) : m_speeches(speeches) { clock.start(); }
    void beep() override
    {
        queue.add();
        m_waiting.append(m_speeches);
        m_lastTick = m_speeches;
    }
    void silence() override
    {
        queue.drop();
        m_waiting.clear();
    }
    int soundingMs() const override { return queue.soundingMs(); }

    QElapsedTimer clock;
    QList<qint64> sounded;
    int late = 0; // beeps of a tick that sounded after a later tick's were asked for
    BeepQueue queue{[this] {
        sounded.append(clock.elapsed());
        if (m_waiting.takeFirst() != m_lastTick)
            ++late;
    }};

private:
    const qint64 &m_speeches;
    QList<qint64> m_waiting;
    qint64 m_lastTick = -1;
};

} // namespace

class TestDialogo : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFakes> m_fakes;
    std::unique_ptr<dialogo> m_window;

    void open()
    {
        m_window = std::make_unique<dialogo>(m_fakes->services());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void trigger(const char *menu) const { control<QAction>(menu)->trigger(); }
    QString text(const char *label) const { return control<QLabel>(label)->text(); }
    int historyRows() const { return control<QListWidget>("List2")->count(); }
    QPoint inWindow(QWidget *widget, QPoint at) const { return widget->mapTo(m_window.get(), at); }

    // Runs user actions, blank-separated: a control's name clicks it and a menu item's name triggers it;
    // "tick" runs the timer once; "space" presses SPACE in the window; "rowN" clicks row N of the list of
    // bases; "focus:X" gives X the focus as TAB does; "down" presses the down arrow in the focused control;
    // "edge:X" clicks button X by its left edge, which lies over a label; "dclick:X" double-clicks X; "-"
    // does nothing. "*N" after an action repeats it N times.
    void play(const QString &script)
    {
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"-")
                continue;
            const QString action = step.section(u'*', 0, 0);
            const QString name = action.section(u':', 1);
            for (int i = step.contains(u'*') ? step.section(u'*', 1).toInt() : 1; i > 0; --i) {
                if (action == u"tick")
                    m_window->Timer1_Timer();
                else if (action == u"space")
                    QTest::keyClick(m_window->windowHandle(), Qt::Key_Space);
                else if (action == u"down")
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                else if (action.startsWith(u"row")) {
                    auto *bases = control<QListWidget>("List3");
                    const QRect place = bases->visualItemRect(bases->item(action.mid(3).toInt()));
                    QTest::mouseClick(bases->viewport(), Qt::LeftButton, {}, place.center());
                } else if (action.startsWith(u"focus:"))
                    control(name)->setFocus(Qt::TabFocusReason);
                else if (action.startsWith(u"edge:"))
                    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                                      inWindow(control(name), QPoint(1, control(name)->height() / 2)));
                else if (action.startsWith(u"dclick:"))
                    QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {},
                                       inWindow(control(name), control(name)->rect().center()));
                else if (auto *menu = m_window->findChild<QAction *>(action))
                    menu->trigger();
                else
                    QTest::mouseClick(control(action), Qt::LeftButton);
            }
        }
    }
    // What the window shows, in one line: counter, mode, pause and the timer's interval, the larger-font
    // button's caption, the speech's height in pixels, the lists and bar shown; then the beeps, message boxes
    // and history rows so far.
    QString shown() const
    {
        QStringList visible;
        for (const char *name : {"List2", "List3", "Frame1"}) {
            if (control(name)->isVisible())
                visible.append(name);
        }
        return QStringList{text("Label4"),
                           text("Label5"),
                           text("Label7").replace(QLocale::system().decimalPoint(), QStringLiteral(".")),
                           QStringLiteral("%1 ms").arg(control<QTimer>("Timer1")->interval()),
                           control<QPushButton>("Command9")->text(),
                           QString::number(control("Label3")->height()),
                           visible.join(u','),
                           QStringLiteral("pitidos %1").arg(m_fakes->beeper.beeps),
                           QStringLiteral("avisos %1").arg(m_fakes->messages.shown.size()),
                           QStringLiteral("filas %1").arg(historyRows())}
            .join(QStringLiteral("; "));
    }

private slots:
    void init()
    {
        m_fakes = std::make_unique<WindowFakes>();
        testsupport::writeFile(m_fakes->dir.filePath("dialogo.soy"), testsupport::soyBytes(kBases));
        open();
    }
    void cleanup()
    {
        m_window.reset();
        m_fakes.reset();
    }

    void actions_data()
    {
        testsupport::table("mainwindow/dialogo-acciones.txt", {"script", "expected", "speech"});
    }
    void actions()
    {
        const auto [script, expected, speech] = testsupport::fetch({"script", "expected", "speech"});
        play(script);
        QCOMPARE(shown(), expected);
        if (speech != u"-")
            QCOMPARE(text("Label3"), speech);
        if (script.contains(u"Command8") || script.contains(u"Command9"))
            QCOMPARE(QApplication::focusWidget(), control("Command1"));
    }

    void startUpState()
    {
        QCOMPARE(m_window->frameGeometry(), twipsRect(10, 10, 12200, 7630));
        QVERIFY(text("Label2").startsWith(u"       ******  PARLANZA    ******   Primera base\n"));
        QCOMPARE(control<QListWidget>("List1")->count(), 6);
        QVERIFY(control<QTimer>("Timer1")->isActive() && !control("List1")->isVisible());
        QCOMPARE(QApplication::focusWidget(), control("Command1"));
        // The history shows each entry on one row.
        play("Command1");
        QCOMPARE(control<QListWidget>("List2")->item(1)->text(),
                 QStringLiteral("  2 Señoras y señores ... la patria os contempla. ... "));
    }

    void missingFileIsReportedOncePerFailure()
    {
        QFile::remove(m_fakes->dir.filePath("dialogo.soy"));
        m_fakes->messages.shown.clear();
        open();
        // The count, the list of bases and the selection each fail, and each says so once.
        const QStringList &shown = m_fakes->messages.shown;
        QVERIFY2(shown.size() == 3 && shown[0].startsWith(u"No se encuentra el archivo") &&
                     shown[1] == shown[0] && shown[2].startsWith(u"La lista de bases está vacía"),
                 qPrintable(shown.join(u'\n')));
        QCOMPARE(text("Label3"), QString());
    }

    void baseListFollowsTheFile()
    {
        // Same number of bases and same first header: only a later header changes.
        QStringList edited = kBases;
        edited[6] = QStringLiteral("DD002002|Segunda base, corregida");
        testsupport::writeFile(m_fakes->dir.filePath("dialogo.soy"), testsupport::soyBytes(edited));
        play("mnuPI");
        QCOMPARE(control<QListWidget>("List3")->item(1)->text(), edited[6]);
    }

    void spaceGivesOneSpeechPerPress()
    {
        // A held key repeats press and release events marked as repeats; they give nothing more.
        // Press, then five repeated releases and presses, then the last release.
        for (int i = 0; i < 12; ++i) {
            QKeyEvent key(i % 2 ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier,
                          QStringLiteral(" "), i > 0 && i < 11);
            QApplication::sendEvent(control("Command1"), &key);
        }
        QCOMPARE(text("Label4"), QStringLiteral("Nº:  2"));
    }

    void historyListFollowsOnlyFromItsEnd()
    {
        play("mnuvisua Label5");
        QScrollBar *scroll = control<QListWidget>("List2")->verticalScrollBar();
        while (scroll->maximum() == 0)
            m_window->Timer1_Timer();
        QCOMPARE(scroll->value(), scroll->maximum());
        scroll->setValue(0);
        m_window->Timer1_Timer();
        QCOMPARE(scroll->value(), 0);
        scroll->setValue(scroll->maximum());
        m_window->Timer1_Timer();
        QCOMPARE(scroll->value(), scroll->maximum());
    }

    void historyFile()
    {
        play("mnuPsgd Command1 mnuImpri");
        // The record's own form is checked with the export; here, that it lands beside the data with the
        // date.
        const QString path = m_fakes->dir.filePath("Lhistorial.TXT");
        const QByteArray record = testsupport::readFile(path);
        QVERIFY(record.startsWith("-----") && record.contains("generado.    06/12/2026\r\n"));
        QVERIFY(record.contains("\r\n      2 Se\xF1oras y se\xF1ores la patria os contempla.  ....\r\n"));
        QVERIFY(m_fakes->messages.shown.isEmpty());
        // A folder where the file should be: the export fails with a message and writes nothing.
        QVERIFY(QFile::remove(path) && QDir(m_fakes->dir.path()).mkdir("Lhistorial.TXT"));
        trigger("mnuImpri");
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY2(m_fakes->messages.shown[0].contains(u"Lhistorial.TXT"),
                 qPrintable(m_fakes->messages.shown[0]));
    }

    void noBoxOverAnOpenBox()
    {
        // A tick fails while its box is open; an export into a folder fails meanwhile: one box only.
        play("mnuPI row2 Label5");
        QVERIFY(QDir(m_fakes->dir.path()).mkdir("Lhistorial.TXT"));
        m_fakes->messages.holdMs = 50;
        QTimer::singleShot(10, this, [this] { trigger("mnuImpri"); });
        play("tick");
        QCOMPARE(m_fakes->messages.shown.size(), 3);
    }

    void titleAndCreditsFromTheExecutable()
    {
        // Without the executable beside its data the title has no version and the credits show nothing.
        QCOMPARE(m_window->windowTitle(), dialogo::designTitle() + QStringLiteral("         Ver.: "));
        trigger("mnucreditos");
        QVERIFY(!m_window->findChild<QDialog *>(QStringLiteral("propiedades")));
        // The program's own executable, under the name this test runs as, beside the data files.
        const QString copy =
            m_fakes->dir.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QVERIFY(QFile::copy(QStringLiteral(PARLANZA_BIN_DIR "/parlanza"), copy));
        for (int run = 0; run < 2; ++run) {
            trigger("mnudiscurso");
            QCOMPARE(m_window->windowTitle(),
                     dialogo::designTitle() + QStringLiteral("         Ver.: 0.00.0021"));
        }
        trigger("mnucreditos");
        auto *sheet = m_window->findChild<QDialog *>(QStringLiteral("propiedades"));
        QVERIFY(sheet && sheet->isVisible() && !sheet->isModal());
        // The sheet speaks Spanish: the file's type, and its dates whatever the desktop's language.
        QStringList texts;
        for (const QLabel *label : sheet->findChildren<QLabel *>())
            texts.append(label->text());
        const QLocale spanish = QLocale::system().language() == QLocale::Spanish
                                    ? QLocale::system()
                                    : QLocale(QLocale::Spanish, QLocale::Spain);
        for (const QString &text : {QStringLiteral("Aplicación"), QStringLiteral("VelarMundo"),
                                    spanish.toString(QFileInfo(copy).lastModified(), QLocale::LongFormat)})
            QVERIFY2(texts.contains(text), qPrintable(texts.join(u'|')));
        QVERIFY(m_fakes->messages.shown.isEmpty());
    }

    void beepsKeepPaceWithTheSpeeches_data()
    {
        testsupport::columns<QString>({"start", "leave"});
        QTest::addColumn<int>("runMs");
        testsupport::row("shortest pause, back to manual by the next-speech button", "Command3*7 tick Label5",
                         "Command1", 1000);
        testsupport::row("shortest pause, back to manual by the mode label", "Command3*7 tick Label5",
                         "Label5", 1000);
        testsupport::row("shortest pause, Inicia Discursos", "Command3*7 tick Label5", "mnudiscurso", 1000);
        testsupport::row("shortest pause, Salir", "Command3*7 tick Label5", "mnuSalir", 1000);
        testsupport::row("default pause: three beeps a tick", "Label5", "Command1", 2800);
    }
    void beepsKeepPaceWithTheSpeeches()
    {
        const auto [start, leave] = testsupport::fetch({"start", "leave"});
        QFETCH(int, runMs);
        qint64 speeches = 0;
        QueuedBeeper beeper(speeches);
        dialogo::Services services = m_fakes->services();
        services.beeper = &beeper;
        m_window = std::make_unique<dialogo>(services);
        connect(m_window->findChild<QTimer *>("Timer1"), &QTimer::timeout, this,
                [&] { speeches = m_window->core().state.speechCount; });
        m_window->show();
        play(start);
        QTest::qWait(runMs); // the window's own timer ticks
        const int ticks =
            m_window->core().state.speechCount - 2; // past the first speech and the mode label's
        play(leave);
        const qint64 left = beeper.clock.elapsed();
        QTest::qWait(2 * BeepQueue::kSpacingMs);
        QVERIFY(ticks >= 1);
        QVERIFY2(beeper.sounded.isEmpty() || beeper.sounded.last() <= left,
                 qPrintable(QStringLiteral("%1 ms after manual mode").arg(beeper.sounded.last() - left)));
        QCOMPARE(beeper.late, 0);
        // Each beep on its own (a late timer shortens the next gap a little).
        for (qsizetype i = 1; i < beeper.sounded.size(); ++i)
            QVERIFY(beeper.sounded[i] - beeper.sounded[i - 1] >= BeepQueue::kSpacingMs - 50);
        // Every tick's three beeps when the pause leaves room for them; never more than one every 250 ms.
        if (runMs > 2000)
            QCOMPARE(beeper.sounded.size(), 3 * ticks);
        else
            QVERIFY(beeper.sounded.size() <= runMs / BeepQueue::kSpacingMs + 1 &&
                    beeper.sounded.size() >= runMs / BeepQueue::kSpacingMs / 2);
        m_window.reset();
    }

    void automaticModeToTheLastSpeechAndPast()
    {
        play("Label5");
        // Ticks driven directly: the run takes seconds, not the hour that 100 ms pauses would.
        while (m_window->core().state.speechCount < 32767)
            m_window->Timer1_Timer();
        QCOMPARE(text("Label4"), QStringLiteral("Nº:  32767"));
        QVERIFY(m_fakes->messages.shown.isEmpty());
        play("tick*3");
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(m_fakes->messages.shown[0].startsWith(u"Desbordamiento"));
        QCOMPARE(historyRows(), 32767);
        trigger("mnuImpri");
        QCOMPARE(testsupport::readFile(m_fakes->dir.filePath("Lhistorial.TXT")).count("\r\n ....\r\n"),
                 32767);
    }
};

QTEST_MAIN(TestDialogo)
#include "tst_dialogo.moc"
