#include "FakeDesktop.h"
#include "TestSupport.h"
#include "help/ayuda.h"
#include "platform/Announcer.h"
#include "platform/DesignUnits.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>

using namespace parlanza;
using testsupport::row;

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_help.reset();
        testsupport::writeFile(
            m_fakes.dir.filePath("dialogo.soy"),
            testsupport::soyBytes({"DD001002001|Base", "Señoras y señores", "", "", "", "la patria."}));
        m_main = std::make_unique<dialogo>(m_fakes.services());
        m_help = std::make_unique<ayuda>(QStringLiteral(PARLANZA_DATA_DIR "/"), m_fakes.printers);
        m_help->show();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    }

    void labelsAreReadByTheirText_data()
    {
        QTest::addColumn<bool>("inMain");
        QTest::addColumn<QString>("name");
        for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"})
            row(name, true, name);
        for (const char *name : {"Label1", "Label2"})
            row(qPrintable(QStringLiteral("ayuda ") + name), false, name);
    }

    void labelsAreReadByTheirText()
    {
        QFETCH(bool, inMain);
        QFETCH(QString, name);
        m_main->Label3_MouseMove();
        m_help->Command2_MouseMove();
        auto *label =
            (inMain ? static_cast<QWidget *>(m_main.get()) : m_help.get())->findChild<QLabel *>(name);
        const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
        QVERIFY(!label->text().trimmed().isEmpty());
        QCOMPARE(accessible->text(QAccessible::Name), label->text());
        // The mode label is a control: a button a screen reader's user can press.
        QCOMPARE(accessible->role(),
                 name == u"Label5" && inMain ? QAccessible::Button : QAccessible::StaticText);
    }

    void keys_data()
    {
        // The control the key goes to, and what it copies: nothing when the key switches the mode.
        testsupport::columns<QString>({"target", "copied"});
        QTest::addColumn<int>("key");
        row("SPACE on the mode label, next after the pause buttons", "Label5", "", int(Qt::Key_Space));
        row("ENTER on the mode label", "Label5", "", int(Qt::Key_Enter));
        row("CTRL+C in the main window: the speech, one premise a line", "dialogo",
            "Señoras y señores ...\nla patria. ...\n", int(Qt::Key_C));
        row("CTRL+C in the history: whole entries", "List2",
            "  1 Señoras y señores ...\nla patria. ...\n  2 Señoras y señores la patria. ", int(Qt::Key_C));
        row("CTRL+C in the help list: the lines without numbers", "List1",
            "========================================\nÍNDICE (un clic en un capítulo lleva a él)",
            int(Qt::Key_C));
    }

    void keys()
    {
        const auto [target, copied] = testsupport::fetch({"target", "copied"});
        QFETCH(int, key);
        QApplication::clipboard()->clear();
        auto *help = m_help->findChild<QListWidget *>("List1");
        help->item(0)->setSelected(true);
        help->item(2)->setSelected(true);
        m_main->findChild<QWidget *>("Command3")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (target == u"List2") {
            m_main->mnuPsgd_Click();
            m_main->Command1_Click();
            m_main->mnuvisua_Click();
            m_main->findChild<QListWidget *>("List2")->selectAll();
        }
        QWidget *widget = target == u"dialogo" ? m_main.get()
                          : target == u"List1" ? help
                                               : QApplication::focusWidget();
        QCOMPARE(widget->objectName(), target);
        QTest::keyClick(widget, Qt::Key(key), key == Qt::Key_C ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(QApplication::clipboard()->text(), copied);
        QCOMPARE(m_main->core().state.autoMode, copied.isEmpty());
    }

    void newSpeechesAnnouncedOnce_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("announcements");
        row("the first speech, once the window has shown", QStringList{}, 1);
        row("SPACE on the next-speech button", QStringList{"SPACE"}, 1);
        row("a click on the next-speech button", QStringList{"Command1"}, 1);
        row("a click on the mode label, then the timer's tick", QStringList{"Label5", "tick"}, 2);
        row("a tick in manual mode shows nothing new", QStringList{"tick"}, 0);
        row("the step-back button", QStringList{"Command1", "Command4"}, 2);
        row("the step-back button on the first speech shows nothing new", QStringList{"Command4"}, 0);
        row("a base chosen from the list of bases", QStringList{"mnuPI", "List3"}, 1);
        row("Inicia Discursos", QStringList{"mnudiscurso"}, 1);
        row("the font and pause buttons", QStringList{"Command9", "Command2"}, 0);
    }

    void newSpeechesAnnouncedOnce()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, announcements);
        auto *announcer = m_main->findChild<Announcer *>();
        QStringList announced;
        connect(announcer, &Announcer::announced, this, [&](const QString &text) {
            // What a screen reader finds: a notification that shows, named by the speech.
            const QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(announcer);
            QCOMPARE(notification->role(), QAccessible::Notification);
            QCOMPARE(notification->text(QAccessible::Name), text);
            QVERIFY(announcer->isVisible());
            announced.append(text);
        });
        const auto clickOn = [this](const char *name) {
            QTest::mouseClick(m_main->findChild<QWidget *>(name), Qt::LeftButton);
        };
        // The first speech is announced after the window's own presentation.
        QTRY_COMPARE(announced.size(), 1);
        if (!steps.isEmpty())
            announced.clear();
        for (const QString &step : steps) {
            if (step == u"SPACE")
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            else if (step == u"tick")
                m_main->Timer1_Timer();
            else if (step == u"mnuPI")
                m_main->mnuPI_Click();
            else if (step == u"mnudiscurso")
                m_main->findChild<QAction *>(step)->trigger();
            else if (step == u"List3")
                QTest::mouseClick(m_main->findChild<QListWidget *>(step)->viewport(), Qt::LeftButton, {},
                                  QPoint(5, 5));
            else
                clickOn(qPrintable(step));
        }
        QCOMPARE(announced.size(), announcements);
        // Read as one line, whatever the form of the speech.
        if (announcements > 0)
            QCOMPARE(announced.last(), m_main->findChild<QLabel *>("Label3")->text().simplified());
    }

    void windowsPlacedNormalAndWithinTheScreen_data()
    {
        QTest::addColumn<Qt::WindowState>("state");
        row("restart from a normal window", Qt::WindowNoState);
        row("restart from a maximised window", Qt::WindowMaximized);
        row("restart from a full-screen window", Qt::WindowFullScreen);
        row("restart from a minimised window", Qt::WindowMinimized);
    }

    void windowsPlacedNormalAndWithinTheScreen()
    {
        QFETCH(Qt::WindowState, state);
        m_main->setWindowState(state);
        QTRY_COMPARE(m_main->windowState(), state);
        m_main->mnudiscurso_Click();
        const QRect available = m_main->screen()->availableGeometry();
        QTRY_COMPARE(m_main->windowState(), Qt::WindowNoState);
        QTRY_COMPARE(m_main->frameGeometry(), fitInto(twipsRect(10, 10, 12200, 7630), available));
        QCOMPARE(m_help->frameGeometry(), fitInto(twipsRect(0, 0, 12000, 9000), available));
        QVERIFY(available.contains(m_main->frameGeometry()) && available.contains(m_help->frameGeometry()));
    }

private:
    WindowFakes m_fakes;
    std::unique_ptr<dialogo> m_main;
    std::unique_ptr<ayuda> m_help;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
