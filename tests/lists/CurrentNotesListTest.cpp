#include "lists/CurrentNotesList.h"

#include "../store/NoteDatabaseFixture.h"
#include "format/LastViewListFile.h"
#include "format/NoteSortIds.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

// Notes 1..5 are the "old" notes of one day; 11..13 carry the key word "new" and were
// added on three days in the order 13, 11, 12; 21 and 22 share a source file with 23.
class CurrentNotesListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NotesList old;
        for (qint32 id = 1; id <= 5; ++id)
            old.append(MakeNote(id, 0, Day(2009, 1, 1, id)));
        root.WriteNotes(QStringLiteral("DAY01012009.dat"), old);
        root.WriteNotes(QStringLiteral("DAY03022009.dat"),
                        {MakeNote(11, 0, Day(2009, 3, 2), QStringLiteral("new"))});
        root.WriteNotes(QStringLiteral("DAY03032009.dat"),
                        {MakeNote(12, 0, Day(2009, 3, 3), QStringLiteral("new"))});
        root.WriteNotes(QStringLiteral("DAY03012009.dat"),
                        {MakeNote(13, 0, Day(2009, 3, 1), QStringLiteral("new"))});
        root.WriteNotes(QStringLiteral("SRC0000000009.dat"),
                        {MakeNote(21, 9, Day(2009, 4, 1)), MakeNote(23, 9, Day(2009, 4, 3))});
        root.WriteNotes(QStringLiteral("SRC0000000008.dat"), {MakeNote(22, 8, Day(2009, 4, 2))});
        root.WriteSources({MakeSource(8, QStringLiteral("Beta")), MakeSource(9, QStringLiteral("Alpha"))});
        db.LoadNoteDatabase(sources);
        // What the window does with the list's changes: clear its selection, redraw (from
        // the top once the list is empty) and show the count.
        following = notice.Subscribe([this](const DataChange& change) {
            if (!change.Has(DataChange::ListNotes))
                return;
            ++changes;
            redraws.append(list.Entries().isEmpty());
            status = CurrentNotesList::NotesInListText(list.Count());
        });
    }

    QList<qint32> Shown() const { return IdsOf(list.Entries()); }

    Root root;
    ChangeNotice notice;
    SourceStore sources {root.folder, notice};
    NoteDatabase db {root.folder, notice};
    CurrentNotesList list {db, sources, notice};
    ChangeNotice::Subscription following;
    int changes = 0;
    QList<bool> redraws;
    QString status;
};

} // namespace

TEST_F(CurrentNotesListTest, AddToTopPutsNewNotesByDateAboveUnchangedList)
{
    list.SetCurrentList(NoteIdList {4, 2, 5, 1, 3}, -1);
    EXPECT_EQ(Shown(), (QList<qint32> {4, 2, 5, 1, 3}));

    EXPECT_TRUE(list.SetCurrentList(NoteIdList {4, 2, 5, 1, 3, 11, 12, 13}, NoteSortId::AddToTop));
    EXPECT_EQ(Shown(), (QList<qint32> {13, 11, 12, 4, 2, 5, 1, 3}));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(list.Entries().at(i).JustAdded, i < 3) << i;
    EXPECT_EQ(status, QStringLiteral("Notes In List:    8"));
}

TEST_F(CurrentNotesListTest, AddToBottomAppendsNewNotesByDate)
{
    list.SetCurrentList(NoteIdList {2, 1}, -1);
    list.SetCurrentList(NoteIdList {12, 2, 1, 11, 13}, NoteSortId::AddToBottom);
    EXPECT_EQ(Shown(), (QList<qint32> {2, 1, 13, 11, 12}));
}

TEST_F(CurrentNotesListTest, PlacementOrdersAttachTheSourcesOfNewNotes)
{
    // The view draws a note's citation from its attached source: notes placed at the top
    // or the bottom need it as much as sorted ones.
    list.SetCurrentList(NoteIdList {21}, NoteSortId::AddToBottom);
    list.SetCurrentList(NoteIdList {21, 22}, NoteSortId::AddToTop);
    ASSERT_EQ(Shown(), (QList<qint32> {22, 21}));
    EXPECT_EQ(list.NoteAt(0).AttachedSource.SourceId, 8);
    EXPECT_EQ(list.NoteAt(1).AttachedSource.SourceId, 9);
    EXPECT_EQ(list.NoteAt(1).AttachedSource.Fields.at(0), QStringLiteral("Alpha"));
}

TEST_F(CurrentNotesListTest, OtherOrdersTakeWantedOrderAcrossFiles)
{
    // 21 and 23 share a file, 22 lies in another: the list follows the wanted order,
    // not the order in which the files were read.
    list.SetCurrentList(NoteIdList {23, 22, 21}, -1);
    EXPECT_EQ(Shown(), (QList<qint32> {23, 22, 21}));
    EXPECT_EQ(list.NoteAt(1).PlainText, QStringLiteral("Note 22"));
    // Sources are attached for the sort even when no sort follows.
    EXPECT_EQ(list.NoteAt(0).AttachedSource.SourceId, 9);
}

TEST_F(CurrentNotesListTest, PositiveSortIdSortsTheWholeList)
{
    list.SetCurrentList(NoteIdList {12, 3}, -1);
    list.SetCurrentList(NoteIdList {12, 3, 11, 1}, 701); // date added, past to present
    EXPECT_EQ(Shown(), (QList<qint32> {1, 3, 11, 12}));
}

TEST_F(CurrentNotesListTest, UnwantedNotesLeaveAndKeptNotesAreNotReloaded)
{
    list.SetCurrentList(NoteIdList {1, 2, 3}, -1);
    const int listedChars = list.Entries().at(1).TextChars;
    // Note 2 changes in its file behind the list's back: a listed note is not read again.
    NotesList old = root.ReadNotes(QStringLiteral("DAY01012009.dat"));
    old[1].PlainText = QStringLiteral("a much longer text than before");
    root.WriteNotes(QStringLiteral("DAY01012009.dat"), old);
    list.SetCurrentList(NoteIdList {3, 2, 11}, NoteSortId::AddToBottom);
    EXPECT_EQ(Shown(), (QList<qint32> {2, 3, 11}));
    EXPECT_EQ(list.Entries().at(0).TextChars, listedChars);
    EXPECT_FALSE(list.Entries().at(0).JustAdded);
}

TEST_F(CurrentNotesListTest, SameIdsChangeNothingAndDrawNothing)
{
    list.SetCurrentList(NoteIdList {1, 2}, -1);
    const int changesBefore = changes;
    const qsizetype redrawsBefore = redraws.size();
    EXPECT_FALSE(list.SetCurrentList(NoteIdList {2, 1}, 701));
    EXPECT_EQ(Shown(), (QList<qint32> {1, 2}));
    EXPECT_EQ(changes, changesBefore);
    EXPECT_EQ(redraws.size(), redrawsBefore);
    EXPECT_EQ(status, QStringLiteral("Notes In List:    2"));
}

TEST_F(CurrentNotesListTest, UnknownAndDeletedIdsAreSkippedSilently)
{
    NoteRecord gone = db.LoadNotesByIds(NoteIdList {3}).at(0);
    ASSERT_EQ(db.DeleteNotes({gone}).changed, NoteIdList {3});
    list.SetCurrentList(NoteIdList {3, 99, 1}, -1);
    EXPECT_EQ(Shown(), (QList<qint32> {1}));
}

TEST_F(CurrentNotesListTest, ClearingEmptiesAndResetsTheScroll)
{
    EXPECT_FALSE(list.ClearCurrentNotes()); // empty already: nothing happens
    EXPECT_TRUE(redraws.isEmpty());
    list.SetCurrentList(NoteIdList {1, 2}, -1);
    EXPECT_TRUE(list.ClearCurrentNotes());
    EXPECT_TRUE(list.Entries().isEmpty());
    EXPECT_TRUE(redraws.last());
    EXPECT_EQ(status, QStringLiteral("Notes In List:    0"));
}

TEST_F(CurrentNotesListTest, RemoveFromCurrentListKeepsTheNoteInTheDatabase)
{
    list.SetCurrentList(NoteIdList {1, 2}, -1);
    const int total = db.Total();
    EXPECT_TRUE(list.RemoveFromCurrentList(1));
    EXPECT_FALSE(list.RemoveFromCurrentList(1));
    EXPECT_EQ(Shown(), (QList<qint32> {2}));
    EXPECT_EQ(db.Total(), total);
    EXPECT_TRUE(db.FileIndex().FileOfNote(1).has_value());
    EXPECT_EQ(status, QStringLiteral("Notes In List:    1"));
}

TEST_F(CurrentNotesListTest, AddSavedNoteFollowsThePlacementAndRaisesTheTotal)
{
    list.SetCurrentList(NoteIdList {1, 2}, -1);
    const int total = db.Total();
    list.AddSavedNote(db.LoadNotesByIds(NoteIdList {11}).at(0), NoteSortId::AddToTop);
    EXPECT_EQ(Shown(), (QList<qint32> {11, 1, 2}));
    list.AddSavedNote(db.LoadNotesByIds(NoteIdList {12}).at(0), NoteSortId::AddToBottom);
    EXPECT_EQ(Shown(), (QList<qint32> {11, 1, 2, 12}));
    EXPECT_FALSE(list.Entries().at(0).JustAdded);
    EXPECT_TRUE(list.Entries().at(3).JustAdded);
    EXPECT_EQ(db.Total(), total + 2);
}

TEST_F(CurrentNotesListTest, LastViewListIsCountThenIdsAndComesBackInSavedOrder)
{
    EXPECT_EQ(LastViewListFile::Serialize(NoteIdList {12, 3}),
              QByteArrayLiteral("0000000000000002"
                                "0000000000000012"
                                "0000000000000003"));
    list.SetCurrentList(NoteIdList {12, 3, 21, 1}, -1);
    ASSERT_TRUE(list.SaveLastViewList());
    EXPECT_EQ(list.LastViewListPath(), root.DataPath(QStringLiteral("LastViewList.dat")));

    ASSERT_EQ(db.DeleteNotes(db.LoadNotesByIds(NoteIdList {21})).changed, NoteIdList {21});
    ChangeNotice nextChanges;
    SourceStore nextSources(root.folder, nextChanges);
    NoteDatabase next(root.folder, nextChanges);
    next.LoadNoteDatabase(nextSources);
    CurrentNotesList restored(next, nextSources, nextChanges);
    restored.RestoreLastViewList();
    EXPECT_EQ(IdsOf(restored.Entries()), (QList<qint32> {12, 3, 1}));
    for (const ListedNote& note : restored.Entries())
        EXPECT_FALSE(note.JustAdded);
}

TEST_F(CurrentNotesListTest, MissingOrDamagedLastViewListGivesAnEmptyList)
{
    list.RestoreLastViewList();
    EXPECT_TRUE(list.Entries().isEmpty());
    root.WriteRaw(root.DataPath(QStringLiteral("LastViewList.dat")),
                  QByteArrayLiteral("0000000000000009"
                                    "000000000000000"));
    // A count beyond the file stops where the file ends.
    EXPECT_LE(LastViewListFile::Read(list.LastViewListPath()).Count(), 1);
    root.WriteRaw(root.DataPath(QStringLiteral("LastViewList.dat")), QByteArrayLiteral("-000000000000004"));
    EXPECT_TRUE(LastViewListFile::Read(list.LastViewListPath()).IsEmpty());
}
