#include "exchange/ExportDataFile.h"

#include "format/FieldWriter.h"
#include "format/SourceExchangeRecord.h"
#include "sources/SourceExchange.h"
#include "sources/SourceLookup.h"

namespace {

// Every entry carries its own full copy of its source, even when notes share one.
SourceRecord PreparedSource(const SourceRecord* source, const AuthorList& authors)
{
    SourceRecord copy = source != nullptr ? *source : SourceRecord();
    PrepareSourceExchange(copy, authors);
    return copy;
}

} // namespace

void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime)
{
    WriteExportHead(writer, notes.size(), exportTime);
    for (const NoteRecord& note : notes)
        WriteExportEntry(writer, note, note.SourceID > 0 ? FindSource(sources, note.SourceID) : nullptr,
                         authors);
}

void WriteExportEntry(FieldWriter& writer, const NoteRecord& note, const SourceRecord* source,
                      const AuthorList& authors)
{
    WritePreparedExportEntry(writer, note, PreparedSource(source, authors));
}

void WriteExportSource(FieldWriter& writer, const SourceRecord* source, const AuthorList& authors)
{
    WriteSourceExchangeRecord(writer, PreparedSource(source, authors));
}
