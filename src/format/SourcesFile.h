#pragma once

#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/SourceRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class FieldReader;
class FieldWriter;
class QIODevice;

// "Data Files\Sources.dat": the whole source list in list order (layout and the older
// versions in SourceFormat.h).

// The twelve stored fields of one source, SourceGUID to Date.
void WriteSourceRecord(FieldWriter& writer, const SourceRecord& source);
// The first nine of them, SourceGUID to Fields, with which other layouts of a source
// (the bibliography's) begin too.
void WriteSourceLeadingFields(FieldWriter& writer, const SourceRecord& source);
// Reads one record as a file of the given version stores it into a record that holds
// the defaults of a fresh source. Fields always ends up with fifteen texts. An empty
// SourceGUID is replaced by a new one.
void ReadSourceRecord(FieldReader& reader, double version, SourceRecord& source);
// Files up to version 1.20005 kept the date as text only (Field 2): a leading year
// between 1000 and 3000 alone becomes "1/1/<year>" with YearOnly 1, and DateSet tells
// whether the text parses as a date.
void DeriveDateFromDateText(SourceRecord& source);
// Parses a date as typed in the short date form: month/day/year with "/", "-" or "."
// between the numbers (two-digit years 30-99 are 19xx, 00-29 are 20xx), else the
// locale's short and long forms. Null when it does not parse.
QDate ParseShortDate(const QString& text);

// Reads a whole file from the reader's position. Records with a SourceId of 0 or less
// are dropped; damaged counts stop at the end of the stream.
SourceList ReadSourcesFile(FieldReader& reader);
SourceList ParseSourcesFile(const QByteArray& logicalBytes);
// A device or file that cannot be read gives an empty list.
SourceList LoadSourcesFile(QIODevice* device);
SourceList LoadSourcesFile(const QString& path);

// The bytes as they go to disk.
QByteArray SerializeSourcesFile(const SourceList& sources);
// True when diskBytes are exactly SerializeSourcesFile(sources); compared record by
// record, without building the file.
bool SourcesFileHolds(const SourceList& sources, const QByteArray& diskBytes);
// False when the device cannot be written. The path form replaces the file atomically:
// a failure leaves the old file as it was.
bool WriteSourcesFile(QIODevice* device, const SourceList& sources);
FileStatus WriteSourcesFile(FileSystem& files, const QString& path, const SourceList& sources);
