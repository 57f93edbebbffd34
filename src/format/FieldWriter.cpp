#include "format/FieldWriter.h"

#include "format/FieldFormat.h"
#include "format/FileSystem.h"
#include "format/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

void FieldWriter::WriteInt(qint32 value)
{
    // "%.16d", or "%.15d" after the minus sign: every qint32 fits without widening.
    char field[FieldFormat::kIntWidth];
    quint32 magnitude = value < 0 ? 0u - static_cast<quint32>(value) : static_cast<quint32>(value);
    const int first = value < 0 ? 1 : 0;
    for (int i = FieldFormat::kIntWidth - 1; i >= first; --i) {
        field[i] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (value < 0)
        field[0] = '-';
    m_bytes.append(field, FieldFormat::kIntWidth);
}

void FieldWriter::WriteBool(bool flag)
{
    WriteInt(flag ? FieldFormat::kTrueValue : 0);
}

void FieldWriter::WriteReal(double value)
{
    char buffer[400];
    int length = std::snprintf(buffer, sizeof buffer, "%020.9f", value);
    // A value too large for twenty bytes (read from a damaged file) would push every
    // later field out of place and lose the records after it: it is stored as the
    // largest value of its sign that the field holds.
    if (length > FieldFormat::kRealWidth)
        length = std::snprintf(buffer, sizeof buffer, "%020.9f", value < 0 ? -999999999.0 : 9999999999.0);
    m_bytes.append(buffer, length);
}

void FieldWriter::WriteText(const QString& text)
{
    WriteTextBytes(TextCodec::ToFileBytes(text));
}

void FieldWriter::WriteTextBytes(const QByteArray& bytes)
{
    WriteInt(static_cast<qint32>(bytes.size()));
    m_bytes.append(bytes);
}

void FieldWriter::WriteTime(const DateTime& value)
{
    WriteTextBytes(value.ToFieldText());
}

QByteArray FieldWriter::DiskBytes() const
{
    const char* logical = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype lineFeeds = 0;
    for (const char* at = logical;
         (at = static_cast<const char*>(std::memchr(at, '\n', size - (at - logical)))); ++at)
        ++lineFeeds;
    if (lineFeeds == 0)
        return m_bytes;
    // Each run up to a line feed is copied whole, then CR LF stands for the line feed.
    QByteArray disk(size + lineFeeds, Qt::Uninitialized);
    char* out = disk.data();
    qsizetype from = 0;
    while (const void* found = std::memchr(logical + from, '\n', static_cast<size_t>(size - from))) {
        const qsizetype at = static_cast<const char*>(found) - logical;
        std::memcpy(out, logical + from, static_cast<size_t>(at - from));
        out += at - from;
        *out++ = '\r';
        *out++ = '\n';
        from = at + 1;
    }
    std::memcpy(out, logical + from, static_cast<size_t>(size - from));
    return disk;
}

bool FieldWriter::DiskBytesMatch(QByteArrayView disk, qsizetype& pos) const
{
    const char* logical = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype at = pos;
    qsizetype from = 0;
    while (from < size) {
        const void* lineFeed = std::memchr(logical + from, '\n', static_cast<size_t>(size - from));
        const qsizetype run = (lineFeed ? static_cast<const char*>(lineFeed) - logical : size) - from;
        if (disk.size() - at < run
            || std::memcmp(disk.data() + at, logical + from, static_cast<size_t>(run)) != 0)
            return false;
        at += run;
        from += run;
        if (lineFeed) {
            if (disk.size() - at < 2 || disk[at] != '\r' || disk[at + 1] != '\n')
                return false;
            at += 2;
            ++from;
        }
    }
    pos = at;
    return true;
}

bool FieldWriter::WriteTo(QIODevice* device) const
{
    const QByteArray disk = DiskBytes();
    return device && device->write(disk) == disk.size();
}

FileStatus FieldWriter::Save(FileSystem& files, const QString& path) const
{
    return SaveFileAtomically(files, path, DiskBytes());
}

FileStatus SaveFileAtomically(FileSystem& files, const QString& path, const QByteArray& bytes)
{
    return files.WriteWholeFile(path, bytes);
}
