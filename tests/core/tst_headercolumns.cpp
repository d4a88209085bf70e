#include "core/PremiseBase.h"
#include "core/PremiseBaseCheck.h"
#include "platform/TextFile.h"

#include <QTest>

using namespace parlanza;

class TestHeaderColumns : public QObject
{
    Q_OBJECT

private slots:
    void headerFields_data();
    void headerFields();
    void checkerReadsAsTheProgram_data();
    void checkerReadsAsTheProgram();
};

void TestHeaderColumns::headerFields_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<QString>("baseTag");
    QTest::addColumn<QString>("title");
    QTest::newRow("a tab is not a blank in a size field")
        << "DD001003\t12|Titulo" << QList<int>{3, 0} << "DD001-02"
        << "Titulo";
    QTest::newRow("blanks before a size are skipped")
        << "DD001003 12|Titulo" << QList<int>{3, 12} << "DD001-02"
        << "Titulo";
    QTest::newRow("an emoji before the bar is one spare column")
        << "DD001003004🙂|Fiesta" << QList<int>{3, 4} << "DD001-02"
        << "Fiesta";
    QTest::newRow("an emoji inside a size field is one column")
        << "DD001003🙂04005|Boda" << QList<int>{3, 0, 5} << "DD001-03"
        << "Boda";
    QTest::newRow("emoji in the title stay whole") << "DD002002|🎉 Boda 🎉" << QList<int>{2} << "DD002-01"
                                                   << "🎉 Boda 🎉";
}

void TestHeaderColumns::headerFields()
{
    QFETCH(QString, header);
    QFETCH(QList<int>, sizes);
    QVERIFY(!premise::headerProblem(header));
    const premise::Header read = premise::readHeader(header);
    QTEST(read.baseTag, "baseTag");
    QTEST(read.title, "title");
    QCOMPARE(read.groupCount, sizes.size());
    const premise::GroupLayout layout = premise::layoutGroups(read.baseSpec, read.groupCount);
    for (int k = 1; k <= read.groupCount; ++k)
        QCOMPARE(layout.sizes[k], sizes[k - 1]);
}

void TestHeaderColumns::checkerReadsAsTheProgram_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("loadable");
    QTest::addColumn<QStringList>("findings");
    QTest::newRow("an emoji before the bar is one spare character")
        << QStringList{"DD001003🙂|Base", "uno premisa", "dos premisa"} << "01" << true
        << QStringList{"1:W:sobra un carácter"};
    QTest::newRow("DD0 in column 2 with its start marker in reach loads")
        << QStringList{" DD00002|Cero", "cero premisa"} << "00" << true << QStringList{"1:W:columnas 1 a 3"};
    QTest::newRow("DD0 in column 2 with its start marker out of reach")
        << QStringList{"xDD01002|Uno", "uno premisa"} << "01" << false
        << QStringList{"1:W:columnas 1 a 3", "1:E:no lleva «DD001»"};
    QTest::newRow("three emoji before DD0 give the number DD")
        << QStringList{"🙂🙂🙂DD001|Risas", "una premisa"} << "DD" << false << QStringList{"1:E:«DD»"};
}

void TestHeaderColumns::checkerReadsAsTheProgram()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, findings);
    const PremiseBaseReport report =
        checkPremiseBase(TextFile::fromBytes(lines.join(QStringLiteral("\r\n")).toUtf8(), "prueba.soy"));
    QCOMPARE(report.bases.size(), 1);
    QTEST(report.bases[0].number, "number");
    QTEST(report.bases[0].loadable, "loadable");
    QStringList found;
    for (const Finding &finding : report.findings)
        found.append(finding.message);
    QVERIFY2(report.findings.size() == findings.size(), qPrintable(found.join(u'\n')));
    for (qsizetype i = 0; i < findings.size(); ++i) {
        const Finding &found = report.findings[i];
        const QStringList expected = findings[i].split(u':');
        QCOMPARE(QString::number(found.line), expected[0]);
        QCOMPARE(found.severity == Finding::Severity::Error ? "E" : "W", expected[1]);
        QVERIFY2(found.message.contains(expected[2]), qPrintable(found.message));
    }
}

QTEST_GUILESS_MAIN(TestHeaderColumns)
#include "tst_headercolumns.moc"
