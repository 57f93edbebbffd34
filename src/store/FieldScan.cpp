#include "store/FieldScan.h"

#include "store/FieldFormat.h"

#include <cstdlib>
#include <cstring>

namespace FieldScan {

namespace {

    qsizetype CopyDigits(const char* data, qsizetype size, qsizetype& pos, int width, char* out)
    {
        const qsizetype available = qMin<qsizetype>(width, size - pos);
        qsizetype length = 0;
        while (length < available) {
            const char c = data[pos + length];
            out[length++] = c;
            if (c == '\n')
                break;
        }
        out[length] = '\0';
        pos += length;
        return length;
    }

} // namespace

QByteArray FoldLineEnds(const QByteArray& diskBytes)
{
    const char* disk = diskBytes.constData();
    qsizetype end = diskBytes.size();
    if (const void* stop = std::memchr(disk, FieldFormat::kEndOfStream, static_cast<size_t>(end)))
        end = static_cast<const char*>(stop) - disk;
    const char* cr = static_cast<const char*>(std::memchr(disk, '\r', static_cast<size_t>(end)));
    if (!cr)
        return end == diskBytes.size() ? diskBytes : diskBytes.left(end);
    // Runs between carriage returns are copied whole; a CR is dropped only before a LF.
    QByteArray logical(end, Qt::Uninitialized);
    char* out = logical.data();
    qsizetype written = 0;
    qsizetype from = 0;
    while (cr) {
        const qsizetype at = cr - disk;
        const bool dropped = at + 1 < end && disk[at + 1] == '\n';
        const qsizetype upTo = dropped ? at : at + 1;
        std::memcpy(out + written, disk + from, static_cast<size_t>(upTo - from));
        written += upTo - from;
        from = at + 1;
        cr = static_cast<const char*>(std::memchr(disk + from, '\r', static_cast<size_t>(end - from)));
    }
    std::memcpy(out + written, disk + from, static_cast<size_t>(end - from));
    written += end - from;
    logical.truncate(written);
    return logical;
}

qint32 ReadInt(const char* data, qsizetype size, qsizetype& pos)
{
    if (pos >= size)
        return FieldFormat::kMissingInt;
    char digits[FieldFormat::kIntWidth + 1];
    CopyDigits(data, size, pos, FieldFormat::kIntWidth, digits);
    return static_cast<qint32>(std::atol(digits));
}

double ReadReal(const char* data, qsizetype size, qsizetype& pos)
{
    if (pos >= size)
        return FieldFormat::kMissingReal;
    char digits[FieldFormat::kRealWidth + 1];
    CopyDigits(data, size, pos, FieldFormat::kRealWidth, digits);
    return std::atof(digits);
}

void TextSpan(const char* data, qsizetype size, qsizetype& pos, const char** start, qsizetype* length)
{
    const qint32 declared = ReadInt(data, size, pos);
    *start = data + pos;
    *length = 0;
    if (declared <= 0)
        return;
    const qsizetype taken = qMin<qsizetype>(declared, size - pos);
    pos += taken;
    const void* nul = std::memchr(*start, '\0', static_cast<size_t>(taken));
    *length = nul ? static_cast<const char*>(nul) - *start : taken;
}

void SkipText(const char* data, qsizetype size, qsizetype& pos)
{
    const qint32 declared = ReadInt(data, size, pos);
    if (declared > 0)
        pos += qMin<qsizetype>(declared, size - pos);
}

} // namespace FieldScan
