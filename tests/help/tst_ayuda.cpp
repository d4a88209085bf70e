#include "FakeDesktop.h"
#include "TestSupport.h"
#include "help/HelpDocument.h"
#include "help/ayuda.h"
#include "platform/DesignUnits.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace parlanza;
using testsupport::row;
using testsupport::table;

namespace {

// Four title lines, 22 index entries, a rule, then each section: a blank line, its heading and ten lines.
// Section k's heading is at position 27 + 12 * (k - 1) + 1.
QStringList guide(int linesPerSection = 10)
{
    QStringList lines = {"GUIA", "", "INDICE", ""};
    for (int i = 1; i <= 22; ++i)
        lines.append(QStringLiteral("%1.- Tema %1").arg(i, 2, 10, QChar(u'0')));
    lines.append(QStringLiteral("------"));
    for (int i = 1; i <= 22; ++i)
        lines += QStringList{"", QStringLiteral("%1.- TEMA %1").arg(i, 2, 10, QChar(u'0'))} +
                 QStringList(linesPerSection, QStringLiteral("texto del tema"));
    return lines;
}

// A document described as in the test's data files: "guide", "guide:N", "N*text" or lines separated by "\n",
// then "; P=text" for each line replaced.
QStringList documentOf(const QString &description)
{
    const QStringList parts = description.split(QStringLiteral("; "));
    const QString &base = parts[0];
    QStringList lines =
        base.startsWith(u"guide") ? guide(base.contains(u':') ? base.section(u':', 1).toInt() : 10)
        : base.contains(u'*')     ? QStringList(base.section(u'*', 0, 0).toInt(), base.section(u'*', 1))
                                  : base.split(u'\n');
    for (const QString &edit : parts.mid(1))
        lines[edit.section(u'=', 0, 0).toInt()] = edit.section(u'=', 1);
    return lines;
}

} // namespace

class TestAyuda : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    NoPrinters m_printers;
    std::unique_ptr<ayuda> m_window;

    void open(const QStringList &lines)
    {
        testsupport::writeFile(m_dir.filePath("parlanzaguia.ans"), testsupport::soyBytes(lines));
        openIn(m_dir.path());
    }
    void openIn(const QString &folder)
    {
        m_window = std::make_unique<ayuda>(folder + u'/', m_printers);
        m_window->show();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("the help window did not become active");
    }
    QListWidget *list() const { return m_window->findChild<QListWidget *>("List1"); }
    QLineEdit *box() const { return m_window->findChild<QLineEdit *>("Text1"); }
    QPushButton *button(const char *name) const { return m_window->findChild<QPushButton *>(name); }
    QList<int> selected() const
    {
        QList<int> rows;
        for (int p = 0; p < list()->count(); ++p) {
            if (list()->item(p)->isSelected())
                rows.append(p);
        }
        return rows;
    }
    void pick(int position, Qt::KeyboardModifiers modifiers = {})
    {
        list()->scrollToItem(list()->item(position));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers,
                          list()->visualItemRect(list()->item(position)).center());
    }
    bool inView(int position) const
    {
        return list()->viewport()->rect().contains(list()->visualItemRect(list()->item(position)));
    }
    QString search(const QString &text)
    {
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClicks(box(), text);
        QTest::keyClick(box(), Qt::Key_Return);
        return box()->text();
    }

private slots:
    void cleanup()
    {
        m_window.reset();
        m_printers = NoPrinters();
    }

    void windowAndNumberedLines()
    {
        QStringList lines = guide();
        lines[1] = QStringLiteral("  con blancos  ");
        open(lines);
        QCOMPARE(m_window->windowTitle(), ayuda::caption());
        QCOMPARE(m_window->frameGeometry(), twipsRect(0, 0, 12000, 9000));
        QCOMPARE(QApplication::focusWidget(), list());
        QCOMPARE(list()->count(), lines.size());
        QCOMPARE(list()->item(0)->text(), QStringLiteral("    1  GUIA"));
        QCOMPARE(list()->item(1)->text(), QStringLiteral("    2    con blancos  "));
        // Printed lines drop the number (they start with the two blanks after it), in the list's order, and
        // end with the footer; the print queue test prints them through a real printer.
        QCOMPARE(HelpDocument::fromBytes("uno\r\ndos\r\ntres").printout({2, 0}),
                 QStringList({"  uno", "  tres", " VelarMundo, Ayuda ---------"}));
        // A longer document is read up to its 32767th line.
        QCOMPARE(HelpDocument::fromBytes(QByteArray("l\xEDnea\r\n").repeated(40000)).lines().size(), 32767);
        m_window->resize(500, 300);
        QCOMPARE(list()->geometry(), twipsRect(810, 0, 11115, 7230));
    }

    void missingDocumentOrPrinterDoesNothing()
    {
        openIn(m_dir.filePath("falta"));
        QCOMPARE(list()->count(), 0);
        QCOMPARE(search("texto"), QStringLiteral("texto   Nº Similitudes= "));
        open(guide());
        pick(1);
        QTest::mouseClick(button("Command2"), Qt::LeftButton);
        QCOMPARE(m_printers.asked, 1);
        QCOMPARE(selected(), QList<int>{1});
    }

    void lookup_data() { table("help/ayuda-indice.txt", {"document", "line", "jump"}); }
    void lookup()
    {
        const auto [document, line, jump] = testsupport::fetch({"document", "line", "jump"});
        open(documentOf(document));
        const int picked = line.toInt();
        const int heading = jump == u"-" ? -1 : jump.toInt();
        pick(picked);
        if (heading < 0) {
            QCOMPARE(selected(), QList<int>{picked});
            QCOMPARE(QApplication::focusWidget(), list());
            return;
        }
        QCOMPARE(selected(), heading == picked ? QList<int>{picked} : QList<int>({picked, heading}));
        QVERIFY(inView(std::min(heading + 8, int(list()->count()) - 1)));
        QCOMPARE(QApplication::focusWidget(), button("Command3"));
        // SPACE on "INDICE" right after the jump goes back to the index, at the top of the list.
        list()->scrollToBottom();
        QTest::keyClick(button("Command3"), Qt::Key_Space);
        QVERIFY(selected().contains(2));
        QCOMPARE(list()->indexAt(QPoint(5, 2)).row(), 2);
    }

    void lookupFromTheKeyboard()
    {
        open(guide());
        pick(3);
        QTest::keyClick(list(), Qt::Key_Down);
        QTRY_COMPARE(selected(), QList<int>({4, 28}));
        QCOMPARE(QApplication::focusWidget(), button("Command3"));
    }

    void everyShippedIndexEntryLeadsToItsSection()
    {
        const HelpDocument help = HelpDocument::fromBytes(
            testsupport::readFile(QStringLiteral(PARLANZA_DATA_DIR "/parlanzaguia.ans")));
        for (int entry = 4; entry <= 25; ++entry) {
            const int heading = help.lookup(entry).value_or(0);
            const QString text = help.lines().value(heading).mid(7);
            QVERIFY2(heading > 26 && text.startsWith(help.lines()[entry].mid(7, 6), Qt::CaseInsensitive) &&
                         text.toUpper() == text,
                     qPrintable(help.lines()[entry] + " -> " + text));
        }
    }

    void searchAnswer_data()
    {
        table("help/ayuda-busquedas.txt", {"document", "text", "answer", "matches"});
        QString hundred;
        for (int i = 1; i <= 100; ++i)
            hundred += QStringLiteral("%1").arg(i, 5);
        row("past a hundred matches all are selected, a hundred named", "150*iguales", "iguales",
            "iguales   Nº Similitudes= " + hundred, "150");
    }
    void searchAnswer()
    {
        const auto [document, text, answer, matches] =
            testsupport::fetch({"document", "text", "answer", "matches"});
        open(documentOf(document));
        QCOMPARE(search(text), answer);
        QCOMPARE(selected().size(), matches.toInt());
        if (!selected().isEmpty())
            QCOMPARE(list()->currentRow(), selected().last());
    }

    void keysThatTypeNothingKeepTheMatches_data()
    {
        QTest::addColumn<int>("key"); // 0: an accented letter committed by the input method
        QTest::addColumn<bool>("kept");
        row("a letter", int(Qt::Key_A), false);
        row("CTRL+V pastes", int(Qt::Key_V), false);
        row("BACKSPACE", int(Qt::Key_Backspace), false);
        row("a dead-key accent", 0, false);
        row("TAB, on the way to printing", int(Qt::Key_Tab), true);
        row("ESCAPE", int(Qt::Key_Escape), true);
    }
    void keysThatTypeNothingKeepTheMatches()
    {
        QFETCH(int, key);
        QFETCH(bool, kept);
        open(guide());
        search(QStringLiteral("tema 0"));
        QCOMPARE(selected().size(), 18);
        QTest::mouseClick(box(), Qt::LeftButton); // a click empties the box and keeps the matches
        QCOMPARE(box()->text(), QString());
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

    void searchScrollsToEachMatchInTurn()
    {
        // Two matches ten lines apart, searched with the end of the list in view: brought to the first match
        // and then to the second, the list shows both. A search with "Buscar" leaves only the
        // matches selected.
        QStringList lines(1200, QStringLiteral("texto"));
        lines[4] = lines[14] = QStringLiteral("la pausa");
        open(lines);
        list()->scrollToBottom();
        search(QStringLiteral("pausa"));
        QVERIFY(inView(4) && inView(14));
        QTest::mouseClick(box(), Qt::LeftButton);
        QTest::keyClicks(box(), QStringLiteral("pausa"));
        pick(1100);
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        QCOMPARE(selected(), QList<int>({4, 14}));
    }
};

QTEST_MAIN(TestAyuda)
#include "tst_ayuda.moc"
