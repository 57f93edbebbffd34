#include "format/FieldReader.h"

#include "format/FieldFormat.h"
#include "format/FieldScan.h"
#include "format/TextCodec.h"

#include <QFile>

FieldReader::FieldReader(QByteArray logicalBytes)
    : m_bytes(std::move(logicalBytes))
{
}

QByteArray FieldReader::FromDiskBytes(const QByteArray& diskBytes)
{
    return FieldScan::FoldLineEnds(diskBytes);
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

qint32 FieldReader::ReadInt()
{
    m_ranOut |= AtEnd();
    return FieldScan::ReadInt(m_bytes.constData(), m_bytes.size(), m_pos);
}

bool FieldReader::ReadBool()
{
    return ReadInt() > 0;
}

double FieldReader::ReadReal()
{
    m_ranOut |= AtEnd();
    return FieldScan::ReadReal(m_bytes.constData(), m_bytes.size(), m_pos);
}

QByteArray FieldReader::ReadTextBytes()
{
    m_ranOut |= AtEnd();
    const char* start = nullptr;
    qsizetype length = 0;
    FieldScan::TextSpan(m_bytes.constData(), m_bytes.size(), m_pos, &start, &length);
    return QByteArray(start, length);
}

QString FieldReader::ReadText()
{
    m_ranOut |= AtEnd();
    // Decoded straight from the stream: no byte copy on the way.
    const char* start = nullptr;
    qsizetype length = 0;
    FieldScan::TextSpan(m_bytes.constData(), m_bytes.size(), m_pos, &start, &length);
    return TextCodec::FromFileBytes(QByteArrayView(start, length));
}

void FieldReader::ReadTime(DateTime& value)
{
    value.SetFromFieldText(ReadTextBytes());
}
