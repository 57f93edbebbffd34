#pragma once

#include "format/AuthorRecord.h"
#include "format/DateTime.h"
#include "format/ExportDataFile.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

class FieldWriter;

// Writing "_ExpNotes.dat", the data file of an export archive (layout, head writer and
// reader in format/ExportDataFile.h).

// Writes the head (version 1.34, exportTime, count) and one entry per note: the note
// record, then the source whose id is the note's SourceID in sources, in the exchange
// form with its authors from authors; a note without a source, or whose source is not
// in sources, is followed by a cleared source (id -1, no authors).
void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime);
// The same in parts, for a file written note by note: the head (WriteExportHead), then
// each entry: the note record followed by WriteExportSource of its source (nullptr:
// none, a cleared source is written).
void WriteExportEntry(FieldWriter& writer, const NoteRecord& note, const SourceRecord* source,
                      const AuthorList& authors);
void WriteExportSource(FieldWriter& writer, const SourceRecord* source, const AuthorList& authors);
