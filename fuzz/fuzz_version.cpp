// libFuzzer target for the version resource reader: the bytes are read as a file (PE, ELF or anything), then
// every query the reader makes is run on what it finds, and the tree is also read as a raw VS_VERSIONINFO.
#include "version/VersionResource.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

using namespace parlanza::versionresource;

namespace {

void queryAll(const QByteArray &resource)
{
    for (const char16_t *path :
         {u"\\", u"\\VarFileInfo\\Translation", u"\\StringFileInfo\\0C0A04B0\\ProductVersion",
          u"\\StringFileInfo", u"\\\\a\\b\\c\\d\\e\\f"})
        query(resource, QStringView(path));
    firstStringTable(resource);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    queryAll(read(device));
    queryAll(bytes);
    return 0;
}
