#include "exchange/ExportDataFile.h"

#include "format/FieldWriter.h"
#include "sources/SourceExchange.h"
#include "sources/SourceLookup.h"

void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime)
{
    WriteExportDataHead(writer, notes.size(), exportTime);
    for (const NoteRecord& note : notes) {
        const SourceRecord* found = note.SourceID > 0 ? FindSource(sources, note.SourceID) : nullptr;
        SourceRecord source = found != nullptr ? *found : SourceRecord();
        PrepareSourceExchange(source, authors);
        WriteExportEntry(writer, note, source);
    }
}
