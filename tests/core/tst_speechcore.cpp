#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "core/PremiseBase.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace parlanza;
using testsupport::failureOf;

namespace {

// Three bases; in the first, sizes 4, 2, 3 put the groups at entries 0-3, 7-8 and 10-12.
const QStringList kThreeBases = {
    "DD001004002003|Primera",
    "uno-1 premisa",
    "uno-2 premisa",
    "uno-3 premisa",
    "",
    "",
    "",
    "dos-1 premisa",
    "dos-2 premisa",
    "",
    "tres-1 premisa",
    "tres-2 premisa",
    "tres-3 premisa",
    "DD002003002|Segunda",
    "s1-1 premisa",
    "s1-2 premisa",
    "",
    "",
    "",
    "s2-1 premisa",
    "s2-2 premisa",
    "DD003002001|Tercera",
    "t1-1 premisa",
    "",
    "",
    "",
    "t2-1 premisa",
};

QStringList premisesOf(const QString &speech)
{
    QStringList premises = speech.split(QStringLiteral(" ...\r\n"));
    premises.removeLast();
    return premises;
}

} // namespace

class TestSpeechCore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void toggleListsEveryHeaderLine();
    void toggleHidesWithoutReadingAndClearsWhenFileIsMissing();
    void countLinesPastTheLimitReportsOnce();

    void selectionLoadsTheSection_data();
    void selectionLoadsTheSection();
    void headerFields_data();
    void headerFields();
    void startUpLoadsTheFirstBaseWithItsBanner();
    void malformedHeaderFailsNamingTheLine_data();
    void malformedHeaderFailsNamingTheLine();
    void emptyFileFailsTheSelection();
    void selectionWithoutFileKeepsBannerAndList();

    void separators_data();
    void separators();
    void historyEntryAndCounter_data();
    void historyEntryAndCounter();
    void noGroupsGiveAnEmptySpeech();
    void drawRanges_data();
    void drawRanges();
    void unusableEntriesAreRedrawn_data();
    void unusableEntriesAreRedrawn();
    void groupWithoutUsableEntryFails_data();
    void groupWithoutUsableEntryFails();
    void limitsFailAfterTheNumberAdvances();
    void stuckGeneratorCannotHang();
    void everyPremiseComesFromItsGroup();
    void badFilesFailCleanly_data();
    void badFilesFailCleanly();

private:
    SpeechCore &makeCore(const QStringList &lines,
                         TextFile::Encoding encoding = TextFile::Encoding::Windows1252);
    void startUp();

    QTemporaryDir m_dir;
    FixedClock m_clock;
    ScriptedRandom m_random;
    std::unique_ptr<SpeechCore> m_core;
};

void TestSpeechCore::init()
{
    m_random = ScriptedRandom({0.5f});
    m_core.reset();
}

SpeechCore &TestSpeechCore::makeCore(const QStringList &lines, TextFile::Encoding encoding)
{
    testsupport::writeFile(m_dir.filePath("dialogo.soy"), encoding == TextFile::Encoding::Utf8
                                                              ? (lines.join("\r\n") + "\r\n").toUtf8()
                                                              : testsupport::soyBytes(lines));
    m_core = std::make_unique<SpeechCore>(m_clock, m_random);
    m_core->state.dire = m_dir.path() + u'/';
    return *m_core;
}

// The part of the window's start-up that concerns the core.
void TestSpeechCore::startUp()
{
    m_core->countLines();
    m_core->state.firstBasePending = true;
    m_core->state.speechNumber = 0;
    m_core->toggleBaseList();
    m_core->selectBase();
}

void TestSpeechCore::toggleListsEveryHeaderLine()
{
    // An emoji is one character, though it takes two code units.
    SpeechCore &core =
        makeCore({"antes", "DD001002|Uno", "x DD0 a partir de la columna 2", "premisa abcdefDD0",
                  "\U0001F600\U0001F600\U0001F600DD0 en las columnas 4 a 6",
                  "\U0001F600\U0001F600\U0001F600\U0001F600DD0 en las columnas 5 a 7", "DD002002|Dos"},
                 TextFile::Encoding::Utf8);
    core.toggleBaseList();
    QCOMPARE(core.controls.bases.entries,
             QStringList({"DD001002|Uno", "x DD0 a partir de la columna 2",
                          "\U0001F600\U0001F600\U0001F600DD0 en las columnas 4 a 6", "DD002002|Dos"}));
    QCOMPARE(core.controls.bases.lines, QList<qsizetype>({2, 3, 5, 7}));
    QVERIFY(core.controls.bases.visible);
}

void TestSpeechCore::toggleHidesWithoutReadingAndClearsWhenFileIsMissing()
{
    SpeechCore &core = makeCore(kThreeBases);
    core.toggleBaseList();
    QVERIFY(QFile::remove(core.premiseFile()));
    core.toggleBaseList();
    QVERIFY(!core.controls.bases.visible);
    QCOMPARE(core.controls.bases.entries.size(), 3);

    QVERIFY(failureOf([&] { core.toggleBaseList(); }));
    QVERIFY(core.controls.bases.entries.isEmpty());
    QVERIFY(!core.controls.bases.visible);
}

void TestSpeechCore::countLinesPastTheLimitReportsOnce()
{
    QStringList lines = kThreeBases;
    while (lines.size() < 32770)
        lines.append(QStringLiteral("relleno"));
    SpeechCore &core = makeCore(lines);
    const auto failure = failureOf([&] { core.countLines(); });
    QVERIFY(failure);
    QCOMPARE(failure->line(), 32768);
    QVERIFY2(failure->description().contains(u"32770 líneas"), qPrintable(failure->description()));
    QCOMPARE(core.state.lineCount, 32767);
    core.toggleBaseList();
    core.controls.bases.current = 2; // the last base runs to the last line read
    core.selectBase();
    QCOMPARE(core.controls.premises.size(), 32767 - 21);
}

void TestSpeechCore::selectionLoadsTheSection_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("composes");
    QTest::newRow("first base up to the second header") << 0 << 27 << 0 << 13 << true;
    QTest::newRow("middle base up to the next header") << 1 << 27 << 13 << 8 << true;
    QTest::newRow("last base up to lineCount") << 2 << 27 << 21 << 6 << true;
    // Group 2 of the last base then lies past the lines read: it is loaded, and composing fails.
    QTest::newRow("lines past lineCount are not read") << 2 << 24 << 21 << 3 << false;
}

void TestSpeechCore::selectionLoadsTheSection()
{
    QFETCH(int, entry);
    QFETCH(int, lineCount);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, composes);
    SpeechCore &core = makeCore(kThreeBases);
    core.toggleBaseList();
    core.state.lineCount = static_cast<qint16>(lineCount);
    core.controls.bases.current = entry;
    QCOMPARE(!failureOf([&] { core.selectBase(); }), composes);
    QCOMPARE(core.controls.premises.entries(), kThreeBases.mid(first, count));
    QVERIFY(!core.controls.bases.visible);
    QCOMPARE(core.controls.history.size(), composes ? 1 : 0);
}

void TestSpeechCore::headerFields_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("baseSpec");
    QTest::addColumn<QString>("baseTag");
    QTest::addColumn<QString>("end");
    QTest::newRow("two groups") << "DD001012007|Titulo"
                                << "DD001012007"
                                << "DD001-02"
                                << "DD002";
    QTest::newRow("one spare character is ignored") << "DD0010120070|Titulo"
                                                    << "DD0010120070"
                                                    << "DD001-02"
                                                    << "DD002";
    QTest::newRow("two spare characters are a group") << "DD00101200700|T"
                                                      << "DD00101200700"
                                                      << "DD001-03"
                                                      << "DD002";
    QTest::newRow("no groups") << "DD007|Vacia"
                               << "DD007"
                               << "DD007-00"
                               << "DD008";
    QTest::newRow("ten groups") << "DD010" + QString("002").repeated(10) + "|Diez"
                                << "DD010" + QString("002").repeated(10) << "DD010-10"
                                << "DD011";
    QTest::newRow("end marker of base 99 has three digits") << "DD099002|Fin"
                                                            << "DD099002"
                                                            << "DD099-01"
                                                            << "DD0100";
}

void TestSpeechCore::headerFields()
{
    QFETCH(QString, header);
    QFETCH(QString, baseSpec);
    QFETCH(QString, baseTag);
    QFETCH(QString, end);
    QVERIFY(!premise::headerProblem(header));
    const premise::Header fields = premise::readHeader(header);
    QCOMPARE(fields.baseSpec, baseSpec);
    QCOMPARE(fields.baseTag, baseTag);
    QCOMPARE(premise::startMarker(fields.baseTag), baseTag.left(5));
    QCOMPARE(premise::endMarker(fields.baseTag), end);
}

void TestSpeechCore::startUpLoadsTheFirstBaseWithItsBanner()
{
    QStringList lines = {"DD001012007|Titulo"};
    lines += QStringList(11, QStringLiteral("premisa del grupo 1"));
    lines += QStringList(3, QString());
    lines += QStringList(7, QStringLiteral("premisa del grupo 2"));
    SpeechCore &core = makeCore(lines + QStringList{"DD002002|Otra", "otra premisa"});
    startUp();
    QCOMPARE(core.controls.bases.current, 0);
    QVERIFY(!core.state.firstBasePending);
    QCOMPARE(core.state.baseSpec, QStringLiteral("DD001012007"));
    QCOMPARE(core.state.baseTag, QStringLiteral("DD001-02"));
    QCOMPARE(
        core.controls.banner,
        QStringLiteral(
            "       ******  PARLANZA    ******   Titulo\r\n"
            "  Pronunciese este discurso en tono grandilocuente, con pausas de efecto. No intente mejorar la "
            "gramática,\r\n"
            "  pues esto le desmerecerá mucho ante sus oyentes. Al final le resultará un explendido discurso "
            "válido \r\n"
            "  para cualquier ocasión. Quizás nadie le entienda, pero también nadie podrá rebatir sus "
            "asertos. "
            "\r\n"));
    QCOMPARE(startBanner(), QStringLiteral("                           ******  PARLANZA    ******\r\n") +
                                core.controls.banner.mid(core.controls.banner.indexOf(u'\n') + 1));
    QCOMPARE(core.controls.speech, QStringLiteral("premisa del grupo 1 ...\r\npremisa del grupo 2 ...\r\n"));
}

void TestSpeechCore::malformedHeaderFailsNamingTheLine_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no bar") << "DD002012007 Titulo"
                            << "no tiene el «|»";
    QTest::newRow("bar before column 5") << "DD0|Titulo"
                                         << "columna 4";
    QTest::newRow("bar in the base number") << "DD02|Titulo"
                                            << "dos cifras";
    QTest::newRow("base number not digits") << "DD0A2012|Titulo"
                                            << "«A2»";
    QTest::newRow("more than ten groups") << "DD002" + QString("002").repeated(11) + "|Once"
                                          << "11 grupos";
}

void TestSpeechCore::malformedHeaderFailsNamingTheLine()
{
    QFETCH(QString, header);
    QFETCH(QString, reason);
    SpeechCore &core = makeCore({"DD001002|Buena", "una premisa", header, "otra premisa"});
    startUp();
    const SharedState before = core.state;
    core.toggleBaseList();
    core.controls.bases.current = 1;
    const auto failure = failureOf([&] { core.selectBase(); });
    QVERIFY(failure);
    QCOMPARE(failure->line(), 3);
    QVERIFY2(failure->description().contains(u"línea 3: ") && failure->description().contains(reason),
             qPrintable(failure->description()));
    QCOMPARE(core.state.baseSpec, before.baseSpec);
    QCOMPARE(core.state.speechNumber, before.speechNumber);
}

void TestSpeechCore::emptyFileFailsTheSelection()
{
    makeCore({});
    const auto failure = failureOf([&] { startUp(); });
    QVERIFY(failure && failure->description().contains(u"lista de bases está vacía"));
    QCOMPARE(m_core->state.lineCount, 0);
    QVERIFY(m_core->controls.history.isEmpty());
}

void TestSpeechCore::selectionWithoutFileKeepsBannerAndList()
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

void TestSpeechCore::separators_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("speech");
    QTest::newRow("premises one per line")
        << " ...\r\n"
        << "uno-1 premisa ...\r\ndos-1 premisa ...\r\ntres-1 premisa ...\r\n";
    QTest::newRow("premises run on") << " "
                                     << "uno-1 premisa dos-1 premisa tres-1 premisa ";
}

void TestSpeechCore::separators()
{
    QFETCH(QString, separator);
    QFETCH(QString, speech);
    SpeechCore &core = makeCore(kThreeBases);
    startUp();
    core.state.separator = separator;
    m_random.script({0.25f, 0.0f, 0.0f}); // entries 1, 7 and 10
    core.compose();
    QCOMPARE(core.controls.speech, speech);
    QCOMPARE(core.controls.history.last(), QStringLiteral("  2 ") + speech);
}

void TestSpeechCore::historyEntryAndCounter_data()
{
    QTest::addColumn<qint64>("before");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("counter");
    QTest::newRow("first speech") << qint64(0) << "  1 "
                                  << "Nº:  1";
    QTest::newRow("four digits written whole") << qint64(1233) << "1234 "
                                               << "Nº:  1234";
    QTest::newRow("last speech that fits") << qint64(32766) << "32767 "
                                           << "Nº:  32767";
}

void TestSpeechCore::historyEntryAndCounter()
{
    QFETCH(qint64, before);
    QFETCH(QString, prefix);
    QFETCH(QString, counter);
    SpeechCore &core = makeCore(kThreeBases);
    startUp();
    core.state.speechNumber = before;
    core.compose();
    QCOMPARE(core.controls.history.last(), prefix + core.controls.speech);
    QCOMPARE(core.controls.counter, counter);
    QCOMPARE(core.state.speechCount, before + 1);
}

void TestSpeechCore::noGroupsGiveAnEmptySpeech()
{
    SpeechCore &core = makeCore({"DD001|Nada", "una premisa"});
    startUp();
    QCOMPARE(core.controls.speech, QString());
    QCOMPARE(core.controls.history, QStringList({"  1 "}));
    QCOMPARE(m_random.draws, 0);
}

void TestSpeechCore::drawRanges_data()
{
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QStringList>("premises");
    // Group 1 covers entries 0-3 (entry 0 is the header, redrawn), group 2 entries 7-8, group 3 entries
    // 10-12.
    QTest::newRow("lowest entries") << QList<float>{0.25f, 0.0f, 0.0f}
                                    << QStringList{"uno-1 premisa", "dos-1 premisa", "tres-1 premisa"};
    QTest::newRow("largest number below 1")
        << QList<float>{0x1.fffffep-1f, 0x1.fffffep-1f, 0x1.fffffep-1f}
        << QStringList{"uno-3 premisa", "dos-2 premisa", "tres-3 premisa"};
    QTest::newRow("header redrawn") << QList<float>{0.0f, 0.5f, 0.5f, 0.5f}
                                    << QStringList{"uno-2 premisa", "dos-2 premisa", "tres-2 premisa"};
}

void TestSpeechCore::drawRanges()
{
    QFETCH(QList<float>, draws);
    QFETCH(QStringList, premises);
    makeCore(kThreeBases);
    startUp();
    QCOMPARE(m_core->state.groupSizes, (std::array<qint16, 11>{0, 4, 2, 3}));
    m_random.script(draws);
    m_random.draws = m_random.reseeds = 0;
    m_core->compose();
    QCOMPARE(premisesOf(m_core->controls.speech), premises);
    QCOMPARE(m_random.reseeds, m_random.draws);
}

void TestSpeechCore::unusableEntriesAreRedrawn_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("usable");
    QTest::newRow("empty line") << "" << false;
    QTest::newRow("three characters") << "abc" << false;
    QTest::newRow("four characters") << "¡Sí!" << true;
    QTest::newRow("two emoji are two characters") << "\U0001F389\U0001F389" << false;
    QTest::newRow("four emoji") << "\U0001F389\U0001F389\U0001F389\U0001F389" << true;
    QTest::newRow("DD0 inside") << "premisa con DD0 dentro" << false;
    QTest::newRow("dd0 in lower case is usable") << "premisa con dd0" << true;
}

void TestSpeechCore::unusableEntriesAreRedrawn()
{
    QFETCH(QString, entry);
    QFETCH(bool, usable);
    // Group 1 holds entries 0-2: the header, the entry under test and a usable premise.
    SpeechCore &core = makeCore({"DD001003|Base", entry, "buena premisa"}, TextFile::Encoding::Utf8);
    m_random.script({0.4f, 0.4f, 0.9f});
    startUp();
    QCOMPARE(core.controls.speech, (usable ? entry : QStringLiteral("buena premisa")) + " ...\r\n");
    QCOMPARE(m_random.draws, usable ? 1 : 3);
    QCOMPARE(m_random.reseeds, m_random.draws);
}

void TestSpeechCore::groupWithoutUsableEntryFails_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("group 1 of size 1 holds only the header")
        << QStringList{"DD001001002|Base", "", "", "", "una premisa", "otra premisa"}
        << "La base 01 no tiene ninguna premisa utilizable en el grupo 1 (líneas 1 a 1";
    QTest::newRow("group of short and DD0 lines")
        << QStringList{"DD004003002|Base", "una premisa", "otra premisa", "", "", "", "ab", "premisa DD0"}
        << "La base 04 no tiene ninguna premisa utilizable en el grupo 2 (líneas 7 a 8";
    QTest::newRow("group past the end of the section")
        << QStringList{"DD001003002|Base", "una premisa", "otra premisa", "", ""}
        << "en el grupo 2 (líneas 7 a 8";
    QTest::newRow("negative size reaches only entries before the section")
        << QStringList{"DD001-05|Base", "una premisa"} << "en el grupo 1 (líneas 1 a 1";
    QTest::newRow("base header before its predecessor's loads nothing")
        << QStringList{"DD002002|Dos", "dos premisa", "DD001002|Uno", "uno premisa"}
        << "La base 01 no tiene ninguna "
           "línea cargada";
}

void TestSpeechCore::groupWithoutUsableEntryFails()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    SpeechCore &core = makeCore(lines);
    core.countLines();
    core.toggleBaseList();
    core.controls.bases.current = static_cast<int>(core.controls.bases.entries.size()) - 1;
    const auto failure = failureOf([&] { core.selectBase(); });
    QVERIFY(failure);
    QVERIFY2(failure->description().contains(message), qPrintable(failure->description()));
    QCOMPARE(core.state.speechNumber, 1);
    QVERIFY(core.controls.history.isEmpty());
    QVERIFY(core.controls.speech.isEmpty());
    QCOMPARE(m_random.draws, 0);
}

void TestSpeechCore::limitsFailAfterTheNumberAdvances()
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

void TestSpeechCore::stuckGeneratorCannotHang()
{
    // A generator that always gives 0 lands on the header of group 1 for ever.
    makeCore(kThreeBases);
    m_random.script({0.0f});
    startUp();
    QCOMPARE(premisesOf(m_core->controls.speech),
             QStringList({"uno-1 premisa", "dos-1 premisa", "tres-1 premisa"}));
}

void TestSpeechCore::everyPremiseComesFromItsGroup()
{
    // Groups of 6, 4 and 5 entries with unusable lines among them and fillers that must never be drawn.
    makeCore({"DD001006004005|Mezcla",
              "g1 primera",
              "ab",
              "g1 segunda",
              "g1 con DD0",
              "g1 tercera",
              "relleno uno",
              "relleno dos",
              "relleno tres",
              "g2 primera",
              "",
              "g2 segunda",
              "g2 tercera",
              "relleno cuatro",
              "g3 primera",
              "g3 segunda",
              "x",
              "g3 tercera",
              "g3 cuarta",
              "sobrante tras el grupo 3"});
    SystemClock clock;
    UniformRandom random(7);
    SpeechCore core(clock, random);
    core.state.dire = m_core->state.dire;
    core.countLines();
    core.state.firstBasePending = true;
    core.toggleBaseList();
    core.selectBase();
    const QList<QSet<QString>> groups = {{"g1 primera", "g1 segunda", "g1 tercera"},
                                         {"g2 primera", "g2 segunda", "g2 tercera"},
                                         {"g3 primera", "g3 segunda", "g3 tercera", "g3 cuarta"}};
    QList<QSet<QString>> seen(3);
    for (int i = 0; i < 3000; ++i) {
        core.compose();
        const QStringList premises = premisesOf(core.controls.speech);
        QCOMPARE(premises.size(), 3);
        for (int k = 0; k < 3; ++k) {
            QVERIFY2(groups[k].contains(premises[k]), qPrintable(premises[k]));
            seen[k].insert(premises[k]);
        }
    }
    QCOMPARE(seen, groups);
}

void TestSpeechCore::badFilesFailCleanly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("failure"); // empty: start-up composes
    const QByteArray base = "DD001002|Base\r\nuna premisa\r\n";
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 7919) % 256));
    QTest::newRow("empty file") << QByteArray() << "lista de bases está vacía";
    QTest::newRow("binary bytes after a base") << base + binary << "";
    QTest::newRow("a line of 1 MB") << base + QByteArray(1 << 20, 'x') + "\r\n"
                                    << "";
    QByteArray many = base;
    for (int i = 0; i < 40000; ++i)
        many += "relleno\r\n";
    QTest::newRow("40000 lines") << many << "40002 líneas";
    QTest::newRow("NUL bytes") << QByteArray("DD001002|Ba\0se\r\nuna \0premisa\r\n", 30) << "";
    QTest::newRow("invalid UTF-8") << QByteArray("DD001002|T\xC3\x28tulo\r\nuna premisa \xE9\xFF\r\n") << "";
    QTest::newRow("CR-only line ends") << QByteArray("DD001002|Base\runa premisa\r") << "";
    QTest::newRow("header alone") << QByteArray("DD001") << "no tiene el «|»";
}

void TestSpeechCore::badFilesFailCleanly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, failure);
    testsupport::writeFile(m_dir.filePath("dialogo.soy"), bytes);
    m_core = std::make_unique<SpeechCore>(m_clock, m_random);
    m_core->state.dire = m_dir.path() + u'/';
    const auto found = failureOf([&] { startUp(); });
    if (failure.isEmpty()) {
        QVERIFY2(!found, found ? qPrintable(found->description()) : "");
        QCOMPARE(m_core->controls.history.size(), 1);
    } else {
        QVERIFY(found);
        QVERIFY2(found->description().contains(failure), qPrintable(found->description()));
    }
}

QTEST_GUILESS_MAIN(TestSpeechCore)
#include "tst_speechcore.moc"
