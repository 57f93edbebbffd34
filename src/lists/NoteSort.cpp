#include "lists/NoteSort.h"

#include "lists/SelectionSortOrder.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

namespace {

// The sentinel of ascending sorts carries this text wherever a name or citation is compared.
QString LastText()
{
    return QString(23, QLatin1Char('z'));
}

// The sort reads the same keys from a whole record and from a listed note.
const QString& CitationOf(const NoteRecord& note)
{
    return note.AttachedSource.CitationText;
}

const QString& CitationOf(const ListedNote& note)
{
    return note.CitationText();
}

template<typename Note> bool DateAddedRule(const Note& a, const Note& b)
{
    return DateEarlierOrEqual(a.DateAdded, b.DateAdded);
}

template<typename Note> const DateTime& SortDate(const Note& note, NoteSortKey key)
{
    return key == NoteSortKey::LastEdited ? note.LastEdited : note.DateAdded;
}

// Ranks of distinct keys: keys are deduplicated exactly (many notes share one source or
// one category path), the distinct ones sorted by less on their comparable form, and
// keys that neither precede the other share a rank. The last rank returned is the
// sentinel's.
template<typename Key, typename Comparable, typename Note, typename MakeKey, typename MakeComparable,
         typename Less>
std::vector<int> RanksOf(const QList<Note>& notes, const Note& sentinel, MakeKey makeKey,
                         MakeComparable makeComparable, Less less)
{
    QHash<Key, int> slotOfKey;
    std::vector<Comparable> distinct;
    std::vector<int> noteSlots;
    noteSlots.reserve(notes.size() + 1);
    auto slotOf = [&](const Note& note) {
        const Key key = makeKey(note);
        auto it = slotOfKey.constFind(key);
        if (it != slotOfKey.constEnd())
            return it.value();
        const int slot = static_cast<int>(distinct.size());
        slotOfKey.insert(key, slot);
        distinct.push_back(makeComparable(key));
        return slot;
    };
    for (const Note& note : notes)
        noteSlots.push_back(slotOf(note));
    noteSlots.push_back(slotOf(sentinel));

    std::vector<int> bySlot(distinct.size());
    for (size_t i = 0; i < bySlot.size(); ++i)
        bySlot[i] = static_cast<int>(i);
    std::sort(bySlot.begin(), bySlot.end(), [&](int a, int b) { return less(distinct[a], distinct[b]); });
    std::vector<int> rankOfSlot(distinct.size());
    int rank = 0;
    for (size_t i = 0; i < bySlot.size(); ++i) {
        if (i > 0 && less(distinct[bySlot[i - 1]], distinct[bySlot[i]]))
            ++rank;
        rankOfSlot[bySlot[i]] = rank;
    }
    for (int& slot : noteSlots)
        slot = rankOfSlot[slot];
    return noteSlots;
}

template<typename Note> std::vector<int> SourceRanks(const QList<Note>& notes, const Note& sentinel)
{
    // Keyed by the citation text; compared by its lower-cased bytes.
    return RanksOf<QString, QByteArray>(
        notes, sentinel, [](const Note& note) { return CitationOf(note); }, SortText,
        [](const QByteArray& a, const QByteArray& b) { return a < b; });
}

QStringList CategoryNames(const CategoryAssignment& categories)
{
    QStringList names;
    for (int level = 0; level < 4; ++level)
        names.append(categories.NameAt(level));
    return names;
}

CategoryAssignment AssignmentOfNames(const QStringList& names)
{
    CategoryAssignment categories;
    for (int level = 0; level < 4; ++level)
        categories.FindEntry(level)->name = names.at(level);
    return categories;
}

template<typename Note> std::vector<int> CategoryRanks(const QList<Note>& notes, const Note& sentinel)
{
    // Only the four names take part in the comparison, so they are the key; the order of
    // the distinct paths is CategoryLess itself.
    return RanksOf<QStringList, CategoryAssignment>(
        notes, sentinel, [](const Note& note) { return CategoryNames(note.Categories); }, AssignmentOfNames,
        CategoryAssignment::CategoryLess);
}

template<typename Note>
std::vector<int> KeyRanks(const QList<Note>& notes, const Note& sentinel, NoteSortKey key)
{
    switch (key) {
    case NoteSortKey::Source:
        return SourceRanks(notes, sentinel);
    case NoteSortKey::Categories:
        return CategoryRanks(notes, sentinel);
    default:
        return std::vector<int>(notes.size() + 1, 0); // dates alone decide
    }
}

template<typename Note> SortCandidate ItemOf(const Note& note, NoteSortKey key, int rank, bool descending)
{
    const DateTime& date = SortDate(note, key);
    SortCandidate item;
    item.rank = descending ? -rank : rank;
    item.status = date.status();
    item.date = date.IsValid() ? (descending ? -date.Days() : date.Days()) : 0.0;
    return item;
}

// Puts the note at order[k] into position k, moving records along the cycles of the
// permutation: no second list of 100,000 records is allocated.
template<typename Note> void PermuteInPlace(QList<Note>& notes, const std::vector<int>& order)
{
    Note* data = notes.data();
    std::vector<bool> placed(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == static_cast<int>(start))
            continue;
        Note held = std::move(data[start]);
        size_t at = start;
        while (true) {
            placed[at] = true;
            const size_t from = static_cast<size_t>(order[at]);
            if (from == start) {
                data[at] = std::move(held);
                break;
            }
            data[at] = std::move(data[from]);
            at = from;
        }
    }
}

} // namespace

NoteSortKey SortKeyOf(int sortId)
{
    switch (sortId % 100) {
    case 1:
        return NoteSortKey::DateAdded;
    case 2:
        return NoteSortKey::LastEdited;
    case 3:
        return NoteSortKey::Source;
    case 4:
        return NoteSortKey::Categories;
    default:
        return NoteSortKey::None;
    }
}

bool SortsDescending(int sortId)
{
    return sortId >= 800;
}

bool DateEarlierOrEqual(const DateTime& a, const DateTime& b)
{
    if (a.IsValid() && b.IsValid())
        return a.Days() <= b.Days();
    return a.IsNull() && b.IsNull();
}

QByteArray SortText(const QString& text)
{
    return text.toLower().toUtf8();
}

bool NoteSortsBefore(const NoteRecord& a, const NoteRecord& b, int sortId)
{
    switch (SortKeyOf(sortId)) {
    case NoteSortKey::DateAdded:
        return DateAddedRule(a, b);
    case NoteSortKey::LastEdited:
        return DateEarlierOrEqual(a.LastEdited, b.LastEdited);
    case NoteSortKey::Source: {
        const QByteArray textA = SortText(a.AttachedSource.CitationText);
        const QByteArray textB = SortText(b.AttachedSource.CitationText);
        if (textA != textB)
            return textA < textB;
        return DateAddedRule(a, b);
    }
    case NoteSortKey::Categories:
        if (CategoryAssignment::CategoryLess(a.Categories, b.Categories))
            return true;
        if (CategoryAssignment::CategoryLess(b.Categories, a.Categories))
            return false;
        return DateAddedRule(a, b);
    case NoteSortKey::None:
        break;
    }
    return false;
}

NoteRecord SortSentinel(int sortId, const DateTime& now)
{
    const bool descending = SortsDescending(sortId);
    const DateTime date = descending ? DateTime::FromParts(1900, 1, 1, 1, 1, 1) : now;
    const QString text = descending ? QString() : LastText();
    NoteRecord sentinel;
    sentinel.DateAdded = date;
    sentinel.LastEdited = date;
    sentinel.AttachedSource.CitationText = text;
    sentinel.Categories.ResetToDefault();
    for (CategoryLevelEntry& entry : sentinel.Categories.entries)
        entry.name = text;
    return sentinel;
}

namespace {

ListedNote ListedSentinel(const NoteRecord& sentinel)
{
    ListedNote listed = ListedNote::Of(sentinel);
    listed.Source = std::make_shared<const SourceRecord>(sentinel.AttachedSource);
    return listed;
}

const NoteRecord& SentinelAs(const NoteRecord& sentinel, const NoteRecord*)
{
    return sentinel;
}

ListedNote SentinelAs(const NoteRecord& sentinel, const ListedNote*)
{
    return ListedSentinel(sentinel);
}

template<typename Note> void SortAny(QList<Note>& notes, int sortId, const DateTime& now)
{
    const NoteSortKey key = SortKeyOf(sortId);
    if (notes.isEmpty() || key == NoteSortKey::None)
        return;
    const bool descending = SortsDescending(sortId);
    const Note sentinel = SentinelAs(SortSentinel(sortId, now), static_cast<const Note*>(nullptr));
    const std::vector<int> ranks = KeyRanks(notes, sentinel, key);

    std::vector<SortCandidate> items;
    items.reserve(notes.size());
    for (qsizetype i = 0; i < notes.size(); ++i)
        items.push_back(ItemOf(notes.at(i), key, ranks[i], descending));
    const SortCandidate sentinelItem = ItemOf(sentinel, key, ranks.back(), descending);

    PermuteInPlace(notes, SelectionSortOrder(items, sentinelItem));
}

} // namespace

void SortNotes(NotesList& notes, int sortId, const DateTime& now)
{
    SortAny(notes, sortId, now);
}

void SortNotes(NotesList& notes, int sortId)
{
    SortNotes(notes, sortId, DateTime::CurrentLocal());
}

void SortNotes(ListedNotes& notes, int sortId, const DateTime& now)
{
    SortAny(notes, sortId, now);
}

void SortNotes(ListedNotes& notes, int sortId)
{
    SortNotes(notes, sortId, DateTime::CurrentLocal());
}
