#include "lists/DatabaseSearch.h"

#include "format/NoteTextScanner.h"
#include "lists/NoteMatcher.h"

namespace {

// What the search gives for a found note: the whole note, or only its id and highlight
// when the caller already holds the note.
void Take(NoteRecord note, const QSet<qint32>& held, NotesList& found)
{
    if (held.contains(note.NoteID)) {
        NoteRecord known;
        known.NoteID = note.NoteID;
        known.Highlight = std::move(note.Highlight);
        found.append(std::move(known));
        return;
    }
    found.append(std::move(note));
}

// The notes of one file that match; a note whose stored text cannot match is never
// decoded.
void SearchFile(const QString& path, const NoteMatcher& matcher, NoteTextScanner& scanner,
                const QSet<qint32>& held, NotesList& found)
{
    if (!scanner.LoadFile(path))
        return;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        if (span.richTextLength == 0 || !matcher.MayMatchBytes(span.plainText, span.plainTextLength))
            continue;
        NoteRecord note = scanner.ReadRecord(span);
        if (matcher.Match(note))
            Take(std::move(note), held, found);
    }
}

// Every note of a file, as ReadNoteFile gives them; a held note is not decoded.
void ReadAllOfFile(const QString& path, NoteTextScanner& scanner, const QSet<qint32>& held, NotesList& found)
{
    if (!scanner.LoadFile(path))
        return;
    if (held.isEmpty()) {
        scanner.AppendRemainingRecords(found);
        return;
    }
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        NoteRecord known;
        known.NoteID = span.noteId;
        found.append(held.contains(span.noteId) ? std::move(known) : scanner.ReadRecord(span));
    }
}

} // namespace

NotesList FilterNotes(const SearchQuery& query, const NotesList& list)
{
    NotesList found;
    if (query.Terms.isEmpty() || list.isEmpty())
        return found;
    const NoteMatcher matcher(query);
    for (const NoteRecord& note : list) {
        NoteRecord copy = note;
        if (matcher.Match(copy))
            found.append(std::move(copy));
    }
    return found;
}

NotesList SearchDatabase(const SearchQuery& query, const QStringList& noteFilePaths, const QSet<qint32>& held)
{
    NotesList found;
    if (query.Terms.isEmpty())
        return found;
    NoteTextScanner scanner;
    if (query.IsShowAll()) {
        for (const QString& path : noteFilePaths)
            ReadAllOfFile(path, scanner, held, found);
        return found;
    }
    // Parsed once for all files: each file would parse the same text to the same query.
    SearchQuery fileQuery;
    if (!ParseQuery(query.Text, &fileQuery, nullptr) || fileQuery.Terms.isEmpty())
        return found;
    const NoteMatcher matcher(fileQuery);
    for (const QString& path : noteFilePaths)
        SearchFile(path, matcher, scanner, held, found);
    return found;
}
