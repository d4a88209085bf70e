#pragma once

#include <QByteArray>
#include <QIODevice>
#include <optional>

namespace parlanza {

// Reads little-endian values out of bytes, never past their end: every offset and length is checked, widened
// to 64 bits before they are added.
class ByteView
{
public:
    explicit ByteView(const QByteArray &bytes) : m_bytes(bytes) {}

    qint64 size() const { return m_bytes.size(); }
    bool contains(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= size() && length <= size() - offset;
    }
    std::optional<quint16> u16(qint64 offset) const;
    std::optional<quint32> u32(qint64 offset) const;
    std::optional<quint64> u64(qint64 offset) const;
    QByteArray mid(qint64 offset, qint64 length) const; // empty when out of range

private:
    const QByteArray &m_bytes;
};

// Reads pieces of a file (or any seekable device) of any size, without reading it whole.
class FileReader
{
public:
    explicit FileReader(QIODevice &device);
    bool isOpen() const { return m_device.isOpen(); }
    qint64 size() const { return m_size; }
    // Exactly length bytes at offset, or nothing when they are not all in the file.
    std::optional<QByteArray> read(qint64 offset, qint64 length);

private:
    QIODevice &m_device;
    qint64 m_size = 0;
};

} // namespace parlanza
