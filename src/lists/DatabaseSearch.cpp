#include "lists/DatabaseSearch.h"

#include "format/NoteTextScanner.h"
#include "lists/NoteMatcher.h"

#include <QHash>

namespace {

// Which notes of a file take part and what a find gives back: the keys of a new note,
// or only the id and highlight of a note the caller already lists.
struct Scope
{
    const QSet<qint32>& held;
    const QSet<qint32>* only = nullptr; // none: every note

    bool Includes(qint32 id) const { return !only || only->contains(id); }

    ListedNote Found(const NoteRecord& note) const
    {
        if (!held.contains(note.NoteID))
            return ListedNote::Of(note);
        ListedNote known;
        known.NoteID = note.NoteID;
        known.Highlight = note.Highlight;
        return known;
    }
};

// The notes of one file that match; a note whose stored text cannot match is never
// decoded.
void SearchFile(const QString& path, const NoteMatcher& matcher, NoteTextScanner& scanner, const Scope& scope,
                ListedNotes& found)
{
    if (!scanner.LoadFile(path))
        return;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        if (!scope.Includes(span.noteId) || span.richTextLength == 0
            || !matcher.MayMatchBytes(span.plainText, span.plainTextLength))
            continue;
        NoteRecord note = scanner.ReadRecord(span);
        if (matcher.Match(note))
            found.append(scope.Found(note));
    }
}

// Every note of a file, as ReadNoteFile gives them; a held note is not decoded.
void ReadAllOfFile(const QString& path, NoteTextScanner& scanner, const Scope& scope, const DateTime& now,
                   ListedNotes& found)
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
            found.append(ListedNote::Read(scanner, span, now));
        }
    }
}

} // namespace

ListedNotes SearchDatabase(const SearchQuery& query, const QStringList& noteFilePaths,
                           const QSet<qint32>& held)
{
    ListedNotes found;
    if (query.Terms.isEmpty())
        return found;
    NoteTextScanner scanner;
    const Scope scope {held};
    if (query.IsShowAll()) {
        const DateTime now = DateTime::CurrentLocal();
        for (const QString& path : noteFilePaths)
            ReadAllOfFile(path, scanner, scope, now, found);
        return found;
    }
    // Parsed once for all files: each file would parse the same text to the same query.
    SearchQuery fileQuery;
    if (!ParseQuery(query.Text, &fileQuery, nullptr) || fileQuery.Terms.isEmpty())
        return found;
    const NoteMatcher matcher(fileQuery);
    for (const QString& path : noteFilePaths)
        SearchFile(path, matcher, scanner, scope, found);
    return found;
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
    for (const QString& path : filesOfList)
        SearchFile(path, matcher, scanner, scope, byFile);

    // Back into list order; a note read twice (held by two files) counts once.
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
