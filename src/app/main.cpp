#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/DesktopServices.h"
#include "platform/LinePrinter.h"
#include "platform/RandomSource.h"
#include "platform/SoundBeeper.h"
#include "speech/Declaimer.h"
#include "speech/Voice.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parlanza"));
    // Making the speech engine takes seconds: the window has it made on a thread of its own once it is shown.
    parlanza::Voice voice(parlanza::Declaimer::defaultEngine());
    // No display name: Qt would append it to every window title, which the windows give exactly.
    // The program speaks Spanish whatever the desktop's language: Qt's own buttons and dialogs too.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);
    // One style everywhere, so the design colours of the buttons and labels show as drawn.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    parlanza::installDesignFontSubstitutes();
    QApplication::setFont(parlanza::designFont(QStringLiteral("MS Sans Serif"), 8.25));

    parlanza::SystemClock clock;
    parlanza::UniformRandom random(QRandomGenerator::system()->generate64());
    parlanza::SystemMessageBoxes messages;
    parlanza::SoundBeeper beeper(QCoreApplication::applicationDirPath() + QStringLiteral("/campana.wav"));
    parlanza::SystemPrinters printers;
    parlanza::dialogo window(
        {&clock, &random, &messages, &beeper, &printers, QCoreApplication::applicationDirPath()});
    window.attachVoice(voice);
    window.show();
    return QApplication::exec();
}
