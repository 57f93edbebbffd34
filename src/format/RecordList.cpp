#include "format/RecordList.h"

RecordListReader::RecordListReader(FieldReader& reader)
    : RecordListReader(reader, reader.ReadReal())
{
}

RecordListReader::RecordListReader(FieldReader& reader, double version)
    : m_reader(reader)
    , m_version(ReadableVersion(version))
    , m_count(reader.ReadInt())
{
}

qsizetype RecordListReader::ReserveHint(qsizetype minRecordBytes) const
{
    if (m_count <= 0)
        return 0;
    return qMin<qsizetype>(m_count, m_reader.Remaining() / qMax<qsizetype>(1, minRecordBytes) + 1);
}

bool RecordListReader::Next()
{
    if (m_index >= m_count || m_reader.AtEnd())
        return false;
    ++m_index;
    return true;
}

namespace RecordListWriter {

void WriteHead(FieldWriter& writer, double version, qsizetype count)
{
    WriteHead(writer, version, count, [](FieldWriter&) {});
}

void WriteHead(FieldWriter& writer, QLatin1StringView versionText, qsizetype count)
{
    writer.WriteTextBytes(QByteArray(versionText.data(), versionText.size()));
    writer.WriteInt(static_cast<qint32>(count));
}

} // namespace RecordListWriter
