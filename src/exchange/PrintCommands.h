#pragma once

#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QString>
#include <functional>

class CurrentNotesList;
class SourceStore;
class ProgressReporter;
class UserPrompt;

// The hand-off of note lists and bibliographies to the print program "ZozozOvuv", which
// lives beside the running program and does the previewing, printing and saving.
namespace PrintCommands {

// Starts a program from a command line without waiting for it; false when it could not
// be started (never reported to the user). Tests replace it.
using ProgramStarter = std::function<bool(const QString& commandLine, const DataFolder& folder)>;
// The real starter: QProcess::startDetached with the program's environment, plus
// QUORVEL_DATA_ROOT naming this program's data root so that the print program finds
// "PrintPreview.nbf" even when the data root was given on the command line.
bool StartDetached(const QString& commandLine, const DataFolder& folder);

// Full path of the print program: the program folder (else the running program's
// folder) + "ZozozOvuv".
QString PrintProgramPath(const DataFolder& folder);
// The notes: the program's full path in double quotes, no argument.
QString NotesCommandLine(const QString& programPath);
// A bibliography: "\"program\" \"Bib.dat\"", both full paths quoted, one blank between.
QString BibliographyCommandLine(const QString& programPath, const QString& bibPath);

// Where the hand-off file of that name ("Data Files\PrintPreview.nbf", "Data Files\Bib.dat")
// is written: the data folder, or, while the data folder is read-only, the folder
// "quorvel" in the user's own runtime folder (RuntimeFolder), where no other user can
// read or replace it. Empty, with the failure, when there is no such folder.
QString HandOffPath(const DataFolder& folder, const QString& name, FileStatus* failure = nullptr);
// The command line that shows the notes file of WritePrintPreviewFor: the data folder's
// own file needs no argument (NotesCommandLine); one in the runtime folder is named.
QString PreviewCommandLine(const DataFolder& folder);

// Writes the notes' hand-off file (HandOffPath of "Data Files\PrintPreview.nbf") with
// sources read afresh from "Sources.dat" and the store's authors; the failure when the
// file cannot be written. path, when given, receives the file's full path.
FileStatus WritePrintPreviewFor(const DataFolder& folder, const SourceStore& sources, const NotesList& notes,
                                QString* path = nullptr);

// "Save/Print Current Notes...": refuses an empty current list ("Unable to save, there
// are no notes in the current list.", "Invalid Notes"); otherwise writes the file under
// the notification "Preparing Preview...." and starts the print program. A file that
// cannot be written is shown (FileStatus::Caption()) and nothing is started: the print
// program would show an old file as if it were this one. False when refused or failed.
bool SaveOrPrintCurrentNotes(const CurrentNotesList& current, const SourceStore& sources,
                             const DataFolder& folder, UserPrompt& prompt, ProgressReporter& progress,
                             const ProgramStarter& start = StartDetached);

// "Create Bibliography..." after its selection dialog: nothing for an empty selection;
// otherwise "Data Files\Bib.dat" (HandOffPath) is written under "Preparing Sources...." (each source
// formatted again) and the print program is started with it. False for an empty list, or
// when the file cannot be written (failure says why; nothing is started).
bool CreateBibliography(const DataFolder& folder, const SourceStore& sources, SourceList selected,
                        ProgressReporter& progress, const ProgramStarter& start = StartDetached,
                        FileStatus* failure = nullptr);

} // namespace PrintCommands
