#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/RandomSource.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace parlanza;
using testsupport::row;

namespace {

// Every group holds one usable premise, so speeches are known in advance; base 03 cannot compose.
const QStringList kBases = testsupport::textLines(
    "DD001002001|Primera base\nSeñoras y señores\n\n\n\nla patria os contempla.\nDD002002|Segunda base\n"
    "Nada más que añadir.\nDD003003002|Sin premisas\nprimera premisa\notra premisa\n\n\n\nab\nno");
const QString kFirstSpeech = QStringLiteral("Señoras y señores ...\nla patria os contempla. ...\n");

QString pause(const char *seconds)
{
    return QString::fromLatin1(seconds).replace(u'.', QLocale::system().decimalPoint()) +
           QStringLiteral(" sg");
}

} // namespace

class TestDialogo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock{0.0f, QStringLiteral("06/12/2026")};
    std::unique_ptr<UniformRandom> m_random;
    FakeMessageBoxes m_messages;
    CountingBeeper m_beeper;
    NoPrinters m_printers;
    std::unique_ptr<dialogo> m_window;

    void open()
    {
        m_window = std::make_unique<dialogo>(
            dialogo::Services{&m_clock, m_random.get(), &m_messages, &m_beeper, &m_printers, m_dir.path()});
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
    void click(const char *name) const { QTest::mouseClick(control(name), Qt::LeftButton); }
    void clickRow(int row) const
    {
        auto *bases = control<QListWidget>("List3");
        QTest::mouseClick(bases->viewport(), Qt::LeftButton, {},
                          bases->visualItemRect(bases->item(row)).center());
    }
    QString text(const char *label) const { return control<QLabel>(label)->text(); }
    QString speech() const { return text("Label3"); }
    QString counter() const { return text("Label4"); }
    int historyRows() const { return control<QListWidget>("List2")->count(); }

private slots:
    void init()
    {
        m_messages = FakeMessageBoxes();
        m_beeper = CountingBeeper();
        m_random = std::make_unique<UniformRandom>(5);
        testsupport::writeFile(m_dir.filePath("dialogo.soy"), testsupport::soyBytes(kBases));
        open();
    }
    void cleanup()
    {
        m_window.reset();
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void startUpState()
    {
        QCOMPARE(m_window->frameGeometry(), twipsRect(10, 10, 12200, 7630));
        QCOMPARE(m_window->windowTitle(), dialogo::designTitle() + QStringLiteral("         Ver.: "));
        QVERIFY(text("Label2").startsWith(u"       ******  PARLANZA    ******   Primera base\n"));
        QCOMPARE(text("Label5"), QStringLiteral("Manual"));
        QCOMPARE(control("Label5")->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(control("Label3")->font().pointSizeF(), 14.0);
        QCOMPARE(text("Label7"), pause("2.0"));
        QVERIFY(control("Frame1")->isVisible() && !control("List2")->isVisible());
        QVERIFY(!control("List3")->isVisible() && !control("List1")->isVisible());
        QCOMPARE(historyRows(), 1);
        QCOMPARE(control<QListWidget>("List1")->count(), 6);
        QCOMPARE(control<QTimer>("Timer1")->interval(), 2000);
        QVERIFY(control<QTimer>("Timer1")->isActive());
        QCOMPARE(QApplication::focusWidget(), control("Command1"));
        QVERIFY(m_messages.shown.isEmpty());
    }

    void menuBarAsDesigned()
    {
        QStringList captions;
        for (QAction *action : m_window->menuBar()->actions() + control<QMenu>("mnuHerra")->actions()) {
            captions.append(action->text());
            QVERIFY(!action->isCheckable() && action->shortcut().isEmpty());
        }
        QCOMPARE(captions,
                 QStringList({"Inicia Discursos     ", "Base Discursos        ", "Herramientas       ",
                              "Creditos           ", "Ayuda           ", "Salir       ", "Visualiza     ",
                              "Pasa a File", "Premisas seguidas", "Premisas separadas ..."}));
    }

    void restartReturnsToDefaults_data()
    {
        QTest::addColumn<QString>("before");
        row("from automatic mode", "Label5");
        row("from the history layout", "mnuvisua");
        row("with the list of bases shown", "mnuPI");
        row("after premises run on", "mnuPsgd");
        row("after a longer pause and a tick", "Command2");
    }
    void restartReturnsToDefaults()
    {
        QFETCH(QString, before);
        if (auto *action = m_window->findChild<QAction *>(before))
            action->trigger();
        else
            QTest::mouseClick(control(before), Qt::LeftButton);
        m_window->Timer1_Timer();
        click("Command1");
        trigger("mnudiscurso");
        startUpState();
        QCOMPARE(speech(), kFirstSpeech);
        QCOMPARE(counter(), QStringLiteral("Nº:  1"));
    }

    void missingFileIsReportedOncePerFailure()
    {
        QFile::remove(m_dir.filePath("dialogo.soy"));
        m_messages.shown.clear();
        open();
        // The count, the list of bases and the selection each fail, and each says so once.
        QCOMPARE(m_messages.shown.size(), 3);
        QVERIFY2(m_messages.shown[0].startsWith(u"No se encuentra el archivo"),
                 qPrintable(m_messages.shown[0]));
        QCOMPARE(m_messages.shown[1], m_messages.shown[0]);
        QVERIFY(m_messages.shown[2].startsWith(u"La lista de bases está vacía"));
        QCOMPARE(speech(), QString());
    }

    void baseListShowsLoadsAndFollowsTheFile()
    {
        // Same number of bases and same first header: only a later header changes.
        QStringList edited = kBases;
        edited[6] = QStringLiteral("DD002002|Segunda base, corregida");
        testsupport::writeFile(m_dir.filePath("dialogo.soy"), testsupport::soyBytes(edited));
        trigger("mnuPI");
        auto *bases = control<QListWidget>("List3");
        QVERIFY(bases->isVisible() && bases->count() == 3);
        QCOMPARE(bases->item(1)->text(), edited[6]);
        clickRow(1);
        QVERIFY(!bases->isVisible());
        QVERIFY(text("Label2").contains(u"Segunda base, corregida\n"));
        QCOMPARE(speech(), QStringLiteral("Nada más que añadir. ...\n"));
        QCOMPARE(counter(), QStringLiteral("Nº:  2"));
        trigger("mnuPI");
        trigger("mnuPI");
        QVERIFY(!bases->isVisible());
    }

    void baseListFromTheKeyboard()
    {
        // The focus arriving in the list makes an entry current without picking it; a key that moves picks.
        trigger("mnuPI");
        auto *bases = control<QListWidget>("List3");
        bases->setFocus(Qt::TabFocusReason);
        QVERIFY(bases->isVisible());
        QCOMPARE(counter(), QStringLiteral("Nº:  1"));
        QTest::keyClick(bases, Qt::Key_Down);
        QVERIFY(!bases->isVisible());
        QCOMPARE(counter(), QStringLiteral("Nº:  2"));
    }

    void buttonEdgesOverLabelsBelongToTheButtons()
    {
        // The mode label reaches under "<<" and the pause label under the shorter-pause button; clicks there,
        // through the window as the pointer gives them, go to the buttons.
        const auto clickAt = [this](QWidget *button, QWidget *label) {
            const QPoint edge = button->geometry().topLeft() + QPoint(1, button->height() / 2);
            QVERIFY(label->geometry().contains(edge));
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                              button->parentWidget()->mapTo(m_window.get(), edge));
        };
        clickAt(control("Command8"), control("Label5"));
        QCOMPARE(text("Label5"), QStringLiteral("Manual"));
        QCOMPARE(control<QPushButton>("Command8")->text(), QStringLiteral("<< 13"));
        clickAt(control("Command3"), control("Label7"));
        QCOMPARE(text("Label7"), pause("1.7"));
    }

    void spaceWorksAgainAfterTheHistory()
    {
        // SPACE through the window reaches whatever has the focus.
        trigger("mnuvisua");
        QVERIFY(control("List2")->isVisible() && !control("Frame1")->isVisible());
        trigger("mnuvisua");
        QVERIFY(!control("List2")->isVisible() && control("Frame1")->isVisible());
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Space);
        QCOMPARE(counter(), QStringLiteral("Nº:  2"));
        trigger("mnuvisua");
        trigger("mnudiscurso");
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Space);
        QCOMPARE(counter(), QStringLiteral("Nº:  2"));
    }

    void pauseSeriesAtBothEnds()
    {
        QStringList down;
        for (int i = 0; i < 8; ++i) {
            click("Command3");
            down.append(text("Label7"));
        }
        QCOMPARE(down, QStringList({pause("1.7"), pause("1.4"), pause("1.1"), pause("0.8"), pause("0.5"),
                                    pause("0.2"), pause("0.1"), pause("0.1")}));
        click("Command2");
        QCOMPARE(text("Label7"), pause("0.4"));
        for (int i = 0; i < 110; ++i)
            click("Command2");
        QCOMPARE(text("Label7"), pause("30.0"));
        // The interval in force runs out first; the new pause takes over at the next tick.
        QCOMPARE(control<QTimer>("Timer1")->interval(), 2000);
        m_window->Timer1_Timer();
        QCOMPARE(control<QTimer>("Timer1")->interval(), 30000);
    }

    void ticksComposeOnlyInAutomaticMode()
    {
        m_window->Timer1_Timer();
        QVERIFY(m_beeper.beeps == 0 && counter() == QStringLiteral("Nº:  1"));
        click("Label5");
        QCOMPARE(text("Label5"), QStringLiteral("Auto"));
        QCOMPARE(control("Label5")->palette().color(QPalette::Window), QColor(255, 0, 0));
        QVERIFY(m_beeper.beeps == 0 && counter() == QStringLiteral("Nº:  2"));
        m_window->Timer1_Timer();
        QVERIFY(m_beeper.beeps == 3 && counter() == QStringLiteral("Nº:  3"));
        click("Command1");
        QCOMPARE(text("Label5"), QStringLiteral("Manual"));
        QVERIFY(m_beeper.beeps == 3 && counter() == QStringLiteral("Nº:  4"));
    }

    void doubleClickOnTheModeLabelIsOneClick()
    {
        // Through the window, so the platform makes the real sequence: press, release, press, double click,
        // release.
        QWidget *label = control("Label5");
        QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {},
                           label->mapTo(m_window.get(), label->rect().center()));
        QCOMPARE(text("Label5"), QStringLiteral("Auto"));
        QCOMPARE(counter(), QStringLiteral("Nº:  2"));
    }

    void spaceGivesOneSpeechPerPress()
    {
        QWidget *button = control("Command1");
        QVERIFY(button->hasFocus());
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(counter(), QStringLiteral("Nº:  2"));
        // A held key repeats press and release events marked as repeats; they give nothing more.
        const auto send = [button](QEvent::Type type, bool repeat) {
            QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
            QApplication::sendEvent(button, &key);
        };
        send(QEvent::KeyPress, false);
        for (int i = 0; i < 5; ++i) {
            send(QEvent::KeyRelease, true);
            send(QEvent::KeyPress, true);
        }
        send(QEvent::KeyRelease, false);
        QCOMPARE(counter(), QStringLiteral("Nº:  3"));
    }

    void ticksGoOnBehindModalWindows()
    {
        for (int i = 0; i < 7; ++i)
            click("Command3");
        click("Label5");
        m_window->Timer1_Timer(); // the 100 ms pause takes over
        const int before = historyRows();
        QTimer::singleShot(800, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        trigger("mnuAyuda");
        QVERIFY2(historyRows() >= before + 4, qPrintable(QString::number(historyRows() - before)));
    }

    void stepBackNumbering()
    {
        click("Command4");
        QCOMPARE(counter(), QStringLiteral("Nº:  1"));
        for (int i = 0; i < 9; ++i)
            click("Command1");
        click("Command4");
        click("Command4");
        QCOMPARE(counter(), QStringLiteral("Nº:  8"));
        QCOMPARE(speech(), QStringLiteral("  8 ") + kFirstSpeech + QStringLiteral("...\n"));
        click("Command1");
        QCOMPARE(counter(), QStringLiteral("Nº:  11"));
        click("Command4");
        click("Command4");
        click("Label5");
        QCOMPARE(counter(), QStringLiteral("Nº:  10"));
        auto *history = control<QListWidget>("List2");
        QCOMPARE(history->count(), 12);
        QVERIFY(history->item(9)->text().startsWith(u" 10 "));
        QCOMPARE(history->item(11)->text(),
                 QStringLiteral(" 10 Señoras y señores ... la patria os contempla. ... "));
    }

    void historyListFollowsOnlyFromItsEnd()
    {
        trigger("mnuvisua");
        click("Label5");
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

    void fontSeries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("sizes");
        row("larger wraps above 26 to 4", "Command9", QList<int>{16, 18, 20, 22, 24, 26, 4, 6});
        row("smaller wraps below 2 to 4", "Command8",
            QList<int>{13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 4, 3});
    }
    void fontSeries()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, sizes);
        auto *label = control<QLabel>("Label3");
        for (const int size : sizes) {
            QTest::mouseClick(control(button), Qt::LeftButton);
            QCOMPARE(label->font().pointSizeF(), double(size));
        }
        QCOMPARE(control<QPushButton>("Command9")->text(), QStringLiteral(" %1>>").arg(sizes.last()));
        QCOMPARE(control<QPushButton>("Command8")->text(), QStringLiteral("<< %1").arg(sizes.last()));
        QCOMPARE(label->height(), twips(3215));
        QCOMPARE(QApplication::focusWidget(), control("Command1"));
    }

    void hintsFollowThePointer()
    {
        // Each hinted control puts its own hint (the one it also gives as its description) in the hint area;
        // controls without one leave it in place.
        auto *area = control<QLabel>("Label1");
        QSet<QString> hints;
        for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command8", "Command9",
                                 "Label3", "Label4", "Label5", "Label7"}) {
            QWidget *widget = control(name);
            area->clear();
            QTest::mouseMove(widget, QPoint(3, 3));
            QTest::mouseMove(widget, QPoint(5, 4));
            QCOMPARE(area->text().trimmed(), widget->accessibleDescription());
            hints.insert(area->text());
            for (const char *other : {"Label2", "Label6", "Frame1"})
                QTest::mouseMove(control(other), QPoint(2, 2));
            QVERIFY(hints.contains(area->text()));
        }
        QCOMPARE(hints.size(), 10);
    }

    void separatorsAndTheHistoryFile()
    {
        trigger("mnuPsgd");
        QCOMPARE(speech(), kFirstSpeech);
        click("Command1");
        QCOMPARE(speech(), QStringLiteral("Señoras y señores la patria os contempla. "));
        trigger("mnuImpri");
        trigger("mnuPspd");
        click("Command1");
        QCOMPARE(speech(), kFirstSpeech);
        QFile file(m_dir.filePath("Lhistorial.TXT"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(
            file.readAll(),
            QByteArray("------------------------------------------\r\n"
                       "    Impresi\xF3n del Discurso, previamente generado.    06/12/2026\r\n"
                       "    \r\n"
                       "      1 Se\xF1oras y se\xF1ores ...\r\nla patria os contempla. ...\r\n ....\r\n"
                       "      2 Se\xF1oras y se\xF1ores la patria os contempla.  ....\r\n"
                       "    -------   Parlanza \xA9 VelarMundo  \xB7  www.velarmundo.example   -------\r\n"
                       "\r\n"));
        QVERIFY(m_messages.shown.isEmpty());

        // A folder where the file should be: the export fails with a message and writes nothing.
        file.close();
        QVERIFY(file.remove() && QDir(m_dir.path()).mkdir("Lhistorial.TXT"));
        trigger("mnuImpri");
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY2(m_messages.shown[0].contains(u"Lhistorial.TXT"), qPrintable(m_messages.shown[0]));
    }

    void failuresAreReportedOnce()
    {
        trigger("mnuPI");
        clickRow(2);
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(
            m_messages.shown[0].startsWith(u"La base 03 no tiene ninguna premisa utilizable en el grupo 2"));
        click("Label5");
        QCOMPARE(m_messages.shown.size(), 2);
        // Ticks keep failing behind an open box and after it: one more box in all. Another failure while that
        // box is open (an export into a folder) is not stacked on it.
        QVERIFY(QDir(m_dir.path()).mkdir("Lhistorial.TXT"));
        m_messages.holdMs = 50;
        QTimer::singleShot(10, this, [this] { trigger("mnuImpri"); });
        for (int i = 0; i < 4; ++i)
            m_window->Timer1_Timer();
        QCOMPARE(m_messages.shown.size(), 3);
        QCOMPARE(m_beeper.beeps, 12);
    }

    void exitEndsTheProgram()
    {
        click("Label5");
        trigger("mnuSalir");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(historyRows(), 2);
    }

    void titleAndCreditsFromTheExecutable()
    {
        // Without the executable beside its data the title has no version and the credits show nothing.
        trigger("mnucreditos");
        QVERIFY(!m_window->findChild<QDialog *>(QStringLiteral("propiedades")));

        // The program's own executable, under the name this test runs as, beside the data files.
        const QString copy = m_dir.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QVERIFY(QFile::copy(QStringLiteral(PARLANZA_BIN_DIR "/parlanza"), copy));
        for (int run = 0; run < 2; ++run) {
            trigger("mnudiscurso");
            QCOMPARE(m_window->windowTitle(),
                     dialogo::designTitle() + QStringLiteral("         Ver.: 0.00.0021"));
        }
        trigger("mnucreditos");
        auto *sheet = m_window->findChild<QDialog *>(QStringLiteral("propiedades"));
        QVERIFY(sheet && sheet->isVisible() && !sheet->isModal());
        QVERIFY(m_messages.shown.isEmpty());
    }

    void automaticModeToTheLastSpeechAndPast()
    {
        click("Label5");
        // Ticks driven directly: the run takes seconds, not the hour that 100 ms pauses would.
        while (m_window->core().state.speechCount < 32767)
            m_window->Timer1_Timer();
        QCOMPARE(counter(), QStringLiteral("Nº:  32767"));
        QVERIFY(m_messages.shown.isEmpty());
        for (int i = 0; i < 3; ++i)
            m_window->Timer1_Timer();
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(m_messages.shown[0].startsWith(u"Desbordamiento"));
        QCOMPARE(historyRows(), 32767);

        trigger("mnuImpri");
        QFile file(m_dir.filePath("Lhistorial.TXT"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray record = file.readAll();
        QCOMPARE(record.count("\r\n ....\r\n"), 32767);
        QVERIFY(record.contains("\r\n    32767 Se\xF1oras y se\xF1ores ...\r\n"));
        QCOMPARE(m_messages.shown.size(), 1);
    }
};

QTEST_MAIN(TestDialogo)
#include "tst_dialogo.moc"
