#include "TestSupport.h"
#include "export/HistoryRecord.h"

#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace parlanza;

namespace {

const QByteArray kHead = "------------------------------------------\r\n"
                         "    Impresi\xF3n del Discurso, previamente generado.    06/12/2026\r\n"
                         "    \r\n";
const QByteArray kTail = "    -------   Parlanza \xA9 VelarMundo  \xB7  www.velarmundo.example   -------\r\n"
                         "\r\n";

using testsupport::readFile;

} // namespace

class TestHistoryRecord : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void recordsAppendAfterEarlierBytes_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("rows");
        testsupport::row("empty history", QStringList{}, QByteArray());
        testsupport::row(
            "both separator forms in one record",
            QStringList{"  1 Se\u00f1oras ...\r\nla patria ...\r\n", "  2 Se\u00f1oras la patria "},
            QByteArray("      1 Se\xF1oras ...\r\nla patria ...\r\n ....\r\n"
                       "      2 Se\xF1oras la patria  ....\r\n"));
    }
    void recordsAppendAfterEarlierBytes()
    {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, rows);
        const QString path = testsupport::writeFile(m_dir.filePath(kHistoryFileName.toString()), "antes\r\n");
        for (int i = 0; i < 2; ++i)
            appendHistoryRecord(path, entries, QStringLiteral("06/12/2026"));
        QCOMPARE(readFile(path), "antes\r\n" + (kHead + rows + kTail).repeated(2));
    }

    void failedWriteLeavesTheFileUntouched()
    {
        const QString path = testsupport::writeFile(m_dir.filePath(kHistoryFileName.toString()), "antes\r\n");
        // A file-size limit makes the write stop part way, as a full disk would, whoever runs the test.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit small = previous;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
        const auto failure = testsupport::failureOf([&] {
            appendHistoryRecord(path, {QStringLiteral("  1 un discurso largo")}, QStringLiteral("hoy"));
        });
        setrlimit(RLIMIT_FSIZE, &previous);
        QVERIFY(failure);
        QVERIFY2(failure->description().contains(path), qPrintable(failure->description()));
        QCOMPARE(readFile(path), QByteArray("antes\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryRecord)
#include "tst_historyrecord.moc"
