#include "exchange/ExportDataFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/Version.h"
#include "sources/SourceExchange.h"
#include "sources/SourceLookup.h"

void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime)
{
    writer.WriteReal(Version::kNumber);
    writer.WriteTime(exportTime);
    writer.WriteInt(qint32(notes.size()));
    for (const NoteRecord& note : notes) {
        note.Write(writer);
        // Every entry carries its own full copy of its source, even when notes share one.
        const SourceRecord* found = note.SourceID > 0 ? FindSource(sources, note.SourceID) : nullptr;
        SourceRecord source = found != nullptr ? *found : SourceRecord();
        WriteSourceExchange(writer, source, authors);
    }
}

ExportDataResult ParseExportData(const QByteArray& logicalBytes, ExportData* data)
{
    FieldReader reader(logicalBytes);
    *data = ExportData();
    data->version = reader.ReadReal();
    if (Version::IsNewerThanProgram(data->version))
        return ExportDataResult::NewerVersion;
    reader.ReadTime(data->exportTime);
    const qint32 count = reader.ReadInt();
    if (qint64(count) * kMinEntryBytes > reader.Remaining())
        return ExportDataResult::Damaged;
    data->notes.reserve(count);
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i) {
        NoteRecord note;
        note.Read(reader, data->version);
        note.AttachedSource = ReadSourceExchange(reader, data->version);
        note.SourceID = note.AttachedSource.SourceId > 0 ? note.AttachedSource.SourceId : 0;
        if (note.NoteID > 0)
            data->notes.append(std::move(note));
    }
    return ExportDataResult::Ok;
}
