#include "TestSupport.h"
#include "platform/Clock.h"
#include "platform/Failure.h"
#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace parlanza;

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void lineEnds_data();
    void lineEnds();
    void encodings_data();
    void encodings();
    void unreadableFilesNameTheFile_data();
    void unreadableFilesNameTheFile();
    void readErrorPartWay();
    void appendWritesWindows1252WithCrLfAfterEarlierBytes();
    void appendFailureNamesTheFile_data();
    void appendFailureNamesTheFile();

    void formatNumber_data();
    void formatNumber();
    void signReserved_data();
    void signReserved();
    void readNumber_data();
    void readNumber();
    void toInt16_data();
    void toInt16();
    void add16Limits();

    void randomNumbersAreUniformIn24Bits();
    void reseedFoldsIntoRunningState();
    void shortDate_data();
    void shortDate();

private:
    QTemporaryDir m_dir;
    QString write(const QByteArray &bytes);
};

QString TestPlatform::write(const QByteArray &bytes)
{
    static int serial = 0;
    return testsupport::writeFile(m_dir.filePath(QStringLiteral("f%1.txt").arg(++serial)), bytes);
}

static QStringList linesOf(const TextFile &file)
{
    QStringList lines;
    for (qsizetype i = 0; i < file.lineCount(); ++i)
        lines.append(file.line(i).toString());
    return lines;
}

void TestPlatform::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF ends a line") << QByteArray("uno\r\ndos\r\n") << QStringList{"uno", "dos"};
    QTest::newRow("a lone CR ends a line") << QByteArray("uno\rdos\r") << QStringList{"uno", "dos"};
    QTest::newRow("a lone LF ends a line") << QByteArray("uno\ndos\n") << QStringList{"uno", "dos"};
    QTest::newRow("last line needs no terminator") << QByteArray("uno\r\ndos") << QStringList{"uno", "dos"};
    QTest::newRow("empty file has no lines") << QByteArray() << QStringList{};
    QTest::newRow("a terminator alone is one empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("CR then CR LF is an empty line between")
        << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF then CR are two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("NUL bytes stay in the line")
        << QByteArray("a\0b\r\n", 5) << QStringList{QString::fromLatin1("a\0b", 3)};
}

void TestPlatform::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(linesOf(TextFile::read(write(bytes))), lines);
    QCOMPARE(TextFile::fromBytes(bytes).line(lines.size()), QStringView());
}

void TestPlatform::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("Windows-1252 0x80 to 0x9F")
        << QByteArray("\x80\x8A\x8C\x93\x94\x96\x9C\x9F") << QStringLiteral("€ŠŒ“”–œŸ") << false;
    QTest::newRow("Windows-1252 accented letters") << QByteArray("Ma\xF1"
                                                                 "ana ser\xE1 \xBF"
                                                                 "cu\xE1l?")
                                                   << QStringLiteral("Mañana será ¿cuál?") << false;
    QTest::newRow("UTF-8 byte-order mark is dropped")
        << QByteArray("\xEF\xBB\xBFhola") << QStringLiteral("hola") << true;
    QTest::newRow("valid UTF-8 sequences") << QByteArray("Ma\xC3\xB1"
                                                         "ana \xE2\x82\xAC")
                                           << QStringLiteral("Mañana €") << true;
    QTest::newRow("a broken UTF-8 sequence means Windows-1252")
        << QByteArray("\xC3\x28") << QStringLiteral("Ã(") << false;
    QTest::newRow("one valid sequence among single bytes means Windows-1252")
        << QByteArray("\xC3\xB1 \xE9") << QStringLiteral("Ã± é") << false;
    QTest::newRow("plain ASCII") << QByteArray("DD001|x") << QStringLiteral("DD001|x") << false;
}

void TestPlatform::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    const TextFile file = TextFile::read(write(bytes));
    QCOMPARE(file.line(0).toString(), text);
    QCOMPARE(file.encoding() == TextFile::Encoding::Utf8, utf8);
}

void TestPlatform::unreadableFilesNameTheFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << m_dir.filePath("no-existe.soy")
                                  << QStringLiteral("No se encuentra el archivo");
    QTest::newRow("a folder") << m_dir.path() << QStringLiteral("es una carpeta");
}

void TestPlatform::unreadableFilesNameTheFile()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    const auto failure = testsupport::failureOf([&] { TextFile::read(path); });
    QVERIFY(failure);
    QVERIFY2(failure->description().contains(reason), qPrintable(failure->description()));
    QVERIFY(failure->description().contains(QStringLiteral("«%1»").arg(path)));
    QCOMPARE(failure->file(), path);
}

// A device that gives some lines and then fails, as a disk with a bad sector would.
class FailingDevice : public QIODevice
{
public:
    FailingDevice() { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_given)
            return -1;
        m_given = true;
        const QByteArray part("uno\r\ndos\r\n");
        const qint64 count = std::min<qint64>(size, part.size());
        memcpy(data, part.constData(), count);
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool m_given = false;
};

void TestPlatform::readErrorPartWay()
{
    FailingDevice failing;
    const auto failure = testsupport::failureOf([&] { TextFile::read(failing, QStringLiteral("guia.ans")); });
    QVERIFY(failure && failure->description().contains(u"«guia.ans»"));
    FailingDevice keeping;
    const TextFile kept =
        TextFile::read(keeping, QStringLiteral("guia.ans"), TextFile::OnReadError::KeepLinesRead);
    QCOMPARE(linesOf(kept), QStringList({"uno", "dos"}));
}

void TestPlatform::appendWritesWindows1252WithCrLfAfterEarlierBytes()
{
    const QString path = write("previo\r\n");
    // Characters the code page lacks (a CJK one, one beyond 16 bits, a lone surrogate) become one "?" each;
    // U+0081 is one of the five bytes the code page leaves undefined and goes through as it is; an accent
    // written apart joins its letter.
    TextFile::appendLines(path,
                          {QStringLiteral("uno"), QStringLiteral("dos ñ € \u4e2d \U0001F600 \u0081 e\u0301"),
                           QString(QChar(0xD800)) + u'x'});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("previo\r\nuno\r\ndos \xF1 \x80 ? ? \x81 \xE9\r\n?x\r\n"));
}

void TestPlatform::appendFailureNamesTheFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder that does not exist")
        << m_dir.filePath("falta/Lhistorial.TXT") << QStringLiteral("no hay permiso");
    QTest::newRow("device with no space left")
        << QStringLiteral("/dev/full") << QStringLiteral("no queda espacio");
}

void TestPlatform::appendFailureNamesTheFile()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    if (path == u"/dev/full")
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot call seek on a sequential device"));
    const auto failure =
        testsupport::failureOf([&] { TextFile::appendLines(path, {QStringLiteral("uno")}); });
    QVERIFY(failure);
    QVERIFY2(failure->description().contains(reason), qPrintable(failure->description()));
    QVERIFY(failure->description().contains(path));
}

void TestPlatform::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    const QLocale c = QLocale::c();
    QTest::newRow("pause 2000 ms") << 2.0 << "#0.0" << c << "2.0";
    QTest::newRow("pause 100 ms keeps the leading zero") << 0.1 << "#0.0" << c << "0.1";
    QTest::newRow("pause 30000 ms") << 30.0 << "#0.0" << c << "30.0";
    QTest::newRow("user's decimal comma")
        << 2.3 << "#0.0" << QLocale(QLocale::Spanish, QLocale::Spain) << "2,3";
    QTest::newRow("group count with literal minus") << 3.0 << "-00" << c << "-03";
    QTest::newRow("base number padded") << 2.0 << "00" << c << "02";
    QTest::newRow("base number wider than pattern") << 100.0 << "00" << c << "100";
    QTest::newRow("history number one") << 1.0 << "@@@ " << c << "  1 ";
    QTest::newRow("history number wider than pattern") << 1234.0 << "@@@ " << c << "1234 ";
    QTest::newRow("help line number") << 7.0 << "@@@@@" << c << "    7";
    QTest::newRow("help line number wider than pattern") << 123456.0 << "@@@@@" << c << "123456";
}

void TestPlatform::formatNumber()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(parlanza::formatNumber(value, pattern, locale), text);
}

void TestPlatform::signReserved_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive") << qint64(7) << " 7";
    QTest::newRow("negative carries its minus") << qint64(-7) << "-7";
    QTest::newRow("past 16 bits") << qint64(40000) << " 40000";
}

void TestPlatform::signReserved()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(parlanza::signReserved(value), text);
}

void TestPlatform::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("zero-padded field") << "003" << 3.0;
    QTest::newRow("leading blanks skipped") << "  12" << 12.0;
    QTest::newRow("minus sign") << "-5" << -5.0;
    QTest::newRow("decimal point") << "2.5" << 2.5;
    QTest::newRow("point without digits after") << "12." << 12.0;
    QTest::newRow("stops at the first non-digit") << "2.5x9" << 2.5;
    QTest::newRow("stops at an inner blank") << "1 2" << 1.0;
    QTest::newRow("letters read 0") << "abc" << 0.0;
    QTest::newRow("sign alone reads 0") << " -" << 0.0;
    QTest::newRow("huge number does not fail") << QString(400, u'9') << HUGE_VAL;
}

void TestPlatform::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(parlanza::readNumber(text), value);
}

void TestPlatform::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("result");
    QTest::newRow("half rounds down to even") << 2.5 << true << 2;
    QTest::newRow("half rounds up to even") << 3.5 << true << 4;
    QTest::newRow("negative half to even") << -2.5 << true << -2;
    QTest::newRow("largest value") << 32767.0 << true << 32767;
    QTest::newRow("rounds up past the largest") << 32767.5 << false << 0;
    QTest::newRow("half below the smallest rounds to even") << -32768.5 << true << -32768;
    QTest::newRow("one below the smallest") << -32769.0 << false << 0;
    QTest::newRow("not a number") << std::nan("") << false << 0;
}

void TestPlatform::toInt16()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, result);
    const auto converted = parlanza::toInt16(value);
    QCOMPARE(converted.has_value(), fits);
    if (fits)
        QCOMPARE(*converted, result);
}

void TestPlatform::add16Limits()
{
    QCOMPARE(add16(32766, 1), std::optional<qint16>(32767));
    QCOMPARE(add16(32767, 1), std::nullopt);
    QCOMPARE(add16(-32768, -1), std::nullopt);
    QCOMPARE(add16(-32767, -1), std::optional<qint16>(-32768));
}

void TestPlatform::reseedFoldsIntoRunningState()
{
    UniformRandom a(1);
    UniformRandom b(1);
    QCOMPARE(a.next(), b.next());
    a.reseed(3600.5f);
    const float first = a.next();
    a.reseed(3600.5f);
    QVERIFY2(a.next() != first, "the same clock reading repeated the number");
    b.reseed(3600.5f);
    QCOMPARE(b.next(), first);
    b.reseed(3600.5f);
    b.reseed(3600.5f);
    UniformRandom c(1);
    c.next();
    c.reseed(3600.5f);
    c.next();
    c.reseed(3600.5f);
    QVERIFY2(b.next() != c.next(), "a second reseed in a row changed nothing");
}

void TestPlatform::randomNumbersAreUniformIn24Bits()
{
    UniformRandom random(2026);
    constexpr int kDraws = 200000;
    int buckets[10] = {};
    for (int i = 0; i < kDraws; ++i) {
        random.reseed(1000.0f); // the composer reseeds with the clock before every draw
        const float r = random.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        QCOMPARE(r * 16777216.0f, std::floor(r * 16777216.0f));
        ++buckets[static_cast<int>(r * 10)];
    }
    for (const int count : buckets)
        QVERIFY2(std::abs(count - kDraws / 10) < kDraws / 100, qPrintable(QString::number(count)));
}

void TestPlatform::shortDate_data()
{
    QTest::addColumn<QLocale>("system");
    QTest::addColumn<QString>("text");
    QTest::newRow("no locale set: Spain's form") << QLocale::c() << "7/12/26";
    QTest::newRow("Spanish of Mexico") << QLocale(QLocale::Spanish, QLocale::Mexico) << "07/12/26";
    QTest::newRow("the user's own locale") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/7/26";
}

void TestPlatform::shortDate()
{
    QFETCH(QLocale, system);
    QFETCH(QString, text);
    QCOMPARE(shortDateText(QDate(2026, 12, 7), system), text);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
