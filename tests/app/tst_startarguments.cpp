#include "app/StartArguments.h"
#include "cli/SpanishParserTexts.h"

#include <QDir>
#include <QTest>

using namespace parlanza;
using Action = StartArguments::Action;

class TestStartArguments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLines_data();
    void commandLines();

private:
    SpanishParserTexts m_spanish;
};

void TestStartArguments::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3.4"));
    QCoreApplication::installTranslator(&m_spanish);
}

void TestStartArguments::commandLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("premiseFile");
    QTest::addColumn<QString>("textStart");
    QTest::addColumn<bool>("unknownOption");
    QTest::newRow("nothing: the usual base") << QStringList() << Action::Start << ""
                                             << "" << false;
    QTest::newRow("a relative path is made absolute for every restart")
        << QStringList{"bases/mias.soy"} << Action::Start << QDir::current().filePath("bases/mias.soy") << ""
        << false;
    QTest::newRow("--help answers in Spanish") << QStringList{"--help"} << Action::Answer << ""
                                               << "Uso: " << false;
    QTest::newRow("-v answers the version") << QStringList{"-v"} << Action::Answer << ""
                                            << "parlanza 1.2.3.4\n"
                                            << false;
    QTest::newRow("two files are refused") << QStringList{"a.soy", "b.soy"} << Action::Refuse << ""
                                           << "Sobran argumentos" << false;
    QTest::newRow("an unknown option may belong to Qt")
        << QStringList{"-platform", "xcb"} << Action::Refuse << ""
        << "Opciones desconocidas" << true;
}

void TestStartArguments::commandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, premiseFile);
    QFETCH(QString, textStart);
    QFETCH(bool, unknownOption);
    const StartArguments start = readStartArguments(QStringList{"parlanza"} + arguments);
    QCOMPARE(start.action, action);
    QCOMPARE(start.premiseFile, premiseFile);
    QVERIFY2(start.text.left(textStart.size()) == textStart, qPrintable(start.text));
    QCOMPARE(start.unknownOption, unknownOption);
}

QTEST_GUILESS_MAIN(TestStartArguments)
#include "tst_startarguments.moc"
