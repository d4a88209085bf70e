#include "FakeDesktop.h"
#include "TestSupport.h"
#include "help/ayuda.h"
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/RandomSource.h"
#include "platform/ReadableColours.h"

#include <QAbstractButton>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;

namespace {

const QString kSpeech = QStringLiteral("Señoras y señores ...\nla patria os contempla. ...\n");

// The contrast of the text a control shows in a picture of its window: the commonest colour is the
// background, the colour farthest from it the text.
double paintedContrast(QWidget *window, QWidget *control)
{
    const QImage shot =
        window->grab(QRect(control->mapTo(window, QPoint(3, 3)), control->size() - QSize(6, 6))).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y)];
    const QRgb background =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    double best = 1.0;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        best = std::max(best, contrastRatio(QColor(*it), QColor(background)));
    return best;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readAndShownUnderBothPalettes_data();
    void readAndShownUnderBothPalettes();
    void modeLabelFromTheKeyboard_data();
    void modeLabelFromTheKeyboard();
    void copyCommands_data();
    void copyCommands();
    void windowsPlacedNormalAndWithinTheScreen_data();
    void windowsPlacedNormalAndWithinTheScreen();

private:
    QTemporaryDir m_dir;
    FixedClock m_clock;
    UniformRandom m_random{5};
    FakeMessageBoxes m_messages;
    CountingBeeper m_beeper;
    NoPrinters m_printers;
    std::unique_ptr<dialogo> m_main;
    std::unique_ptr<ayuda> m_help;
};

void TestAccessibility::init()
{
    m_help.reset();
    testsupport::writeFile(m_dir.filePath("dialogo.soy"),
                           testsupport::soyBytes({"DD001002001|Base", "Señoras y señores", "", "", "",
                                                  "la patria os contempla."}));
    m_main = std::make_unique<dialogo>(
        dialogo::Services{&m_clock, &m_random, &m_messages, &m_beeper, &m_printers, m_dir.path()});
    m_help = std::make_unique<ayuda>(QStringLiteral(PARLANZA_DATA_DIR "/"), m_printers);
    m_help->show();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

void TestAccessibility::readAndShownUnderBothPalettes_data()
{
    QTest::addColumn<bool>("inMain");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label6", "Label7", "Command1",
                             "Command8", "Command9", "List3", "List2"})
        QTest::newRow(name) << true << name << int(QAccessible::StaticText);
    QTest::newRow("Label5, a button") << true << "Label5" << int(QAccessible::Button);
    for (const char *name : {"Label1", "Label2", "List1", "Text1", "Command1", "Command2", "Command3"})
        QTest::newRow(qPrintable(QStringLiteral("ayuda ") + name))
            << false << name << int(QAccessible::StaticText);
}

void TestAccessibility::readAndShownUnderBothPalettes()
{
    QFETCH(bool, inMain);
    QFETCH(QString, name);
    QFETCH(int, role);
    for (const QPalette &palette : {QApplication::style()->standardPalette(), QPalette(QColor(53, 53, 53))}) {
        QApplication::setPalette(palette);
        init();
        m_main->Command9_Click();
        m_main->Label3_MouseMove();
        m_help->Command2_MouseMove();
        name == u"List3" ? m_main->mnuPI_Click() : name == u"List2" ? m_main->mnuvisua_Click() : void();
        QWidget *window = inMain ? static_cast<QWidget *>(m_main.get()) : m_help.get();
        QWidget *widget = window->findChild<QWidget *>(name);
        const double contrast = paintedContrast(window, widget);
        qInfo("%s %s: %.2f", QTest::currentDataTag(),
              palette == QPalette(QColor(53, 53, 53)) ? "oscuro" : "claro", contrast);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
        // Labels and buttons are read by the text they show.
        auto *label = qobject_cast<QLabel *>(widget);
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (!label && !button)
            continue;
        const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        if (label || !button->text().isEmpty())
            QCOMPARE(accessible->text(QAccessible::Name), label ? label->text() : button->text());
        if (label)
            QCOMPARE(int(accessible->role()), role);
    }
}

void TestAccessibility::modeLabelFromTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("SPACE") << int(Qt::Key_Space);
    QTest::newRow("ENTER") << int(Qt::Key_Enter);
    QTest::newRow("a screen reader's press") << 0;
}

void TestAccessibility::modeLabelFromTheKeyboard()
{
    QFETCH(int, key);
    m_main->findChild<QWidget *>("Command3")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto *mode = m_main->findChild<QLabel *>("Label5");
    QCOMPARE(QApplication::focusWidget(), mode);
    if (key != 0)
        QTest::keyClick(mode, Qt::Key(key));
    else
        QAccessible::queryAccessibleInterface(mode)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    QCOMPARE(mode->text(), QStringLiteral("Auto"));
    QCOMPARE(m_main->core().controls.history.size(), 2); // a click composes one speech at once
}

void TestAccessibility::copyCommands_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CTRL+C in the main window") << "window" << kSpeech;
    QTest::newRow("the speech label's menu") << "menu" << kSpeech;
    QTest::newRow("CTRL+C in the history: whole entries, one after the other")
        << "history"
        << "  1 " + kSpeech + "  2 Señoras y señores la patria os contempla. ";
    QTest::newRow("CTRL+C in the help list: the lines without their numbers")
        << "help"
        << "========================================\nÍNDICE (un clic en un capítulo lleva a él)";
}

void TestAccessibility::copyCommands()
{
    QFETCH(QString, way);
    QFETCH(QString, expected);
    QApplication::clipboard()->clear();
    auto *history = m_main->findChild<QListWidget *>("List2");
    auto *help = m_help->findChild<QListWidget *>("List1");
    if (way == u"help") {
        help->item(0)->setSelected(true);
        help->item(2)->setSelected(true);
        QTest::keyClick(help, Qt::Key_C, Qt::ControlModifier);
    } else if (way == u"history") {
        m_main->mnuPsgd_Click();
        m_main->Command1_Click();
        m_main->mnuvisua_Click();
        history->selectAll();
        QTest::keyClick(history, Qt::Key_C, Qt::ControlModifier);
    } else if (way == u"menu") {
        QCOMPARE(m_main->findChild<QWidget *>("Label3")->actions().first()->shortcut(), QKeySequence::Copy);
        m_main->findChild<QWidget *>("Label3")->actions().first()->trigger();
    } else {
        QTest::keyClick(m_main.get(), Qt::Key_C, Qt::ControlModifier);
    }
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void TestAccessibility::windowsPlacedNormalAndWithinTheScreen_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("restart from a normal window") << Qt::WindowNoState;
    QTest::newRow("restart from a maximised window") << Qt::WindowMaximized;
    QTest::newRow("restart from a full-screen window") << Qt::WindowFullScreen;
    QTest::newRow("restart from a minimised window") << Qt::WindowMinimized;
}

void TestAccessibility::windowsPlacedNormalAndWithinTheScreen()
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
