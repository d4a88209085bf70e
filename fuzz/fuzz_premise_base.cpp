// libFuzzer target for the premise base: the bytes are the file; every base is loaded and composed from, and
// the file is checked as the companion's --check does. Failures are expected; crashes, hangs and bad reads
// are not.
#include "core/PremiseBaseCheck.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/Failure.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace parlanza;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkPremiseBase(TextFile::fromBytes(bytes, QStringLiteral("fuzz.soy")));

    const QString path = dir.filePath(QStringLiteral("dialogo.soy"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return 0;
    file.close();

    FixedClock clock;
    UniformRandom random(size);
    SpeechCore core(clock, random);
    core.setPremiseFile(path);
    try {
        core.countLines();
    } catch (const Failure &) {
    }
    try {
        core.toggleBaseList();
    } catch (const Failure &) {
    }
    const int bases = static_cast<int>(std::min<qsizetype>(core.controls.bases.entries.size(), 20));
    for (int base = 0; base < bases; ++base) {
        core.controls.bases.current = base;
        try {
            core.selectBase();
            for (int i = 0; i < 3; ++i)
                core.compose();
            core.stepBack();
        } catch (const Failure &) {
        }
    }
    return 0;
}
