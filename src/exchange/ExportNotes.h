#pragma once

#include "format/AuthorRecord.h"
#include "format/DataFolder.h"
#include "format/NoteRecord.h"

#include <QString>

class ProgressReporter;
class UserPrompt;

// What an export needs from the program around it.
struct ExportContext
{
    DataFolder folder;
    AuthorList authors; // the database's authors, embedded with their sources
    UserPrompt* prompt = nullptr; // shows "Archiving Error"; none: nothing is shown
    ProgressReporter* progress = nullptr;
    QString* error = nullptr; // receives the text of a failure, when given
};

// Writes the notes into a ".qvx" archive at archivePath: "_ExpNotes.dat" with each note
// and its source (sources read afresh from "Sources.dat"), and a copy of every attached
// file, all at the archive's root (an attached file that is missing is left out). The
// data file is written in "Data Files\ExportTemp", which is emptied before and removed
// after. The database is never changed.
// Returns the number of notes written (> 0); 0 when the list is empty (its archive then
// holds a Count of 0); -1 when a file could not be written (the temporary folder, the data
// file: shown with FileStatus::Caption(), naming the file and the reason) or the
// compression failed (the "Archiving Error" box). The error text goes to context.error
// too. A failed run leaves no archive file at archivePath.
int ExportNotes(const NotesList& notes, const QString& archivePath, const ExportContext& context);
