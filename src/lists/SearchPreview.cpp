#include "lists/SearchPreview.h"

#include "index/SearchIndex.h"
#include "index/ShownText.h"
#include "lists/CurrentNotesList.h"
#include "lists/DatabaseSearch.h"
#include "lists/NoteMatcher.h"
#include "lists/SearchQuery.h"
#include "richtext/RtfReader.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QFileInfo>
#include <QSet>

namespace {

constexpr int kLine = 64; // characters of the first line shown: what the drop-down's width holds
constexpr QLatin1StringView kCut("..."); // after a line cut short
constexpr int kLead = 24; // characters of it kept before a hit further on
constexpr int kBefore = 16; // characters shown before that hit
constexpr int kExcerpt = 40; // characters shown from there

SearchPreview::Hit MakeHit(const PreviewScope& scope, qint32 noteId, const TextMatcher& rules)
{
    SearchPreview::Hit hit;
    hit.noteId = noteId;
    const std::optional<NoteRecord> note = scope.database.ReadNote(noteId);
    if (!note)
        return hit;
    hit.dateAdded = note->DateAdded;
    if (note->SourceID > 0) {
        if (const SourceRecord* source = scope.sources.FindSource(note->SourceID))
            hit.sourceTitle = source->Fields.value(0);
    }
    MakePreviewLine(RtfReader::ReadShownText(RtfBytesOfText(note->RichText)), rules, &hit.line, &hit.hits);
    return hit;
}

QStringList ListFileNames(const NoteDatabase& database, const ListedNotes& list)
{
    QStringList names;
    QSet<QString> seen;
    for (const ListedNote& note : list) {
        const std::optional<QString> path = database.FileIndex().FileOfNote(note.NoteID);
        if (path && !seen.contains(*path)) {
            seen.insert(*path);
            names.append(QFileInfo(*path).fileName());
        }
    }
    return names;
}

// The first limit notes a database search would find, and how many it would find; only
// the ids of the first are made.
std::optional<QList<qint32>> FoundInDatabase(const SearchQuery& query, const PreviewScope& scope, int limit,
                                             int* count)
{
    SearchIndex& index = scope.index;
    const QStringList names = scope.database.NoteFileNames();
    if (!index.Refresh(names))
        return std::nullopt;
    SearchQuery fileQuery; // as the search parses it again for the files
    ParseQuery(query.Text, &fileQuery, nullptr);
    std::vector<SearchIndex::Hit> hits;
    if (query.IsShowAll()) {
        hits = index.All(names);
        *count = int(hits.size());
    } else if (!fileQuery.Terms.isEmpty()) {
        std::optional<std::vector<SearchIndex::Hit>> found
            = index.Find(NoteMatcher(fileQuery).Rules(), names, limit, count);
        if (!found)
            return std::nullopt;
        hits = std::move(*found);
    }
    QList<qint32> ids;
    for (size_t i = 0; i < hits.size() && int(i) < limit; ++i)
        ids.append(hits[i].doc->noteId);
    return ids;
}

std::optional<QList<qint32>> FoundInList(const SearchQuery& query, const PreviewScope& scope)
{
    const ListedNotes& list = scope.current.Entries();
    const std::optional<ListedNotes> found = FilterListedNotesIndexed(
        query, list, scope.index, scope.database.NoteFileNames(), ListFileNames(scope.database, list));
    if (!found)
        return std::nullopt;
    QList<qint32> ids;
    for (const ListedNote& note : *found)
        ids.append(note.NoteID);
    return ids;
}

} // namespace

void MakePreviewLine(const QString& shown, const TextMatcher& rules, QString* line,
                     QList<QPair<int, int>>* hits)
{
    QList<QPair<int, int>> all;
    rules.FindAllHits(shown, &all);
    std::sort(all.begin(), all.end());
    const qsizetype lineEnd = shown.indexOf(QLatin1Char('\n'));
    const int firstLine = int(lineEnd < 0 ? shown.size() : lineEnd);
    hits->clear();
    if (all.isEmpty() || all.first().first + all.first().second <= std::min(firstLine, kLine)) {
        *line = shown.left(std::min(firstLine, kLine));
        for (const QPair<int, int>& range : std::as_const(all)) {
            if (range.first + range.second <= line->size())
                hits->append(range);
        }
        if (firstLine > kLine)
            *line += kCut;
        return;
    }
    // The first hit lies further on: the start of the first line, then the words around it.
    const QPair<int, int> first = all.first();
    *line = shown.left(std::min(firstLine, kLead)) + QStringLiteral(" ... ");
    int from = std::max(first.first - kBefore, std::min(firstLine, kLead));
    // From the start of a word, when one starts before the hit.
    for (int at = from; at > 0 && at < first.first; ++at) {
        if (shown.at(at - 1).isSpace()) {
            from = at;
            break;
        }
    }
    QString excerpt = shown.mid(from, std::max(kExcerpt, first.first - from + first.second));
    const qsizetype breakAt = excerpt.indexOf(QLatin1Char('\n'), first.first - from + first.second);
    if (breakAt >= 0)
        excerpt.truncate(breakAt);
    const int offset = int(line->size()) - from;
    *line += excerpt;
    for (const QPair<int, int>& range : std::as_const(all)) {
        if (range.first >= from && range.first + range.second <= from + excerpt.size())
            hits->append({range.first + offset, range.second});
    }
    const qsizetype excerptEnd = from + excerpt.size();
    if (excerptEnd < shown.size() && shown.at(excerptEnd) != QLatin1Char('\n'))
        *line += kCut;
}

QString PreviewNotReadyText()
{
    return QStringLiteral("Building the search index... Press Enter to search.");
}

SearchPreview PreviewSearch(const QString& text, const PreviewScope& scope, bool currentNotes, int limit)
{
    SearchPreview preview;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return preview;
    SearchQuery query;
    if (!ParseQuery(trimmed, &query, nullptr)) {
        preview.status = SearchPreview::Status::Invalid;
        preview.message = InvalidQueryMessage();
        return preview;
    }
    const NoteMatcher matcher(query);
    const std::optional<QList<qint32>> found
        = currentNotes ? FoundInList(query, scope) : FoundInDatabase(query, scope, limit, &preview.count);
    if (!found) {
        preview.status = SearchPreview::Status::NotReady;
        preview.message = PreviewNotReadyText();
        return preview;
    }
    preview.status = SearchPreview::Status::Ready;
    if (currentNotes)
        preview.count = int(found->size());
    for (qsizetype i = 0; i < found->size() && i < limit; ++i)
        preview.hits.append(MakeHit(scope, found->at(i), matcher.Rules()));
    return preview;
}
