#include "store/NoteFileIndex.h"

#include <gtest/gtest.h>

TEST(NoteFileIndex, FirstEntryHoldingAnIdNamesItsFile)
{
    NoteFileIndex index;
    index.AddFileEntry(QStringLiteral("/d/DAY01012009.dat"), NoteIdList {1, 2});
    index.AddFileEntry(QStringLiteral("/d/SRC0000000007.dat"), NoteIdList {3, 2});
    EXPECT_EQ(index.Count(), 2);
    EXPECT_EQ(index.FileOfNote(2), QStringLiteral("/d/DAY01012009.dat"));
    EXPECT_EQ(index.FileOfNote(3), QStringLiteral("/d/SRC0000000007.dat"));
    EXPECT_FALSE(index.FileOfNote(4).has_value());

    // Removal takes the id out of every entry; the entries themselves stay.
    index.RemoveNoteFromIndex(2);
    EXPECT_FALSE(index.FileOfNote(2).has_value());
    EXPECT_EQ(index.Entries().at(1).ids.Ids(), (QList<qint32> {3}));
    index.RemoveNoteFromIndex(1);
    EXPECT_EQ(index.Count(), 2);
    EXPECT_TRUE(index.Entries().at(0).ids.IsEmpty());

    // A later entry that gains an id that an earlier one also gains: the earlier wins.
    index.AddFileEntry(QStringLiteral("/d/SRC0000000007.dat"), 9);
    index.AddFileEntry(QStringLiteral("/d/DAY01012009.dat"), 9);
    EXPECT_EQ(index.FileOfNote(9), QStringLiteral("/d/DAY01012009.dat"));
}

TEST(NoteFileIndex, ExistingPathUnionAppendsAndPathsCompareExactly)
{
    NoteFileIndex index;
    index.AddFileEntry(QStringLiteral("/d/DAY01012009.dat"), NoteIdList {5});
    index.AddFileEntry(QStringLiteral("/d/DAY01012009.dat"), NoteIdList {6, 5, 7});
    index.AddFileEntry(QStringLiteral("/d/day01012009.dat"), NoteIdList {8});
    ASSERT_EQ(index.Count(), 2);
    EXPECT_EQ(index.Entries().at(0).ids.Ids(), (QList<qint32> {5, 6, 7}));
    EXPECT_EQ(index.Entries().at(1).path, QStringLiteral("/d/day01012009.dat"));
    index.Clear();
    EXPECT_EQ(index.Count(), 0);
    EXPECT_FALSE(index.FileOfNote(5).has_value());
}
