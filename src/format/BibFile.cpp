#include "format/BibFile.h"

#include "format/FieldLists.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/RecordList.h"
#include "format/SourcesFile.h"
#include "format/Version.h"

void WriteBibRecord(FieldWriter& writer, const SourceRecord& source)
{
    WriteSourceLeadingFields(writer, source);
    writer.WriteText(source.CitationText);
    WriteIntList(writer, source.MarkKinds);
    WriteIntList(writer, source.MarkStarts);
    WriteIntList(writer, source.MarkEnds);
}

SourceRecord ReadBibRecord(FieldReader& reader)
{
    SourceRecord source;
    source.SourceGUID = reader.ReadText();
    source.SourceId = reader.ReadInt();
    source.AuthorsText = reader.ReadText();
    source.Style = reader.ReadInt();
    source.Type = reader.ReadInt();
    source.IndentSpaces = reader.ReadInt();
    source.AuthorsBeforeEtAl = reader.ReadInt();
    source.AuthorIds = ReadIntList(reader);
    source.Fields = ReadTextList(reader);
    while (source.Fields.size() < kSourceFieldCount)
        source.Fields.append(QString());
    source.CitationText = reader.ReadText();
    const QList<qint32> kinds = ReadIntList(reader);
    const QList<qint32> starts = ReadIntList(reader);
    const QList<qint32> ends = ReadIntList(reader);
    const qsizetype count = qMin(kinds.size(), qMin(starts.size(), ends.size()));
    const qint32 length = qint32(source.CitationText.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (starts.at(i) < 0 || ends.at(i) < starts.at(i) || ends.at(i) >= length)
            continue;
        source.MarkKinds.append(kinds.at(i));
        source.MarkStarts.append(starts.at(i));
        source.MarkEnds.append(ends.at(i));
    }
    return source;
}

void WritePrintHandOffHead(FieldWriter& writer, qsizetype count)
{
    // The print program reads the version as a Text, unlike the other files.
    RecordListWriter::WriteHead(writer, QLatin1StringView(Version::kText), count);
}

bool ReadPrintHandOffVersion(FieldReader& reader, QString* version, double* value)
{
    *version = reader.ReadText();
    bool ok = false;
    *value = version->toDouble(&ok);
    // Any other number (a damaged file's "100403.0" included) would read the records
    // with a layout they do not have.
    return ok && version->startsWith(QLatin1String("1.")) && *value > 0.0;
}

void WriteBibList(FieldWriter& writer, const SourceList& formattedSources)
{
    WritePrintHandOffHead(writer, formattedSources.size());
    for (const SourceRecord& source : formattedSources)
        WriteBibRecord(writer, source);
}

namespace {

bool ReadBib(FieldReader& reader, BibData* data)
{
    *data = BibData();
    double version = 0.0;
    if (!ReadPrintHandOffVersion(reader, &data->version, &version))
        return false;
    RecordListReader list(reader, version);
    data->sources = list.ReadAll<SourceRecord>([](FieldReader& from, double) { return ReadBibRecord(from); },
                                               [](const SourceRecord&) { return true; });
    return true;
}

} // namespace

bool ParseBibFile(const QByteArray& logicalBytes, BibData* data)
{
    FieldReader reader(logicalBytes);
    return ReadBib(reader, data);
}

bool ReadBibFile(const QString& path, BibData* data)
{
    bool opened = false;
    FieldReader reader = FieldReader::FromFile(path, &opened);
    *data = BibData();
    return opened && ReadBib(reader, data);
}
