#include "store/SourceSaving.h"

#include "sources/CitationFormatter.h"
#include "sources/SourceEditor.h"
#include "store/NoteDatabase.h"

bool SaveEditedSource(NoteDatabase& database, const SourceEditor& editor, SourceRecord* saved, QString* error,
                      QString* caption)
{
    SourceRecord record;
    if (!editor.Finish(&record, error, caption))
        return false;
    // As the form's preview left it: the author cache and the date text are stored too.
    FormatCitation(record, database.Authors());
    FileStatus written;
    if (database.FindSource(record.SourceId)) {
        database.UpdateSource(record, &written);
    } else {
        record.CitingNoteIds = NoteIdList();
        written = database.AddSource(record);
    }
    if (!written) {
        // The database has put its list back: the form stays as the user left it.
        *error = written.Message();
        *caption = FileStatus::Caption();
        return false;
    }
    if (saved)
        *saved = *database.FindSource(record.SourceId);
    return true;
}
