// libFuzzer target for plain lists: the bytes up to the first zero byte are a premise base file, the rest a
// lists file. The lists are read, added to the file and put in the place of its base 01, and every base of
// the file is written as lists. Failures are expected; crashes, hangs and bad reads are not.
#include "core/PlainLists.h"
#include "platform/Failure.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>

using namespace parlanza;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype zero = bytes.indexOf('\0');
    const QByteArray base = zero < 0 ? bytes : bytes.left(zero);
    const QByteArray lists = zero < 0 ? bytes : bytes.mid(zero + 1);
    for (int number = 0; number < 100; number += 7) {
        try {
            exportBase(TextFile::fromBytes(base, QStringLiteral("fuzz.soy")), number);
        } catch (const Failure &) {
        }
    }
    try {
        const PlainLists read = readPlainLists(TextFile::fromBytes(lists, QStringLiteral("listas.txt")));
        plainListsBytes(read, base);
        try {
            appendBase(QStringLiteral("fuzz.soy"), base, read);
        } catch (const Failure &) {
        }
        replaceBase(QStringLiteral("fuzz.soy"), base, 1, read);
    } catch (const Failure &) {
    }
    return 0;
}
