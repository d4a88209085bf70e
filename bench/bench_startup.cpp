// Start-up of the program against a bare Qt Widgets window started the same way: process start until the
// first speech is painted, and the resident memory at that moment. Run the release build offscreen:
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_startup
#include "mainwindow/dialogo.h"
#include "platform/Clock.h"
#include "platform/DesignUnits.h"
#include "platform/DesktopServices.h"
#include "platform/LinePrinter.h"
#include "platform/RandomSource.h"
#include "speech/Declaimer.h"
#include "speech/Voice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>

using namespace parlanza;

namespace {

constexpr int kRuns = 15;

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// Quits as soon as the watched widget has been painted once, and reports the memory in use then.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            std::printf("%ld\n", residentKilobytes());
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

// What the program's main() gives the window.
struct DesktopServices
{
    SystemClock clock;
    UniformRandom random{1};
    SystemMessageBoxes messages;
    SystemBeeper beeper;
    SystemPrinters printers;
    dialogo::Services services()
    {
        return {&clock, &random, &messages, &beeper, &printers, QStringLiteral(PARLANZA_BIN_DIR)};
    }
};

int runBare(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *label = new QLabel(QStringLiteral("hola"));
    window.setCentralWidget(label);
    FirstPaint watcher;
    label->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}

int runParlanza(int argc, char *argv[])
{
    // The same set-up as the program's main().
    QApplication app(argc, argv);
    Voice voice(Declaimer::defaultEngine());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installDesignFontSubstitutes();
    QApplication::setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
    DesktopServices desktop;
    dialogo window(desktop.services());
    window.attachVoice(voice);
    FirstPaint watcher;
    window.findChild<QLabel *>(QStringLiteral("Label3"))->installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}

// The memory after a whole run: automatic mode to the 32767th speech, ticks driven directly.
int runSoak(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installDesignFontSubstitutes();
    DesktopServices desktop;
    dialogo window(desktop.services());
    window.show();
    window.Label5_Click();
    while (window.core().state.speechCount < 32767)
        window.Timer1_Timer();
    std::printf("%ld\n", residentKilobytes());
    return 0;
}

struct Sample
{
    double milliseconds;
    long kilobytes;
};

Sample runChild(const QString &mode)
{
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    // Until the child reports its first paint: the program's end (which waits for the speech engine being
    // made when the window closes within seconds of its start) is no part of its start.
    while (!child.canReadLine() && child.waitForReadyRead(30000)) {
    }
    const double milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    child.waitForFinished(30000);
    return {milliseconds, child.readAllStandardOutput().trimmed().toLong()};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--parlanza") == 0)
        return runParlanza(argc, argv);

    if (argc > 1 && qstrcmp(argv[1], "--soak") == 0)
        return runSoak(argc, argv);

    QCoreApplication app(argc, argv);
    QList<double> bare;
    QList<double> parlanza;
    long bareMemory = 0;
    long parlanzaMemory = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Sample b = runChild(QStringLiteral("--bare"));
        const Sample p = runChild(QStringLiteral("--parlanza"));
        bare.append(b.milliseconds);
        parlanza.append(p.milliseconds);
        bareMemory = std::max(bareMemory, b.kilobytes);
        parlanzaMemory = std::max(parlanzaMemory, p.kilobytes);
    }
    // One "key,value" line per figure; bench/run-all.sh puts them into the common table.
    const Sample soak = runChild(QStringLiteral("--soak"));
    std::printf("startup_bare_ms,%.1f\n", median(bare));
    std::printf("startup_parlanza_ms,%.1f\n", median(parlanza));
    std::printf("startup_ratio,%.2f\n", median(parlanza) / median(bare));
    std::printf("rss_bare_mb,%.1f\n", bareMemory / 1024.0);
    std::printf("rss_startup_mb,%.1f\n", parlanzaMemory / 1024.0);
    std::printf("rss_32767_speeches_mb,%.1f\n", soak.kilobytes / 1024.0);
    std::printf("soak_32767_speeches_ms,%.0f\n", soak.milliseconds);
    return 0;
}
