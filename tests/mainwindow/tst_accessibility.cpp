#include "FakeDesktop.h"
#include "TestSupport.h"
#include "help/ayuda.h"
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/RandomSource.h"
#include "platform/ReadableColours.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;

namespace {

const QStringList kBases = {"DD001002001|Primera base", "Señoras y señores", "", "", "",
                            "la patria os contempla."};
const QString kSpeech = QStringLiteral("Señoras y señores ...\nla patria os contempla. ...\n");

QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53));
    for (const auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        dark.setColor(role, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    dark.setColor(QPalette::Highlight, QColor(53, 132, 228));
    return dark;
}

// The contrast of the text a control shows in a picture of its window: its commonest colour is the
// background, the colour farthest from it the text.
double paintedContrast(const QImage &window, QWidget *control)
{
    const qreal scale = window.devicePixelRatio();
    const QRect place(control->mapTo(control->window(), QPoint(3, 3)) * scale,
                      (control->size() - QSize(6, 6)) * scale);
    QHash<QRgb, int> counts;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x)
            ++counts[window.pixel(x, y)];
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
    void namesAreTheVisibleText_data();
    void namesAreTheVisibleText();
    void modeLabelFromTheKeyboard_data();
    void modeLabelFromTheKeyboard();
    void copyCommands_data();
    void copyCommands();
    void readableUnderBothPalettes_data();
    void readableUnderBothPalettes();
    void restartLeavesTheMaximisedState();
    void windowsFitTheScreen();

private:
    template<typename T = QWidget>
    T *control(QWidget *window, const QString &name) const
    {
        return window->findChild<T *>(name);
    }

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
    m_main.reset();
    testsupport::writeFile(m_dir.filePath("dialogo.soy"), testsupport::soyBytes(kBases));
    m_main = std::make_unique<dialogo>(
        dialogo::Services{&m_clock, &m_random, &m_messages, &m_beeper, &m_printers, m_dir.path()});
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_help = std::make_unique<ayuda>(QStringLiteral(PARLANZA_DATA_DIR "/"), m_printers);
    m_help->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_help.get()));
}

void TestAccessibility::namesAreTheVisibleText_data()
{
    QTest::addColumn<bool>("inMain");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::newRow("speech") << true << "Label3" << int(QAccessible::StaticText);
    QTest::newRow("counter") << true << "Label4" << int(QAccessible::StaticText);
    QTest::newRow("mode, a button") << true << "Label5" << int(QAccessible::Button);
    QTest::newRow("pause") << true << "Label7" << int(QAccessible::StaticText);
    QTest::newRow("banner") << true << "Label2" << int(QAccessible::StaticText);
    QTest::newRow("hint area") << true << "Label1" << int(QAccessible::StaticText);
    QTest::newRow("larger type, with the size") << true << "Command9" << int(QAccessible::Button);
    QTest::newRow("smaller type, with the size") << true << "Command8" << int(QAccessible::Button);
    QTest::newRow("help hint area") << false << "Label2" << int(QAccessible::StaticText);
    QTest::newRow("help search caption") << false << "Label1" << int(QAccessible::StaticText);
}

void TestAccessibility::namesAreTheVisibleText()
{
    QFETCH(bool, inMain);
    QFETCH(QString, name);
    QFETCH(int, role);
    m_main->Command9_Click();
    m_main->Label3_MouseMove();
    m_help->Command2_MouseMove();
    QWidget *widget = control(inMain ? static_cast<QWidget *>(m_main.get()) : m_help.get(), name);
    auto *label = qobject_cast<QLabel *>(widget);
    const QString shown = label ? label->text() : qobject_cast<QAbstractButton *>(widget)->text();
    QVERIFY(!shown.trimmed().isEmpty());
    const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QCOMPARE(accessible->text(QAccessible::Name), shown);
    QCOMPARE(int(accessible->role()), role);
}

void TestAccessibility::modeLabelFromTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("SPACE") << int(Qt::Key_Space);
    QTest::newRow("ENTER") << int(Qt::Key_Enter);
    QTest::newRow("RETURN") << int(Qt::Key_Return);
    QTest::newRow("a screen reader's press") << 0;
}

void TestAccessibility::modeLabelFromTheKeyboard()
{
    QFETCH(int, key);
    m_help.reset();
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    control(m_main.get(), "Command3")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto *mode = control<QLabel>(m_main.get(), "Label5");
    QCOMPARE(QApplication::focusWidget(), mode);
    const qsizetype speeches = m_main->core().controls.history.size();
    if (key != 0)
        QTest::keyClick(mode, Qt::Key(key));
    else
        QAccessible::queryAccessibleInterface(mode)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    QCOMPARE(mode->text(), QStringLiteral("Auto"));
    QCOMPARE(m_main->core().controls.history.size(), speeches + 1);
    QCOMPARE(m_beeper.beeps, 0);
}

void TestAccessibility::copyCommands_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CTRL+C in the main window") << "window" << kSpeech;
    QTest::newRow("speech label's menu") << "menu" << kSpeech;
    QTest::newRow("CTRL+C in the history, whole entries") << "history"
                                                          << "  1 " + kSpeech + "  2 " + kSpeech;
    QTest::newRow("history's menu, joined premises")
        << "history menu"
        << "  1 " + kSpeech + "  2 Señoras y señores la patria os contempla. ";
    QTest::newRow("CTRL+C in the help list, without numbers") << "help"
                                                              << "";
}

void TestAccessibility::copyCommands()
{
    QFETCH(QString, way);
    QFETCH(QString, expected);
    QApplication::clipboard()->clear();
    if (way == u"history menu")
        m_main->mnuPsgd_Click();
    m_main->Command1_Click();
    auto *history = control<QListWidget>(m_main.get(), "List2");
    auto *help = control<QListWidget>(m_help.get(), "List1");
    if (way == u"window") {
        m_help->hide();
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        QTest::keyClick(control(m_main.get(), "Command1"), Qt::Key_C, Qt::ControlModifier);
    } else if (way == u"menu") {
        const QList<QAction *> actions = control(m_main.get(), "Label3")->actions();
        QCOMPARE(actions.first()->text(), QStringLiteral("Copiar el discurso"));
        QCOMPARE(actions.first()->shortcut(), QKeySequence(QKeySequence::Copy));
        actions.first()->trigger();
    } else if (way.startsWith(u"history")) {
        m_main->mnuvisua_Click();
        history->selectAll();
        if (way == u"history")
            QTest::keyClick(history, Qt::Key_C, Qt::ControlModifier);
        else
            history->actions().first()->trigger();
    } else {
        help->clearSelection();
        help->item(0)->setSelected(true);
        help->item(2)->setSelected(true);
        expected = help->item(0)->text().mid(7) + u'\n' + help->item(2)->text().mid(7);
        QTest::keyClick(help, Qt::Key_C, Qt::ControlModifier);
    }
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void TestAccessibility::readableUnderBothPalettes_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("inMain");
    QTest::addColumn<QString>("name");
    const QStringList main = {"Label1", "Label2",   "Label3",   "Label4",   "Label5", "Label5 Auto", "Label6",
                              "Label7", "Command1", "Command8", "Command9", "List3",  "List2"};
    const QStringList help = {"List1", "Text1", "Label1", "Label2", "Command1", "Command2", "Command3"};
    for (const bool dark : {false, true}) {
        const QString theme = dark ? QStringLiteral("oscuro ") : QStringLiteral("claro ");
        for (const QString &name : main)
            QTest::newRow(qPrintable(theme + QStringLiteral("dialogo ") + name)) << dark << true << name;
        for (const QString &name : help)
            QTest::newRow(qPrintable(theme + QStringLiteral("ayuda ") + name)) << dark << false << name;
    }
}

void TestAccessibility::readableUnderBothPalettes()
{
    QFETCH(bool, dark);
    QFETCH(bool, inMain);
    QFETCH(QString, name);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
    init();
    m_main->Label3_MouseMove();
    m_help->Command2_MouseMove();
    if (name == u"Label5 Auto")
        m_main->Label5_Click();
    else if (name == u"List3")
        m_main->mnuPI_Click();
    else if (name == u"List2")
        m_main->mnuvisua_Click();
    QWidget *window = inMain ? static_cast<QWidget *>(m_main.get()) : m_help.get();
    const QImage picture = window->grab().toImage();
    const double contrast = paintedContrast(picture, control(window, name.section(u' ', 0, 0)));
    qInfo("%s: %.2f", QTest::currentDataTag(), contrast);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

void TestAccessibility::restartLeavesTheMaximisedState()
{
    for (const auto state : {Qt::WindowMaximized, Qt::WindowFullScreen, Qt::WindowMinimized}) {
        m_main->setWindowState(state);
        QTRY_VERIFY(m_main->windowState() & state);
        m_main->mnudiscurso_Click();
        QTRY_COMPARE(m_main->windowState(), Qt::WindowNoState);
        QTRY_COMPARE(m_main->frameGeometry(), twipsRect(10, 10, 12200, 7630));
    }
}

void TestAccessibility::windowsFitTheScreen()
{
    const QRect available = m_main->screen()->availableGeometry();
    const std::pair<QWidget *, QRect> windows[] = {{m_main.get(), twipsRect(10, 10, 12200, 7630)},
                                                   {m_help.get(), twipsRect(0, 0, 12000, 9000)}};
    for (const auto &[window, design] : windows) {
        QTRY_COMPARE(window->frameGeometry(), fitInto(design, available));
        QVERIFY(available.contains(window->frameGeometry()));
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
