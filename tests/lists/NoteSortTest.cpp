#include "lists/NoteSort.h"

#include <QList>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const DateTime kNow = DateTime::FromParts(2024, 6, 1, 12, 0, 0);
const QString k23z = QStringLiteral("zzzzzzzzzzzzzzzzzzzzzzz");

NoteRecord MakeNote(qint32 id, const DateTime& added, const QString& citation = QString())
{
    NoteRecord note;
    note.NoteID = id;
    note.DateAdded = added;
    note.LastEdited = added;
    note.AttachedSource.CitationText = citation;
    return note;
}

DateTime Day(int day, int second = 0)
{
    return DateTime::FromParts(2020, 1, day, 10, 0, second);
}

QList<qint32> Ids(const NotesList& notes)
{
    QList<qint32> ids;
    for (const NoteRecord& note : notes)
        ids.append(note.NoteID);
    return ids;
}

QList<qint32> Sorted(NotesList notes, int sortId)
{
    SortNotes(notes, sortId, kNow);
    return Ids(notes);
}

// The sort as the program states it, pass by pass, with the comparison under test.
NotesList LiteralSelectionSort(NotesList list, int sortId)
{
    if (sortId == 705 || sortId == 805 || list.isEmpty())
        return list;
    const bool ascending = sortId < 800;
    NotesList result;
    while (true) {
        NoteRecord sentinel;
        sentinel.DateAdded = ascending ? kNow : DateTime::FromParts(1900, 1, 1, 1, 1, 1);
        sentinel.LastEdited = sentinel.DateAdded;
        sentinel.AttachedSource.CitationText = ascending ? k23z : QString();
        for (CategoryLevelEntry& entry : sentinel.Categories.entries)
            entry.name = ascending ? k23z : QString();
        const NoteRecord* best = &sentinel;
        int bestIndex = -1;
        for (int i = 0; i < list.size(); ++i) {
            const bool beats = ascending ? NoteSortsBefore(list[i], *best, sortId)
                                         : NoteSortsBefore(*best, list[i], sortId);
            if (beats) {
                best = &list[i];
                bestIndex = i;
            }
        }
        if (bestIndex < 0)
            break;
        result.append(list.takeAt(bestIndex));
    }
    result.append(list);
    return result;
}

DateTime RandomDate(QRandomGenerator& random)
{
    switch (random.bounded(10)) {
    case 0:
        return DateTime();
    case 1:
        return DateTime::Invalid();
    case 2: // after the moment of sorting
        return DateTime::FromParts(2030, 1, 1 + random.bounded(2), 0, 0, 0);
    case 3: // before the descending sentinel
        return DateTime::FromParts(1899, 12, 31, 0, 0, random.bounded(2));
    case 4:
        return DateTime::FromParts(1900, 1, 1, 1, 1, 1);
    case 5:
        return kNow;
    default:
        return DateTime::FromParts(2010, 1, 1 + random.bounded(3), 0, 0, 0);
    }
}

QString RandomName(QRandomGenerator& random)
{
    static const QStringList pool = {
        QStringLiteral("alpha"),
        QStringLiteral("Alpha"),
        QStringLiteral("ALPHA"),
        QStringLiteral("beta"),
        QString(),
        QStringLiteral("<UNASSIGNED>"),
        QStringLiteral("{brace}"),
        QStringLiteral("_under"),
        k23z,
        k23z + QLatin1Char('z'),
        k23z.toUpper(),
        QStringLiteral("\u00c9clair"),
        QStringLiteral("\u00e9clair"),
        QStringLiteral("eclair"),
    };
    return pool.at(random.bounded(static_cast<int>(pool.size())));
}

NotesList RandomNotes(QRandomGenerator& random)
{
    NotesList notes;
    const int count = random.bounded(40);
    for (int i = 0; i < count; ++i) {
        NoteRecord note = MakeNote(i + 1, RandomDate(random), RandomName(random));
        note.LastEdited = RandomDate(random);
        // Few distinct paths, some with missing or repeated levels.
        for (int level = 0; level < 4; ++level)
            note.Categories.FindEntry(level)->name
                = random.bounded(3) == 0 ? RandomName(random) : UnassignedCategoryName();
        if (random.bounded(8) == 0)
            note.Categories.entries.removeAt(random.bounded(4));
        if (random.bounded(8) == 0)
            note.Categories.entries.prepend(note.Categories.entries.last());
        notes.append(note);
    }
    return notes;
}

} // namespace

TEST(NoteSortTest, EqualsTheLiteralSelectionSortOnRandomLists)
{
    QRandomGenerator random(2112);
    const int sortIds[] = {701, 801, 702, 802, 703, 803, 704, 804, 705, 805, 706, 3, 1803, -1};
    for (int round = 0; round < 400; ++round) {
        const NotesList notes = RandomNotes(random);
        for (int sortId : sortIds) {
            ASSERT_EQ(Sorted(notes, sortId), Ids(LiteralSelectionSort(notes, sortId)))
                << "round " << round << " sort " << sortId;
        }
    }
}

TEST(NoteSortTest, DateAdded)
{
    // Two notes of the same second change places; the rest go by date.
    NotesList notes = {MakeNote(1, Day(5)), MakeNote(2, Day(3)), MakeNote(3, Day(3)), MakeNote(4, Day(1))};
    EXPECT_EQ(Sorted(notes, 701), (QList<qint32> {4, 3, 2, 1}));
    EXPECT_EQ(Sorted(notes, 801), (QList<qint32> {1, 3, 2, 4}));

    // A note added after the moment of sorting, a null and an invalid date are never
    // placed: they follow, in their previous order.
    notes = {MakeNote(1, DateTime::FromParts(2031, 1, 1, 0, 0, 0)), MakeNote(2, DateTime()),
             MakeNote(3, Day(9)), MakeNote(4, DateTime::Invalid()), MakeNote(5, Day(2))};
    EXPECT_EQ(Sorted(notes, 701), (QList<qint32> {5, 3, 1, 2, 4}));
    // Descending, the future note is the most recent; dates before 1 January 1900
    // 01:01:01 never beat the sentinel.
    notes.append(MakeNote(6, DateTime::FromParts(1900, 1, 1, 1, 1, 0)));
    notes.append(MakeNote(7, DateTime::FromParts(1900, 1, 1, 1, 1, 1)));
    EXPECT_EQ(Sorted(notes, 801), (QList<qint32> {1, 3, 5, 7, 2, 4, 6}));

    // Last edited is its own key.
    notes = {MakeNote(1, Day(1)), MakeNote(2, Day(2))};
    notes[0].LastEdited = Day(8);
    EXPECT_EQ(Sorted(notes, 702), (QList<qint32> {2, 1}));
    EXPECT_EQ(Sorted(notes, 701), (QList<qint32> {1, 2}));
}

TEST(NoteSortTest, Source)
{
    // Case-only differences group together, ordered among themselves by date added; no
    // source (empty text) comes first.
    NotesList notes = {MakeNote(1, Day(4), QStringLiteral("Smith, Book.")),
                       MakeNote(2, Day(1), QStringLiteral("Adams, Atlas.")),
                       MakeNote(3, Day(2), QStringLiteral("SMITH, BOOK.")), MakeNote(4, Day(9)),
                       MakeNote(5, Day(3), QStringLiteral("smith, book."))};
    EXPECT_EQ(Sorted(notes, 703), (QList<qint32> {4, 2, 3, 5, 1}));
    EXPECT_EQ(Sorted(notes, 803), (QList<qint32> {1, 5, 3, 2, 4}));

    // A brace follows z in byte order: beyond the sentinel, so never placed. A text equal
    // to the sentinel's is placed only by a date not later than now.
    notes = {MakeNote(1, Day(1), QStringLiteral("{Anon}")),
             MakeNote(2, Day(1), QStringLiteral("b")),
             MakeNote(3, Day(1), QStringLiteral("[Anon]")),
             MakeNote(4, Day(2), k23z.toUpper()),
             MakeNote(5, DateTime(), k23z),
             MakeNote(6, Day(1), QStringLiteral("a"))};
    EXPECT_EQ(Sorted(notes, 703), (QList<qint32> {3, 6, 2, 4, 1, 5}));

    // Within one text the first remaining note's date decides what a pass can take:
    // a null first note takes the nulls, last first.
    notes = {MakeNote(1, DateTime(), QStringLiteral("a")), MakeNote(2, Day(1), QStringLiteral("a")),
             MakeNote(3, DateTime(), QStringLiteral("a")),
             MakeNote(4, DateTime::Invalid(), QStringLiteral("a"))};
    EXPECT_EQ(Sorted(notes, 703), (QList<qint32> {3, 1, 2, 4}));
}

TEST(NoteSortTest, Categories)
{
    auto filed = [](qint32 id, const DateTime& added, const QString& level1, const QString& level2) {
        NoteRecord note = MakeNote(id, added);
        note.Categories.FindEntry(0)->name = level1;
        note.Categories.FindEntry(1)->name = level2;
        return note;
    };
    NotesList notes = {filed(1, Day(1), QStringLiteral("History"), QStringLiteral("Rome")),
                       filed(2, Day(1), QStringLiteral("<UNASSIGNED>"), QStringLiteral("<UNASSIGNED>")),
                       filed(3, Day(2), QStringLiteral("history"), QStringLiteral("rome")),
                       filed(4, Day(1), QStringLiteral("History"), QStringLiteral("Athens")),
                       filed(5, Day(1), QStringLiteral("Art"), QStringLiteral("<UNASSIGNED>"))};
    // Unfiled first; History/Rome equal to history/rome, decided by date added.
    EXPECT_EQ(Sorted(notes, 704), (QList<qint32> {2, 5, 4, 1, 3}));
    EXPECT_EQ(Sorted(notes, 804), (QList<qint32> {3, 1, 4, 5, 2}));
}

TEST(NoteSortTest, PlacementOnlyIdsKeepTheOrder)
{
    const NotesList notes
        = {MakeNote(1, Day(5), QStringLiteral("b")), MakeNote(2, Day(1), QStringLiteral("a"))};
    for (int sortId : {705, 805, 706, 0, -1})
        EXPECT_EQ(Sorted(notes, sortId), (QList<qint32> {1, 2})) << sortId;
    EXPECT_FALSE(NoteSortsBefore(notes[1], notes[0], 705));
}

TEST(NoteSortTest, DateRule)
{
    EXPECT_TRUE(DateEarlierOrEqual(Day(1), Day(1)));
    EXPECT_TRUE(DateEarlierOrEqual(Day(1), Day(2)));
    EXPECT_FALSE(DateEarlierOrEqual(Day(2), Day(1)));
    EXPECT_TRUE(DateEarlierOrEqual(DateTime(), DateTime()));
    EXPECT_FALSE(DateEarlierOrEqual(DateTime(), Day(1)));
    EXPECT_FALSE(DateEarlierOrEqual(Day(1), DateTime::Invalid()));
    EXPECT_FALSE(DateEarlierOrEqual(DateTime::Invalid(), DateTime::Invalid()));
}
