#include "TestSupport.h"
#include "platform/Clock.h"
#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/RandomSource.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;
using testsupport::failureOf;
using testsupport::row;
using testsupport::table;

namespace {

QStringList linesOf(const TextFile &file)
{
    QStringList lines;
    for (qsizetype i = 0; i < file.lineCount(); ++i)
        lines.append(file.line(i).toString());
    return lines;
}

// A device that gives two lines and then fails, as a disk with a bad sector would.
class FailingDevice : public QIODevice
{
public:
    FailingDevice() { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (std::exchange(m_given, true))
            return -1;
        const qint64 count = std::min<qint64>(size, 10);
        memcpy(data, "uno\r\ndos\r\n", count);
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool m_given = false;
};

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void reading_data() { table("platform/lectura.txt", {"bytes", "lines", "utf8"}); }
    void reading()
    {
        const auto [bytes, lines, utf8] = testsupport::fetch({"bytes", "lines", "utf8"});
        const QStringList expected = lines == u"-" ? QStringList() : lines.split(u'\n');
        const TextFile file =
            TextFile::read(testsupport::writeFile(m_dir.filePath("f.txt"), bytes.toLatin1()));
        QCOMPARE(linesOf(file), expected);
        QCOMPARE(file.line(expected.size()), QStringView());
        QCOMPARE(file.encoding() == TextFile::Encoding::Utf8, utf8 == u"yes");
    }

    void failuresNameTheFile_data()
    {
        QTest::addColumn<bool>("writing");
        testsupport::columns<QString>({"path", "reason"});
        row("reading a missing file", false, m_dir.filePath("no.soy"), "No se encuentra el archivo");
        row("reading a folder", false, m_dir.path(), "es una carpeta");
        row("writing into a missing folder", true, m_dir.filePath("no/L.TXT"), "no hay permiso");
        row("writing to a full device", true, "/dev/full", "no queda espacio");
    }
    void failuresNameTheFile()
    {
        QFETCH(bool, writing);
        const auto [path, reason] = testsupport::fetch({"path", "reason"});
        if (path == u"/dev/full")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot call seek on a sequential device"));
        const auto failure = failureOf([&] {
            if (writing)
                TextFile::appendLines(path, {QStringLiteral("uno")});
            else
                TextFile::read(path);
        });
        QVERIFY(failure);
        QVERIFY2(failure->description().contains(reason), qPrintable(failure->description()));
        QVERIFY(failure->description().contains(QStringLiteral("«%1»").arg(path)));
        QCOMPARE(failure->file(), path);
    }

    void readErrorPartWay()
    {
        FailingDevice failing;
        const auto failure = failureOf([&] { TextFile::read(failing, QStringLiteral("guia.ans")); });
        QVERIFY(failure && failure->description().contains(u"«guia.ans»"));
        FailingDevice keeping;
        QCOMPARE(linesOf(TextFile::read(keeping, "guia.ans", TextFile::OnReadError::KeepLinesRead)),
                 QStringList({"uno", "dos"}));
    }

    void appendWritesWindows1252WithCrLfAfterEarlierBytes()
    {
        const QString path = testsupport::writeFile(m_dir.filePath("h.txt"), "previo\r\n");
        // Characters the code page lacks (a CJK one, one beyond 16 bits, a lone surrogate) become one "?"
        // each; U+0081, undefined in the code page, goes through as it is; an accent written apart joins its
        // letter.
        TextFile::appendLines(
            path, {"uno", "dos ñ € \u4e2d \U0001F600 \u0081 e\u0301", QString(QChar(0xD800)) + u'x'});
        QCOMPARE(testsupport::readFile(path),
                 QByteArray("previo\r\nuno\r\ndos \xF1 \x80 ? ? \x81 \xE9\r\n?x\r\n"));
    }

    void numbers_data()
    {
        table("platform/numeros.txt", {"operation", "input", "pattern", "result"});
        // The date in the history record: the input is the system's locale.
        row("date with no locale set: Spain's form", "date", "C", "", "7/12/26");
        row("date in the user's own locale", "date", "en_US", "", "12/7/26");
    }
    void numbers()
    {
        const auto [operation, input, pattern, result] =
            testsupport::fetch({"operation", "input", "pattern", "result"});
        const auto text = [](std::optional<qint16> value) {
            return value ? QString::number(*value) : QStringLiteral("-");
        };
        if (operation == u"format")
            QCOMPARE(formatNumber(input.toDouble(), pattern, QLocale::c()), result);
        else if (operation == u"sign")
            QCOMPARE(signReserved(input.toLongLong()), result);
        else if (operation == u"read")
            QCOMPARE(readNumber(input), result.toDouble());
        else if (operation == u"date")
            QCOMPARE(shortDateText(QDate(2026, 12, 7), QLocale(input)), result);
        else if (operation == u"int16")
            QCOMPARE(text(toInt16(input.toDouble())), result);
        else
            QCOMPARE(text(add16(input.toLongLong(), pattern.toLongLong())), result);
        // The user's decimal comma, and a number too large for a double.
        QCOMPARE(formatNumber(2.3, u"#0.0", QLocale(QLocale::Spanish)), QStringLiteral("2,3"));
        QCOMPARE(readNumber(QString(400, u'9')), HUGE_VAL);
    }

    void reseedFoldsIntoRunningState()
    {
        UniformRandom a(1), b(1), c(1);
        a.reseed(3600.5f);
        const float first = a.next();
        a.reseed(3600.5f);
        QVERIFY2(a.next() != first, "the same clock reading repeated the number");
        b.reseed(3600.5f);
        QCOMPARE(b.next(), first);
        b.reseed(3600.5f);
        b.reseed(3600.5f);
        c.next();
        c.reseed(3600.5f);
        c.next();
        c.reseed(3600.5f);
        QVERIFY2(b.next() != c.next(), "a second reseed in a row changed nothing");
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
