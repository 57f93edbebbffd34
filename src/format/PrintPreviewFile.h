#pragma once

#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QByteArray>
#include <QString>
#include <functional>

class FieldWriter;

// "Data Files\PrintPreview.nbf", the notes handed to the print program, fields of
// format/FieldFormat.h back to back:
//   Text     the program's version as a Text ("1.34", format/Version.h), not a Real
//   Integer  number of notes N
//   N entries, each: the note record as a note file stores it (format/NoteRecord.h), then
//   its source as a "Bib.dat" source record (format/BibFile.h); a note without a source
//   is followed by a cleared source.

// The head, then per note its record and sourceOf(note), a source with its citation
// already formatted.
void WritePrintPreview(FieldWriter& writer, const NotesList& notes,
                       const std::function<SourceRecord(const NoteRecord&)>& sourceOf);

// What the print program reads back. Each note carries its source as AttachedSource.
struct PrintPreviewData
{
    QString version;
    NotesList notes;
};

// Both readers take the logical bytes or a path; a version that is not a "1.x" text or
// a file that cannot be read gives false. Counts beyond the bytes stop at their end.
bool ParsePrintPreview(const QByteArray& logicalBytes, PrintPreviewData* data);
bool ReadPrintPreviewFile(const QString& path, PrintPreviewData* data);
