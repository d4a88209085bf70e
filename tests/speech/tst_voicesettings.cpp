#include "TestSupport.h"
#include "speech/VoiceSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;
using testsupport::row;

namespace {

QString fields(const VoiceChoice &choice)
{
    return QStringList{choice.voice, QString::number(choice.rate), QString::number(choice.pitch),
                       QString::number(choice.pauseMs)}
        .join(u'|');
}

} // namespace

class TestVoiceSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // The file's bytes, and the choice read from them: "voice|rate|pitch|pauseMs".
    void load_data()
    {
        QTest::addColumn<QByteArray>("file"); // "(sin archivo)": none
        QTest::addColumn<QString>("choice");
        const QString origin = "|-25|-30|400";
        row("no file: the program's own declamation", QByteArray("(sin archivo)"), origin);
        row("an empty file", QByteArray(), origin);
        row("everything chosen",
            QByteArray("[voz]\nnombre=Spanish (Latin America)+Adam\nvelocidad=29\ntono=-29\npausa_ms=1000\n"),
            QString("Spanish (Latin America)+Adam|29|-29|1000"));
        row("the limits are allowed", QByteArray("[voz]\nvelocidad=-100\ntono=100\npausa_ms=200\n"),
            QString("|-100|100|200"));
        row("the other limits", QByteArray("[voz]\nvelocidad=100\ntono=-100\npausa_ms=2000\n"),
            QString("|100|-100|2000"));
        row("one past each limit keeps the default",
            QByteArray("[voz]\nvelocidad=101\ntono=-101\npausa_ms=199\n"), origin);
        row("a pause past the longest", QByteArray("[voz]\npausa_ms=2001\n"), origin);
        row("words where numbers go",
            QByteArray("[voz]\nnombre=prueba\nvelocidad=rápido\ntono=1e3\npausa_ms=\n"),
            QString("prueba|-25|-30|400"));
        row("a number too large for any integer", QByteArray("[voz]\nvelocidad=99999999999999999999\n"),
            origin);
        row("values outside their group are not ours", QByteArray("velocidad=10\n[otra]\ntono=10\n"), origin);
        row("binary rubbish", QByteArray("\x00\xff\xfe[voz\n=\n\x01\x02", 11), origin);
        row("blanks around the values", QByteArray("[voz]\nnombre= prueba \nvelocidad= 7 \n"),
            QString("prueba|7|-30|400"));
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, choice);
        const QString path = m_dir.filePath(QStringLiteral("%1.conf").arg(QTest::currentDataTag()));
        if (file != "(sin archivo)")
            testsupport::writeFile(path, file);
        QCOMPARE(fields(VoiceSettings::load(path)), choice);
    }
    void aFolderInPlaceOfTheFileGivesTheDefaults()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("carpeta.conf"));
        QCOMPARE(VoiceSettings::load(m_dir.filePath("carpeta.conf")), VoiceChoice());
    }
    void saveAndLoadAgain_data()
    {
        QTest::addColumn<QString>("choice");
        row("the defaults", QString("|-25|-30|400"));
        row("a name with blanks, brackets and a plus", QString("Spanish (Spain)+Annie|-1|1|250"));
        row("a name beyond ASCII, with the characters of an ini file", QString("Señora Ñ=1;[x]#|0|0|2000"));
    }
    void saveAndLoadAgain()
    {
        QFETCH(QString, choice);
        const QStringList values = choice.split(u'|');
        const VoiceChoice saved{values[0], values[1].toInt(), values[2].toInt(), values[3].toInt()};
        // In a folder still to be made.
        const QString path =
            m_dir.filePath(QStringLiteral("nueva/%1/parlanza.conf").arg(QTest::currentDataTag()));
        VoiceSettings::save(saved, path);
        QCOMPARE(fields(VoiceSettings::load(path)), choice);
    }
    void aFileThatCannotBeWrittenIsNamed()
    {
        // A file where the folder should be: neither the folder nor the file can be made.
        const QString blocker = testsupport::writeFile(m_dir.filePath("bloqueo"), "x");
        const std::optional<Failure> failure =
            testsupport::failureOf([&] { VoiceSettings::save(VoiceChoice(), blocker + "/parlanza.conf"); });
        QVERIFY(failure);
        QVERIFY2(failure->description().contains(Failure::quoted(blocker)),
                 qPrintable(failure->description()));
    }
    void theDefaultFileIsInTheConfigurationFolder()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
        QCOMPARE(VoiceSettings::defaultPath(), m_dir.filePath("VelarMundo/parlanza.conf"));
    }
    // speech-dispatcher is told Qt's value times 100, truncated; other engines may round it.
    void countsReachTheEngineExactly_data()
    {
        QTest::addColumn<bool>("rounding");
        row("an engine that truncates (speech-dispatcher)", false);
        row("an engine that rounds", true);
    }
    void countsReachTheEngineExactly()
    {
        QFETCH(bool, rounding);
        for (int count = VoiceChoice::kLowest; count <= VoiceChoice::kHighest; ++count) {
            const double value = VoiceChoice::engineValue(count);
            QVERIFY(value >= -1 && value <= 1);
            const int told = rounding ? qRound(value * 100) : static_cast<int>(value * 100);
            QCOMPARE(told, count);
        }
    }
};

QTEST_GUILESS_MAIN(TestVoiceSettings)
#include "tst_voicesettings.moc"
