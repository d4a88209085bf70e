#include "StartArguments.h"
#include "cli/SpanishParserTexts.h"
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/DesktopServices.h"
#include "platform/LinePrinter.h"
#include "platform/ProgramFiles.h"
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
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

void write(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// While the window system is being opened, Qt's messages are held back: when it cannot be opened Qt ends the
// process through a fatal message (an abort, in English), which is replaced by the program's own message and
// status 1; when it opens, the held messages go on to Qt's usual output.
struct HeldMessage
{
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, text});
        return;
    }
    QString message = parlanza::noDisplayMessage();
    if (!text.contains(QLatin1String("display")))
        message += QStringLiteral("Detalle: %1\n").arg(text);
    write(stderr, message);
    std::_Exit(1);
}

bool displayNamed()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Reads the command line with Spanish texts; the arguments Qt takes for itself are only known once the window
// system's application exists, so a refusal waits for that.
parlanza::StartArguments readArguments(const QStringList &arguments)
{
    parlanza::SpanishParserTexts spanish;
    QCoreApplication::installTranslator(&spanish);
    return parlanza::readStartArguments(arguments);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("parlanza"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARLANZA_VERSION));
    std::optional<parlanza::StartArguments> start;
    {
        QCoreApplication console(argc, argv);
        start = readArguments(QCoreApplication::arguments());
    }
    if (start->action == parlanza::StartArguments::Action::Answer) {
        write(stdout, start->text);
        return 0;
    }
    if (start->action == parlanza::StartArguments::Action::Refuse && !start->unknownOption) {
        write(stderr, start->text);
        return 1;
    }
    if (!displayNamed()) {
        write(stderr, parlanza::noDisplayMessage());
        return 1;
    }

    const QtMessageHandler usualOutput = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(usualOutput);
    for (const HeldMessage &held : heldMessages)
        qt_message_output(held.type, QMessageLogContext(), held.text);
    heldMessages.clear();
    if (start->action == parlanza::StartArguments::Action::Refuse) {
        start = readArguments(QApplication::arguments());
        if (start->action != parlanza::StartArguments::Action::Start) {
            write(start->action == parlanza::StartArguments::Action::Answer ? stdout : stderr, start->text);
            return start->action == parlanza::StartArguments::Action::Answer ? 0 : 1;
        }
    }

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
    const parlanza::ProgramFiles files = parlanza::ProgramFiles::forThisProcess();
    parlanza::SoundBeeper beeper(files.programFolder() + QStringLiteral("/campana.wav"));
    parlanza::SystemPrinters printers;
    parlanza::dialogo::Services services{&clock,  &random,   &messages,
                                         &beeper, &printers, files.programFolder()};
    services.userDirectory = files.userFolder();
    services.systemWide = files.systemWide();
    services.premiseFile = start->premiseFile;
    services.executable = QCoreApplication::applicationFilePath();
    parlanza::dialogo window(services);
    window.attachVoice(voice);
    window.show();
    return QApplication::exec();
}
