#include "store/FieldReader.h"

#include "store/FieldFormat.h"
#include "store/TextCodec.h"

#include <QFile>
#include <cstdlib>
#include <cstring>

FieldReader::FieldReader(QByteArray logicalBytes)
    : m_bytes(std::move(logicalBytes))
{
}

QByteArray FieldReader::FromDiskBytes(const QByteArray& diskBytes)
{
    qsizetype end = diskBytes.indexOf(FieldFormat::kEndOfStream);
    if (end < 0)
        end = diskBytes.size();
    QByteArray logical;
    logical.reserve(end);
    const char* data = diskBytes.constData();
    for (qsizetype i = 0; i < end; ++i) {
        if (data[i] == '\r' && i + 1 < end && data[i + 1] == '\n')
            continue;
        logical.append(data[i]);
    }
    return logical;
}

FieldReader FieldReader::FromDevice(QIODevice* device)
{
    if (!device || !device->isReadable())
        return FieldReader(QByteArray());
    return FieldReader(FromDiskBytes(device->readAll()));
}

FieldReader FieldReader::FromFile(const QString& path, bool* opened)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (opened)
        *opened = ok;
    return ok ? FromDevice(&file) : FieldReader(QByteArray());
}

qsizetype FieldReader::ReadLineLimited(int maxChars, char* out)
{
    const qsizetype available = qMin<qsizetype>(maxChars, Remaining());
    const char* data = m_bytes.constData() + m_pos;
    qsizetype length = 0;
    while (length < available) {
        if (data[length++] == '\n')
            break;
    }
    std::memcpy(out, data, static_cast<size_t>(length));
    out[length] = '\0';
    m_pos += length;
    return length;
}

qint32 FieldReader::ReadInt()
{
    if (AtEnd())
        return FieldFormat::kMissingInt;
    char digits[FieldFormat::kIntWidth + 1];
    ReadLineLimited(FieldFormat::kIntWidth, digits);
    return static_cast<qint32>(std::atol(digits));
}

bool FieldReader::ReadBool()
{
    return ReadInt() > 0;
}

double FieldReader::ReadReal()
{
    if (AtEnd())
        return FieldFormat::kMissingReal;
    char digits[FieldFormat::kRealWidth + 1];
    ReadLineLimited(FieldFormat::kRealWidth, digits);
    return std::atof(digits);
}

QByteArray FieldReader::ReadTextBytes()
{
    const qint32 length = ReadInt();
    if (length <= 0)
        return {};
    const qsizetype taken = qMin<qsizetype>(length, Remaining());
    QByteArray bytes = m_bytes.mid(m_pos, taken);
    m_pos += taken;
    // The text ends at its first NUL byte, as a C string would.
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return bytes;
}

QString FieldReader::ReadText()
{
    return TextCodec::FromFileBytes(ReadTextBytes());
}

void FieldReader::ReadTime(DateTime& value)
{
    value.SetFromFieldText(ReadTextBytes());
}
