#pragma once

#include "format/DateTime.h"
#include "format/NoteRecord.h"
#include "format/NoteSortIds.h"
#include "store/ListedNote.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <utility>

enum class NoteSortKey
{
    None,
    DateAdded,
    LastEdited,
    Source,
    Categories
};

// The key of a sort id's last two digits; None for any key but 01 to 04 (705 and 805
// included), which leaves a list as it is.
NoteSortKey SortKeyOf(int sortId);
bool SortsDescending(int sortId);

// The date rule shared by every key: a is earlier than or equal to b when both are valid
// and a is not later, or when both are null. A valid and a non-valid value, or two
// invalid ones, are never in order.
bool DateEarlierOrEqual(const DateTime& a, const DateTime& b);

// A text as sorting compares it: lower-cased, then compared byte by byte (as UTF-8).
QByteArray SortText(const QString& text);

// Sorts items stably by the SortText of textOf(item), each text lowered once: a list of
// tens of thousands of names would otherwise lower two texts at every comparison.
template<typename T, typename TextOf> void StableSortByText(QList<T>& items, const TextOf& textOf)
{
    QList<std::pair<QByteArray, qsizetype>> keys;
    keys.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i)
        keys.append({SortText(textOf(items.at(i))), i});
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<T> sorted;
    sorted.reserve(items.size());
    for (const auto& key : std::as_const(keys))
        sorted.append(std::move(items[key.second]));
    items = std::move(sorted);
}

// The comparison of two notes for the key of sortId (the direction plays no part):
//   date added / last edited: DateEarlierOrEqual on that date;
//   source: the lower-cased citation texts of the attached sources, byte by byte; equal
//           texts fall back to the date-added rule (no source means an empty text);
//   categories: CategoryAssignment::CategoryLess level by level; equal paths fall back to
//           the date-added rule.
// Always false for a sort id without a key.
bool NoteSortsBefore(const NoteRecord& a, const NoteRecord& b, int sortId);

// The note that every real note has to beat to be placed. Ascending: both dates now, the
// citation text and all four category names "zzzzzzzzzzzzzzzzzzzzzzz" (23 z). Descending:
// both dates 1 January 1900 01:01:01, the citation text and the names empty.
NoteRecord SortSentinel(int sortId, const DateTime& now);

// Reorders notes in place by sortId. The order is exactly that of a selection sort which,
// pass after pass, takes from the remaining notes the one that beats a fresh sentinel
// (ascending: NoteSortsBefore(note, best); descending: NoteSortsBefore(best, note)),
// scanning from first to last so that among equal keys the last note goes first, and
// stops when no note beats the sentinel; the notes left over follow in their previous
// order. Computed in O(n log n).
//
// The attached sources must be filled (with formatted citation texts) before a sort by
// source. Sort ids without a key leave the list unchanged. "now" is the sentinel's date
// for ascending sorts: a note added later than now is never placed.
void SortNotes(NotesList& notes, int sortId, const DateTime& now);
// The same with the clock's current local time.
void SortNotes(NotesList& notes, int sortId);
// The same orders for the current list's notes, by the same keys.
void SortNotes(ListedNotes& notes, int sortId, const DateTime& now);
void SortNotes(ListedNotes& notes, int sortId);
