#pragma once

#include "format/DateTime.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QByteArray>

class FieldWriter;

// "_ExpNotes.dat", the data file of an export archive (the archive around it:
// exchange/ExchangeFormat.h), fields of format/FieldFormat.h back to back:
//   Real     format version (the program's, format/Version.h: 1.34 is 0000000001.340000000)
//   DateTime when the file was written
//   Integer  number of note entries N
//   N note entries, each: the note record as a note file stores it (format/NoteRecord.h),
//   then its source in the exchange form (format/SourceExchangeRecord.h); a note without a
//   source is followed by a cleared source (id -1, no authors), so that every note is
//   followed by exactly one source record.

// The head: the program's version, exportTime and the count of entries to follow.
void WriteExportHead(FieldWriter& writer, qsizetype count, const DateTime& exportTime);
// One entry as it is stored. The source's citation and EmbeddedAuthors must be current
// (exchange/ExportDataFile.h chooses and prepares each note's source).
void WritePreparedExportEntry(FieldWriter& writer, const NoteRecord& note, const SourceRecord& source);

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
