#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QByteArray>
#include <QString>

class FieldWriter;

// The files handed to the print program (layouts in ExchangeFormat.h).

// "PrintPreview.nbf": Text "1.34", the count, and per note its record followed by its
// source (the source with the note's SourceID in sources, else a cleared one) as a
// "Bib.dat" source record.
void WritePrintPreview(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                       const AuthorList& authors);
// Rewrites the file atomically; a failure leaves the old file as it was.
FileStatus WritePrintPreviewFile(const QString& path, const NotesList& notes, const SourceList& sources,
                                 const AuthorList& authors);

// What the print program reads back. Each note carries its source as AttachedSource.
struct PrintPreviewData
{
    QString version;
    NotesList notes;
};
struct BibData
{
    QString version;
    SourceList sources;
};

// Both readers take the logical bytes or a path; a version that is not a "1.x" text or
// a file that cannot be read gives false. Counts beyond the bytes stop at their end.
bool ParsePrintPreview(const QByteArray& logicalBytes, PrintPreviewData* data);
bool ReadPrintPreviewFile(const QString& path, PrintPreviewData* data);
bool ParseBibFile(const QByteArray& logicalBytes, BibData* data);
bool ReadBibFile(const QString& path, BibData* data);
