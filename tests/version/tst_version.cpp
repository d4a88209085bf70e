#include "TestSupport.h"
#include "version/CFileVersionInfo.h"
#include "version/VersionInfoWriter.h"
#include "version/VersionResource.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;
namespace vr = parlanza::versionresource;
using testsupport::row;

namespace {

const QString kProgram = QStringLiteral(PARLANZA_BIN_DIR "/parlanza");

void put(QByteArray &bytes, qsizetype at, quint32 value, int size = 4)
{
    if (bytes.size() < at + size)
        bytes.resize(at + size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

enum class Shape
{
    Good,
    CyclicDirectory,
    TruncatedDirectory,
    NoVersionType
};

// Writes fields given as offset, value, size in bytes, one after another.
void put(QByteArray &bytes, std::initializer_list<quint32> fields)
{
    for (auto f = fields.begin(); f + 2 < fields.end(); f += 3)
        put(bytes, f[0], f[1], static_cast<int>(f[2]));
}

// A PE file built field by field: headers, one ".rsrc" section at file offset 0x200 and RVA 0x1000 holding a
// three-level resource directory (type 16, name 1, language 0x0C0A) that leads to the resource at 0x58.
QByteArray pe(const QByteArray &resource, bool wide = false, Shape shape = Shape::Good)
{
    const quint32 type = shape == Shape::NoVersionType ? 3 : 16;
    const quint32 names = shape == Shape::CyclicDirectory ? 0x80000000u : 0x80000030u;
    QByteArray rsrc;
    put(rsrc, {14,    1,    2,    16,   type,   4,    20,     0x80000018u,
               4,     0x26, 1,    2,    0x28,   1,    4,      0x2C,
               names, 4,    0x3E, 1,    2,      0x40, 0x0C0A, 4,
               0x44,  0x48, 4,    0x48, 0x1058, 4,    0x4C,   quint32(resource.size()),
               4,     0x54, 0,    4});
    rsrc += resource;
    const quint32 machine = wide ? 0x8664 : 0x14C;
    const quint32 magic = wide ? 0x20B : 0x10B;
    const quint32 optional = wide ? 240 : 224;
    const quint32 dirs = 0x58 + (wide ? 112 : 96);
    const quint32 at = 0x58 + optional; // the section header
    const auto size = static_cast<quint32>(rsrc.size());
    QByteArray file("MZ");
    put(file, {0x3C,      0x40,     4, 0x40,    0x4550,     4, 0x44,     machine, 2, 0x46,      1,      2,
               0x54,      optional, 2, 0x58,    magic,      2, dirs - 4, 16,      4, dirs + 16, 0x1000, 4,
               dirs + 20, size,     4, at,      0x7273722E, 4, at + 4,   'c',     1, at + 8,    size,   4,
               at + 12,   0x1000,   4, at + 16, size,       4, at + 20,  0x200,   4, 0x1FC,     0,      4});
    file += rsrc;
    if (shape == Shape::TruncatedDirectory)
        file.truncate(0x200 + 0x20);
    return file;
}

vr::VersionInfo info(quint32 ms, quint32 ls, quint32 flags = 0, quint32 os = 0x40004, quint32 type = 1,
                     quint32 subtype = 0)
{
    vr::VersionInfo result;
    result.fixed = {0x00010000, ms, ls, ms, ls, 0x3F, flags, os, type, subtype};
    result.translations = {{0x0C0A, 0x04B0}};
    result.tableKey = QStringLiteral("0C0A04B0");
    result.strings = {{QStringLiteral("ProductVersion"), QStringLiteral("7.1 beta")}};
    return result;
}

// The members the reader fills, joined by "|"; empty when nothing is available.
QString summary(const CFileVersionInfo &v)
{
    if (!v.Available())
        return {};
    return QStringList{v.FixedFileVersion(), v.FileFlags(),   v.FileOS(),
                       v.FileType(),         v.FileSubtype(), v.ProductVersion()}
        .join(u'|');
}

} // namespace

class TestVersion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    // Each file lies in a folder more than 300 characters deep: a path that long must not be cut.
    QString write(const QByteArray &bytes)
    {
        static int serial = 0;
        const QString folder = m_dir.path() + QStringLiteral("/carpeta-con-un-nombre-largo").repeated(11);
        QDir().mkpath(folder);
        return testsupport::writeFile(folder + QStringLiteral("/f%1.exe").arg(++serial), bytes);
    }

private slots:
    void programsOwnResourceAndLanguageNames()
    {
        CFileVersionInfo version;
        version.setFullPathName(kProgram);
        QCOMPARE(summary(version), QStringLiteral("0.00.0021||Unknown|Application||0.00.0021"));
        QCOMPARE(version.StructureVersion(), QStringLiteral("1.0"));
        QCOMPARE(version.FileVersion(), QString());
        QCOMPARE(version.LanguageName(), QStringLiteral("español (España)"));
        QCOMPARE(vr::languageName(0x0409), QStringLiteral("inglés (Estados Unidos)"));
        QCOMPARE(vr::languageName(0x00FE), QStringLiteral("Idioma desconocido"));
        QCOMPARE(vr::languageName(0x0000), QStringLiteral("Idioma neutral"));
        QCOMPARE(vr::languageName(0x0800), QStringLiteral("Idioma neutral"));
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        const auto good = [](const vr::VersionInfo &i, bool wide = false) { return pe(vr::build(i), wide); };
        const QString nt = QStringLiteral("|NT-Win32|Application||7.1 beta");
        row("32-bit PE", good(info(0x00030001, 0x00010007)), "3.01.0107|" + nt);
        row("64-bit PE, revision of three digits", good(info(0x00030001, 300), true), "3.01.0300|" + nt);
        row("halves of 32768 are positive", good(info(0x80000001, 0x80000002)), "32768.01.3276802|" + nt);
        row("all six flags, in order", good(info(0x10002, 0x30004, 0x3F)),
            "1.02.0304|Debug PreRel Patched Private Info Special|NT-Win32|Application||7.1 beta");
        row("an unknown flag alone", good(info(0x10002, 0xF, 0x40)), "1.02.0015|" + nt);
        row("driver subtype 10, the last named", good(info(0, 21, 0, 0x10001, 3, 10)),
            "0.00.0021||DOS-Win16|Driver|Comm drv|7.1 beta");
        row("driver subtype 11 leaves the subtype", good(info(0, 21, 0, 0x20002, 3, 11)),
            "0.00.0021||OS/2-16 PM-16|Driver||7.1 beta");
        row("font subtype 0 leaves the subtype", good(info(0, 21, 0, 4, 4, 0)),
            "0.00.0021||Unknown|Font||7.1 beta");
        row("TrueType font", good(info(0, 21, 0, 0x10004, 4, 3)),
            "0.00.0021||DOS-Win32|Font|TrueType Font|7.1 beta");
        row("type 6 is unknown", good(info(0, 21, 0, 0x30003, 6)),
            "0.00.0021||OS/2-16 PM-32|Unknown||7.1 beta");
        vr::VersionInfo two = info(0x10000, 0);
        two.translations = {{0x0409, 0x04E4}, {0x0C0A, 0x04B0}};
        two.tableKey = QStringLiteral("040904E4");
        two.strings = {{QStringLiteral("ProductVersion"), QStringLiteral("primera")}};
        row("two translations: the first counts", good(two), "1.00.0000||NT-Win32|Application||primera");
        vr::VersionInfo lower = info(0x10000, 0); // keys match whatever their case
        lower.tableKey = QStringLiteral("0c0a04b0");
        lower.strings = {{QStringLiteral("productversion"), QStringLiteral("7.1 beta")}};
        row("keys in lower case", good(lower), "1.00.0000|" + nt);
        vr::VersionInfo noList = info(0x10000, 0);
        noList.translations.clear();
        row("no translation list", good(noList), "1.00.0000||NT-Win32|Application||");
        vr::VersionInfo noTable = info(0x10000, 0);
        noTable.tableKey.clear();
        row("no string table", good(noTable), "1.00.0000||NT-Win32|Application||");
        const QByteArray resource = vr::build(info(0x10000, 0));
        row("cyclic resource directory", pe(resource, false, Shape::CyclicDirectory), "");
        row("truncated resource directory", pe(resource, false, Shape::TruncatedDirectory), "");
        row("no version resource", pe(resource, false, Shape::NoVersionType), "");
        QByteArray zeroChild = resource;
        put(zeroChild, 92, 0, 2); // the first child claims a length of 0
        row("child of length 0", pe(zeroChild), "1.00.0000||NT-Win32|Application||");
        QByteArray textRoot = resource;
        put(textRoot, 4, 1, 2); // the root's type word says text; its value is still the fixed information
        row("root typed as text", pe(textRoot), "1.00.0000|" + nt);
        QByteArray longRoot = resource;
        put(longRoot, 0, static_cast<quint32>(resource.size() + 64), 2);
        row("root longer than the resource", pe(longRoot), "1.00.0000|" + nt);
        QByteArray badSignature = resource;
        put(badSignature, 40, 0xFEEF04BCu); // the fixed information's signature, one off
        row("fixed information without its signature", pe(badSignature), "|||||7.1 beta");
        QByteArray farSections("\x7F"
                               "ELF\x02\x01",
                               6);
        put(farSections, 0x28, 0xFFFFFFF0u);
        put(farSections, 0x2C, 0x7FFFFFFFu); // section headers just below 2^63
        put(farSections, 0x3A, 64, 2);
        put(farSections, 0x3C, 5, 2);
        put(farSections, 0x3E, 4, 2);
        row("ELF section headers far past the end", farSections, "");
        row("not an executable", QByteArray("MZ sólo texto"), "");
        row("empty file", QByteArray(), "");
    }
    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        // Each file also seeds the fuzzer's corpus.
        QDir().mkpath(QStringLiteral(PARLANZA_CORPUS_DIR));
        testsupport::writeFile(
            QStringLiteral(PARLANZA_CORPUS_DIR "/") + QString::fromLatin1(QTest::currentDataTag()), file);
        CFileVersionInfo version;
        version.setFullPathName(write(file));
        QCOMPARE(summary(version), expected);
        QCOMPARE(version.FixedProductVersion(), version.FixedFileVersion());
    }

    void membersKeepWhatAnotherFileLacks()
    {
        CFileVersionInfo version;
        version.setFullPathName(write(pe(vr::build(info(0x20000, 0x10001, 0, 4, 4, 2)))));
        QCOMPARE(version.ProductVersion(), QStringLiteral("7.1 beta"));
        vr::VersionInfo bare = info(0x10000, 0, 0, 4, 1);
        bare.tableKey.clear();
        version.setFullPathName(write(pe(vr::build(bare))));
        QCOMPARE(summary(version), QStringLiteral("1.00.0000||Unknown|Application|Vector Font|7.1 beta"));
        // A root whose fixed information is cut short: the fixed members stay, nothing is read past it.
        QByteArray broken = vr::build(bare);
        put(broken, 2, 8, 2);
        version.setFullPathName(write(pe(broken)));
        QVERIFY(version.Available());
        QCOMPARE(version.FixedFileVersion(), QStringLiteral("1.00.0000"));
        version.setFullPathName(m_dir.filePath("no-existe.exe"));
        QVERIFY(!version.Available());
        QCOMPARE(version.FileType(), QStringLiteral("Application"));
    }
};

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
