#pragma once

#include "exchange/ZipFolder.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"

#include <QString>

class NoteDatabase;
class ProgressReporter;
class SourceStore;
class UserPrompt;

// What an export needs from the program around it.
struct ExportContext
{
    // The notes' files (through its file index) and the data folder. Only read.
    const NoteDatabase* database = nullptr;
    // The authors that are embedded with the sources. Only read.
    const SourceStore* sources = nullptr;
    UserPrompt* prompt = nullptr; // shows "Archiving Error"; none: nothing is shown
    ProgressReporter* progress = nullptr;
    QString* error = nullptr; // receives the text of a failure, when given
    // More files for the archive's root, after the notes' (the sync's list of versions).
    QList<ZipFileEntry> extraFiles;
};

// Writes the notes with the given ids, in that order, into a ".qvx" archive at
// archivePath: "_ExpNotes.dat" with each note and its source (sources read afresh from
// "Sources.dat"), and a copy of every attached file, all at the archive's root (an
// attached file that is missing is left out). Each note is read from its note file as
// the database's index names it; an id that no note file holds is left out. The notes
// are read one note file at a time and written as they are read, so an export holds no
// more than one note file's notes, whatever their number. The data file is written in
// "Data Files\ExportTemp", which is emptied before and removed after (on a read-only data
// folder, in a private temporary folder of the system instead). The database is never
// changed.
// Returns the number of notes written (> 0); 0 when none was written (its archive then
// holds a Count of 0); -1 when a file could not be written (the temporary folder, the data
// file: shown with FileStatus::Caption(), naming the file and the reason) or the
// compression failed (the "Archiving Error" box). The error text goes to context.error
// too. A failed run leaves no archive file at archivePath.
int ExportNotes(const NoteIdList& ids, const QString& archivePath, const ExportContext& context);

// The same for every note of every note file, files in listing order and notes in file
// order: the backup.
int ExportAllNotes(const QString& archivePath, const ExportContext& context);

// The same for notes already read whole from their note files, in that order: a caller
// that has just read them spares the export reading their files again.
int ExportNoteRecords(const NotesList& notes, const QString& archivePath, const ExportContext& context);
