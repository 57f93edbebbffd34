#pragma once

#include "format/AuthorRecord.h"
#include "format/DateTime.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QByteArray>

class FieldWriter;

// "_ExpNotes.dat", the data file of an export archive (layout in ExchangeFormat.h).

// Writes the head (version 1.34, exportTime, count) and one entry per note: the note
// record, then the source whose id is the note's SourceID in sources, in the exchange
// form with its authors from authors; a note without a source, or whose source is not
// in sources, is followed by a cleared source (id -1, no authors).
void WriteExportData(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                     const AuthorList& authors, const DateTime& exportTime);
// The same in parts, for a file written note by note: the head, then each entry: the
// note record followed by WriteExportSource of its source (nullptr: none, a cleared
// source is written).
void WriteExportHead(FieldWriter& writer, qsizetype count, const DateTime& exportTime);
void WriteExportEntry(FieldWriter& writer, const NoteRecord& note, const SourceRecord* source,
                      const AuthorList& authors);
void WriteExportSource(FieldWriter& writer, const SourceRecord* source, const AuthorList& authors);

// No note entry, even of empty fields, is shorter: twelve note fields and a source.
constexpr qint64 kMinEntryBytes = 12 * 16;

struct ExportData
{
    double version = 0.0;
    DateTime exportTime;
    // Records with an id of 0 or less are left out. Each note carries the source read
    // with it as AttachedSource, and its SourceID is that source's id (0 when the note
    // came with a cleared source).
    NotesList notes;
};

enum class ExportDataResult
{
    Ok,
    NewerVersion,
};

// Reads the logical bytes of a data file. A version newer than this program's reads
// nothing more. A truncated file (a count beyond the entries present) keeps the entries
// before the damage and drops the one it ended in; Damaged is no longer given.
ExportDataResult ParseExportData(const QByteArray& logicalBytes, ExportData* data);
