#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwindow/FullScreenView.h"
#include "platform/Announcer.h"
#include "platform/ReadableColours.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace parlanza;

namespace {

// Each group holds one usable premise, so speeches are known in advance.
const QStringList kBases =
    QStringLiteral(
        "DD001002001|Primera base\nSeñoras y señores\n\n\n\nla patria os contempla.\nDD002002|Segunda "
        "base\nNada más que añadir.")
        .split(u'\n');
const QStringList kFirst = {QStringLiteral("Señoras y señores ..."),
                            QStringLiteral("la patria os contempla. ...")};
const QString kSecond = QStringLiteral("Nada más que añadir. ...");

// What a PDF's pages say, a line each with its blanks run together, empty lines left out; pages are parted by
// "/".
QString pdfText(const QString &file, const QStringList &options = {})
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), options + QStringList{QStringLiteral("-layout"), file, "-"});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return QStringLiteral("(pdftotext no lee %1)").arg(file);
    QStringList lines;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(u'\f'))
            lines.append(QStringLiteral("/"));
        const QString simple = QString(line).remove(u'\f').simplified();
        if (!simple.isEmpty())
            lines.append(simple);
    }
    while (!lines.isEmpty() && lines.constLast() == u"/")
        lines.removeLast();
    return lines.join(u'\n');
}

// The height in points of the box pdftotext gives the first word that is the given one.
double wordHeight(const QString &file, const QString &word)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, "-"});
    process.waitForFinished(20000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression box(
        QStringLiteral(R"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">%1</word>)re")
            .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = box.match(html);
    return match.hasMatch() ? match.captured(2).toDouble() - match.captured(1).toDouble() : -1.0;
}

QString placements(const QList<QList<PlacedLine>> &blocks)
{
    QStringList parts;
    for (const QList<PlacedLine> &block : blocks) {
        QStringList lines;
        for (const PlacedLine &line : block)
            lines.append(QStringLiteral("%1:%2").arg(line.page).arg(line.top));
        parts.append(lines.join(u' '));
    }
    return parts.join(QStringLiteral(" | "));
}

QList<double> lines(int count, double height = 10.0)
{
    return QList<double>(count, height);
}

} // namespace

class TestLectern : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFakes> m_fakes;
    std::unique_ptr<PdfPrinters> m_pdf;
    std::unique_ptr<dialogo> m_window;

    void open(Printers &printers)
    {
        dialogo::Services services = m_fakes->services();
        services.printers = &printers;
        m_window = std::make_unique<dialogo>(services);
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
    QString text(const char *label) const { return control<QLabel>(label)->text(); }
    void trigger(const char *command) const { control<QAction>(command)->trigger(); }
    FullScreenView *view() const { return m_window->findChild<FullScreenView *>(); }
    QString viewSpeech() const { return view()->findChild<QLabel *>(QStringLiteral("speech"))->text(); }
    // Loads the second base from the list of bases, which composes its first speech.
    void chooseSecondBase()
    {
        trigger("mnuPI");
        control<QListWidget>("List3")->setCurrentRow(1);
        m_window->List3_Click();
    }
    void chooseEntries(const QList<int> &rows)
    {
        auto *history = control<QListWidget>("List2");
        history->clearSelection();
        for (const int row : rows)
            history->item(row)->setSelected(true);
    }

private slots:
    void init()
    {
        m_fakes = std::make_unique<WindowFakes>();
        m_pdf = std::make_unique<PdfPrinters>(m_fakes->dir.path());
        testsupport::writeFile(m_fakes->dir.filePath("dialogo.soy"), testsupport::soyBytes(kBases));
        open(*m_pdf);
    }
    void cleanup()
    {
        m_window.reset();
        m_pdf.reset();
        m_fakes.reset();
    }

    // Layout of a printout, in units of a tenth of a line: pages of 100, a gap of 10 between speeches.
    void placeBlocks_data()
    {
        QTest::addColumn<QList<QList<double>>>("blocks");
        QTest::addColumn<QString>("expected");
        testsupport::row("short speeches share a page", QList<QList<double>>{lines(2), lines(1)},
                         QStringLiteral("0:0 0:10 | 0:30"));
        testsupport::row("a speech that fits exactly in what is left stays",
                         QList<QList<double>>{lines(4), lines(5)},
                         QStringLiteral("0:0 0:10 0:20 0:30 | 0:50 0:60 0:70 0:80 0:90"));
        testsupport::row("a speech one line too long for what is left goes whole to the next page",
                         QList<QList<double>>{lines(4), lines(6)},
                         QStringLiteral("0:0 0:10 0:20 0:30 | 1:0 1:10 1:20 1:30 1:40 1:50"));
        testsupport::row(
            "a speech longer than a page goes on where it is and is split where a line does not fit",
            QList<QList<double>>{lines(2), lines(9, 12)},
            QStringLiteral("0:0 0:10 | 0:30 0:42 0:54 0:66 0:78 1:0 1:12 1:24 1:36"));
        testsupport::row("a speech exactly a page tall goes whole to a page of its own",
                         QList<QList<double>>{lines(1), lines(10)},
                         QStringLiteral("0:0 | 1:0 1:10 1:20 1:30 1:40 1:50 1:60 1:70 1:80 1:90"));
        testsupport::row("a line taller than the page stands alone at the top of its own",
                         QList<QList<double>>{lines(1, 150), lines(1)}, QStringLiteral("0:0 | 1:0"));
        testsupport::row("a first speech longer than a page starts on the first",
                         QList<QList<double>>{lines(12)},
                         QStringLiteral("0:0 0:10 0:20 0:30 0:40 0:50 0:60 0:70 0:80 0:90 1:0 1:10"));
        testsupport::row("empty speeches take neither room nor gap",
                         QList<QList<double>>{{}, lines(1), {}, lines(1)},
                         QStringLiteral(" | 0:0 |  | 0:20"));
    }
    void placeBlocks()
    {
        QFETCH(QList<QList<double>>, blocks);
        QFETCH(QString, expected);
        QCOMPARE(placements(parlanza::placeBlocks(blocks, 100.0, 10.0)), expected);
    }

    // What is printed: the speech or the chosen entries in the separated form, whatever the form on screen,
    // and the base's title with the page number at the foot.
    void printout_data()
    {
        testsupport::columns<QString>({"script", "command", "expected"});
        const QString firstPage = kFirst.join(u'\n');
        testsupport::row("the speech on display", "-", "printSpeech",
                         firstPage + QStringLiteral("\nPrimera base Página 1 de 1"));
        testsupport::row("premises run on screen print one a line", "mnuPsgd next", "printSpeech",
                         firstPage + QStringLiteral("\nPrimera base Página 1 de 1"));
        testsupport::row("a speech shown again by the step-back button prints without its number",
                         "next back", "printSpeech",
                         firstPage + QStringLiteral("\nPrimera base Página 1 de 1"));
        testsupport::row("with the history shown, its current entry", "base2 mnuvisua current:0",
                         "printSpeech", firstPage + QStringLiteral("\nSegunda base Página 1 de 1"));
        testsupport::row("the chosen entries in the list's order, from two bases", "mnuPsgd base2 choose:2,0",
                         "printEntries",
                         firstPage + u'\n' + kSecond + QStringLiteral("\nSegunda base Página 1 de 1"));
    }
    void printout()
    {
        const auto [script, command, expected] = testsupport::fetch({"script", "command", "expected"});
        for (const QString &step : script.split(u' ')) {
            if (step == u"next")
                m_window->Command1_Click();
            else if (step == u"back")
                m_window->Command4_Click();
            else if (step == u"base2")
                chooseSecondBase();
            else if (step.startsWith(u"current:"))
                control<QListWidget>("List2")->setCurrentRow(step.mid(8).toInt());
            else if (step.startsWith(u"choose:")) {
                QList<int> rows;
                for (const QString &row : step.mid(7).split(u','))
                    rows.append(row.toInt());
                chooseEntries(rows);
            } else if (step != u"-")
                trigger(qPrintable(step));
        }
        trigger(qPrintable(command));
        QCOMPARE(pdfText(m_pdf->lastFile()), expected);
        QCOMPARE(m_fakes->messages.shown, QStringList());
    }

    void printedInLargeTypeWithASmallFoot()
    {
        // CTRL+P anywhere in the window.
        QTest::keyClick(m_window->windowHandle(), Qt::Key_P, Qt::ControlModifier);
        // The box of a word spans the type's ascent and descent, a little more than its size.
        const double speech = wordHeight(m_pdf->lastFile(), QStringLiteral("Señoras"));
        const double foot = wordHeight(m_pdf->lastFile(), QStringLiteral("Página"));
        QVERIFY2(speech >= 20.0 && speech <= 25.0, qPrintable(QString::number(speech)));
        QVERIFY2(foot >= 8.0 && foot <= 12.0, qPrintable(QString::number(foot)));
        QCOMPARE(m_pdf->titles, QStringList{QStringLiteral("Imprimir el discurso")});
    }

    void speechesAreNotSplitAcrossPages_data()
    {
        testsupport::columns<QString>({"pages", "printed"});
        testsupport::row("all pages", "", "1 2 3 4 5");
        testsupport::row("the second page alone, as the dialog asks", "2", "2");
        testsupport::row("pages apart and past the end", "1,3-4,7", "1 3 4");
    }
    void speechesAreNotSplitAcrossPages()
    {
        const auto [pages, expected] = testsupport::fetch({"pages", "printed"});
        for (int i = 0; i < 29; ++i)
            m_window->Command1_Click();
        control<QListWidget>("List2")->selectAll();
        m_pdf->pages = pages;
        trigger("printEntries");
        QStringList numbers;
        int speeches = 0;
        for (const QString &page : pdfText(m_pdf->lastFile()).split(QStringLiteral("\n/\n"))) {
            QStringList lines = page.split(u'\n');
            const QString foot = lines.takeLast();
            QVERIFY2(foot.startsWith(u"Primera base Página ") && foot.endsWith(u" de 5"), qPrintable(foot));
            numbers.append(foot.section(u' ', 3, 3));
            // Every page holds whole speeches only.
            QCOMPARE(lines.size() % 2, 0);
            for (qsizetype line = 0; line < lines.size(); ++line)
                QCOMPARE(lines[line], kFirst[line % 2]);
            speeches += lines.size() / 2;
        }
        QCOMPARE(numbers.join(u' '), expected);
        if (pages.isEmpty())
            QCOMPARE(speeches, 30);
    }

    void cancelledOrWithoutPrinterNothingIsPrinted()
    {
        m_pdf->cancel = true;
        trigger("printSpeech");
        QVERIFY(!QFile::exists(m_pdf->lastFile()));
        QCOMPARE(m_fakes->messages.shown, QStringList());

        NoPrinters none;
        open(none);
        trigger("printSpeech");
        QCOMPARE(none.asked, 0);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(m_fakes->messages.shown[0].startsWith(u"No hay ninguna impresora"));
    }

    // The full-screen view: its keys ask the main window for speeches, and it shows what the window shows.
    void viewKeys_data()
    {
        testsupport::columns<QString>({"keys", "counter", "open"});
        testsupport::row("F11 in the window opens it", "-", "Nº:  1", "sí");
        testsupport::row("SPACE gives the next speech", "space space", "Nº:  3", "sí");
        testsupport::row("a held SPACE gives one", "held", "Nº:  2", "sí");
        testsupport::row("a click gives the next speech", "click", "Nº:  2", "sí");
        testsupport::row("the left arrow steps back", "space space left", "Nº:  2", "sí");
        testsupport::row("ESCAPE closes it", "space escape", "Nº:  2", "no");
        testsupport::row("F11 closes it", "f11", "Nº:  1", "no");
    }
    void viewKeys()
    {
        const auto [keys, counter, open] = testsupport::fetch({"keys", "counter", "open"});
        QTest::keyClick(m_window->windowHandle(), Qt::Key_F11);
        QPointer<FullScreenView> shown = view();
        QVERIFY(shown && shown->isFullScreen() && shown->isVisible());
        for (const QString &key : keys.split(u' ')) {
            if (key == u"space")
                QTest::keyClick(shown, Qt::Key_Space);
            else if (key == u"held")
                for (int i = 0; i < 6; ++i) {
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                                    i > 0);
                    QApplication::sendEvent(shown, &press);
                }
            else if (key == u"click")
                QTest::mouseClick(shown->findChild<QLabel *>(QStringLiteral("speech")), Qt::LeftButton);
            else if (key == u"left")
                QTest::keyClick(shown, Qt::Key_Left);
            else if (key == u"escape")
                QTest::keyClick(shown, Qt::Key_Escape);
            else if (key == u"f11")
                QTest::keyClick(shown, Qt::Key_F11);
        }
        QCOMPARE(text("Label4"), counter);
        QCOMPARE(shown && shown->isVisible(), open == u"sí");
        if (shown && shown->isVisible()) {
            QCOMPARE(viewSpeech(), kFirst.join(u'\n'));
            // Screen readers are given each speech the view shows.
            QCOMPARE(shown->findChild<Announcer *>()->text(), kFirst.join(u' '));
            QVERIFY(shown->findChild<QLabel *>(QStringLiteral("foot"))->text().startsWith(counter));
        }
    }

    void viewClosesWithTheWindow()
    {
        trigger("readFullScreen");
        QPointer<FullScreenView> shown = view();
        QVERIFY(shown && shown->isVisible());
        m_window->close();
        QVERIFY(!shown || !shown->isVisible());
    }

    void viewFollowsTheTimerAndTheBase()
    {
        trigger("readFullScreen");
        m_window->Label5_Click();
        m_window->Timer1_Timer();
        QCOMPARE(text("Label4"), QStringLiteral("Nº:  3"));
        QVERIFY(
            view()->findChild<QLabel *>(QStringLiteral("foot"))->text().startsWith(u"Nº:  3     Automático"));
        chooseSecondBase();
        QCOMPARE(viewSpeech(), kSecond);
        QCOMPARE(view()->findChild<Announcer *>()->text(), kSecond);
        // Screen readers hear it once, from the view, and not from the main window behind it as well.
        QCOMPARE(m_window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly)->text(),
                 kFirst.join(u' '));
    }

    void viewTypeAsLargeAsFits()
    {
        trigger("readFullScreen");
        QVERIFY(QTest::qWaitForWindowExposed(view()));
        const QLabel *speech = view()->findChild<QLabel *>(QStringLiteral("speech"));
        const int size = speech->font().pixelSize();
        QVERIFY2(size > control("Label3")->font().pixelSize() * 2 && size > 40,
                 qPrintable(QString::number(size)));
        QCOMPARE(parlanza::largestFittingSize(speech->text(), speech->font(), speech->contentsRect().size(),
                                              8, 400),
                 size);
    }

    void largestFittingSize_data()
    {
        testsupport::columns<int>({"width", "height", "least"});
        testsupport::row("a wide screen", 1600, 900, 8);
        testsupport::row("a narrow tablet", 600, 1000, 8);
        testsupport::row("no room at all keeps the least size", 1, 1, 8);
    }
    void largestFittingSize()
    {
        const auto [width, height, least] = testsupport::fetch<int>({"width", "height", "least"});
        const QString text = kFirst.join(u'\n');
        QFont font;
        const int size = parlanza::largestFittingSize(text, font, QSize(width, height), least, 400);
        QVERIFY(size >= least);
        font.setPixelSize(size + 1);
        const QRect larger =
            QFontMetrics(font).boundingRect(QRect(0, 0, width, height), Qt::TextWordWrap, text);
        // One pixel more would not fit.
        QVERIFY(larger.width() > width || larger.height() > height);
        if (size > least) {
            font.setPixelSize(size);
            const QRect fitting =
                QFontMetrics(font).boundingRect(QRect(0, 0, width, height), Qt::TextWordWrap, text);
            QVERIFY(fitting.width() <= width && fitting.height() <= height);
        }
    }

    void viewReadableUnderLightAndDarkThemes_data()
    {
        QTest::addColumn<QColor>("theme");
        testsupport::row("light theme", QColor(239, 239, 239));
        testsupport::row("dark theme", QColor(42, 46, 50));
        testsupport::row("mid grey theme", QColor(128, 128, 128));
    }
    void viewReadableUnderLightAndDarkThemes()
    {
        QFETCH(QColor, theme);
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Window, theme);
        QApplication::setPalette(palette);
        trigger("readFullScreen");
        const QPalette shown = view()->findChild<QLabel *>(QStringLiteral("speech"))->palette();
        const double contrast =
            contrastRatio(shown.color(QPalette::WindowText), shown.color(QPalette::Window));
        QApplication::setPalette(saved);
        QVERIFY2(contrast >= 15.0, qPrintable(QString::number(contrast)));
        // The view's background goes the theme's way: dark stays dark, light stays light.
        QCOMPARE(relativeLuminance(shown.color(QPalette::Window)) < 0.5, relativeLuminance(theme) < 0.18);
    }
};

QTEST_MAIN(TestLectern)
#include "tst_lectern.moc"
