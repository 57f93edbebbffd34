#pragma once

#include "format/FileStatus.h"
#include "format/SourceRecord.h"

#include <QString>

class NoteDatabase;
class SourceEditor;
class SourceStore;
class UserPrompt;

// The source and author commands of "View Sources" and "Edit Source" as every front end
// runs them: the questions, refusals and messages here, the changes in the SourceStore.
// A file that cannot be written is shown through the prompt (FileStatus::Caption(),
// warning icon) and handed back in failure as well.
namespace SourceCommands {

enum class [[nodiscard]] DeleteSourceResult {
    Deleted,
    HasNotes, // refused: "This source has notes tied to it, you may not delete it."
    Declined, // the user answered No
    NotFound,
    NotWritten, // "Sources.dat" could not be rewritten (shown); the source stays
};
// Refuses ("This source has notes tied to it, you may not delete it.", caption "Notes
// Attached!") when the source's note file holds a note; otherwise asks "Do you wish to
// delete this source?" ("Delete Source?") and on Yes removes it.
DeleteSourceResult DeleteSource(SourceStore& sources, qint32 sourceId, UserPrompt& prompt,
                                FileStatus* failure = nullptr);

// Asks "Deleting *Smith, John M.* will remove it from any sources that contain it.  Do
// you wish to continue?" ("Delete Author?") and on Yes removes the author. Sources keep
// the id until they are next formatted. False when declined, not found or not written.
bool DeleteAuthor(SourceStore& sources, qint32 authorId, UserPrompt& prompt, FileStatus* failure = nullptr);

// "Save" of "Edit Source": the form's rules first (a title is required, fields the type
// does not use are emptied), then a new source is appended and an existing one replaced;
// a changed type gives the source a new SourceGUID and stamps every note citing it as
// edited now. False, with the form's message and caption, when refused; false with the
// failure's message and FileStatus::Caption() when "Sources.dat" (or a note file stamped
// for a new type) cannot be written, the source list then being as before. saved
// receives the record as stored.
bool SaveEditedSource(NoteDatabase& database, SourceStore& sources, const SourceEditor& editor,
                      SourceRecord* saved, QString* error, QString* caption);

} // namespace SourceCommands
