// libFuzzer target for the help document: the bytes are the document; every index line is looked up, a few
// searches are run (one from the document's own text) and the whole document is laid out for printing.
#include "help/HelpDocument.h"

#include <cstddef>
#include <cstdint>

using namespace parlanza;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const HelpDocument help = HelpDocument::fromBytes(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    QList<int> all;
    for (int p = 0; p < help.lines().size(); ++p) {
        help.lookup(p);
        all.append(p);
    }
    for (const QString &text : {QStringLiteral("  "), QStringLiteral("ÑANDÚ"), QStringLiteral("12"),
                                help.lines().value(help.lines().size() / 2).mid(7, 5)})
        help.search(text);
    help.printout(all);
    return 0;
}
