#include "VersionResource.h"

#include "BinaryReader.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <optional>
#include <unicode/uloc.h>

namespace parlanza::versionresource {

namespace {

constexpr qint64 kMaxResource = 65536; // wLength is 16 bits
constexpr int kMaxDirectoryEntries = 4096;
constexpr int kMaxSections = 4096;
constexpr int kMaxTreeDepth = 5;

qint64 align4(qint64 offset)
{
    return (offset + 3) & ~qint64(3);
}

// ---- PE ----

std::optional<qint64> rvaToOffset(FileReader &file, qint64 sectionTable, int sections, quint32 rva)
{
    for (int i = 0; i < sections; ++i) {
        const auto header = file.read(sectionTable + 40ll * i, 40);
        if (!header)
            return std::nullopt;
        const ByteView view(*header);
        const qint64 address = *view.u32(12);
        const qint64 rawSize = *view.u32(16);
        const qint64 rawOffset = *view.u32(20);
        if (rva >= address && rva < address + rawSize)
            return rva - address + rawOffset;
    }
    return std::nullopt;
}

QByteArray readFromPe(FileReader &file)
{
    const auto dos = file.read(0, 64);
    if (!dos || !dos->startsWith("MZ"))
        return {};
    const qint64 pe = *ByteView(*dos).u32(0x3C);
    const auto headers = file.read(pe, 24);
    if (!headers || !headers->startsWith(QByteArrayLiteral("PE\0\0")))
        return {};
    const ByteView fileHeader(*headers);
    const int sections = std::min<int>(*fileHeader.u16(6), kMaxSections);
    const qint64 optionalSize = *fileHeader.u16(20);
    const auto optional = file.read(pe + 24, optionalSize);
    if (!optional)
        return {};
    const ByteView opt(*optional);
    const auto magic = opt.u16(0);
    if (!magic || (*magic != 0x10B && *magic != 0x20B))
        return {};
    const qint64 directories = *magic == 0x10B ? 96 : 112;
    const auto count = opt.u32(directories - 4);
    const auto resourceRva = opt.u32(directories + 16);
    if (!count || *count <= 2 || !resourceRva || *resourceRva == 0)
        return {};
    const qint64 sectionTable = pe + 24 + optionalSize;
    const auto resourceStart = rvaToOffset(file, sectionTable, sections, *resourceRva);
    if (!resourceStart)
        return {};

    // Type 16 (RT_VERSION), then the first name, then the first language; each directory visited once.
    QSet<qint64> visited;
    qint64 directory = 0;
    for (int level = 0; level < 3; ++level) {
        if (visited.contains(directory))
            return {};
        visited.insert(directory);
        const auto head = file.read(*resourceStart + directory, 16);
        if (!head)
            return {};
        const ByteView view(*head);
        const int named = *view.u16(12);
        const int ids = *view.u16(14);
        const int entries = std::min(named + ids, kMaxDirectoryEntries);
        std::optional<quint32> target;
        for (int i = 0; i < entries && !target; ++i) {
            const auto entry = file.read(*resourceStart + directory + 16 + 8ll * i, 8);
            if (!entry)
                return {};
            const ByteView e(*entry);
            const quint32 name = *e.u32(0);
            if (level > 0 || (!(name & 0x80000000u) && (name & 0xFFFF) == 16))
                target = *e.u32(4);
        }
        if (!target)
            return {};
        const bool isDirectory = *target & 0x80000000u;
        const qint64 offset = *target & 0x7FFFFFFFu;
        if (level < 2) {
            if (!isDirectory)
                return {};
            directory = offset;
            continue;
        }
        if (isDirectory)
            return {};
        const auto data = file.read(*resourceStart + offset, 16);
        if (!data)
            return {};
        const ByteView d(*data);
        const auto blobOffset = rvaToOffset(file, sectionTable, sections, *d.u32(0));
        const qint64 size = std::min<qint64>(*d.u32(4), kMaxResource);
        if (!blobOffset || size <= 0)
            return {};
        return file.read(*blobOffset, size).value_or(QByteArray());
    }
    return {};
}

// ---- ELF ----

QByteArray readFromElf(FileReader &file)
{
    const auto ident = file.read(0, 64);
    if (!ident ||
        !ident->startsWith("\x7F"
                           "ELF") ||
        ident->at(5) != 1)
        return {};
    const ByteView h(*ident);
    const bool wide = ident->at(4) == 2;
    const qint64 sectionOffset = wide ? qint64(*h.u64(0x28)) : *h.u32(0x20);
    const qint64 entrySize = *h.u16(wide ? 0x3A : 0x2E);
    const int sections = std::min<int>(*h.u16(wide ? 0x3C : 0x30), kMaxSections);
    const int names = *h.u16(wide ? 0x3E : 0x32);
    // The header table must start inside the file, which also keeps offset + entry * index from overflowing.
    if (sectionOffset < 0 || sectionOffset > file.size() || entrySize < (wide ? 64 : 40) || names >= sections)
        return {};
    struct Section
    {
        quint32 name;
        qint64 offset;
        qint64 size;
    };
    auto section = [&](int index) -> std::optional<Section> {
        const auto header = file.read(sectionOffset + entrySize * index, wide ? 64 : 40);
        if (!header)
            return std::nullopt;
        const ByteView s(*header);
        if (wide)
            return Section{*s.u32(0), qint64(*s.u64(0x18) & 0x7FFFFFFFFFFFFFFFull),
                           qint64(*s.u64(0x20) & 0x7FFFFFFFFFFFFFFFull)};
        return Section{*s.u32(0), *s.u32(0x10), *s.u32(0x14)};
    };
    const auto strings = section(names);
    if (!strings)
        return {};
    const auto table = file.read(strings->offset, std::min<qint64>(strings->size, 1 << 20));
    if (!table)
        return {};
    for (int i = 0; i < sections; ++i) {
        const auto s = section(i);
        if (!s)
            return {};
        if (s->name >= table->size() || qstrcmp(table->constData() + s->name, kElfSection) != 0)
            continue;
        if (table->indexOf('\0', s->name) < 0)
            return {};
        return file.read(s->offset, std::min<qint64>(s->size, kMaxResource)).value_or(QByteArray());
    }
    return {};
}

// ---- the VS_VERSIONINFO tree ----

struct Node
{
    qint64 start = 0;
    qint64 end = 0; // start + wLength
    QString key;
    bool text = false;
    qint64 valueStart = 0;
    qint64 valueBytes = 0;
    qint64 childrenStart = 0;
};

enum class NodeKind
{
    Child,
    Root
};

// The root is read as Windows reads it: its length is clamped to the bytes there are, and its value is the
// binary fixed information whatever its type word says.
std::optional<Node> readNode(const ByteView &view, qint64 start, qint64 limit,
                             NodeKind kind = NodeKind::Child)
{
    const auto length = view.u16(start);
    const auto valueLength = view.u16(start + 2);
    const auto type = view.u16(start + 4);
    if (!length || !valueLength || !type || *length < 6)
        return std::nullopt;
    if (start + *length > limit && kind == NodeKind::Child)
        return std::nullopt;
    Node node;
    node.start = start;
    node.end = std::min<qint64>(start + *length, limit);
    node.text = *type == 1 && kind == NodeKind::Child;
    qint64 at = start + 6;
    for (;; at += 2) {
        const auto c = view.u16(at);
        if (!c || at + 2 > node.end)
            return std::nullopt;
        if (*c == 0)
            break;
        node.key += QChar(*c);
    }
    node.valueStart = std::min(align4(at + 2), node.end);
    if (node.text && *valueLength > 0) {
        // Writers disagree on what a text's length counts: read to its NUL, within the node.
        qint64 end = node.valueStart;
        while (end + 2 <= node.end && view.u16(end).value_or(0) != 0)
            end += 2;
        node.valueBytes = std::min(end + 2, node.end) - node.valueStart;
    } else {
        node.valueBytes = std::min<qint64>(node.text ? 0 : *valueLength, node.end - node.valueStart);
    }
    node.childrenStart = std::min(align4(node.valueStart + node.valueBytes), node.end);
    return node;
}

QList<Node> children(const ByteView &view, const Node &parent)
{
    QList<Node> result;
    for (qint64 at = parent.childrenStart; at + 6 <= parent.end;) {
        const auto child = readNode(view, at, parent.end);
        if (!child)
            break;
        result.append(*child);
        at = align4(child->end); // a node's length is at least 6, so every step moves on
    }
    return result;
}

std::optional<Node> root(const ByteView &view)
{
    auto node = readNode(view, 0, view.size(), NodeKind::Root);
    if (!node || node->key != u"VS_VERSION_INFO")
        return std::nullopt;
    return node;
}

QString textOf(const ByteView &view, const Node &node)
{
    QString text;
    for (qint64 at = node.valueStart; at + 2 <= node.valueStart + node.valueBytes; at += 2) {
        const quint16 c = view.u16(at).value_or(0);
        if (c == 0)
            break;
        text += QChar(c);
    }
    return text;
}

} // namespace

QByteArray read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return read(file);
}

QByteArray read(QIODevice &device)
{
    FileReader file(device);
    if (!file.isOpen())
        return {};
    QByteArray resource = readFromPe(file);
    if (resource.isEmpty())
        resource = readFromElf(file);
    // Only a tree that starts as one is a resource.
    if (!resource.isEmpty() && !root(ByteView(resource)))
        return {};
    return resource;
}

std::optional<Value> query(const QByteArray &resource, QStringView subBlock)
{
    const ByteView view(resource);
    std::optional<Node> node = root(view);
    if (!node)
        return std::nullopt;
    const QList<QStringView> parts = subBlock.split(u'\\', Qt::SkipEmptyParts);
    if (parts.size() > kMaxTreeDepth)
        return std::nullopt;
    for (const QStringView part : parts) {
        std::optional<Node> found;
        for (const Node &child : children(view, *node)) {
            if (child.key.compare(part, Qt::CaseInsensitive) == 0) {
                found = child;
                break;
            }
        }
        if (!found)
            return std::nullopt;
        node = found;
    }
    Value value;
    if (node->text && !parts.isEmpty()) {
        if (node->valueBytes == 0)
            return value;
        const QString text = textOf(view, *node);
        value.data = TextFile::encodeWindows1252(text);
        value.data.append('\0');
        value.length = text.size() + 1;
        return value;
    }
    value.data = view.mid(node->valueStart, node->valueBytes);
    value.length = value.data.size();
    return value;
}

QList<QPair<QString, QString>> firstStringTable(const QByteArray &resource)
{
    const ByteView view(resource);
    const auto top = root(view);
    if (!top)
        return {};
    for (const Node &info : children(view, *top)) {
        if (info.key.compare(u"StringFileInfo", Qt::CaseInsensitive) != 0)
            continue;
        const QList<Node> tables = children(view, info);
        if (tables.isEmpty())
            return {};
        QList<QPair<QString, QString>> strings;
        for (const Node &string : children(view, tables.front()))
            strings.append({string.key, textOf(view, string)});
        return strings;
    }
    return {};
}

QString languageName(quint16 languageId)
{
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(languageId, locale, sizeof locale, &status);
    if (U_FAILURE(status) || locale[0] == '\0')
        return QStringLiteral("Idioma desconocido");
    // The neutral and default identifiers (0x0000, 0x0400, 0x0800, ...) have no language of their own.
    if (qstrcmp(locale, "root") == 0)
        return QStringLiteral("Idioma neutral");
    UChar name[256] = {};
    status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayName(locale, "es", name, 256, &status);
    if (U_FAILURE(status) || length <= 0)
        return QStringLiteral("Idioma desconocido");
    return QString(reinterpret_cast<const QChar *>(name), std::min(length, 255));
}

QString versionText(quint32 mostSignificant, quint32 leastSignificant)
{
    const quint32 major = mostSignificant >> 16;
    const quint32 minor = mostSignificant & 0xFFFF;
    const quint32 build = leastSignificant >> 16;
    const quint32 revision = leastSignificant & 0xFFFF;
    auto padded = [](quint32 value, int digits) {
        return QStringLiteral("%1").arg(value, digits, 10, QChar(u'0'));
    };
    const QString tail = build > 0 ? padded(build, 2) + padded(revision, 2) : padded(revision, 4);
    return QString::number(major) + u'.' + padded(minor, 2) + u'.' + tail;
}

} // namespace parlanza::versionresource
