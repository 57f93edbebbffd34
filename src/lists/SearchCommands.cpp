#include "lists/SearchCommands.h"

#include "lists/CurrentNotesList.h"
#include "lists/DatabaseSearch.h"
#include "lists/NoteSort.h"
#include "lists/SearchQuery.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

QStringList NoteFilePaths(const NoteDatabase& database)
{
    const QDir folder(database.Folder().NotesFolder());
    QStringList paths;
    for (const QString& name : database.NoteFileNames())
        paths.append(folder.filePath(name));
    return paths;
}

QStringList BareNames(const QStringList& paths)
{
    QStringList names;
    names.reserve(paths.size());
    for (const QString& path : paths)
        names.append(QFileInfo(path).fileName());
    return names;
}

// The files that hold the listed notes, in the order their first note comes.
QStringList FilesOfList(const NoteDatabase& database, const ListedNotes& listed)
{
    QStringList paths;
    QSet<QString> seen;
    for (const ListedNote& note : listed) {
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
SearchRun Run(const QString& text, const NoteDatabase& database, CurrentNotesList& current,
              UserPrompt& prompt, ListedNotes* results, Search search)
{
    SearchRun run;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return run;
    current.ClearSearchState();
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

void Finish(const SearchRun& run, UserPrompt& prompt)
{
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
    if (current.isEmpty()) { // every find is added, in the order found
        current = std::move(results);
        return static_cast<int>(current.size());
    }
    QHash<qint32, int> positions;
    for (int i = static_cast<int>(current.size()) - 1; i >= 0; --i)
        positions.insert(current.at(i).NoteID, i); // the first copy of an id takes the text
    ListedNotes added;
    added.reserve(results.size());
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
    } else if (current.isEmpty()) {
        current = std::move(added);
    } else {
        current.append(std::move(added));
    }
    return count;
}

SearchRun RunDatabaseSearch(const QString& text, const NoteDatabase& database, CurrentNotesList& current,
                            qint32 noteSortId, UserPrompt& prompt, SearchIndex* index)
{
    ListedNotes results;
    const SearchRun run = Run(text, database, current, prompt, &results, [&](const SearchQuery& query) {
        // The notes already in the list hand over only their highlight.
        const QSet<qint32> held = HeldIds(current.Entries());
        if (index) {
            if (std::optional<ListedNotes> found
                = SearchDatabaseIndexed(query, *index, database.NoteFileNames(), held))
                return std::move(*found);
        }
        return SearchDatabase(query, NoteFilePaths(database), held);
    });
    if (!run.ran)
        return run;
    for (ListedNote& note : results)
        note.JustAdded = true;
    current.TakeSearchResults(std::move(results), noteSortId, true);
    database.Progress().End();
    Finish(run, prompt);
    return run;
}

SearchRun RunCurrentNotesSearch(const QString& text, const NoteDatabase& database, CurrentNotesList& current,
                                UserPrompt& prompt, SearchIndex* index)
{
    ListedNotes results;
    const SearchRun run = Run(text, database, current, prompt, &results, [&](const SearchQuery& query) {
        const QStringList files = FilesOfList(database, current.Entries());
        if (index) {
            if (std::optional<ListedNotes> found = FilterListedNotesIndexed(
                    query, current.Entries(), *index, database.NoteFileNames(), BareNames(files)))
                return std::move(*found);
        }
        return FilterListedNotes(query, current.Entries(), files);
    });
    if (!run.ran)
        return run;
    // Every result is a note of the list: only the highlighted texts move over, and the
    // list keeps its notes and their order.
    current.TakeSearchResults(std::move(results), NoteSortId::AddToBottom, false);
    database.Progress().End();
    Finish(run, prompt);
    return run;
}
