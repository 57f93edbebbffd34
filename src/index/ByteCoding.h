#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <cstring>

// Little-endian numbers in and out of the index's stored blobs.
namespace ByteCoding {

template<class T> void Put(QByteArray& out, T value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    out.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

// An unsigned number in 7-bit groups, low group first.
inline void PutVarint(QByteArray& out, quint64 value)
{
    while (value >= 0x80) {
        out.append(char(value | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

inline void PutBytes(QByteArray& out, QByteArrayView bytes)
{
    PutVarint(out, quint64(bytes.size()));
    out.append(bytes.data(), bytes.size());
}

// Reads from a blob; any read past its end fails the reader for good (a damaged blob),
// and every later read gives zeros.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes)
        : m_data(bytes.data())
        , m_size(bytes.size())
    {
    }

    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_pos >= m_size; }

    template<class T> T Get()
    {
        T value {};
        if (!Need(qsizetype(sizeof(T))))
            return value;
        std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += qsizetype(sizeof(T));
        return value;
    }

    quint64 GetVarint()
    {
        quint64 value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (!Need(1))
                return 0;
            const auto byte = static_cast<unsigned char>(m_data[m_pos++]);
            value |= quint64(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
        }
        m_ok = false;
        return 0;
    }

    QByteArrayView GetBytes()
    {
        const quint64 length = GetVarint();
        if (length > quint64(m_size - m_pos) || !Need(qsizetype(length)))
            return {};
        const QByteArrayView bytes(m_data + m_pos, qsizetype(length));
        m_pos += qsizetype(length);
        return bytes;
    }

private:
    bool Need(qsizetype count)
    {
        if (!m_ok || count > m_size - m_pos) {
            m_ok = false;
            return false;
        }
        return true;
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// A 64-bit digest of bytes (not for security: to tell stored texts apart, and to notice
// a damaged blob).
quint64 Digest(QByteArrayView bytes, quint64 seed = 0);

} // namespace ByteCoding
