#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwindow/FullScreenView.h"
#include "platform/Announcer.h"
#include "platform/ReadableColours.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace parlanza;
using testsupport::row;

namespace {

// Each group holds one usable premise, so speeches are known in advance.
const QStringList kBases = {
    "DD001002001|Primera base", "Señoras y señores",   "", "", "", "la patria os contempla.",
    "DD002002|Segunda base",    "Nada más que añadir."};
const QString kFirst = QStringLiteral("Señoras y señores ...\nla patria os contempla. ...");
const QString kSecond = QStringLiteral("Nada más que añadir. ...");

QString pdftotext(const QString &option, const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {option, file, QStringLiteral("-")});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A PDF's pages, each its lines with their blanks run together and without the empty ones.
QStringList pdfPages(const QString &file)
{
    QStringList pages = pdftotext(QStringLiteral("-layout"), file).split(u'\f', Qt::SkipEmptyParts);
    for (QString &page : pages)
        page = page.replace(QRegularExpression(QStringLiteral(R"(\s*\n\s*)")), QStringLiteral("\n"))
                   .replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "))
                   .trimmed();
    return pages;
}

// The height in points of the box of the first such word: the type's ascent and descent, a little over its
// size.
double wordHeight(const QString &file, const QString &word)
{
    const QRegularExpressionMatch match =
        QRegularExpression(
            QStringLiteral(R"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">%1</word>)re").arg(word))
            .match(pdftotext(QStringLiteral("-bbox"), file));
    return match.hasMatch() ? match.captured(2).toDouble() - match.captured(1).toDouble() : -1.0;
}

bool fits(const QLabel *label, int pixels)
{
    QFont font = label->font();
    font.setPixelSize(pixels);
    const QSize area = label->contentsRect().size();
    const QSize needed =
        QFontMetrics(font).boundingRect(QRect({}, area), Qt::TextWordWrap, label->text()).size();
    return needed.boundedTo(area) == needed;
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
    T *control(const QString &name, QObject *parent = nullptr) const
    {
        T *found = (parent ? parent : m_window.get())->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QWidget *view() const
    {
        QWidget *shown = m_window->findChild<FullScreenView *>();
        return shown && shown->isVisible() ? shown : nullptr;
    }
    // Runs steps parted by blanks: the window's buttons, "List2=N" to make a row current, "List2+N" to add it
    // to the chosen ones, commands by name, keys (to the view when it is open).
    void run(const QString &steps)
    {
        static const QHash<QString, void (dialogo::*)()> buttons{{"next", &dialogo::Command1_Click},
                                                                 {"back", &dialogo::Command4_Click},
                                                                 {"auto", &dialogo::Label5_Click},
                                                                 {"tick", &dialogo::Timer1_Timer}};
        for (const QString &step : steps.split(u' ')) {
            if (buttons.contains(step))
                (m_window.get()->*buttons[step])();
            else if (step == u"all")
                control<QListWidget>("List2")->selectAll();
            else if (step.startsWith(u"pages:"))
                m_pdf->pages = step.mid(6);
            else if (step.startsWith(u"List"))
                control<QListWidget>(step.left(5))
                    ->setCurrentRow(step.mid(6).toInt(), step[5] == u'+'
                                                             ? QItemSelectionModel::Select
                                                             : QItemSelectionModel::ClearAndSelect);
            else if (step == u"click")
                QTest::mouseClick(control("speech", view()), Qt::LeftButton);
            else if (step == u"held")
                for (int i = 0; i < 6; ++i)
                    QTest::simulateEvent(view(), true, Qt::Key_Space, {}, QStringLiteral(" "), i > 0);
            else if (m_window->findChild<QAction *>(step))
                control<QAction>(step)->trigger();
            else
                QTest::keySequence((view() ? view() : m_window.get())->windowHandle(), QKeySequence(step));
        }
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
        QApplication::setPalette(QPalette()); // the view's rows choose a palette of their own
    }

    // Pages of 100 and a gap of 10 between speeches; a block is "N" lines 10 high or "NxH" lines H high.
    void placeBlocks_data()
    {
        testsupport::columns<QString>({"blocks", "expected"});
        row("a speech that fits exactly in what is left stays", "4 5",
            "0:0 0:10 0:20 0:30 | 0:50 0:60 0:70 0:80 0:90");
        row("a speech longer than a page goes on where it is and is split where a line does not fit",
            "2 9x12", "0:0 0:10 | 0:30 0:42 0:54 0:66 0:78 1:0 1:12 1:24 1:36");
        row("a speech exactly a page tall goes whole to a page of its own", "1 10",
            "0:0 | 1:0 1:10 1:20 1:30 1:40 1:50 1:60 1:70 1:80 1:90");
        row("a line taller than the page stands alone at the top of its own", "1x150 1", "0:0 | 1:0");
        row("empty speeches take neither room nor gap", "0 1 0 1", " | 0:0 |  | 0:20");
    }
    void placeBlocks()
    {
        const auto [sizes, expected] = testsupport::fetch({"blocks", "expected"});
        QList<QList<double>> blocks;
        for (const QString &block : sizes.split(u' '))
            blocks.append(QList<double>(block.section(u'x', 0, 0).toInt(),
                                        block.contains(u'x') ? block.section(u'x', 1).toDouble() : 10.0));
        QStringList parts;
        for (const QList<PlacedLine> &block : parlanza::placeBlocks(blocks, 100.0, 10.0)) {
            QStringList lines;
            for (const PlacedLine &line : block)
                lines.append(QStringLiteral("%1:%2").arg(line.page).arg(line.top));
            parts.append(lines.join(u' '));
        }
        QCOMPARE(parts.join(QStringLiteral(" | ")), expected);
    }

    // The speech or the chosen entries in the separated form, in large type, whole speeches on each page, and
    // a small foot with the base's title and the page number.
    void printout_data()
    {
        testsupport::columns<QString>({"steps", "expected"});
        const QString foot = QStringLiteral("\nPrimera base Página 1 de 1");
        row("CTRL+P prints premises run on screen one a line", "mnuPsgd next Ctrl+P", kFirst + foot);
        row("a speech shown again by the step-back button prints without its number", "next back printSpeech",
            kFirst + foot);
        row("with the history shown, its current entry", "mnuPI List3=1 mnuvisua List2=0 printSpeech",
            kFirst + QStringLiteral("\nSegunda base Página 1 de 1"));
        row("the chosen entries in the list's order, from two bases",
            "mnuPsgd mnuPI List3=1 List2=1 List2+0 printEntries",
            kFirst + u'\n' + kSecond + QStringLiteral("\nSegunda base Página 1 de 1"));
        QStringList five;
        for (int page = 1; page <= 5; ++page)
            five.append((QStringList(page < 5 ? 7 : 2, kFirst)
                         << QStringLiteral("Primera base Página %1 de 5").arg(page))
                            .join(u'\n'));
        const QString thirty = QStringList(29, QStringLiteral("next")).join(u' ') + QStringLiteral(" all ");
        row("speeches whole on every page", thirty + "printEntries", five.join(QStringLiteral("\n/\n")));
        row("the pages the dialog asks, some past the end", thirty + "pages:1,3-4,7 printEntries",
            QStringList{five[0], five[2], five[3]}.join(QStringLiteral("\n/\n")));
    }
    void printout()
    {
        const auto [steps, expected] = testsupport::fetch({"steps", "expected"});
        run(steps);
        QCOMPARE(pdfPages(m_pdf->lastFile()).join(QStringLiteral("\n/\n")), expected);
        const double speech = wordHeight(m_pdf->lastFile(), QStringLiteral("Señoras"));
        const double foot = wordHeight(m_pdf->lastFile(), QStringLiteral("Página"));
        QVERIFY2(speech >= 20.0 && speech <= 25.0 && foot >= 8.0 && foot <= 12.0,
                 qPrintable(QStringLiteral("%1 %2").arg(speech).arg(foot)));
    }

    void withoutPrinterOrCancelledNothingIsPrinted()
    {
        m_pdf->cancel = true;
        run(QStringLiteral("printSpeech"));
        open(m_fakes->printers);
        run(QStringLiteral("printSpeech"));
        QCOMPARE(m_pdf->jobs, 0);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(m_fakes->messages.shown[0].startsWith(u"No hay ninguna impresora"));
    }

    // The full-screen view, opened under a theme of the given window colour, asks the main window for
    // speeches and shows, and alone announces, what it shows: in type as large as fits, dark or light as the
    // theme.
    void fullScreenView_data()
    {
        testsupport::columns<QString>({"theme", "steps", "counter", "speech"});
        row("F11 in the window opens it, a click gives the next speech", "#efefef", "F11 click", "Nº:  2",
            kFirst);
        row("SPACE gives the next speech, the left arrow steps back", "#2a2e32", "F11 Space Space Left",
            "Nº:  2", kFirst);
        row("a held SPACE gives one", "#808080", "F11 held", "Nº:  2", kFirst);
        row("it follows the timer", "#efefef", "readFullScreen auto tick", "Nº:  3", kFirst);
        row("it follows a change of base", "#000000", "F11 mnuPI List3=1", "Nº:  2", kSecond);
        row("ESCAPE closes it, and so does F11", "#efefef", "F11 Space Esc F11 F11", "Nº:  2", "");
        row("closing the main window closes it", "#efefef", "F11 mnuSalir", "Nº:  1", "");
    }
    void fullScreenView()
    {
        const auto [theme, steps, counter, speech] =
            testsupport::fetch({"theme", "steps", "counter", "speech"});
        QApplication::setPalette(QPalette(QColor(theme)));
        run(steps);
        QCOMPARE(control<QLabel>("Label4")->text(), counter);
        QCOMPARE(m_window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly)->text(),
                 QString(kFirst).replace(u'\n', u' '));
        QCOMPARE(view() ? control<QLabel>("speech", view())->text() : QString(), speech);
        if (!view())
            return;
        QCOMPARE(view()->findChild<Announcer *>()->text(), QString(speech).replace(u'\n', u' '));
        QVERIFY(control<QLabel>("foot", view())->text().startsWith(counter));
        QVERIFY(QTest::qWaitForWindowExposed(view()) && view()->isFullScreen());
        const QLabel *label = control<QLabel>("speech", view());
        const int size = label->font().pixelSize();
        QVERIFY(size > 40 && size > 2 * control("Label3")->font().pixelSize());
        QVERIFY(fits(label, size) && !fits(label, size + 1));
        const QColor background = label->palette().color(QPalette::Window);
        QVERIFY(contrastRatio(label->palette().color(QPalette::WindowText), background) >= 15.0);
        QCOMPARE(relativeLuminance(background) < 0.5, relativeLuminance(QColor(theme)) < 0.18);
    }
};

QTEST_MAIN(TestLectern)
#include "tst_lectern.moc"
