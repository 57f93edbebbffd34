#include "store/FieldWriter.h"

#include "store/FieldFormat.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

void FieldWriter::WriteInt(qint32 value)
{
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, value >= 0 ? "%.16d" : "%.15d", value);
    m_bytes.append(buffer, length);
}

void FieldWriter::WriteBool(bool flag)
{
    WriteInt(flag ? FieldFormat::kTrueValue : 0);
}

void FieldWriter::WriteReal(double value)
{
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%020.9f", value);
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
    QByteArray disk;
    disk.reserve(m_bytes.size() + m_bytes.size() / 32);
    for (char c : m_bytes) {
        if (c == '\n')
            disk.append('\r');
        disk.append(c);
    }
    return disk;
}

bool FieldWriter::WriteTo(QIODevice* device) const
{
    const QByteArray disk = DiskBytes();
    return device && device->write(disk) == disk.size();
}

bool FieldWriter::Save(const QString& path) const
{
    return SaveFileAtomically(path, DiskBytes());
}

bool SaveFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
