#include "exchange/ExportDataFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/RecordList.h"
#include "format/Version.h"
#include "sources/SourceExchange.h"
#include "sources/SourceLookup.h"

void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime)
{
    WriteExportHead(writer, notes.size(), exportTime);
    for (const NoteRecord& note : notes)
        WriteExportEntry(writer, note, note.SourceID > 0 ? FindSource(sources, note.SourceID) : nullptr,
                         authors);
}

void WriteExportHead(FieldWriter& writer, qsizetype count, const DateTime& exportTime)
{
    writer.WriteReal(Version::kNumber);
    writer.WriteTime(exportTime);
    writer.WriteInt(qint32(count));
}

void WriteExportEntry(FieldWriter& writer, const NoteRecord& note, const SourceRecord* source,
                      const AuthorList& authors)
{
    note.Write(writer);
    WriteExportSource(writer, source, authors);
}

void WriteExportSource(FieldWriter& writer, const SourceRecord* source, const AuthorList& authors)
{
    // Every entry carries its own full copy of its source, even when notes share one.
    SourceRecord copy = source != nullptr ? *source : SourceRecord();
    WriteSourceExchange(writer, copy, authors);
}

ExportDataResult ParseExportData(const QByteArray& logicalBytes, ExportData* data)
{
    FieldReader reader(logicalBytes);
    *data = ExportData();
    data->version = reader.ReadReal();
    if (Version::IsNewerThanProgram(data->version))
        return ExportDataResult::NewerVersion;
    reader.ReadTime(data->exportTime);
    // A truncated file keeps the entries before its damaged tail; the entry the stream
    // ended in is dropped, so no note comes in with half its text.
    RecordListReader list(reader, data->version);
    data->notes = list.ReadAll<NoteRecord>(
        [](FieldReader& from, double version) {
            NoteRecord note;
            note.Read(from, version);
            note.AttachedSource = ReadSourceExchange(from, version);
            note.SourceID = note.AttachedSource.SourceId > 0 ? note.AttachedSource.SourceId : 0;
            return note;
        },
        [](const NoteRecord& note) { return note.NoteID > 0; }, RecordListReader::CutRecords::Drop,
        kMinEntryBytes);
    return ExportDataResult::Ok;
}
