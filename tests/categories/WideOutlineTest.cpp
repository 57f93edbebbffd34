// Outlines of tens of thousands of categories: every control-bar and re-filing operation
// goes through the trees a fixed number of times, however many items there are; and the
// one-walk forms give exactly what the per-note forms give.

#include "categories/CategoryNodeIndex.h"
#include "categories/CategoryRefiling.h"
#include "categories/CategorySelection.h"
#include "categories/CategoryTree.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

CategoryAssignment Path(const QStringList& names)
{
    CategoryAssignment a;
    for (int level = 0; level < names.size() && level < 4; ++level) {
        a.entries[level].name = names.at(level);
        a.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
    }
    return a;
}

// width Level 1 categories, each with two subcategories, one of which has a child; two
// notes at each category, the Level 1 ones also holding what is filed below them.
CategoryTree WideTrees(int width, int* nodes)
{
    CategoryTree trees;
    qint32 id = 1;
    for (int i = 0; i < width; ++i) {
        const QString top = QStringLiteral("Topic %1").arg(i);
        for (int n = 0; n < 2; ++n) {
            trees.FileNote(id++, Path({top}));
            trees.FileNote(id++, Path({top, QStringLiteral("Left")}));
            trees.FileNote(id++, Path({top, QStringLiteral("Right")}));
            trees.FileNote(id++, Path({top, QStringLiteral("Right"), QStringLiteral("Deep")}));
        }
    }
    *nodes = width * 4;
    return trees;
}

} // namespace

TEST(WideOutline, TheControlBarsPageFindsItsItemsWithoutWalkingTheTrees)
{
    int nodes = 0;
    const CategoryTree trees = WideTrees(1500, &nodes);
    CategorySelection selection;
    selection.Build(trees, NoteIdList {900001}, NoteIdList {1, 2, 7});
    const quint64 built = selection.Trees().NodeVisits();
    // Numbering and the lookup table: a walk each.
    EXPECT_LE(built, quint64(3 * (nodes + 1)));

    // Every item's text and menu, as the page draws and offers them.
    QStringList texts;
    for (qint32 id = 1; id <= nodes; ++id) {
        texts.append(selection.ItemText(id));
        selection.MenuFor(id);
    }
    EXPECT_EQ(selection.Trees().NodeVisits(), built) << "a walk per item";
    EXPECT_EQ(texts.at(0), QStringLiteral("Topic 0 (1/2)"));
    EXPECT_EQ(texts.at(3), QStringLiteral("Deep (0/2)"));

    // The commands over every item: one pass each.
    selection.SelectAll();
    EXPECT_EQ(selection.PageNotes().Count(), 1500 * 8 + 1);
    selection.ClearAll();
    EXPECT_TRUE(selection.PageNotes().IsEmpty());
    for (qint32 id = 1; id <= nodes; id += 97)
        selection.ToggleIcon(id);
    EXPECT_LE(selection.Trees().NodeVisits(), built + quint64(2 * (nodes + 1)));
}

TEST(WideOutline, NamesAtLevelPassesOverTheTreesOnceAndIgnoresCase)
{
    int nodes = 0;
    CategoryTree trees = WideTrees(3000, &nodes);
    trees.FileNote(900001, Path({QStringLiteral("TOPIC 7")}));
    trees.FileNote(900002, Path({QStringLiteral("\u00c4rger")}));
    trees.FileNote(900003, Path({QStringLiteral("\u00e4rger ")}));
    const quint64 before = trees.NodeVisits();
    const QStringList names = trees.NamesAtLevel(0, QString());
    EXPECT_LE(trees.NodeVisits() - before, quint64(nodes + 3));
    EXPECT_EQ(names.size(), 1 + 3000 + 1); // "TOPIC 7" and "ärger" repeat names met before
    EXPECT_EQ(names.first(), QStringLiteral("<UNASSIGNED>"));
    EXPECT_EQ(names.last(), QStringLiteral("\u00c4rger"));
    EXPECT_EQ(
        trees.NamesAtLevel(1, QStringLiteral("Topic 3")),
        (QStringList {QStringLiteral("<UNASSIGNED>"), QStringLiteral("Left"), QStringLiteral("Right")}));
}

TEST(WideOutline, TheLookupTableFindsWhatTheWalkFinds)
{
    int nodes = 0;
    CategoryTree trees = WideTrees(40, &nodes);
    trees.Renumber();
    trees.AppendUnassignedNode(NoteIdList {5});
    // A second node with an id already given: the walk's first one is found.
    trees.Node(3).Child(0).id = trees.Node(2).id;
    const CategoryNodeIndex index(trees);
    for (qint32 id : {1, 2, 17, qint32(nodes), trees.Node(2).id, UNASSIGNED_CATEGORY_ID, 0, nodes + 1})
        EXPECT_EQ(index.Find(id), trees.FindNode(id)) << id;
}

// Trees as editing leaves them: notes held by two branches, a child holding a note its
// parent lacks, Level 1 trees of one name: the one-walk re-filing agrees with the
// per-note rule on every note, path and "changed" answer alike.
TEST(WideOutline, RefilingManyNotesAgreesWithRefilingEachNote)
{
    QRandomGenerator random(2112);
    const QStringList names {QStringLiteral("Art"), QStringLiteral("Science"), QStringLiteral("art"),
                             QStringLiteral("Oil"), QStringLiteral("Physics")};
    for (int round = 0; round < 20; ++round) {
        CategoryTree trees;
        QList<CategoryAssignment> paths;
        for (qint32 id = 1; id <= 60; ++id) {
            QStringList path;
            for (int level = random.bounded(5); level > 0; --level)
                path.append(names.at(random.bounded(names.size())));
            paths.append(Path(path));
            trees.FileNote(id, paths.last());
        }
        // Edits of the kind the category editor makes, done by hand.
        for (int edit = 0; edit < 6 && trees.Count() > 1; ++edit) {
            CategoryNode& top = trees.Node(random.bounded(trees.Count()));
            if (top.HasChildren())
                top.Child(random.bounded(top.ChildCount()))
                    .AddNotesToNodeAndAncestors(NoteIdList {random.bounded(1, 61)});
            trees.Node(random.bounded(trees.Count())).notes.Append(random.bounded(1, 61));
            if (trees.Node(0).HasChildren() && random.bounded(3) == 0)
                trees.Node(0).Child(0).notes.Append(random.bounded(1, 61)); // held below only
            if (random.bounded(4) == 0)
                trees.Append(CategoryNode(trees.Node(0))); // a second tree of one name
        }
        const CategoryRefiling refiling(trees);
        for (qint32 id = 1; id <= 61; ++id) {
            CategoryAssignment one = id <= 60 ? paths.at(id - 1) : Path({QStringLiteral("Gone")});
            CategoryAssignment many = one;
            const bool oneChanged = trees.ApplyToNote(id, one);
            const bool manyChanged = refiling.ApplyToNote(id, many);
            EXPECT_EQ(manyChanged, oneChanged) << "round " << round << " note " << id;
            EXPECT_EQ(many, one) << "round " << round << " note " << id;
        }
    }
}
