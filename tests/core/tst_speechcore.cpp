#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace parlanza;
using testsupport::failureOf;
using testsupport::row;
using testsupport::table;
using Draws = QList<float>;

namespace {

// Three bases; in the first, sizes 4, 2, 3 put the groups at entries 0-3, 7-8 and 10-12.
const QStringList kThreeBases =
    QStringLiteral(
        "DD001004002003|Primera\nuno-1 premisa\nuno-2 premisa\nuno-3 premisa\n\n\n\ndos-1 premisa\ndos-2 "
        "premisa\n\ntres-1 premisa\ntres-2 premisa\ntres-3 premisa\nDD002003002|Segunda\ns1-1 premisa\ns1-2 "
        "premisa\n\n\n\ns2-1 premisa\ns2-2 premisa\nDD003002001|Tercera\nt1-1 premisa\n\n\n\nt2-1 premisa")
        .split(u'\n');

} // namespace

class TestSpeechCore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock;
    ScriptedRandom m_random;
    std::unique_ptr<SpeechCore> m_core;

    SpeechCore &makeCore(const QByteArray &bytes)
    {
        testsupport::writeFile(m_dir.filePath("dialogo.soy"), bytes);
        m_core = std::make_unique<SpeechCore>(m_clock, m_random);
        m_core->state.dire = m_dir.path() + u'/';
        return *m_core;
    }
    SpeechCore &makeCore(const QStringList &lines) { return makeCore(testsupport::soyBytes(lines)); }

    // The part of the window's start-up that concerns the core.
    void startUp()
    {
        m_core->countLines();
        m_core->state.firstBasePending = true;
        m_core->state.speechNumber = 0;
        m_core->toggleBaseList();
        m_core->selectBase();
    }

private slots:
    void init()
    {
        m_random = ScriptedRandom({0.5f});
        m_core.reset();
    }

    void toggleListsEveryHeaderLine()
    {
        // An emoji is one character, though it takes two code units.
        const QString e = QStringLiteral("\U0001F600");
        const QStringList lines =
            QStringLiteral("antes\nDD001002|Uno\nx DD0 a partir de la columna 2\n"
                           "premisa abcdefDD0\n%1DD0 en 4 a 6\n%2DD0 en 5 a 7\nDD002002|Dos")
                .arg(e.repeated(3), e.repeated(4))
                .split(u'\n');
        SpeechCore &core = makeCore((lines.join("\r\n") + "\r\n").toUtf8());
        core.toggleBaseList();
        QCOMPARE(core.controls.bases.entries, QStringList({lines[1], lines[2], lines[4], lines[6]}));
        QCOMPARE(core.controls.bases.lines, QList<qsizetype>({2, 3, 5, 7}));
        QVERIFY(core.controls.bases.visible);

        // A shown list hides without reading the file; a missing file empties it.
        QVERIFY(QFile::remove(core.premiseFile()));
        core.toggleBaseList();
        QVERIFY(!core.controls.bases.visible && core.controls.bases.entries.size() == 4);
        QVERIFY(failureOf([&] { core.toggleBaseList(); }));
        QVERIFY(core.controls.bases.entries.isEmpty() && !core.controls.bases.visible);
    }

    void selectionLoadsTheSection_data()
    {
        // The base picked, the file's length (the three bases, then filler), the lines read when fewer than
        // counted, the section loaded (its first line and length), and whether a speech is composed.
        testsupport::columns<int>({"entry", "fileLines", "lineCount", "first", "count"});
        QTest::addColumn<bool>("composes");
        row("first base up to the second header", 0, 27, 0, 0, 13, true);
        row("middle base up to the next header", 1, 27, 0, 13, 8, true);
        row("last base up to lineCount", 2, 27, 0, 21, 6, true);
        // Group 2 of the last base then lies past the lines read: it is loaded, and composing fails.
        row("lines past lineCount are not read", 2, 27, 24, 21, 3, false);
        row("32767 lines are all read", 2, 32767, 0, 21, 32746, true);
        // The count fails once, at line 32768, having read 32767 lines.
        row("32770 lines: one failure, 32767 read", 2, 32770, 0, 21, 32746, true);
    }
    void selectionLoadsTheSection()
    {
        const auto [entry, fileLines, lineCount, first, count] =
            testsupport::fetch<int>({"entry", "fileLines", "lineCount", "first", "count"});
        QFETCH(bool, composes);
        const QStringList lines = kThreeBases + QStringList(fileLines - kThreeBases.size(), "relleno");
        SpeechCore &core = makeCore(lines);
        const auto failure = failureOf([&] { core.countLines(); });
        QCOMPARE(failure ? failure->line() : 0, fileLines > 32767 ? 32768 : 0);
        QVERIFY(!failure || failure->description().contains(QStringLiteral("%1 líneas").arg(fileLines)));
        QCOMPARE(core.state.lineCount, std::min(fileLines, 32767));
        if (lineCount > 0)
            core.state.lineCount = static_cast<qint16>(lineCount);
        core.toggleBaseList();
        core.controls.bases.current = entry;
        QCOMPARE(!failureOf([&] { core.selectBase(); }), composes);
        QCOMPARE(core.controls.premises.entries(), lines.mid(first, count));
        QVERIFY(!core.controls.bases.visible);
        QCOMPARE(core.controls.history.size(), composes ? 1 : 0);
    }

    void selectionWithoutFileKeepsBannerAndList()
    {
        SpeechCore &core = makeCore(kThreeBases);
        core.countLines();
        core.toggleBaseList();
        QVERIFY(QFile::remove(core.premiseFile()));
        core.controls.bases.current = 1;
        QVERIFY(failureOf([&] { core.selectBase(); }));
        QVERIFY(core.controls.premises.isEmpty());
        QVERIFY(core.controls.banner.contains(u"Segunda\r\n"));
        QVERIFY(core.controls.bases.visible);
    }

    void composing_data()
    {
        table("core/speechcore-discursos.txt", {"base", "draws", "before", "separator", "entry"});
    }
    void composing()
    {
        const auto [base, draws, before, separator, entry] =
            testsupport::fetch({"base", "draws", "before", "separator", "entry"});
        SpeechCore &core = makeCore(base == u"-" ? testsupport::soyBytes(kThreeBases)
                                                 : QString(base + "\n").replace("\n", "\r\n").toUtf8());
        startUp();
        core.state.speechNumber = before.toLongLong();
        core.state.separator = separator == u"lines" ? QStringLiteral(" ...\r\n") : QStringLiteral(" ");
        Draws script;
        for (const QString &draw : draws.split(u' ', Qt::SkipEmptyParts))
            script.append(draw.toFloat()); // "-", no draws, reads as 0
        m_random.script(script);
        m_random.draws = m_random.reseeds = 0;
        core.compose();
        const QString number = entry.section(u' ', 0, 0, QString::SectionSkipEmpty);
        QCOMPARE(core.controls.history.last(), entry);
        QCOMPARE(core.controls.speech, entry.mid(std::max<qsizetype>(4, number.size() + 1)));
        QCOMPARE(core.controls.counter, "Nº:  " + number);
        QCOMPARE(core.state.speechCount, before.toLongLong() + 1);
        // Every draw is reseeded but the one direct pick past the bound.
        QCOMPARE(m_random.reseeds, m_random.draws - (m_random.draws > 1024 ? 1 : 0));
    }

    void selectionFails_data() { table("core/speechcore-fallos.txt", {"lines", "message", "numbered"}); }
    void selectionFails()
    {
        const auto [lines, message, numbered] = testsupport::fetch({"lines", "message", "numbered"});
        SpeechCore &core = makeCore(lines.split(u'\n'));
        core.countLines();
        core.toggleBaseList();
        core.controls.bases.current = static_cast<int>(core.controls.bases.entries.size()) - 1;
        const auto failure = failureOf([&] { core.selectBase(); });
        QVERIFY(failure);
        QVERIFY2(failure->description().contains(message), qPrintable(failure->description()));
        QCOMPARE(core.state.speechNumber, numbered == u"yes" ? 1 : 0);
        QCOMPARE(core.state.baseSpec.isEmpty(), numbered == u"no");
        QVERIFY(core.controls.history.isEmpty() && core.controls.speech.isEmpty());
        QCOMPARE(m_random.draws, 0);
    }

    void limitsFailAfterTheNumberAdvances()
    {
        SpeechCore &core = makeCore(kThreeBases);
        startUp();
        const QString tag = core.state.baseTag;
        core.state.baseTag = QStringLiteral("DD001-11");
        const auto groups = failureOf([&] { core.compose(); });
        QVERIFY(groups && groups->description().contains(u"11 grupos"));
        QCOMPARE(core.state.speechNumber, 2);
        QCOMPARE(core.state.speechCount, 2);
        QCOMPARE(core.controls.history.size(), 1);
        QCOMPARE(core.controls.counter, QStringLiteral("Nº:  1"));

        core.state.baseTag = tag;
        core.state.speechNumber = 32766;
        core.compose();
        const QString lastSpeech = core.controls.speech;
        const auto overflow = failureOf([&] { core.compose(); });
        QVERIFY(overflow &&
                overflow->description().startsWith(u"Desbordamiento: una sesión no admite más de 32767"));
        QCOMPARE(core.state.speechNumber, 32768);
        QCOMPARE(core.state.speechCount, 32767);
        QCOMPARE(core.controls.history.size(), 2);
        QCOMPARE(core.controls.speech, lastSpeech);
    }
};

QTEST_GUILESS_MAIN(TestSpeechCore)
#include "tst_speechcore.moc"
