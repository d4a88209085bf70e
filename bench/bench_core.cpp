// Speed of the speech composition core: composing speeches, and loading a premise base file of the largest
// size the program reads. Run the release build: build/release/bench/bench_core
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "version/CFileVersionInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace parlanza;

namespace {

// A file of 32767 lines: 40 bases of four groups, each group a couple of hundred premises.
QString writeLargestFile(const QTemporaryDir &dir)
{
    QString text;
    int lines = 0;
    auto add = [&](const QString &line) {
        text += line + QStringLiteral("\r\n");
        ++lines;
    };
    int base = 0;
    while (lines < 32767) {
        const QString number = QStringLiteral("%1").arg(++base, 2, 10, QChar(u'0'));
        add(QStringLiteral("DD0") + number + QStringLiteral("201200200200|Base de prueba número ") + number);
        for (int group = 1; group <= 4; ++group) {
            for (int i = 0; i < 200 && lines < 32767; ++i)
                add(QStringLiteral("premisa %1 del grupo %2, con la extensión de una frase de discurso")
                        .arg(i)
                        .arg(group));
            for (int filler = 0; filler < (group == 1 ? 3 : 1) && group < 4 && lines < 32767; ++filler)
                add(QString());
        }
    }
    const QString path = dir.filePath(QStringLiteral("dialogo.soy"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(TextFile::encodeWindows1252(text));
    return path;
}

void startUp(SpeechCore &core)
{
    core.countLines();
    core.state.firstBasePending = true;
    core.state.speechNumber = 0;
    core.toggleBaseList();
    core.selectBase();
}

void BM_Compose(benchmark::State &state)
{
    SystemClock clock;
    UniformRandom random(1);
    SpeechCore core(clock, random);
    core.setPremiseFile(QStringLiteral(PARLANZA_DATA_DIR "/dialogo.soy"));
    startUp(core); // the first base has four groups
    for (auto _ : state) {
        core.compose();
        // A run holds at most 32767 speeches; start again well before, as a restart would.
        if (core.state.speechNumber == 30000) {
            core.state.speechNumber = 0;
            core.controls.history.clear();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Compose);

void BM_ColdLoadOfLargestFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeLargestFile(dir);
    SystemClock clock;
    UniformRandom random(1);
    for (auto _ : state) {
        SpeechCore core(clock, random);
        core.setPremiseFile(path);
        startUp(core);
        benchmark::DoNotOptimize(core.controls.speech);
        state.SetLabel(QStringLiteral("%1 líneas; %2 bases")
                           .arg(core.state.lineCount)
                           .arg(core.controls.bases.entries.size())
                           .toStdString());
    }
}
BENCHMARK(BM_ColdLoadOfLargestFile)->Unit(benchmark::kMillisecond);

void BM_ReadLargestFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeLargestFile(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::read(path).lineCount());
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_ReadLargestFile)->Unit(benchmark::kMillisecond);

void BM_ReadOwnVersionResource(benchmark::State &state)
{
    for (auto _ : state) {
        CFileVersionInfo version;
        version.setFullPathName(QStringLiteral(PARLANZA_BIN_DIR "/parlanza"));
        benchmark::DoNotOptimize(version.ProductVersion());
    }
}
BENCHMARK(BM_ReadOwnVersionResource)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
