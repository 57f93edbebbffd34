#include "lists/DatabaseSearch.h"

#include "format/NoteTextScanner.h"
#include "index/SearchIndex.h"
#include "lists/NoteMatcher.h"
#include "store/ListedNoteReader.h"

#include <QHash>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// Which notes of a file take part and what a find gives back: the keys of a new note,
// or only the id and highlight of a note the caller already lists.
struct Scope
{
    const QSet<qint32>& held;
    const QSet<qint32>* only = nullptr; // none: every note

    bool Includes(qint32 id) const { return !only || only->contains(id); }

    ListedNote Found(const NoteTextScanner& scanner, const NoteTextScanner::Span& span,
                     ListedNoteReader& reader, const std::shared_ptr<const NoteHighlight>& highlight) const
    {
        ListedNote found;
        if (held.contains(span.noteId))
            found.NoteID = span.noteId;
        else
            found = reader.Read(scanner, span);
        found.Highlight = highlight;
        return found;
    }
};

// The notes of one file that match, each tested on the text its RTF shows.
void SearchFile(const QString& path, const NoteMatcher& matcher, NoteTextScanner& scanner, const Scope& scope,
                ListedNoteReader& reader, ListedNotes& found)
{
    if (!scanner.LoadFile(path))
        return;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        if (!scope.Includes(span.noteId) || span.richTextLength == 0)
            continue;
        if (matcher.MatchesStoredRichText(span.richText, span.richTextLength))
            found.append(scope.Found(scanner, span, reader, matcher.Highlight()));
    }
}

// Every note of a file, as ReadNoteFile gives them; a held note is not decoded.
void ReadAllOfFile(const QString& path, NoteTextScanner& scanner, const Scope& scope,
                   ListedNoteReader& reader, ListedNotes& found)
{
    if (!scanner.LoadFile(path))
        return;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        if (scope.held.contains(span.noteId)) {
            ListedNote known;
            known.NoteID = span.noteId;
            found.append(std::move(known));
        } else {
            found.append(reader.Read(scanner, span));
        }
    }
}

// Goes through the files on every core: each thread takes the next file not yet taken
// and makes its finds with readFile (given the thread's own scanner and reader), and the
// finds are put together in file order, so the result is that of one thread going through
// the files one after the other. The threads share nothing but the list of files.
template<typename ReadFile> ListedNotes ReadFilesOnEveryCore(const QStringList& paths, ReadFile readFile)
{
    std::vector<ListedNotes> byFile(static_cast<size_t>(paths.size()));
    std::atomic<qsizetype> next {0};
    auto work = [&] {
        NoteTextScanner scanner;
        ListedNoteReader reader; // its names are this thread's own
        for (qsizetype i = next++; i < paths.size(); i = next++)
            readFile(paths.at(i), scanner, reader, byFile[static_cast<size_t>(i)]);
    };
    const unsigned helpers = std::clamp(std::thread::hardware_concurrency(), 1U, 4U) - 1;
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < helpers && i + 1 < unsigned(paths.size()); ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    ListedNotes found;
    for (ListedNotes& part : byFile)
        found.append(std::move(part));
    return found;
}

// The finds of the index as the scan makes them: a held note as its id alone.
ListedNotes ListedHits(const SearchIndex& index, const std::vector<SearchIndex::Hit>& hits,
                       const QSet<qint32>& held, const std::shared_ptr<const NoteHighlight>& highlight)
{
    const DateTime now = DateTime::CurrentLocal(); // what a date that is no date reads as
    ListedNotes found;
    found.reserve(qsizetype(hits.size()));
    for (const SearchIndex::Hit& hit : hits) {
        if (held.contains(hit.doc->noteId)) {
            ListedNote& note = found.emplace_back();
            note.NoteID = hit.doc->noteId;
            note.Highlight = highlight;
        } else {
            found.append(index.Listed(*hit.doc, now));
            found.back().Highlight = highlight;
        }
    }
    return found;
}

// Back into list order; a note found twice (held by two files) counts once.
ListedNotes InListOrder(const ListedNotes& list, const ListedNotes& byFile)
{
    QHash<qint32, int> foundAt;
    for (int i = int(byFile.size()) - 1; i >= 0; --i)
        foundAt.insert(byFile.at(i).NoteID, i); // the first file to hold a note speaks for it
    ListedNotes found;
    for (const ListedNote& note : list) {
        const auto at = foundAt.constFind(note.NoteID);
        if (at != foundAt.cend()) {
            found.append(byFile.at(*at));
            foundAt.erase(at);
        }
    }
    return found;
}

ListedNotes SearchFiles(const QStringList& paths, const SearchQuery& query, const Scope& scope)
{
    const NoteMatcher matcher(query); // shared by the threads: it changes nothing
    return ReadFilesOnEveryCore(
        paths,
        [&](const QString& path, NoteTextScanner& scanner, ListedNoteReader& reader, ListedNotes& found) {
            SearchFile(path, matcher, scanner, scope, reader, found);
        });
}

} // namespace

ListedNotes SearchDatabase(const SearchQuery& query, const QStringList& noteFilePaths,
                           const QSet<qint32>& held)
{
    ListedNotes found;
    if (query.Terms.isEmpty())
        return found;
    const Scope scope {held};
    if (query.IsShowAll()) {
        return ReadFilesOnEveryCore(
            noteFilePaths,
            [&](const QString& path, NoteTextScanner& scanner, ListedNoteReader& reader, ListedNotes& found) {
                ReadAllOfFile(path, scanner, scope, reader, found);
            });
    }
    // Parsed once for all files: each file would parse the same text to the same query.
    SearchQuery fileQuery;
    if (!ParseQuery(query.Text, &fileQuery, nullptr) || fileQuery.Terms.isEmpty())
        return found;
    return SearchFiles(noteFilePaths, fileQuery, scope);
}

ListedNotes FilterListedNotes(const SearchQuery& query, const ListedNotes& list,
                              const QStringList& filesOfList)
{
    if (query.Terms.isEmpty() || list.isEmpty())
        return {};
    QSet<qint32> listed;
    listed.reserve(list.size());
    for (const ListedNote& note : list)
        listed.insert(note.NoteID);
    const NoteMatcher matcher(query);
    NoteTextScanner scanner;
    Scope scope {listed, &listed};
    ListedNotes byFile;
    ListedNoteReader reader;
    for (const QString& path : filesOfList)
        SearchFile(path, matcher, scanner, scope, reader, byFile);
    return InListOrder(list, byFile);
}

std::optional<ListedNotes> SearchDatabaseIndexed(const SearchQuery& query, SearchIndex& index,
                                                 const QStringList& noteFileNames, const QSet<qint32>& held)
{
    if (query.Terms.isEmpty())
        return ListedNotes();
    if (!index.Refresh(noteFileNames))
        return std::nullopt;
    if (query.IsShowAll())
        return ListedHits(index, index.All(noteFileNames), held, nullptr);
    SearchQuery fileQuery;
    if (!ParseQuery(query.Text, &fileQuery, nullptr) || fileQuery.Terms.isEmpty())
        return ListedNotes();
    const NoteMatcher matcher(fileQuery);
    const std::optional<std::vector<SearchIndex::Hit>> hits = index.Find(matcher.Rules(), noteFileNames);
    if (!hits)
        return std::nullopt;
    return ListedHits(index, *hits, held, matcher.Highlight());
}

std::optional<ListedNotes> FilterListedNotesIndexed(const SearchQuery& query, const ListedNotes& list,
                                                    SearchIndex& index, const QStringList& noteFileNames,
                                                    const QStringList& filesOfList)
{
    if (query.Terms.isEmpty() || list.isEmpty())
        return ListedNotes();
    if (!index.Refresh(noteFileNames))
        return std::nullopt;
    const NoteMatcher matcher(query);
    const std::optional<std::vector<SearchIndex::Hit>> hits = index.Find(matcher.Rules(), filesOfList);
    if (!hits)
        return std::nullopt;
    QSet<qint32> listed;
    listed.reserve(list.size());
    for (const ListedNote& note : list)
        listed.insert(note.NoteID);
    ListedNotes byFile;
    for (const SearchIndex::Hit& hit : *hits) {
        if (!listed.contains(hit.doc->noteId))
            continue;
        ListedNote found;
        found.NoteID = hit.doc->noteId;
        found.Highlight = matcher.Highlight();
        byFile.append(std::move(found));
    }
    return InListOrder(list, byFile);
}
