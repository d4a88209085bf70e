#include "TestSupport.h"
#include "core/PlainLists.h"
#include "core/PremiseBase.h"
#include "core/PremiseBaseCheck.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QSet>
#include <QTest>

using namespace parlanza;
using testsupport::row;

namespace {

// Groups of premises named after their group, "grupo 3, premisa 7", with the given sizes.
QString numberedLists(const QList<int> &sizes)
{
    QString text = QStringLiteral("Numerada | con barras\n");
    for (qsizetype k = 0; k < sizes.size(); ++k) {
        text += u'\n';
        for (int i = 1; i <= sizes[k]; ++i)
            text += QStringLiteral("grupo %1, premisa %2\n").arg(k + 1).arg(i);
    }
    return text;
}

} // namespace

class TestBaseLayout : public QObject
{
    Q_OBJECT

private slots:
    void headerFields_data()
    {
        // The base's tag, its end marker, the group sizes and the title, blank-separated.
        testsupport::columns<QString>({"header", "fields"});
        const QString ten = QStringLiteral("002").repeated(10);
        row("two groups", "DD001012007|Titulo", "DD001-02 DD002 12,7 Titulo");
        row("one spare character is ignored", "DD0010120070|Titulo", "DD001-02 DD002 12,7 Titulo");
        row("two spare characters are a group", "DD00101200700|T", "DD001-03 DD002 12,7,0 T");
        row("no groups", "DD007|Vacia", "DD007-00 DD008  Vacia");
        row("ten groups", "DD010" + ten + "|Diez", "DD010-10 DD011 2,2,2,2,2,2,2,2,2,2 Diez");
        row("ten groups and a spare character", "DD010" + ten + "0|Diez",
            "DD010-10 DD011 2,2,2,2,2,2,2,2,2,2 Diez");
        row("end marker of base 99 has three digits", "DD099002|Fin", "DD099-01 DD0100 2 Fin");
        row("a tab is not a blank", "DD001003\t12|Titulo", "DD001-02 DD002 3,0 Titulo");
        row("an emoji before the bar is one spare column", "DD001003004🙂|Fiesta",
            "DD001-02 DD002 3,4 Fiesta");
        row("an emoji in a size field is one column", "DD001003🙂04005|Boda", "DD001-03 DD002 3,0,5 Boda");
        row("emoji in the title stay whole", "DD002002|🎉 Boda 🎉", "DD002-01 DD003 2 🎉 Boda 🎉");
    }

    void headerFields()
    {
        QFETCH(QString, header);
        QVERIFY(!premise::headerProblem(header));
        const premise::Header read = premise::readHeader(header);
        QCOMPARE(read.baseSpec, header.left(header.indexOf(u'|')));
        QCOMPARE(premise::startMarker(read.baseTag), read.baseTag.left(5));
        const premise::GroupLayout layout = premise::layoutGroups(read.baseSpec, read.groupCount);
        QStringList sizes;
        for (int k = 1; k <= read.groupCount; ++k)
            sizes.append(QString::number(layout.sizes[k]));
        QTEST(QStringList({read.baseTag, premise::endMarker(read.baseTag), sizes.join(u','), read.title})
                  .join(u' '),
              "fields");
    }

    void listsMakeTheBase_data()
    {
        QTest::addColumn<QString>("lists");
        row("four groups, accents and blanks kept",
            "Boda de Ana\n\nQueridos novios,\n  Señoras y señores, \n\nhoy brindamos\n\npor la "
            "felicidad\ny el amor\n\ny que viva.\n");
        row("one group", numberedLists({3}));
        row("ten groups", numberedLists({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        row("groups as large as their fields hold", numberedLists({998, 999, 2}));
    }

    // Lists made into a base are read by the composer as the lists say: every premise of group k is drawn in
    // place k and nowhere else, no filler ever, and the base gives the lists back.
    void listsMakeTheBase()
    {
        QFETCH(QString, lists);
        const PlainLists read = readPlainLists(TextFile::fromBytes(lists.toUtf8(), "listas.txt"));
        const BaseEdit edit = appendBase("bases.soy", {}, read);
        const TextFile base = TextFile::fromBytes(edit.bytes, "bases.soy");
        const PremiseBaseReport report = checkPremiseBase(base);
        QVERIFY(report.findings.isEmpty());
        QCOMPARE(plainListsText(exportBase(base, 1), u"\n"), lists);

        FixedClock clock;
        UniformRandom random(5);
        SpeechCore core(clock, random);
        core.setPremiseText(base);
        core.countLines();
        core.toggleBaseList();
        core.state.firstBasePending = true;
        core.selectBase();
        QList<QSet<QString>> drawn(read.groups.size());
        for (int speech = 0; speech < 20000; ++speech, core.compose()) {
            const QStringList premises =
                core.controls.speech.split(kSeparatedPremises.toString(), Qt::SkipEmptyParts);
            QCOMPARE(premises.size(), read.groups.size());
            for (qsizetype k = 0; k < premises.size(); ++k)
                drawn[k].insert(premises[k]);
        }
        for (qsizetype k = 0; k < read.groups.size(); ++k) {
            QSet<QString> listed;
            for (const ListedPremise &premise : read.groups[k])
                listed.insert(premise.text);
            QCOMPARE(drawn[k], listed);
            QCOMPARE(report.bases[0].groups[k].usable, read.groups[k].size());
        }
    }
};

QTEST_GUILESS_MAIN(TestBaseLayout)
#include "tst_baselayout.moc"
