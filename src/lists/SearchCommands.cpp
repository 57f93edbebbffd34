#include "lists/SearchCommands.h"

#include "lists/DatabaseSearch.h"
#include "lists/NoteSort.h"
#include "lists/SearchQuery.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"

#include <QDir>
#include <QHash>

namespace {

void ClearSearchState(ListedNotes& current, const SearchViewHooks& hooks)
{
    for (ListedNote& note : current) {
        note.JustAdded = false;
        note.Highlight.reset();
    }
    if (hooks.clearDisplayState)
        hooks.clearDisplayState();
}

QStringList NoteFilePaths(const NoteDatabase& database)
{
    const QDir folder(database.Folder().NotesFolder());
    QStringList paths;
    for (const QString& name : database.NoteFileNames())
        paths.append(folder.filePath(name));
    return paths;
}

// The files that hold the listed notes, in the order their first note comes.
QStringList FilesOfList(const NoteDatabase& database)
{
    QStringList paths;
    QSet<QString> seen;
    for (const ListedNote& note : database.CurrentList()) {
        const std::optional<QString> path = database.FileIndex().FileOfNote(note.NoteID);
        if (path && !seen.contains(*path)) {
            seen.insert(*path);
            paths.append(*path);
        }
    }
    return paths;
}

QSet<qint32> HeldIds(const ListedNotes& notes)
{
    QSet<qint32> ids;
    ids.reserve(notes.size());
    for (const ListedNote& note : notes)
        ids.insert(note.NoteID);
    return ids;
}

// Steps shared by both scopes: clear, parse, search with the notification shown.
template<typename Search>
SearchRun Run(const QString& text, NoteDatabase& database, UserPrompt& prompt, const SearchViewHooks& hooks,
              ListedNotes* results, Search search)
{
    SearchRun run;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return run;
    ClearSearchState(database.CurrentList(), hooks);
    SearchQuery query;
    if (!ParseQuery(trimmed, &query, &prompt))
        return run;
    ProgressReporter& progress = database.Progress();
    progress.Notify(SearchingNotesText());
    *results = search(query);
    run.ran = true;
    run.count = static_cast<int>(results->size());
    run.matches = NotesListOps::NoteIds(*results);
    return run;
}

void Finish(const SearchRun& run, NoteDatabase& database, UserPrompt& prompt, const SearchViewHooks& hooks)
{
    database.Progress().End();
    if (hooks.refresh)
        hooks.refresh();
    prompt.Tell(SearchResultText(run.count), SearchResultCaption(), UserPrompt::Icon::Information);
}

} // namespace

QString SearchResultText(int count)
{
    return QStringLiteral("Your search returned  *%1*  results.").arg(count);
}

QString SearchResultCaption()
{
    return QStringLiteral("Finished Search!");
}

QString SearchingNotesText()
{
    return QStringLiteral("Searching Notes....");
}

int MergeSearchResults(ListedNotes& current, ListedNotes results, qint32 noteSortId)
{
    QHash<qint32, int> positions;
    for (int i = static_cast<int>(current.size()) - 1; i >= 0; --i)
        positions.insert(current.at(i).NoteID, i); // the first copy of an id takes the text
    ListedNotes added;
    for (ListedNote& result : results) {
        const auto found = positions.constFind(result.NoteID);
        if (found != positions.cend())
            current[*found].Highlight = std::move(result.Highlight);
        else
            added.append(std::move(result));
    }
    const int count = static_cast<int>(added.size());
    if (noteSortId == NoteSortId::AddToTop) {
        added.append(std::move(current));
        current = std::move(added);
    } else {
        current.append(std::move(added));
    }
    return count;
}

SearchRun RunDatabaseSearch(const QString& text, NoteDatabase& database, qint32 noteSortId,
                            UserPrompt& prompt, const SearchViewHooks& hooks)
{
    ListedNotes results;
    const SearchRun run = Run(text, database, prompt, hooks, &results, [&database](const SearchQuery& query) {
        // The notes already in the list hand over only their highlight.
        return SearchDatabase(query, NoteFilePaths(database), HeldIds(database.CurrentList()));
    });
    if (!run.ran)
        return run;
    for (ListedNote& note : results)
        note.JustAdded = true;
    ListedNotes& current = database.CurrentList();
    MergeSearchResults(current, std::move(results), noteSortId);
    database.FillAttachedSources(current);
    SortNotes(current, noteSortId); // placement-only ids keep the order
    Finish(run, database, prompt, hooks);
    return run;
}

SearchRun RunCurrentNotesSearch(const QString& text, NoteDatabase& database, UserPrompt& prompt,
                                const SearchViewHooks& hooks)
{
    ListedNotes results;
    const SearchRun run = Run(text, database, prompt, hooks, &results, [&database](const SearchQuery& query) {
        return FilterListedNotes(query, database.CurrentList(), FilesOfList(database));
    });
    if (!run.ran)
        return run;
    // Every result is a note of the list: only the highlighted texts move over, and the
    // list keeps its notes and their order.
    MergeSearchResults(database.CurrentList(), std::move(results), NoteSortId::AddToBottom);
    Finish(run, database, prompt, hooks);
    return run;
}
