#pragma once

#include "format/SourceRecord.h"

#include <QByteArray>
#include <QString>

class FieldReader;
class FieldWriter;

// "Data Files\Bib.dat", a bibliography handed to the print program (which reads it; this
// program never does), fields of format/FieldFormat.h back to back:
//   Text     the program's version as a Text ("1.34", format/Version.h), not a Real
//   Integer  number of sources N
//   N source records, each: the "Sources.dat" record up to and including Fields
//   (SourceGUID, SourceId, AuthorsText, Style, Type, IndentSpaces, AuthorsBeforeEtAl,
//   AuthorIds, Fields), then CitationText (Text), then MarkKinds, MarkStarts and MarkEnds
//   (three Integer lists). YearOnly, DateSet and Date are not part of it.
// The same source record follows each note in "PrintPreview.nbf" (format/PrintPreviewFile.h).
//
// The writers take sources whose citation is already formatted (sources/BibFile.h formats
// and writes the whole file).

// One source record.
void WriteBibRecord(FieldWriter& writer, const SourceRecord& source);
// Reads one record; the three mark lists are cut to their common length and to marks
// that lie inside the citation text, so a damaged file cannot misplace a mark.
SourceRecord ReadBibRecord(FieldReader& reader);

// The head of the print program's two files: the version as a Text, then the count.
void WritePrintHandOffHead(FieldWriter& writer, qsizetype count);
// Reads the Text version into version and its value. Only this program's own "1.x"
// layouts are known: anything else gives false.
bool ReadPrintHandOffVersion(FieldReader& reader, QString* version, double* value);

// The head and the records in list order.
void WriteBibList(FieldWriter& writer, const SourceList& formattedSources);

struct BibData
{
    QString version;
    SourceList sources;
};

// Both readers take the logical bytes or a path; a version that is not a "1.x" text or
// a file that cannot be read gives false. Counts beyond the bytes stop at their end.
bool ParseBibFile(const QByteArray& logicalBytes, BibData* data);
bool ReadBibFile(const QString& path, BibData* data);
