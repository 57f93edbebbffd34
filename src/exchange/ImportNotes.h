#pragma once

#include "exchange/ImportComparison.h"
#include "exchange/UnzipLimits.h"
#include "format/NoteIdList.h"

#include <QList>
#include <QString>

class CurrentNotesList;
class ImportChooser;
class NoteDatabase;
class ProgressReporter;
class SourceStore;
class UserPrompt;

// What an import needs from the program around it.
struct ImportContext
{
    NoteDatabase* database = nullptr;
    SourceStore* sources = nullptr;
    // Refreshed after an import: the imported notes, or its previous notes read afresh.
    // None: only the database is reloaded.
    CurrentNotesList* currentList = nullptr;
    qint32 noteSortId = -1; // the sort order in force ("NoteSortID")
    ImportChooser* chooser = nullptr;
    UserPrompt* prompt = nullptr; // shows "Archiving Error"; none: nothing is shown
    ProgressReporter* progress = nullptr;
    UnzipLimits limits;
};

// What the command line prints besides the result.
struct ImportReport
{
    struct Status
    {
        int index = 0; // 1-based place in the import list
        QString guid;
        ImportComparison comparison = ImportComparison::New;
    };
    QList<Status> statuses; // as compared before the dialog
    NoteIdList importedIds;
    QString error; // the archive's error text, or the file that could not be written
    bool notStored = false; // a file could not be written: nothing was integrated
};

// Imports a ".qvx" archive: extracts it into "Data Files\ImportTemp" (emptied before,
// removed after in every case), reads "_ExpNotes.dat", compares every note with the
// database, lets the chooser pick, and integrates the chosen notes (ImportIntegrator),
// then writes the authors and sources, reloads the database and refreshes the current
// list. Returns the number of notes imported (> 0); 0 when the chooser cancels; -2112
// when the archive was written by a newer version; -1 for any other failure (the archive
// cannot be opened or safely extracted, no data file, or a file of the data folder could
// not be written: then shown with FileStatus::Caption() and the notes that were not
// imported, and report->notStored set). Every failure leaves the database and its files
// as they were. A truncated data file imports the notes before its damaged tail.
int ImportNotes(const QString& archivePath, const ImportContext& context, ImportReport* report = nullptr);

// Texts of the "Import Notes..." result messages, caption "Finished!" or "Import Failed".
QString ImportSucceededText(int count);
QString ImportNewerVersionText();
QString ImportFailedText();
