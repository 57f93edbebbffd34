#include "lists/SourceCommands.h"

#include "platform/UserPrompt.h"
#include "sources/CitationFormatter.h"
#include "sources/NameList.h"
#include "sources/SourceEditor.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

namespace {

// A failed rewrite is told to the user and handed back to the caller.
void ReportFailure(const FileStatus& written, UserPrompt& prompt, FileStatus* failure)
{
    prompt.Tell(written.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
    if (failure)
        *failure = written;
}

} // namespace

namespace SourceCommands {

DeleteSourceResult DeleteSource(SourceStore& sources, qint32 sourceId, UserPrompt& prompt,
                                FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    if (!sources.FindSource(sourceId))
        return DeleteSourceResult::NotFound;
    if (sources.SourceHasNotes(sourceId)) {
        prompt.Tell(QStringLiteral("This source has notes tied to it, you may not delete it."),
                    QStringLiteral("Notes Attached!"), UserPrompt::Icon::Warning);
        return DeleteSourceResult::HasNotes;
    }
    if (!prompt.AskYesNo(QStringLiteral("Do you wish to delete this source?"),
                         QStringLiteral("Delete Source?")))
        return DeleteSourceResult::Declined;
    if (const FileStatus removed = sources.RemoveSource(sourceId); !removed) {
        ReportFailure(removed, prompt, failure);
        return DeleteSourceResult::NotWritten;
    }
    return DeleteSourceResult::Deleted;
}

bool DeleteAuthor(SourceStore& sources, qint32 authorId, UserPrompt& prompt, FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    const AuthorRecord* author = sources.FindAuthor(authorId);
    if (!author)
        return false;
    const QString question = QStringLiteral("Deleting *%1* will remove it from any sources that contain it.  "
                                            "Do you wish to continue?")
                                 .arg(AuthorDisplayName(*author));
    if (!prompt.AskYesNo(question, QStringLiteral("Delete Author?")))
        return false;
    if (const FileStatus removed = sources.RemoveAuthor(authorId); !removed) {
        ReportFailure(removed, prompt, failure);
        return false;
    }
    return true;
}

bool SaveEditedSource(NoteDatabase& database, SourceStore& sources, const SourceEditor& editor,
                      SourceRecord* saved, QString* error, QString* caption)
{
    SourceRecord record;
    if (!editor.Finish(&record, error, caption))
        return false;
    // As the form's preview left it: the author cache and the date text are stored too.
    FormatCitation(record, sources.Authors());
    FileStatus written;
    if (sources.FindSource(record.SourceId)) {
        // A new type changes every citation of the source: its notes count as edited.
        if (sources.UpdateSource(record, &written) == SourceStore::Update::TypeChanged)
            written = database.StampNotesEdited(0, record.SourceId, DateTime::CurrentLocal());
    } else {
        written = sources.AddSource(record);
    }
    if (!written) {
        // The store has put its list back: the form stays as the user left it.
        *error = written.Message();
        *caption = FileStatus::Caption();
        return false;
    }
    if (saved)
        *saved = *sources.FindSource(record.SourceId);
    return true;
}

} // namespace SourceCommands
