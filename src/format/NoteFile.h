#pragma once

#include "format/FileStamp.h"
#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/NoteRecord.h"

#include <QByteArray>
#include <QString>

// A note file holds a group of notes that are read and rewritten together:
//   Real    format version (always written as 1.34)
//   Integer number of records N
//   N note records
// The notes citing one source share "SRC" + ten-digit source id + ".dat"; source-less
// notes share "DAY" + date added as MMDDYYYY + ".dat".

// "Data Files\Notes\SRC0000000012.dat" or "Data Files\Notes\DAY08142008.dat".
QString NoteFileName(const NoteRecord& record);
// The bare file name, without the folder.
QString NoteFileBaseName(const NoteRecord& record);

// Reads the notes of a file's logical bytes; records with an id of 0 or less (damaged or
// never saved) are dropped, and a truncated file keeps the records before the damage.
NotesList ParseNoteFile(const QByteArray& logicalBytes);
QByteArray SerializeNoteFile(const NotesList& notes);
// The bytes of the file as they go to disk.
QByteArray NoteFileDiskBytes(const NotesList& notes);

// A missing or unreadable file reads as an empty list.
NotesList ReadNoteFile(const QString& path);
// The same, with the stamp of the file read (left alone when the file cannot be read).
NotesList ReadNoteFile(const QString& path, FileStamp* stamp);
// A note file's notes as read, with the stamp of the file they were read from.
struct NoteFileContents
{
    QString path;
    FileStamp stamp;
    NotesList notes;
};

// Rewrites the whole file atomically; a failure leaves the file untouched.
FileStatus WriteNoteFile(FileSystem& files, const QString& path, const NotesList& notes);
