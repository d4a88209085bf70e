#include "FakeDesktop.h"
#include "TestSupport.h"
#include "help/HelpDocument.h"
#include "help/ayuda.h"
#include "platform/DesignUnits.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace parlanza;

namespace {

const QString kShippedGuide = QStringLiteral(PARLANZA_DATA_DIR "/parlanzaguia.ans");

// Four title lines, 22 index entries, a rule, then each section: a blank line, its heading and ten lines.
QStringList guide(int linesPerSection = 10)
{
    QStringList lines = {"GUIA", "", "INDICE", ""};
    for (int i = 1; i <= 22; ++i)
        lines.append(QStringLiteral("%1.- Tema %1").arg(i, 2, 10, QChar(u'0')));
    lines.append(QStringLiteral("------"));
    for (int i = 1; i <= 22; ++i) {
        lines.append(QString());
        lines.append(QStringLiteral("%1.- TEMA %1").arg(i, 2, 10, QChar(u'0')));
        for (int j = 0; j < linesPerSection; ++j)
            lines.append(QStringLiteral("texto del tema"));
    }
    return lines;
}

} // namespace

class TestAyuda : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void windowAsDesigned();
    void numberedLines();
    void missingDocumentGivesAnEmptyList();
    void lookup_data();
    void lookup();
    void lookupFromTheKeyboard();
    void lookupNearTheEnd();
    void returnToTheIndex();
    void everyShippedIndexEntryJumpsToItsSection();
    void searchAnswer_data();
    void searchAnswer();
    void typingClearsTheSelection();
    void keysThatTypeNothingKeepTheMatches_data();
    void keysThatTypeNothingKeepTheMatches();
    void searchScrollsToEachMatchInTurn();
    void moreThanHundredMatches();
    void printsTheSelectionInListOrder();
    void noPrinterDoesNothing();
    void hints();
    void badDocuments_data();
    void badDocuments();

private:
    ayuda &open(const QStringList &lines);
    ayuda &openFile(const QString &path);
    QListWidget *list() const { return m_window->findChild<QListWidget *>("List1"); }
    QLineEdit *box() const { return m_window->findChild<QLineEdit *>("Text1"); }
    QPushButton *button(const char *name) const { return m_window->findChild<QPushButton *>(name); }
    QList<int> selected() const;
    void pick(int position);
    QString search(const QString &text);

    QTemporaryDir m_dir;
    FilePrinters m_printers;
    std::unique_ptr<ayuda> m_window;
};

void TestAyuda::cleanup()
{
    m_window.reset();
    m_printers = FilePrinters();
}

ayuda &TestAyuda::open(const QStringList &lines)
{
    testsupport::writeFile(m_dir.filePath("parlanzaguia.ans"), testsupport::soyBytes(lines));
    return openFile(m_dir.filePath("parlanzaguia.ans"));
}

ayuda &TestAyuda::openFile(const QString &path)
{
    const QString dire = QFileInfo(path).absolutePath() + u'/';
    m_window = std::make_unique<ayuda>(dire, m_printers);
    m_window->show();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the help window did not become active");
    return *m_window;
}

QList<int> TestAyuda::selected() const
{
    QList<int> rows;
    for (int p = 0; p < list()->count(); ++p) {
        if (list()->item(p)->isSelected())
            rows.append(p);
    }
    return rows;
}

void TestAyuda::pick(int position)
{
    list()->scrollToItem(list()->item(position));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(list()->item(position)).center());
}

QString TestAyuda::search(const QString &text)
{
    QTest::mouseClick(box(), Qt::LeftButton);
    QTest::keyClicks(box(), text);
    QTest::keyClick(box(), Qt::Key_Return);
    return box()->text();
}

void TestAyuda::windowAsDesigned()
{
    open(guide());
    QCOMPARE(ayuda::caption(),
             QStringLiteral("  ® VM           AYUDA          VelarMundo                            "
                            "www.velarmundo.example"));
    QCOMPARE(m_window->windowTitle(), ayuda::caption());
    QCOMPARE(m_window->frameGeometry(), twipsRect(0, 0, 12000, 9000));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(128, 128, 0));
    const std::pair<const char *, QRect> places[] = {
        {"List1", twipsRect(810, 0, 11115, 7230)},      {"Text1", twipsRect(840, 7470, 11085, 285)},
        {"Command1", twipsRect(6090, 7230, 1215, 255)}, {"Label1", twipsRect(3360, 7230, 2205, 225)},
        {"Command2", twipsRect(8040, 7230, 1605, 255)}, {"Label2", twipsRect(870, 7800, 11025, 585)},
        {"Command3", twipsRect(10350, 7230, 1035, 255)}};
    for (const auto &[name, place] : places)
        QCOMPARE(m_window->findChild<QWidget *>(name)->geometry(), place);
    QCOMPARE(box()->text(), QStringLiteral("Texto a Buscar?"));
    QCOMPARE(QApplication::focusWidget(), list());
    QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    m_window->resize(500, 300);
    QCOMPARE(list()->geometry(), twipsRect(810, 0, 11115, 7230));
}

void TestAyuda::numberedLines()
{
    QStringList lines = guide();
    lines[1] = QStringLiteral("  con blancos  ");
    open(lines);
    QCOMPARE(list()->count(), lines.size());
    QCOMPARE(list()->item(0)->text(), QStringLiteral("    1  GUIA"));
    QCOMPARE(list()->item(1)->text(), QStringLiteral("    2    con blancos  "));
    QCOMPARE(list()->item(3)->text(), QStringLiteral("    4  "));
}

void TestAyuda::missingDocumentGivesAnEmptyList()
{
    openFile(m_dir.filePath("falta/parlanzaguia.ans"));
    QCOMPARE(list()->count(), 0);
    QCOMPARE(search("texto"), QStringLiteral("texto   Nº Similitudes= "));
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
}

void TestAyuda::lookup_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("picked");
    QTest::addColumn<int>("heading"); // -1: no jump
    const QStringList plain = guide();
    QTest::newRow("index entry jumps to its heading") << plain << 6 << 27 + 2 * 12 + 1;
    QTest::newRow("position 26 finds itself") << plain << 26 << 26;
    QStringList accented = plain;
    accented[10] = QStringLiteral("Índice general");
    accented[27 + 6 * 12 + 1] = QStringLiteral("ÍNDICE GENERAL");
    QTest::newRow("accented capitals are lowered") << accented << 10 << 27 + 6 * 12 + 1;
    QStringList earlier = plain;
    earlier[30] = QStringLiteral("una línea con  03.- tema dentro");
    QTest::newRow("two spaces and the key earlier in the body") << earlier << 6 << 30;
    QStringList blank = plain;
    blank[8] = QString();
    QTest::newRow("empty index line goes to position 26") << blank << 8 << 26;
    QTest::newRow("title lines do nothing") << plain << 2 << -1;
    QTest::newRow("body lines do nothing") << plain << 40 << -1;
    QStringList missing = plain;
    missing[27 + 2 * 12 + 1] = QStringLiteral("sin cabecera");
    QTest::newRow("no heading, no jump") << missing << 6 << -1;
}

void TestAyuda::lookup()
{
    QFETCH(QStringList, lines);
    QFETCH(int, picked);
    QFETCH(int, heading);
    open(lines);
    pick(picked);
    if (heading < 0) {
        QCOMPARE(selected(), QList<int>{picked});
        QCOMPARE(QApplication::focusWidget(), list());
        return;
    }
    QCOMPARE(selected(), heading == picked ? QList<int>{picked} : QList<int>({picked, heading}));
    QCOMPARE(list()->currentRow(), heading + 8);
    QVERIFY(list()->viewport()->rect().contains(list()->visualItemRect(list()->item(heading + 8))));
    QCOMPARE(QApplication::focusWidget(), button("Command3"));
    // SPACE on "INDICE" right after the jump goes back to the index.
    QTest::keyClick(button("Command3"), Qt::Key_Space);
    QVERIFY(selected().contains(2));
}

void TestAyuda::lookupFromTheKeyboard()
{
    open(guide());
    pick(3);
    QTest::keyClick(list(), Qt::Key_Down);
    QTRY_COMPARE(selected(), QList<int>({4, 28}));
    QCOMPARE(QApplication::focusWidget(), button("Command3"));
}

void TestAyuda::lookupNearTheEnd()
{
    // The last section has fewer than eight lines after its heading.
    QStringList lines = guide(10).mid(0, 27 + 21 * 12);
    lines << ""
          << "22.- TEMA 22"
          << "uno"
          << "dos";
    open(lines);
    pick(25);
    const int heading = 27 + 21 * 12 + 1;
    QCOMPARE(selected(), QList<int>({25, heading}));
    QVERIFY(list()->viewport()->rect().intersects(list()->visualItemRect(list()->item(list()->count() - 1))));
    QCOMPARE(QApplication::focusWidget(), button("Command3"));
}

void TestAyuda::returnToTheIndex()
{
    open(guide());
    list()->scrollToBottom();
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    QCOMPARE(selected(), QList<int>{2});
    QCOMPARE(list()->indexAt(QPoint(5, 2)).row(), 2);
}

void TestAyuda::everyShippedIndexEntryJumpsToItsSection()
{
    openFile(kShippedGuide);
    QVERIFY(list()->count() > 27);
    for (int entry = 4; entry <= 25; ++entry) {
        list()->clearSelection();
        pick(entry);
        const QList<int> rows = selected();
        QCOMPARE(rows.size(), 2);
        const QString index = list()->item(entry)->text().mid(7, 6);
        const QString heading = list()->item(rows[1])->text().mid(7, 6);
        QVERIFY2(rows[1] > 26 && heading.compare(index, Qt::CaseInsensitive) == 0,
                 qPrintable(list()->item(entry)->text() + " -> " + list()->item(rows[1])->text()));
        QVERIFY(list()->item(rows[1])->text().mid(7).toUpper() == list()->item(rows[1])->text().mid(7));
    }
}

void TestAyuda::searchAnswer_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("answer");
    QStringList pausa(1200, QStringLiteral("texto"));
    pausa[2] = pausa[44] = pausa[1199] = QStringLiteral("la pausa");
    QTest::newRow("number column keeps its blanks") << pausa << "pausa"
                                                    << "pausa   Nº Similitudes=     3   45 1200";
    QStringList digits(130, QStringLiteral("sin cifras"));
    QTest::newRow("two digits find line numbers")
        << digits << "12"
        << "12   Nº Similitudes=    12  112  120  121  122  123  124  125  126  127  128  129";
    QStringList five(10002, QStringLiteral("x"));
    five[9999] = five[10000] = five[10001] = QStringLiteral("ñandú");
    QTest::newRow("five-digit numbers stand together") << five << "ÑANDÚ"
                                                       << "ÑANDÚ   Nº Similitudes= 100001000110002";
    QStringList keys = {"Indice", "ind", "xx  ind", "  Ind"};
    QTest::newRow("two leading spaces match the separator") << keys << "  ind"
                                                            << "  ind   Nº Similitudes=     1    2    3    4";
    QTest::newRow("no match") << keys << "zz"
                              << "zz   Nº Similitudes= ";
}

void TestAyuda::searchAnswer()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QFETCH(QString, answer);
    open(lines);
    QCOMPARE(search(text), answer);
    const QStringList numbers = answer.mid(answer.indexOf(u'=') + 2).split(u' ', Qt::SkipEmptyParts);
    if (numbers.size() == 1 && numbers[0].size() > 5)
        QCOMPARE(selected().size(), 3);
    else
        QCOMPARE(selected().size(), numbers.size());
}

void TestAyuda::typingClearsTheSelection()
{
    open(guide());
    search(QStringLiteral("tema 0"));
    QCOMPARE(selected().size(), 18);
    QTest::mouseClick(box(), Qt::LeftButton);
    QCOMPARE(box()->text(), QString());
    QTest::keyClick(box(), Qt::Key_A);
    QVERIFY(selected().isEmpty());
    QCOMPARE(box()->text(), QStringLiteral("a"));
    QTest::keyClick(box(), Qt::Key_Return); // one character: no search, the selection still cleared
    QCOMPARE(box()->text(), QStringLiteral("a"));
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QVERIFY(selected().isEmpty());
}

void TestAyuda::keysThatTypeNothingKeepTheMatches_data()
{
    QTest::addColumn<int>("key"); // 0: an accented letter committed by the input method
    QTest::addColumn<bool>("kept");
    QTest::newRow("a letter") << int(Qt::Key_A) << false;
    QTest::newRow("CTRL+V pastes") << int(Qt::Key_V) << false;
    QTest::newRow("BACKSPACE") << int(Qt::Key_Backspace) << false;
    QTest::newRow("a dead-key accent") << 0 << false;
    QTest::newRow("TAB, on the way to printing") << int(Qt::Key_Tab) << true;
    QTest::newRow("ESCAPE") << int(Qt::Key_Escape) << true;
}

void TestAyuda::keysThatTypeNothingKeepTheMatches()
{
    QFETCH(int, key);
    QFETCH(bool, kept);
    open(guide());
    search(QStringLiteral("tema 0"));
    if (key == 0) {
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("á"));
        QApplication::sendEvent(box(), &commit);
    } else if (key == Qt::Key_V) {
        // As X11 gives it: the key's text is the control character 22.
        QApplication::clipboard()->setText(QStringLiteral("pegado"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QApplication::sendEvent(box(), &paste);
        QVERIFY(box()->text().endsWith(u"pegado"));
    } else {
        QTest::keyClick(box(), Qt::Key(key));
    }
    QCOMPARE(selected().size(), kept ? 18 : 0);
    QVERIFY(m_window->isVisible());
}

void TestAyuda::searchScrollsToEachMatchInTurn()
{
    // Two matches ten lines apart, searched with the end of the list in view: brought to the first match
    // and then to the second, the list shows both.
    QStringList lines(1200, QStringLiteral("texto"));
    lines[4] = lines[14] = QStringLiteral("la pausa");
    open(lines);
    list()->scrollToBottom();
    search(QStringLiteral("pausa"));
    for (const int p : {4, 14})
        QVERIFY2(list()->viewport()->rect().contains(list()->visualItemRect(list()->item(p))),
                 qPrintable(QString::number(p)));
}

void TestAyuda::moreThanHundredMatches()
{
    open(QStringList(150, QStringLiteral("todas iguales")));
    const QString answer = search(QStringLiteral("iguales"));
    QCOMPARE(selected().size(), 150);
    QString numbers;
    for (int i = 1; i <= 100; ++i)
        numbers += QStringLiteral("%1").arg(i, 5);
    QCOMPARE(answer, QStringLiteral("iguales   Nº Similitudes= ") + numbers);
    QCOMPARE(list()->currentRow(), 149);
}

void TestAyuda::printsTheSelectionInListOrder()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    open({"uno", "", "tres", "cuatro con blancos"});
    m_printers.path = m_dir.filePath("impreso.pdf");
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(list()->item(3)).center());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list()->visualItemRect(list()->item(0)).center());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list()->visualItemRect(list()->item(1)).center());
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    QCOMPARE(m_printers.jobs, 1);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), m_printers.path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished());
    QStringList printed = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\n');
    for (QString &line : printed)
        line = line.trimmed();
    while (!printed.isEmpty() && printed.last().isEmpty())
        printed.removeLast();
    QCOMPARE(printed, QStringList({"uno", "", "cuatro con blancos", "VelarMundo, Ayuda ---------"}));
    QCOMPARE(selected(), QList<int>({0, 1, 3}));
}

void TestAyuda::noPrinterDoesNothing()
{
    open(guide());
    pick(1);
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    QCOMPARE(m_printers.jobs, 0);
    QVERIFY(m_window->isVisible());
    QCOMPARE(selected(), QList<int>{1});
}

void TestAyuda::hints()
{
    open(guide());
    auto *area = m_window->findChild<QLabel *>("Label2");
    QCOMPARE(area->text(), QString());
    const std::pair<QWidget *, QString> hints[] = {
        {button("Command2"), " Permite imprimir el texto seleccionado de la lista. Solo el seleccionado. "},
        {button("Command3"),
         " Al Hacer -Click- aquí, se presenta en pantalla el INDICE de la Ayuda. Dando gran "
         "agilidad a la busqueda de datos.\n Después de elegir en el INDICE, con -SPACE-, vuelve "
         "nuevamente al INDICE"},
        {box(),
         " Permite introducir un TEXTO. Con ENTER lo buscará en la lista.\n  Presentará las simulitudes "
         "encontradas, dando el nº de línea donde se encuentra."},
        {list()->viewport(),
         " Al pulsar sobre cualquier opción del INDICE, esta se presentará en pantalla\n Permite "
         "selccionar el texto deseado en la lista e imprimirlo."}};
    for (const auto &[control, hint] : hints) {
        QTest::mouseMove(control, QPoint(4, 4));
        QTest::mouseMove(control, QPoint(6, 5));
        QCOMPARE(area->text(), hint);
    }
    // The "Buscar" button and the labels have no hint.
    for (const char *other : {"Command1", "Label1", "Label2"})
        QTest::mouseMove(m_window->findChild<QWidget *>(other), QPoint(3, 3));
    QCOMPARE(area->text(), hints[3].second);
}

void TestAyuda::badDocuments_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 7919) % 256));
    QByteArray many;
    for (int i = 0; i < 40000; ++i)
        many += "l\xEDnea\r\n";
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("binary") << binary
                            << int(binary.count('\r') + binary.count('\n') + 1 - binary.count("\r\n"));
    QTest::newRow("a line of 1 MB") << QByteArray(1 << 20, 'x') << 1;
    QTest::newRow("40000 lines stop at 32767") << many << 32767;
    QTest::newRow("NUL bytes") << QByteArray("a\0b\r\n\0\r\n", 8) << 2;
    QTest::newRow("invalid UTF-8") << QByteArray("\xC3\x28 \xFF\r\n") << 1;
    QTest::newRow("CR-only line ends") << QByteArray("uno\rdos\rtres") << 3;
}

void TestAyuda::badDocuments()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lines);
    const HelpDocument help = HelpDocument::fromBytes(bytes);
    QCOMPARE(help.lines().size(), lines);
    for (int p = 0; p < std::min<int>(lines, 40); ++p)
        help.lookup(p);
    const auto found = help.search(QStringLiteral("  "));
    QVERIFY(found);
    QCOMPARE(found->matches.size(), lines);
    QCOMPARE(help.printout(found->matches).size(), lines + 1);
}

QTEST_MAIN(TestAyuda)
#include "tst_ayuda.moc"
