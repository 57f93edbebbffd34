#include "lists/DatabaseSearch.h"

#include "format/NoteTextScanner.h"
#include "lists/NoteMatcher.h"

namespace {

// The notes of one file that match; a note whose stored text cannot match is never
// decoded.
void SearchFile(const QString& path, const NoteMatcher& matcher, NoteTextScanner& scanner, NotesList& found)
{
    if (!scanner.LoadFile(path))
        return;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        if (span.richTextLength == 0 || !matcher.MayMatchBytes(span.plainText, span.plainTextLength))
            continue;
        NoteRecord note = scanner.ReadRecord(span);
        if (matcher.Match(note))
            found.append(std::move(note));
    }
}

// Every note of a file, as ReadNoteFile gives them.
void ReadAllOfFile(const QString& path, NoteTextScanner& scanner, NotesList& found)
{
    if (scanner.LoadFile(path))
        scanner.AppendRemainingRecords(found);
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

NotesList SearchDatabase(const SearchQuery& query, const QStringList& noteFilePaths)
{
    NotesList found;
    if (query.Terms.isEmpty())
        return found;
    NoteTextScanner scanner;
    if (query.IsShowAll()) {
        for (const QString& path : noteFilePaths)
            ReadAllOfFile(path, scanner, found);
        return found;
    }
    // Parsed once for all files: each file would parse the same text to the same query.
    SearchQuery fileQuery;
    if (!ParseQuery(query.Text, &fileQuery, nullptr) || fileQuery.Terms.isEmpty())
        return found;
    const NoteMatcher matcher(fileQuery);
    for (const QString& path : noteFilePaths)
        SearchFile(path, matcher, scanner, found);
    return found;
}
