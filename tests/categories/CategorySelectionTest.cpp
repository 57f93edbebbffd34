#include "categories/CategorySelection.h"

#include "categories/ItemSelection.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

CategoryAssignment Path(const char* slashed)
{
    CategoryAssignment a;
    const QStringList names = S(slashed).split(QLatin1Char('/'));
    for (int level = 0; level < names.size(); ++level) {
        a.entries[level].name = names.at(level);
        a.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
    }
    return a;
}

class Selection : public ::testing::Test
{
protected:
    // Notes 1-3 at Art, 4-5 at Art/Modern, 6 at Art/Modern/Cubism, 7 at Art/Classic,
    // 8-9 at Science/Physics (nothing at Science itself); 90 unassigned.
    void SetUp() override
    {
        const std::pair<qint32, const char*> filed[] = {{1, "Art"},
                                                        {2, "Art"},
                                                        {3, "Art"},
                                                        {4, "Art/Modern"},
                                                        {5, "Art/Modern"},
                                                        {6, "Art/Modern/Cubism"},
                                                        {7, "Art/Classic"},
                                                        {8, "Science/Physics"},
                                                        {9, "Science/Physics"}};
        for (const auto& [id, path] : filed)
            trees.FileNote(id, Path(path));
    }
    void Build(NoteIdList current) { selection.Build(trees, NoteIdList {90}, current); }

    qint32 Id(const char* slashed) const
    {
        const QStringList names = S(slashed).split(QLatin1Char('/'));
        const CategoryTree& t = selection.Trees();
        const CategoryNode* node = nullptr;
        for (int i = 0; i < t.Count() && !node; ++i) {
            if (t.Node(i).name == names.first())
                node = &t.Node(i);
        }
        for (int level = 1; node && level < names.size(); ++level) {
            const CategoryNode* child = nullptr;
            for (int i = 0; i < node->ChildCount() && !child; ++i) {
                if (node->Child(i).name == names.at(level))
                    child = &node->Child(i);
            }
            node = child;
        }
        return node ? node->id : 0;
    }
    QString Text(const char* slashed) const { return selection.ItemText(Id(slashed)); }
    bool Active(const char* slashed) const { return selection.IsActive(Id(slashed)); }

    CategoryTree trees;
    CategorySelection selection;
};

TEST_F(Selection, BuildCountsThePageNotesFiledAtEachCategory)
{
    Build(NoteIdList {1, 2, 6, 42});
    EXPECT_EQ(Text("Art"), S("Art (2/3)"));
    EXPECT_EQ(Text("Art/Modern"), S("Modern (0/2)"));
    EXPECT_EQ(Text("Art/Modern/Cubism"), S("Cubism (1/1)"));
    EXPECT_EQ(Text("Science"), S("Science")); // nothing filed at Science itself
    EXPECT_EQ(selection.ItemText(UNASSIGNED_CATEGORY_ID), S("<UNASSIGNED> (0/1)"));
    EXPECT_TRUE(Active("Art"));
    EXPECT_TRUE(Active("Art/Modern")); // holds note 6 below it
    EXPECT_FALSE(Active("Art/Classic"));
    EXPECT_FALSE(Active("Science"));
    EXPECT_EQ(CategorySelection::WithoutCount(S("Art (2/3)")), S("Art"));
    EXPECT_EQ(CategorySelection::WithoutCount(S("Art (x)")), S("Art"));
    EXPECT_EQ(CategorySelection::WithoutCount(S("Art")), S("Art"));
}

TEST_F(Selection, GetAndRemoveNotesOnlyAtThisLevel)
{
    Build({});
    EXPECT_TRUE(selection.MenuFor(Id("Art")).getOnlyHere);
    selection.GetNotesOnlyAtThisLevel(Id("Art"));
    EXPECT_EQ(Text("Art"), S("Art (3/3)"));
    EXPECT_EQ(selection.PageNotes().Ids(), (QList<qint32> {1, 2, 3}));
    const CategorySelection::Menu menu = selection.MenuFor(Id("Art"));
    EXPECT_FALSE(menu.getOnlyHere);
    EXPECT_TRUE(menu.getAllSubcategories);
    EXPECT_TRUE(menu.separatorAfterGets);
    EXPECT_TRUE(menu.removeOnlyHere);
    EXPECT_TRUE(menu.onlyHereOutputs);

    selection.RemoveNotesOnlyAtThisLevel(Id("Art"));
    EXPECT_EQ(Text("Art"), S("Art (0/3)"));
    EXPECT_TRUE(selection.PageNotes().IsEmpty());
    EXPECT_FALSE(Active("Art"));
}

TEST_F(Selection, ACategoryWithNotesOnlyBelowIsTakenWholeByItsIcon)
{
    Build({});
    EXPECT_FALSE(selection.MenuFor(Id("Science")).getOnlyHere);
    EXPECT_FALSE(selection.MenuFor(Id("Science")).onlyHereOutputs);
    selection.ToggleIcon(Id("Science"));
    EXPECT_EQ(selection.PageNotes().Ids(), (QList<qint32> {8, 9}));
    EXPECT_TRUE(Active("Science/Physics"));
    EXPECT_EQ(Text("Science/Physics"), S("Physics (2/2)"));
    selection.ToggleIcon(Id("Science/Physics"));
    EXPECT_TRUE(selection.PageNotes().IsEmpty());
    EXPECT_FALSE(Active("Science"));
}

TEST_F(Selection, AllSubcategoriesLeaveTheCategorysOwnNotesOut)
{
    Build({});
    selection.GetNotesInAllSubcategories(Id("Art"));
    EXPECT_EQ(selection.PageNotes().Ids(), (QList<qint32> {4, 5, 6, 7}));
    EXPECT_EQ(Text("Art/Modern"), S("Modern (2/2)"));
    EXPECT_TRUE(Active("Art"));
}

TEST_F(Selection, ClearingALevelThreeTreeKeepsAncestorsWithAnotherActiveChild)
{
    trees.FileNote(10, Path("Art/Modern/Pop"));
    Build({});
    selection.GetNotesOnlyAtThisLevel(Id("Art/Modern/Cubism"));
    selection.GetNotesOnlyAtThisLevel(Id("Art/Modern/Pop"));
    selection.ClearCurrentTree(Id("Art/Modern/Cubism"));
    EXPECT_FALSE(Active("Art/Modern/Cubism"));
    EXPECT_TRUE(Active("Art/Modern"));
    EXPECT_TRUE(Active("Art"));
    EXPECT_EQ(selection.PageNotes().Ids(), (QList<qint32> {10}));

    // The last active child gone, the walk up clears the ancestors and their notes.
    selection.GetNotesOnlyAtThisLevel(Id("Art"));
    selection.ClearCurrentTree(Id("Art/Modern/Pop"));
    EXPECT_FALSE(Active("Art/Modern"));
    EXPECT_FALSE(Active("Art"));
    EXPECT_TRUE(selection.PageNotes().IsEmpty());
}

TEST_F(Selection, SelectAllAndClearAllCoverTheUnassignedTree)
{
    Build({});
    selection.SelectAll();
    EXPECT_EQ(selection.PageNotes().Count(), 10);
    EXPECT_TRUE(selection.PageNotes().Contains(90));
    EXPECT_EQ(selection.ItemText(UNASSIGNED_CATEGORY_ID), S("<UNASSIGNED> (1/1)"));
    selection.ClearAll();
    EXPECT_TRUE(selection.PageNotes().IsEmpty());
    EXPECT_FALSE(Active("Art"));
}

TEST(ItemSelection, GroupsFollowTheirChildrenAndCountsFollowThePage)
{
    QList<SelectionItem> items(4);
    items[0] = {S("Shared"), {}, -1, true, -1};
    items[1] = {S("First"), NoteIdList {1, 2}, 0, false, 7};
    items[2] = {S("Second"), NoteIdList {3}, 0, false, 8};
    items[3] = {S("art"), NoteIdList {4, 5, 6}, -1, false, 0};
    ItemSelection selection;
    selection.Build(items, NoteIdList {3, 4});
    EXPECT_TRUE(selection.IsActive(0));
    EXPECT_TRUE(selection.IsActive(2));
    EXPECT_EQ(selection.ItemText(3), S("art (1/3)"));
    EXPECT_EQ(selection.ItemText(0), S("Shared"));
    EXPECT_TRUE(selection.OffersGet(3));
    EXPECT_TRUE(selection.OffersRemove(3));
    EXPECT_FALSE(selection.OffersRemove(1));

    selection.GetNotes(1);
    selection.RemoveNotes(2);
    EXPECT_TRUE(selection.IsActive(0)); // First is still active
    selection.RemoveNotes(1);
    EXPECT_FALSE(selection.IsActive(0));
    EXPECT_EQ(selection.PageNotes().Ids(), (QList<qint32> {4}));
    selection.SelectAll();
    EXPECT_EQ(selection.ItemText(3), S("art (3/3)"));
    selection.ClearAll();
    EXPECT_TRUE(selection.PageNotes().IsEmpty());
}

} // namespace
