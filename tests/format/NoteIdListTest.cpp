#include "format/NoteIdList.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

#include <gtest/gtest.h>

namespace {

QList<qint32> Range(qint32 first, qint32 last)
{
    QList<qint32> ids;
    for (qint32 id = first; id <= last; ++id)
        ids.append(id);
    return ids;
}

} // namespace

TEST(NoteIdList, AddIfAbsentAppendsOnceAndRemoveAllTakesEveryOccurrence)
{
    NoteIdList list {5, 3};
    EXPECT_TRUE(list.AddIfAbsent(9));
    EXPECT_FALSE(list.AddIfAbsent(5));
    list.Append(3);
    EXPECT_EQ(list.Ids(), (QList<qint32> {5, 3, 9, 3}));
    EXPECT_EQ(list.CountOf(3), 2);

    EXPECT_TRUE(list.RemoveAll(3));
    EXPECT_FALSE(list.RemoveAll(3));
    EXPECT_FALSE(list.RemoveAll(77));
    EXPECT_EQ(list.Ids(), (QList<qint32> {5, 9}));
    EXPECT_FALSE(list.Contains(3));
}

TEST(NoteIdList, ElementAccessOutOfRangeGivesZeroAndReplacesNothing)
{
    NoteIdList list {11, 12};
    EXPECT_EQ(list.At(1), 12);
    EXPECT_EQ(list.At(2), 0);
    EXPECT_EQ(list.At(-1), 0);
    list.ReplaceAt(5, 99);
    list.ReplaceAt(0, 13);
    EXPECT_EQ(list.Ids(), (QList<qint32> {13, 12}));
    EXPECT_FALSE(list.Contains(11));
    EXPECT_TRUE(list.Contains(13));
}

TEST(NoteIdList, UnionAppendKeepsOwnOrderThenOthersNewIdsInTheirOrder)
{
    NoteIdList list {4, 2};
    list.UnionAppend(NoteIdList {7, 2, 1, 7});
    EXPECT_EQ(list.Ids(), (QList<qint32> {4, 2, 7, 1}));
}

// Long lists answer from a hash kept beside the ids; every answer must still match the
// list itself, through duplicates, replacements and removals.
TEST(NoteIdList, LongListsAnswerLikeShortOnes)
{
    NoteIdList list(Range(1, 100));
    list.Append(50);
    EXPECT_EQ(list.CountOf(50), 2);
    EXPECT_FALSE(list.AddIfAbsent(100));
    EXPECT_TRUE(list.AddIfAbsent(101));

    list.ReplaceAt(0, 50); // 1 leaves, 50 now three times
    EXPECT_FALSE(list.Contains(1));
    EXPECT_EQ(list.CountOf(50), 3);
    EXPECT_TRUE(list.AddIfAbsent(1));
    EXPECT_EQ(list.Ids().last(), 1);

    EXPECT_TRUE(list.RemoveAll(50));
    EXPECT_FALSE(list.Contains(50));
    EXPECT_EQ(list.Count(), 100); // 103 ids, three of them 50
    EXPECT_TRUE(list.AddIfAbsent(50));
    EXPECT_EQ(list.Ids().last(), 50);

    EXPECT_TRUE(list.RemoveAll(NoteIdList {2, 3, 50, 1000}));
    EXPECT_FALSE(list.Contains(2));
    EXPECT_FALSE(list.Contains(3));
    EXPECT_FALSE(list.Contains(50));
    EXPECT_TRUE(list.Contains(4));
    EXPECT_EQ(list.Count(), 98);

    NoteIdList copy = list;
    copy.Clear();
    EXPECT_FALSE(copy.Contains(4));
    EXPECT_TRUE(copy.AddIfAbsent(4));
    EXPECT_TRUE(list.Contains(4));
}

TEST(NoteIdList, WithoutKeepsOrderOfRemainingIds)
{
    NoteIdList list {9, 1, 8, 1, 7};
    EXPECT_EQ(list.Without(NoteIdList {1, 7}).Ids(), (QList<qint32> {9, 8}));
    EXPECT_FALSE(list.RemoveAll(NoteIdList {}));
    EXPECT_FALSE(list.RemoveAll(NoteIdList {42}));
}

TEST(NoteIdList, WritesCountThenOneIntegerPerIdAndReadsThemBack)
{
    FieldWriter writer;
    NoteIdList {1002, -3}.Write(writer);
    EXPECT_EQ(writer.LogicalBytes(),
              QByteArrayLiteral("0000000000000002"
                                "0000000000001002"
                                "-000000000000003"));

    FieldReader reader(writer.LogicalBytes());
    NoteIdList read {77};
    read.Read(reader);
    EXPECT_EQ(read.Ids(), (QList<qint32> {1002, -3}));
}

TEST(NoteIdList, ReadingDamagedCountsStaysWithinTheStream)
{
    FieldReader negative(QByteArrayLiteral("-000000000000001"
                                           "0000000000000005"));
    NoteIdList list {1};
    list.Read(negative);
    EXPECT_TRUE(list.IsEmpty());

    FieldReader truncated(QByteArrayLiteral("0000000999999999"
                                            "0000000000000005"
                                            "0000000000000006"));
    list.Read(truncated);
    EXPECT_EQ(list.Ids(), (QList<qint32> {5, 6}));
}
