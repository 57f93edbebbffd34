#pragma once

#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "store/ListedNote.h"

#include <QString>

class CurrentNotesList;
class NoteDatabase;
class ProgressReporter;
class SourceStore;
class UserPrompt;
struct ImportContext;

// The menu commands of the exchange, without their file dialogs: the desktop program
// asks for the path first, the command line passes it. Messages go through the prompt.
namespace ExchangeCommands {

// "Export Current Notes...", step 1: false (after "There are no notes in the current
// list.", caption "Invalid Notes") when the list is empty; the file dialog comes next.
bool CheckCurrentNotesForExport(const ListedNotes& current, UserPrompt& prompt);
// "Export Current Notes..." after the dialog: ExportNotes of the current list's notes, then
// "All  *N*  of your current notes have been successfully exported!" ("Finished!"), or
// the "Export Failed" box for a failure; nothing for 0. Returns the ExportNotes result.
int ExportCurrentNotes(const NoteDatabase& database, const SourceStore& sources,
                       const CurrentNotesList& current, const QString& archivePath, UserPrompt& prompt,
                       ProgressReporter& progress);
// "Backup All Notes..." after the dialog: every note of the database (ExportAllNotes,
// after the step "Loading notes..."). error receives a failure's text.
int BackupAllNotes(const NoteDatabase& database, const SourceStore& sources, const QString& archivePath,
                   UserPrompt& prompt, ProgressReporter& progress, QString* error = nullptr);
// The control bar's export of the notes of its selected items; nothing when no id has a
// note.
int ExportSelectedNotes(const NoteDatabase& database, const SourceStore& sources, const NoteIdList& ids,
                        const QString& archivePath, UserPrompt& prompt, ProgressReporter& progress);
// ExportNotes of the notes with these ids, in order; error receives a failure's text.
int ExportNotesOf(const NoteDatabase& database, const SourceStore& sources, const NoteIdList& ids,
                  const QString& archivePath, UserPrompt* prompt, ProgressReporter& progress,
                  QString* error = nullptr);

// "Import Notes..." after the dialog (and a file handed over at start-up): ImportNotes,
// then the result message. The context's prompt shows the "Archiving Error" box too, and
// a file that could not be written (then no "could be corrupt" message follows).
int ImportNotesCommand(const QString& archivePath, const ImportContext& context, UserPrompt& prompt);

} // namespace ExchangeCommands
