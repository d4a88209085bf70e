#include "BinaryReader.h"

#include <QtEndian>

namespace parlanza {

namespace {

template<typename T>
std::optional<T> readLittle(const ByteView &view, const QByteArray &bytes, qint64 offset)
{
    if (!view.contains(offset, sizeof(T)))
        return std::nullopt;
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

std::optional<quint16> ByteView::u16(qint64 offset) const
{
    return readLittle<quint16>(*this, m_bytes, offset);
}

std::optional<quint32> ByteView::u32(qint64 offset) const
{
    return readLittle<quint32>(*this, m_bytes, offset);
}

std::optional<quint64> ByteView::u64(qint64 offset) const
{
    return readLittle<quint64>(*this, m_bytes, offset);
}

QByteArray ByteView::mid(qint64 offset, qint64 length) const
{
    if (!contains(offset, length))
        return {};
    return m_bytes.mid(offset, length);
}

FileReader::FileReader(QIODevice &device) : m_device(device)
{
    if (m_device.isOpen())
        m_size = m_device.size();
}

std::optional<QByteArray> FileReader::read(qint64 offset, qint64 length)
{
    if (!isOpen() || offset < 0 || length < 0 || offset > m_size || length > m_size - offset)
        return std::nullopt;
    if (!m_device.seek(offset))
        return std::nullopt;
    QByteArray bytes = m_device.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

} // namespace parlanza
