#include "TestSupport.h"
#include "core/PremiseBaseCheck.h"

#include <QTest>

using namespace parlanza;
using testsupport::row;

namespace {

QStringList findingsOf(const TextFile &file)
{
    QStringList found;
    for (const Finding &finding : checkPremiseBase(file).findings)
        found.append(
            QStringLiteral("%1:%2:%3")
                .arg(QString::number(finding.line),
                     finding.severity == Finding::Severity::Error ? QStringLiteral("E") : QStringLiteral("W"),
                     finding.message));
    return found;
}

// The lines in UTF-8, so that characters beyond Windows-1252 (emoji) stay whole.
TextFile fileOf(const QStringList &lines)
{
    return TextFile::fromBytes((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(),
                               QStringLiteral("prueba.soy"));
}

const QString kShippedBase = QStringLiteral(PARLANZA_DATA_DIR "/dialogo.soy");

} // namespace

class TestPremiseBaseCheck : public QObject
{
    Q_OBJECT

private slots:
    void findings_data()
    {
        testsupport::table("core/basecheck-hallazgos.txt", {"lines", "expected"});
        const QString full =
            "DD001003002|Base\nuno premisa\ndos premisa\n\n\n\ntres\ncuatro" + QString(32759, u'\n');
        row("32767 lines are all read", full, "-");
        // Columns are characters: an emoji is one, though it takes two code units.
        row("an emoji before the bar is one spare character", "DD001003🙂|Base\nuno premisa\ndos premisa",
            "1:W:sobra un carácter");
        row("three emoji before DD0 give the number DD", "🙂🙂🙂DD001|Risas\nuna premisa", "1:E:«DD»");
        row("DD0 in column 2 with its start marker in reach loads", " DD00002|Cero\ncero premisa",
            "1:W:columnas 1 a 3");
        row("DD0 in column 2 with its start marker out of reach", "xDD01002|Uno\nuno premisa",
            "1:W:columnas 1 a 3\n1:E:no lleva «DD001»");
        row("a base past line 32767", full + "\nDD002002|Tarde",
            "32768:E:solo lee las 32767\n32768:E:después de la línea 32767");
    }
    void findings()
    {
        const auto [lines, expected] = testsupport::fetch({"lines", "expected"});
        const QStringList found = findingsOf(fileOf(lines.split(u'\n')));
        const QStringList wanted = expected == u"-" ? QStringList() : expected.split(u'\n');
        QCOMPARE(found.size(), wanted.size());
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            const QString where = wanted[i].section(u':', 0, 1) + u':';
            QVERIFY2(found[i].startsWith(where) && found[i].contains(wanted[i].mid(where.size())),
                     qPrintable(found.join(u'\n')));
        }
    }

    void speechVarietyCountsDistinctTexts()
    {
        QStringList lines = {"DD001" + QString("021").repeated(10) + "|Diez"};
        for (int k = 1; k <= 10; ++k) {
            for (int i = 0; i < (k == 1 ? 20 : 21); ++i)
                lines.append(QStringLiteral("grupo %1 premisa %2").arg(k).arg(k == 10 ? i % 7 : i));
            lines.append(QStringList(k == 1 ? 3 : 1, QString()));
        }
        const PremiseBaseReport report = checkPremiseBase(fileOf(lines));
        QCOMPARE(report.bases.size(), 1);
        QCOMPARE(report.bases[0].groups[9].usable, 21);
        QCOMPARE(report.bases[0].groups[9].distinct, 7);
        QCOMPARE(report.bases[0].speechVariety(), QStringLiteral("5295200310540")); // 20 x 21^8 x 7
    }

    void shippedBaseIsCleanAndRich()
    {
        const QByteArray bytes = testsupport::readFile(kShippedBase);
        // Windows-1252 (an "ó" as one byte) with CR LF line ends; no finding; six bases or more, one with
        // five groups, each with four groups or more of fifteen different premises or more.
        QVERIFY(bytes.endsWith("\r\n") && bytes.contains("\xF3") && !bytes.contains("\xC3\xB3"));
        QVERIFY(bytes.count('\r') == bytes.count("\r\n") && bytes.count('\n') == bytes.count("\r\n"));
        const PremiseBaseReport report = checkPremiseBase(TextFile::fromBytes(bytes));
        QVERIFY2(report.findings.isEmpty(), qPrintable(findingsOf(TextFile::fromBytes(bytes)).join(u'\n')));
        QVERIFY(report.bases.size() >= 6);
        QVERIFY(std::any_of(report.bases.begin(), report.bases.end(),
                            [](auto &b) { return b.groups.size() >= 5; }));
        for (const BaseSummary &base : report.bases) {
            QVERIFY(base.groups.size() >= 4);
            for (const GroupSummary &group : base.groups)
                QVERIFY2(group.distinct >= 15, qPrintable(base.title));
        }
    }
};

QTEST_GUILESS_MAIN(TestPremiseBaseCheck)
#include "tst_premisebasecheck.moc"
