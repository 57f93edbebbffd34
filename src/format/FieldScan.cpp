#include "format/FieldScan.h"

#include "format/FieldFormat.h"

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

    bool IsCSpace(char c)
    {
        return c == ' ' || (c >= '\t' && c <= '\r');
    }

    // What atol gives for these bytes followed by a NUL: blanks, a sign, then digits up
    // to the first other byte. The field width keeps it within 64 bits.
    long long ParseLong(const char* text, qsizetype length)
    {
        static_assert(FieldFormat::kIntWidth < 19, "an Integer field fits 64 bits");
        qsizetype i = 0;
        while (i < length && IsCSpace(text[i]))
            ++i;
        bool negative = false;
        if (i < length && (text[i] == '-' || text[i] == '+'))
            negative = text[i++] == '-';
        long long value = 0;
        for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value * 10 + (text[i] - '0');
        return negative ? -value : value;
    }

    // Eight ASCII digits in a little-endian word (the tests of simdjson's number parser).
    bool AreEightDigits(quint64 word)
    {
        return ((word & 0xF0F0F0F0F0F0F0F0) | (((word + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4))
            == 0x3333333333333333;
    }

    quint64 EightDigitsValue(quint64 word)
    {
        word = ((word & 0x0F0F0F0F0F0F0F0F) * 2561) >> 8;
        word = ((word & 0x00FF00FF00FF00FF) * 6553601) >> 16;
        return ((word & 0x0000FFFF0000FFFF) * 42949672960001) >> 32;
    }

    // The usual Integer field: sixteen digits, or a minus sign and fifteen, read at once.
    bool ReadWholeField(const char* field, qint32* value)
    {
        static_assert(FieldFormat::kIntWidth == 16, "two words of eight digits");
        if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN)
            return false;
        quint64 high = 0;
        quint64 low = 0;
        std::memcpy(&high, field, 8);
        std::memcpy(&low, field + 8, 8);
        const bool negative = field[0] == '-';
        if (negative)
            high = (high & ~quint64(0xFF)) | quint64('0'); // the sign read as a zero digit
        if (!AreEightDigits(high) || !AreEightDigits(low))
            return false;
        const qint64 magnitude
            = static_cast<qint64>(EightDigitsValue(high) * 100000000 + EightDigitsValue(low));
        *value = static_cast<qint32>(negative ? -magnitude : magnitude);
        return true;
    }

} // namespace

qsizetype FoldLineEndsInPlace(char* bytes, qsizetype size, std::vector<qsizetype>* folds)
{
    qsizetype end = size;
    if (const void* stop = std::memchr(bytes, FieldFormat::kEndOfStream, static_cast<size_t>(end)))
        end = static_cast<const char*>(stop) - bytes;
    // Runs between carriage returns move down whole; a CR is dropped only before a LF.
    const char* cr = static_cast<const char*>(std::memchr(bytes, '\r', static_cast<size_t>(end)));
    if (!cr)
        return end;
    qsizetype written = cr - bytes;
    qsizetype from = written;
    while (cr) {
        const qsizetype at = cr - bytes;
        const bool dropped = at + 1 < end && bytes[at + 1] == '\n';
        const qsizetype upTo = dropped ? at : at + 1;
        std::memmove(bytes + written, bytes + from, static_cast<size_t>(upTo - from));
        written += upTo - from;
        if (dropped && folds)
            folds->push_back(written); // the LF comes next
        from = at + 1;
        cr = static_cast<const char*>(std::memchr(bytes + from, '\r', static_cast<size_t>(end - from)));
    }
    std::memmove(bytes + written, bytes + from, static_cast<size_t>(end - from));
    return written + (end - from);
}

QByteArray FoldLineEnds(const QByteArray& diskBytes)
{
    const char* disk = diskBytes.constData();
    const qsizetype size = diskBytes.size();
    const bool untouched = !std::memchr(disk, FieldFormat::kEndOfStream, static_cast<size_t>(size))
        && !std::memchr(disk, '\r', static_cast<size_t>(size));
    if (untouched)
        return diskBytes;
    QByteArray logical(disk, size);
    logical.truncate(FoldLineEndsInPlace(logical.data(), size));
    return logical;
}

qint32 ReadInt(const char* data, qsizetype size, qsizetype& pos)
{
    if (pos >= size)
        return FieldFormat::kMissingInt;
    const char* field = data + pos;
    const qsizetype available = qMin<qsizetype>(FieldFormat::kIntWidth, size - pos);
    qint32 value = 0;
    if (available == FieldFormat::kIntWidth && ReadWholeField(field, &value)) {
        pos += available;
        return value;
    }
    qsizetype length = 0;
    while (length < available && field[length++] != '\n') { }
    pos += length;
    return static_cast<qint32>(ParseLong(field, length));
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
