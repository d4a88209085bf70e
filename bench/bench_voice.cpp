// Reading aloud with the real speech service, recorded from the sound server: the time to have the engine
// ready, from the command to the first sound heard, and the whole reading of a four-group speech. Needs a
// sound server whose default output is recorded by "parec" (bench/voice.sh makes a private one). Prints
// "key,value" lines.
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "speech/Declaimer.h"
#include "speech/Phrases.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

using namespace parlanza;

namespace {

// Follows the recording of the default output and notes when it first turns loud.
class Listener : public QObject
{
public:
    explicit Listener(const QElapsedTimer &clock) : m_clock(clock)
    {
        connect(&m_parec, &QProcess::readyReadStandardOutput, this, [this] { listen(); });
        m_parec.start(QStringLiteral("parec"),
                      {QStringLiteral("--format=s16le"), QStringLiteral("--rate=16000"),
                       QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=5"),
                       QStringLiteral("-d"), QStringLiteral("@DEFAULT_MONITOR@")});
        m_parec.waitForStarted();
    }
    ~Listener() override
    {
        m_parec.kill();
        m_parec.waitForFinished();
    }
    void reset() { m_firstSound = -1; }
    qint64 firstSound() const { return m_firstSound; }

private:
    void listen()
    {
        const QByteArray bytes = m_parec.readAllStandardOutput();
        const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
        double sum = 0;
        const qsizetype count = bytes.size() / 2;
        for (qsizetype i = 0; i < count; ++i)
            sum += double(samples[i]) * samples[i];
        if (m_firstSound < 0 && count > 0 && std::sqrt(sum / count) / 32768 > 0.01)
            m_firstSound = m_clock.elapsed();
    }

    const QElapsedTimer &m_clock;
    QProcess m_parec;
    qint64 m_firstSound = -1;
};

void waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    Declaimer declaimer(Declaimer::defaultEngine());
    declaimer.prepare();
    if (!declaimer.isAvailable()) {
        std::fprintf(stderr, "%s\n", qPrintable(declaimer.problem()));
        return 1;
    }
    std::printf("voice_ready_ms,%lld\n", static_cast<long long>(clock.elapsed()));
    std::printf("voice_spanish_voices,%lld\n", static_cast<long long>(declaimer.voices().size()));

    // A change of voice, as "Aceptar" in "Voz de lectura" makes it: to a voice of another Spanish language
    // (a change of the engine's language too) and back to the default one; the median of 5, per change.
    const QList<SpeechVoice> &voices = declaimer.voices();
    const auto byName = [&](const QString &name) {
        return std::find_if(voices.cbegin(), voices.cend(),
                            [&](const SpeechVoice &v) { return v.name == name; });
    };
    const auto defaultVoice = byName(declaimer.defaultVoice());
    const auto other = std::find_if(voices.cbegin(), voices.cend(), [&](const SpeechVoice &voice) {
        return defaultVoice != voices.cend() && voice.locale != defaultVoice->locale;
    });
    if (other != voices.cend()) {
        QList<qint64> changes;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer changing;
            changing.start();
            declaimer.choose(VoiceChoice{other->name, 40, -10, 400});
            declaimer.choose(VoiceChoice());
            changes.append(changing.nsecsElapsed() / 2000);
        }
        std::sort(changes.begin(), changes.end());
        std::printf("voice_choose_us,%lld\n", static_cast<long long>(changes[changes.size() / 2]));
    }

    // A four-group speech of the shipped premise base, as "parlanza-discurso -s 7" composes it.
    FixedClock fixedClock;
    UniformRandom random(7);
    SpeechCore core(fixedClock, random);
    core.state.dire = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    core.countLines();
    core.state.firstBasePending = true;
    core.toggleBaseList();
    core.selectBase();
    const QStringList phrases = phrasesOf(core.controls.speech, core.controls.premises.entries());

    Listener listener(clock);
    QList<qint64> latencies;
    for (int run = 0; run < 5; ++run) {
        // What the recorder still holds of the last reading is heard before the next starts.
        waitFor([] { return false; }, 1000);
        listener.reset();
        bool finished = false;
        const auto connection =
            QObject::connect(&declaimer, &Declaimer::finished, [&finished](bool) { finished = true; });
        const qint64 asked = clock.elapsed();
        declaimer.read(phrases.mid(0, 1));
        waitFor([&] { return listener.firstSound() >= 0; }, 5000);
        latencies.append(listener.firstSound() - asked);
        waitFor([&] { return finished; }, 20000);
        QObject::disconnect(connection);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("voice_first_sound_ms,%lld\n", static_cast<long long>(latencies[latencies.size() / 2]));

    bool finished = false;
    QObject::connect(&declaimer, &Declaimer::finished, [&finished](bool) { finished = true; });
    const qint64 asked = clock.elapsed();
    declaimer.read(phrases);
    waitFor([&] { return finished; }, 60000);
    std::printf("voice_four_groups_s,%.1f\n", (clock.elapsed() - asked) / 1000.0);
    std::printf("voice_four_groups_phrases,%lld\n", static_cast<long long>(phrases.size()));
    return 0;
}
