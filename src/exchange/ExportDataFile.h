#pragma once

#include "format/AuthorRecord.h"
#include "format/DateTime.h"
#include "format/ExportDataFile.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

class FieldWriter;

// Writes "_ExpNotes.dat", the data file of an export archive (layout and reader in
// format/ExportDataFile.h): the head (version 1.34, exportTime, count) and one entry per
// note: the note record, then the source whose id is the note's SourceID in sources, in
// the exchange form with its authors from authors; a note without a source, or whose
// source is not in sources, is followed by a cleared source (id -1, no authors).
void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime);
