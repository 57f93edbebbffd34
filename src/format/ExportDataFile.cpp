#include "format/ExportDataFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/RecordList.h"
#include "format/SourceExchangeRecord.h"
#include "format/Version.h"

void WriteExportHead(FieldWriter& writer, qsizetype count, const DateTime& exportTime)
{
    RecordListWriter::WriteHead(writer, Version::kNumber, count,
                                [&exportTime](FieldWriter& to) { to.WriteTime(exportTime); });
}

void WritePreparedExportEntry(FieldWriter& writer, const NoteRecord& note, const SourceRecord& source)
{
    note.Write(writer);
    WriteSourceExchangeRecord(writer, source);
}

ExportDataResult ParseExportData(const QByteArray& logicalBytes, ExportData* data)
{
    FieldReader reader(logicalBytes);
    *data = ExportData();
    data->version = RecordListReader::ReadVersion(reader);
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
