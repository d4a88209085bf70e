#include "TestSupport.h"
#include "speech/VoiceSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace parlanza;
using testsupport::row;

class TestVoiceSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // The file's bytes ("(sin archivo)": none, "(carpeta)": a folder in its place), and the choice read from
    // them: "voice|rate|pitch|pauseMs". Saved and read again, the choice read stays as it is.
    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("choice");
        const QString origin = "|-25|-30|400";
        row("no file: the program's own declamation", QByteArray("(sin archivo)"), origin);
        row("a folder in place of the file", QByteArray("(carpeta)"), origin);
        row("everything chosen, at the limits, a name with blanks, brackets and a plus",
            QByteArray("[voz]\nnombre=Spanish (Spain)+Annie\nvelocidad=-100\ntono=100\npausa_ms=2000\n"),
            QString("Spanish (Spain)+Annie|-100|100|2000"));
        row("the other limits", QByteArray("[voz]\nvelocidad=100\ntono=-100\npausa_ms=200\n"),
            QString("|100|-100|200"));
        row("one past each limit keeps the default",
            QByteArray("[voz]\nvelocidad=101\ntono=-101\npausa_ms=199\n"), origin);
        row("a pause past the longest", QByteArray("[voz]\npausa_ms=2001\n"), origin);
        row("words where numbers go",
            QByteArray("[voz]\nnombre=prueba\nvelocidad=rápido\ntono=1e3\npausa_ms=\n"),
            QString("prueba|-25|-30|400"));
        row("values outside their group are not ours", QByteArray("velocidad=10\n[otra]\ntono=10\n"), origin);
        row("binary rubbish", QByteArray("\x00\xff\xfe[voz\n=\n\x01\x02", 11), origin);
        row("blanks around the values", QByteArray("[voz]\nnombre= prueba \nvelocidad= 7 \n"),
            QString("prueba|7|-30|400"));
        row("a name beyond ASCII, with the characters of an ini file",
            QString("[voz]\nnombre=\"Señora Ñ=1;[x]#\"\n").toUtf8(), QString("Señora Ñ=1;[x]#|-25|-30|400"));
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, choice);
        const QString path = m_dir.filePath(QStringLiteral("%1.conf").arg(QTest::currentDataTag()));
        if (file == "(carpeta)")
            QVERIFY(QDir().mkpath(path));
        else if (file != "(sin archivo)")
            testsupport::writeFile(path, file);
        const VoiceChoice read = VoiceSettings::load(path);
        QCOMPARE(fields(read), choice);
        // In a folder still to be made.
        const QString again =
            m_dir.filePath(QStringLiteral("nueva/%1/parlanza.conf").arg(QTest::currentDataTag()));
        VoiceSettings::save(read, again);
        QCOMPARE(VoiceSettings::load(again), read);
    }
    // speech-dispatcher is told Qt's value times 100, truncated, so that 0.29 comes as 28; other engines may
    // round it. The boundaries and the counts that such truncation would lose.
    void countsReachTheEngineExactly()
    {
        for (const int count : {-100, -58, -29, -1, 0, 1, 29, 57, 100}) {
            const double value = VoiceChoice::engineValue(count);
            QVERIFY(value >= -1 && value <= 1);
            QCOMPARE(static_cast<int>(value * 100), count);
            QCOMPARE(qRound(value * 100), count);
        }
    }

private:
    static QString fields(const VoiceChoice &c)
    {
        return QStringLiteral("%1|%2|%3|%4").arg(c.voice).arg(c.rate).arg(c.pitch).arg(c.pauseMs);
    }
};

QTEST_GUILESS_MAIN(TestVoiceSettings)
#include "tst_voicesettings.moc"
