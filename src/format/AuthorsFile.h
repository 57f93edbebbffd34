#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/FileSystem.h"

#include <QByteArray>
#include <QString>

class FieldReader;
class FieldWriter;
class QIODevice;

// "Data Files\Authors.dat": the whole author list, in list order (layout in SourceFormat.h).

// One author record: AuthorId, then the five Texts.
void WriteAuthorRecord(FieldWriter& writer, const AuthorRecord& author);
AuthorRecord ReadAuthorRecord(FieldReader& reader);

// Reads a whole file from the reader's position. A count larger than the stream holds stops at its end;
// a negative count reads as empty.
AuthorList ReadAuthorsFile(FieldReader& reader);
// The same from a file's logical bytes (line ends already folded).
AuthorList ParseAuthorsFile(const QByteArray& logicalBytes);
// A device or file that cannot be read gives an empty list.
AuthorList LoadAuthorsFile(QIODevice* device);
AuthorList LoadAuthorsFile(const QString& path);

// The bytes as they go to disk.
QByteArray SerializeAuthorsFile(const AuthorList& authors);
// False when the device or file cannot be written; the path form replaces the file
// atomically, so a failed write leaves the old file as it was.
bool WriteAuthorsFile(QIODevice* device, const AuthorList& authors);
FileStatus WriteAuthorsFile(FileSystem& files, const QString& path, const AuthorList& authors);
