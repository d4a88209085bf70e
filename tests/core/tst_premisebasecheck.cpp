#include "TestSupport.h"
#include "core/PremiseBaseCheck.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTest>

using namespace parlanza;
using testsupport::row;

namespace {

TextFile fileOf(const QStringList &lines)
{
    return TextFile::fromBytes(testsupport::soyBytes(lines), QStringLiteral("prueba.soy"));
}

QString describe(const Finding &finding)
{
    return QStringLiteral("%1:%2:%3")
        .arg(finding.line)
        .arg(finding.severity == Finding::Severity::Error ? QStringLiteral("E") : QStringLiteral("W"))
        .arg(finding.message);
}

const QString kShippedBase = QStringLiteral(PARLANZA_DATA_DIR "/dialogo.soy");

} // namespace

class TestPremiseBaseCheck : public QObject
{
    Q_OBJECT

private slots:
    void findings_data()
    {
        QTest::addColumn<QStringList>("lines");
        // Each expected finding as "line:E or W:part of the message".
        QTest::addColumn<QStringList>("expected");

        const QStringList good = testsupport::textLines(
            "DD001003002|Buena\nuno premisa\ndos premisa\n\n\n\ntres premisa\ncuatro premisa");
        row("clean base", good, QStringList{});
        QStringList filler = good;
        filler[4] = "una premisa perdida";
        row("premise in a filler slot", filler, QStringList{"5:W:hueco entre los grupos 1 y 2"});
        row("premise after the last group", good + QStringList{"sobra esta premisa"},
            QStringList{"9:W:después del último grupo"});
        row("premise before the first base", QStringList{"prólogo suelto"} + good,
            QStringList{"1:W:antes de la primera base"});
        QStringList shortLine = good;
        shortLine[2] = "no";
        row("short line inside a group", shortLine, QStringList{"3:W:menos de 4 caracteres"});
        QStringList markInside = good;
        markInside[6] = "premisa con DD0";
        row("DD0 inside a group line", markInside, QStringList{"7:W:contiene «DD0»"});
        row("group without usable premise",
            testsupport::textLines("DD001003002|Base\nuno premisa\ndos premisa\n\n\n\nab\n"),
            QStringList{"1:E:ninguna premisa utilizable en el grupo 2 (líneas 7 a 8)", "7:W:menos de 4",
                        "8:W:menos de 4"});
        row("group reaches past the base", good.mid(0, 7),
            QStringList{"1:W:llega hasta la línea 8, pero la base acaba en la línea 7"});
        row("bases out of order",
            testsupport::textLines("DD002002|Dos\ndos premisa\nDD001002|Uno\nuno premisa"),
            QStringList{"3:E:va después de la base 02", "3:E:no se carga ninguna línea"});
        row("base repeated", testsupport::textLines("DD001002|Uno\nuno premisa\nDD001002|Otra\notra premisa"),
            QStringList{"3:E:está repetida (ya aparece en la línea 1)"});
        row("gap in the numbering",
            testsupport::textLines("DD001002|Uno\nuno premisa\nDD003002|Tres\ntres premisa"),
            QStringList{"3:W:sin la base 02"});
        row("header without bar", QStringList{"DD001002 Uno", "uno premisa"},
            QStringList{"1:E:no tiene el «|»"});
        row("more than ten groups", QStringList{"DD001" + QString("002").repeated(11) + "|Once"},
            QStringList{"1:E:11 grupos"});
        row("DD0 not in column 1", QStringList{"xDD0010002|Uno", "uno premisa"},
            QStringList{"1:E:columnas 1 a 3"});
        row("no base at all", QStringList{"ab", ""}, QStringList{"1:E:no tiene ninguna base"});
        row("two spare characters before the bar",
            testsupport::textLines("DD00100200|Base\nuno premisa\n\n\n\ndos premisa"),
            QStringList{"1:W:sobran dos caracteres", "1:W:tiene tamaño 0"});
        row("size field that is not three digits", QStringList{"DD0010 2|Base", "uno premisa"},
            QStringList{"1:W:(«0 2») no son tres cifras; se lee como 0", "1:W:tiene tamaño 0",
                        "1:E:ninguna premisa utilizable en el grupo 1", "2:W:nunca usará esta línea"});
    }
    void findings()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        const PremiseBaseReport report = checkPremiseBase(fileOf(lines));
        QStringList found;
        for (const Finding &finding : report.findings)
            found.append(describe(finding));
        QCOMPARE(found.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const QStringList parts = expected[i].split(u':');
            QVERIFY2(found[i].startsWith(parts[0] + u':' + parts[1] + u':') &&
                         found[i].contains(parts.mid(2).join(u':')),
                     qPrintable(found.join(u'\n')));
        }
    }
    void fileLongerThanTheLineLimit()
    {
        QStringList lines = {"DD001003002|Base", "uno premisa", "dos premisa", "", "", "", "tres", "cuatro"};
        while (lines.size() < 32767)
            lines.append(QString());
        lines.append(QStringLiteral("DD002002|Tarde"));
        const PremiseBaseReport report = checkPremiseBase(fileOf(lines));
        QCOMPARE(report.findings.size(), 2);
        QCOMPARE(report.findings[0].line, 32768);
        QVERIFY(report.findings[0].message.contains(u"solo lee las 32767"));
        QVERIFY(report.findings[1].message.contains(u"después de la línea 32767"));
    }
    void speechVarietyCountsDistinctTexts()
    {
        QStringList lines = {"DD001" + QString("021").repeated(10) + "|Diez"};
        for (int k = 1; k <= 10; ++k) {
            const int premises = k == 1 ? 20 : 21;
            for (int i = 0; i < premises; ++i)
                lines.append(QStringLiteral("grupo %1 premisa %2").arg(k).arg(k == 10 ? i % 7 : i));
            lines.append(QStringList(k == 1 ? 3 : 1, QString()));
        }
        const PremiseBaseReport report = checkPremiseBase(fileOf(lines));
        QCOMPARE(report.bases.size(), 1);
        QCOMPARE(report.bases[0].groups[9].usable, 21);
        QCOMPARE(report.bases[0].groups[9].distinct, 7);
        // 20 x 21^8 x 7
        QCOMPARE(report.bases[0].speechVariety(), QStringLiteral("5295200310540"));
    }
    void shippedBaseIsCleanAndRich()
    {
        const PremiseBaseReport report = checkPremiseBase(TextFile::read(kShippedBase));
        QStringList found;
        for (const Finding &finding : report.findings)
            found.append(describe(finding));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        QVERIFY(report.bases.size() >= 6);
        bool longBase = false;
        for (const BaseSummary &base : report.bases) {
            QVERIFY(base.loadable);
            QVERIFY(base.groups.size() >= 4);
            longBase = longBase || base.groups.size() >= 5;
            for (const GroupSummary &group : base.groups)
                QVERIFY2(group.distinct >= 15, qPrintable(base.title));
        }
        QVERIFY(longBase);
    }
    void shippedBaseIsWindows1252WithCrLf()
    {
        QFile file(kShippedBase);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(bytes.contains("\xF3")); // ó in Windows-1252
        QCOMPARE(TextFile::fromBytes(bytes).encoding(), TextFile::Encoding::Windows1252);
    }
    void shippedBasesComposeFromEveryGroup()
    {
        SystemClock clock;
        UniformRandom random(11);
        SpeechCore core(clock, random);
        core.setPremiseFile(kShippedBase);
        core.countLines();
        core.toggleBaseList();
        for (int base = 0; base < core.controls.bases.entries.size(); ++base) {
            core.controls.bases.current = base;
            core.selectBase();
            for (int i = 0; i < 50; ++i) {
                core.compose();
                const QStringList premises = core.controls.speech.split(QStringLiteral(" ...\r\n"));
                QCOMPARE(premises.size() - 1, core.state.baseTag.mid(6, 2).toInt());
                QVERIFY(premises.last().isEmpty());
                QVERIFY(premises[premises.size() - 2].endsWith(u'.'));
            }
            core.toggleBaseList();
        }
    }
};

QTEST_GUILESS_MAIN(TestPremiseBaseCheck)
#include "tst_premisebasecheck.moc"
