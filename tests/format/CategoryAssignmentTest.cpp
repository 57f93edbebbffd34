#include "format/CategoryAssignment.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

#include <gtest/gtest.h>

namespace {

const QString kUnassigned = QStringLiteral("<UNASSIGNED>");

CategoryLevelEntry Entry(int level, const QString& name, const QString& parentName = QString())
{
    CategoryLevelEntry entry;
    entry.level = level;
    entry.name = name;
    entry.parentName = parentName;
    return entry;
}

// A path of up to four names, Level 1 first; the rest of the four levels unassigned.
CategoryAssignment Path(const QStringList& names)
{
    CategoryAssignment a;
    for (int level = 0; level < names.size(); ++level) {
        a.entries[level].name = names.at(level);
        a.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
    }
    return a;
}

} // namespace

TEST(CategoryAssignment, NewAssignmentHasFourBlankLevels)
{
    CategoryAssignment a;
    ASSERT_EQ(a.entries.size(), 4);
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(a.entries[level].level, level);
        EXPECT_EQ(a.entries[level].name, kUnassigned);
        EXPECT_EQ(a.entries[level].parentName, kUnassigned);
    }
    EXPECT_EQ(a.AssignedLevelCount(), 0);
    EXPECT_TRUE(a.IsUnassigned());
}

TEST(CategoryAssignment, EntriesAreFoundByTheirLevelNotTheirPosition)
{
    CategoryAssignment a;
    a.entries = {Entry(1, QStringLiteral("Physics")), Entry(0, QStringLiteral("Science")),
                 Entry(1, QStringLiteral("Second"))};
    ASSERT_NE(a.FindEntry(0), nullptr);
    EXPECT_EQ(a.FindEntry(0)->name, QStringLiteral("Science"));
    EXPECT_EQ(a.FindEntry(1)->name, QStringLiteral("Physics")); // first match wins
    EXPECT_EQ(a.FindEntry(2), nullptr);
    EXPECT_EQ(a.NameAt(3), kUnassigned);
    EXPECT_EQ(a.AssignedLevelCount(), 3);

    a.RebuildPaths();
    EXPECT_EQ(a.entries[0].ancestorPath, QStringList {QStringLiteral("Science")});
    EXPECT_TRUE(a.entries[1].ancestorPath.isEmpty());
}

TEST(CategoryAssignment, RebuildPathsSkipsMissingLevels)
{
    CategoryAssignment a;
    a.entries = {Entry(0, QStringLiteral("A")), Entry(2, QStringLiteral("C")), Entry(3, QStringLiteral("D"))};
    a.RebuildPaths();
    EXPECT_TRUE(a.entries[0].ancestorPath.isEmpty());
    EXPECT_EQ(a.entries[1].ancestorPath, QStringList {QStringLiteral("A")});
    EXPECT_EQ(a.entries[2].ancestorPath, (QStringList {QStringLiteral("A"), QStringLiteral("C")}));
}

TEST(CategoryAssignment, ResetBelowBlanksDeeperLevelsKeepingTheirLevel)
{
    CategoryAssignment a = Path({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    a.ResetBelow(0);
    EXPECT_EQ(a.AssignedLevelCount(), 1);
    EXPECT_EQ(a.entries[1].level, 1);
    EXPECT_EQ(a.entries[2].level, 2);
    EXPECT_EQ(a.entries[2].parentName, kUnassigned);
    EXPECT_EQ(a.NameAt(0), QStringLiteral("A"));
}

TEST(CategoryAssignment, StoredAsCountThenLevelNameParentPerEntry)
{
    CategoryAssignment a;
    a.entries = {Entry(0, QStringLiteral("Art"), QString()),
                 Entry(1, QStringLiteral("Modern"), QStringLiteral("Art"))};
    FieldWriter writer;
    a.Write(writer);
    EXPECT_EQ(writer.LogicalBytes(),
              QByteArrayLiteral("0000000000000002"
                                "0000000000000000"
                                "0000000000000003Art"
                                "0000000000000000"
                                "0000000000000001"
                                "0000000000000006Modern"
                                "0000000000000003Art"));

    // Reading gives exactly the stored entries: no default levels are added.
    FieldReader reader(writer.LogicalBytes());
    CategoryAssignment read;
    read.Read(reader);
    EXPECT_EQ(read, a);
    EXPECT_EQ(read.entries.size(), 2);

    FieldReader empty(QByteArrayLiteral("0000000000000000"));
    read.Read(empty);
    EXPECT_TRUE(read.entries.isEmpty());
    EXPECT_EQ(read.NameAt(0), kUnassigned);
}

TEST(CategoryAssignment, CategoryLessComparesLevelByLevelIgnoringCase)
{
    const auto less = &CategoryAssignment::CategoryLess;
    const CategoryAssignment none;
    const CategoryAssignment art = Path({QStringLiteral("Art")});
    const CategoryAssignment artLower = Path({QStringLiteral("art")});
    const CategoryAssignment artModern = Path({QStringLiteral("Art"), QStringLiteral("Modern")});
    const CategoryAssignment artAncient = Path({QStringLiteral("ART"), QStringLiteral("ancient")});
    const CategoryAssignment zoology = Path({QStringLiteral("Zoology")});
    const CategoryAssignment digits = Path({QStringLiteral("1900s")});

    // "<" sorts before letters: unassigned levels come first.
    EXPECT_TRUE(less(none, art));
    EXPECT_FALSE(less(art, none));
    EXPECT_TRUE(less(art, artModern));
    EXPECT_TRUE(less(artAncient, artModern));
    EXPECT_FALSE(less(artModern, artAncient));
    EXPECT_TRUE(less(artModern, zoology));
    EXPECT_TRUE(less(digits, art));
    // Same letters in another case are equal at that level: neither is less.
    EXPECT_FALSE(less(art, artLower));
    EXPECT_FALSE(less(artLower, art));
    EXPECT_FALSE(less(art, art));

    // Lower-cased texts compare byte by byte: "_" (0x5F) lies between upper and lower
    // case letters, so after lower-casing it sorts before every letter.
    EXPECT_TRUE(less(Path({QStringLiteral("_misc")}), Path({QStringLiteral("Apple")})));

    // A missing entry reads as unassigned.
    CategoryAssignment shortOne;
    shortOne.entries = {Entry(0, QStringLiteral("Art"))};
    EXPECT_FALSE(less(shortOne, art));
    EXPECT_FALSE(less(art, shortOne));
    EXPECT_TRUE(less(shortOne, artModern));
}
