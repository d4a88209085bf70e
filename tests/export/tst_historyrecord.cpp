#include "TestSupport.h"
#include "export/HistoryRecord.h"

#include <QFile>
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

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(sin archivo)");
}

} // namespace

class TestHistoryRecord : public QObject
{
    Q_OBJECT

private slots:
    void recordBytes_data();
    void recordBytes();
    void twoExportsAppendTwoRecords();
    void failedWriteLeavesTheFileUntouched();
};

void TestHistoryRecord::recordBytes_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("rows");
    QTest::newRow("empty history") << QStringList{} << QByteArray();
    QTest::newRow("both separator forms in one record")
        << QStringList{"  1 Se\u00f1oras ...\r\nla patria ...\r\n", "  2 Se\u00f1oras la patria "}
        << QByteArray("      1 Se\xF1oras ...\r\nla patria ...\r\n ....\r\n"
                      "      2 Se\xF1oras la patria  ....\r\n");
}

void TestHistoryRecord::recordBytes()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(kHistoryFileName.toString());
    appendHistoryRecord(path, entries, QStringLiteral("06/12/2026"));
    QCOMPARE(contents(path), kHead + rows + kTail);
}

void TestHistoryRecord::twoExportsAppendTwoRecords()
{
    QTemporaryDir dir;
    const QString path = testsupport::writeFile(dir.filePath(kHistoryFileName.toString()), "antes\r\n");
    const QByteArray record = kHead + "      1 uno \xBF ....\r\n" + kTail;
    for (int i = 0; i < 2; ++i)
        appendHistoryRecord(path, {QStringLiteral("  1 uno ¿")}, QStringLiteral("06/12/2026"));
    QCOMPARE(contents(path), "antes\r\n" + record + record);
}

void TestHistoryRecord::failedWriteLeavesTheFileUntouched()
{
    QTemporaryDir dir;
    const QString path = testsupport::writeFile(dir.filePath(kHistoryFileName.toString()), "antes\r\n");
    // A file-size limit makes the write stop part way, as a full disk would, whoever runs the test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto failure = testsupport::failureOf(
        [&] { appendHistoryRecord(path, {QStringLiteral("  1 un discurso largo")}, QStringLiteral("hoy")); });
    setrlimit(RLIMIT_FSIZE, &previous);
    QVERIFY(failure);
    QVERIFY2(failure->description().contains(path), qPrintable(failure->description()));
    QCOMPARE(contents(path), QByteArray("antes\r\n"));
}

QTEST_GUILESS_MAIN(TestHistoryRecord)
#include "tst_historyrecord.moc"
