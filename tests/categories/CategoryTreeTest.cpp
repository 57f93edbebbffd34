#include "categories/CategoryTree.h"

#include "format/NoteRecord.h"
#include "support/FixedClock.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

const QString kUnassigned = QStringLiteral("<UNASSIGNED>");

// A path of up to four names, Level 1 first; the other levels unassigned. An empty name
// leaves that level unassigned.
CategoryAssignment Path(const QStringList& names)
{
    CategoryAssignment a;
    for (int level = 0; level < names.size(); ++level) {
        if (names.at(level).isEmpty())
            continue;
        a.entries[level].name = names.at(level);
        a.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
    }
    return a;
}

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QList<qint32> Ids(const NoteIdList& list)
{
    return list.Ids();
}

// Every id of a child is also in its parent: what every count shown beside a category
// relies on.
void ExpectChildrenWithinParents(const CategoryNode& node)
{
    for (int i = 0; i < node.ChildCount(); ++i) {
        const CategoryNode& child = node.Child(i);
        EXPECT_EQ(child.Parent(), &node);
        for (qint32 id : child.notes)
            EXPECT_TRUE(node.notes.Contains(id)) << id << " of " << child.name.toStdString();
        ExpectChildrenWithinParents(child);
    }
}

QByteArray Json(const CategoryTree& tree)
{
    return QJsonDocument(tree.ToJson()).toJson(QJsonDocument::Compact);
}

// Science > Physics > Quantum, Science > Chemistry, Art > Modern: notes 1..5.
CategoryTree SampleTree()
{
    CategoryTree tree;
    tree.FileNote(1, Path({S("Science"), S("Physics")}));
    tree.FileNote(2, Path({S("Science"), S("Chemistry")}));
    tree.FileNote(3, Path({S("Science"), S("Physics"), S("Quantum")}));
    tree.FileNote(4, Path({S("Art"), S("Modern")}));
    tree.FileNote(5, Path({S("Art")}));
    return tree;
}

} // namespace

TEST(CategoryTree, LoadFilesNotesUnderSharedCategoriesInTheOrderTheyAppear)
{
    CategoryTree tree;
    NoteIdList unassigned;
    tree.AddNoteAtLoad(10, Path({S("Science"), S("Physics")}), unassigned);
    tree.AddNoteAtLoad(11, CategoryAssignment(), unassigned);
    tree.AddNoteAtLoad(12, Path({S("Science"), S("Chemistry")}), unassigned);
    tree.AddNoteAtLoad(13, Path({S("Art")}), unassigned);
    tree.AddNoteAtLoad(14, Path({S("Science"), S("Physics")}), unassigned);

    EXPECT_EQ(Json(tree),
              QByteArrayLiteral(
                  R"([{"children":[{"children":[],"name":"Physics","notes":[10,14]},)"
                  R"({"children":[],"name":"Chemistry","notes":[12]}],"name":"Science","notes":[10,12,14]},)"
                  R"({"children":[],"name":"Art","notes":[13]}])"));
    EXPECT_EQ(Ids(unassigned), (QList<qint32> {11}));
    // Nobody is filed at exactly Science: it shows with its bare name, no count.
    EXPECT_TRUE(tree.Node(0).NotesOnlyAtThisLevel().IsEmpty());
    EXPECT_EQ(Ids(tree.Node(1).NotesOnlyAtThisLevel()), (QList<qint32> {13}));
    ExpectChildrenWithinParents(tree.Node(0));
}

TEST(CategoryTree, NamesAreComparedCaseSensitivelyAndByTheirWholePath)
{
    CategoryTree tree;
    tree.FileNote(1, Path({S("Science")}));
    tree.FileNote(2, Path({S("science")}));
    // The same name at another depth or under another parent is another category.
    tree.FileNote(3, Path({S("Physics")}));
    tree.FileNote(4, Path({S("Science"), S("Physics")}));
    tree.FileNote(5, Path({S("science"), S("Physics")}));
    ASSERT_EQ(tree.Count(), 3);
    EXPECT_EQ(tree.Node(0).name, S("Science"));
    EXPECT_EQ(tree.Node(1).name, S("science"));
    EXPECT_EQ(Ids(tree.Node(0).Child(0).notes), (QList<qint32> {4}));
    EXPECT_EQ(Ids(tree.Node(1).Child(0).notes), (QList<qint32> {5}));
    EXPECT_EQ(Ids(tree.Node(2).notes), (QList<qint32> {3}));
    EXPECT_FALSE(tree.Node(2).HasChildren());
}

TEST(CategoryTree, PathStopsAtItsFirstUnassignedLevelAndAtLevelFour)
{
    CategoryTree tree;
    tree.FileNote(1, Path({S("Art"), QString(), S("Cubism")}));
    ASSERT_EQ(tree.Count(), 1);
    EXPECT_FALSE(tree.Node(0).HasChildren());
    EXPECT_EQ(Ids(tree.Node(0).NotesOnlyAtThisLevel()), (QList<qint32> {1}));

    // An entry beyond Level 4 is never filed.
    CategoryAssignment deep = Path({S("A"), S("B"), S("C"), S("D")});
    CategoryLevelEntry fifth;
    fifth.level = 4;
    fifth.name = S("E");
    deep.entries.append(fifth);
    tree.FileNote(2, deep);
    const CategoryNode& d = tree.Node(1).Child(0).Child(0).Child(0);
    EXPECT_EQ(d.name, S("D"));
    EXPECT_EQ(d.Level(), 4);
    EXPECT_FALSE(d.HasChildren());

    // A path read from a file may lack levels: looked up by level, never by position.
    CategoryAssignment shuffled;
    shuffled.entries = {deep.entries[1], deep.entries[0]};
    tree.FileNote(3, shuffled);
    EXPECT_EQ(Ids(tree.Node(1).Child(0).notes), (QList<qint32> {2, 3}));
    EXPECT_EQ(Ids(tree.Node(1).Child(0).NotesOnlyAtThisLevel()), (QList<qint32> {3}));
    // Nothing is filed for an unassigned note.
    tree.FileNote(4, CategoryAssignment());
    EXPECT_EQ(tree.Count(), 2);
}

TEST(CategoryTree, FilingTwiceNeverDuplicatesAnId)
{
    CategoryTree tree;
    tree.FileNote(7, Path({S("Science"), S("Physics")}));
    tree.FileNote(7, Path({S("Science"), S("Physics")}));
    EXPECT_EQ(Ids(tree.Node(0).notes), (QList<qint32> {7}));
    EXPECT_EQ(Ids(tree.Node(0).Child(0).notes), (QList<qint32> {7}));
}

TEST(CategoryTree, UnfilingKeepsEmptiedCategoriesAndRefilingReusesThem)
{
    CategoryTree tree = SampleTree();
    tree.UnfileNote(2, Path({S("Science"), S("Chemistry")}));
    const CategoryNode& science = tree.Node(0);
    ASSERT_EQ(science.ChildCount(), 2);
    EXPECT_TRUE(science.Child(1).notes.IsEmpty()); // Chemistry lingers until the next load
    EXPECT_EQ(Ids(science.notes), (QList<qint32> {1, 3}));

    // Saving a note from the editor: out under the old path, in under the new one.
    tree.UnfileNote(1, Path({S("Science"), S("Physics")}));
    tree.FileNote(1, Path({S("Science"), S("Chemistry")}));
    EXPECT_EQ(Ids(science.notes), (QList<qint32> {3, 1}));
    EXPECT_EQ(Ids(science.Child(0).notes), (QList<qint32> {3}));
    EXPECT_EQ(Ids(science.Child(1).notes), (QList<qint32> {1}));
    EXPECT_EQ(science.ChildCount(), 2);

    // A path that names other categories (another case, another parent) takes nothing out.
    tree.UnfileNote(3, Path({S("science"), S("Physics"), S("Quantum")}));
    tree.UnfileNote(3, Path({S("Art"), S("Physics"), S("Quantum")}));
    tree.UnfileNote(3, CategoryAssignment());
    EXPECT_TRUE(science.Child(0).Child(0).notes.Contains(3));
    ExpectChildrenWithinParents(science);

    // Unfiling part of the path keeps the deeper levels: only matching nodes lose the note.
    tree.UnfileNote(3, Path({S("Science")}));
    EXPECT_FALSE(science.notes.Contains(3));
    EXPECT_TRUE(science.Child(0).notes.Contains(3));
}

TEST(CategoryTree, RenumberFindNodeAndMaxIdFollowTheDepthFirstOrder)
{
    CategoryTree tree = SampleTree();
    EXPECT_EQ(tree.MaxId(), 0); // every id is -1 before numbering
    tree.Renumber();
    // Science 1, Physics 2, Quantum 3, Chemistry 4, Art 5, Modern 6.
    const QStringList order {S("Science"), S("Physics"), S("Quantum"), S("Chemistry"), S("Art"), S("Modern")};
    for (int id = 1; id <= 6; ++id) {
        ASSERT_NE(tree.FindNode(id), nullptr);
        EXPECT_EQ(tree.FindNode(id)->name, order.at(id - 1));
    }
    EXPECT_EQ(tree.FindNode(7), nullptr);
    EXPECT_EQ(tree.MaxId(), 6);

    tree.AppendUnassignedNode(NoteIdList {8, 9});
    EXPECT_EQ(tree.MaxId(), 6);
    ASSERT_NE(tree.FindNode(UNASSIGNED_CATEGORY_ID), nullptr);
    EXPECT_EQ(tree.FindNode(UNASSIGNED_CATEGORY_ID)->name, kUnassigned);
    EXPECT_EQ(CategoryTree().MaxId(), 0);
}

TEST(CategoryTree, PseudoNodeComesAndGoesWithoutTouchingTheTrees)
{
    const CategoryTree original = SampleTree();
    CategoryTree working = original;
    working.Renumber();
    CategoryNode& pseudo = working.AppendUnassignedNode(NoteIdList {8, 9});
    EXPECT_EQ(pseudo.id, 21122112);
    EXPECT_EQ(working.Count(), original.Count() + 1);
    EXPECT_EQ(working.IndexOf(pseudo), working.Count() - 1);

    // Moving notes out of "<UNASSIGNED>" into Modern (as the editor does).
    CategoryNode* modern = working.FindNode(6);
    ASSERT_NE(modern, nullptr);
    modern->AddNotesToNodeAndAncestors(pseudo.notes);
    working.FindNode(UNASSIGNED_CATEGORY_ID)->notes.Clear();
    EXPECT_EQ(Ids(working.Node(1).notes), (QList<qint32> {4, 5, 8, 9}));

    EXPECT_TRUE(working.TakeUnassignedNode().IsEmpty());
    EXPECT_EQ(working.Count(), original.Count());
    EXPECT_EQ(working.FindNode(UNASSIGNED_CATEGORY_ID), nullptr);

    CategoryTree again = original;
    again.AppendUnassignedNode(NoteIdList {3, 1});
    EXPECT_EQ(Ids(again.TakeUnassignedNode()), (QList<qint32> {3, 1}));
    EXPECT_EQ(again, original);
}

TEST(CategoryTree, NameExistsAmongSiblingsLooksAtTheNodesOwnLevelOnly)
{
    CategoryTree tree = SampleTree();
    tree.Renumber();
    const qint32 physics = 2;
    const qint32 art = 5;
    EXPECT_TRUE(tree.NameExistsAmongSiblings(physics, S("Chemistry")));
    EXPECT_TRUE(tree.NameExistsAmongSiblings(physics, S("Physics"))); // the node itself counts
    EXPECT_FALSE(tree.NameExistsAmongSiblings(physics, S("chemistry")));
    EXPECT_FALSE(tree.NameExistsAmongSiblings(physics, S("Quantum")));
    EXPECT_FALSE(tree.NameExistsAmongSiblings(physics, S("Art")));
    EXPECT_TRUE(tree.NameExistsAmongSiblings(art, S("Science")));
    EXPECT_FALSE(tree.NameExistsAmongSiblings(art, S("Modern")));
    EXPECT_TRUE(tree.NameExistsAmongSiblings(999, S("Art"))); // unknown id: Level 1 names
}

TEST(CategoryTree, PathTextNamesEveryLevelDownToTheNode)
{
    CategoryTree tree = SampleTree();
    EXPECT_EQ(CategoryTree::PathText(tree.Node(1)), S("L1: Art"));
    EXPECT_EQ(CategoryTree::PathText(tree.Node(1).Child(0)), S("L1: Art\nL2: Modern\n"));
    EXPECT_EQ(CategoryTree::PathText(tree.Node(0).Child(0).Child(0)),
              S("L1: Science\nL2: Physics\nL3: Quantum\n"));
}

TEST(CategoryTree, NamesAtLevelOffersTrimmedDistinctNamesAfterUnassigned)
{
    CategoryTree tree;
    tree.FileNote(1, Path({S("Science"), S("Methods"), S("Survey")}));
    tree.FileNote(2, Path({S("Science"), S(" Physics ")}));
    tree.FileNote(3, Path({S("Humanities"), S("Methods"), S("Interview")}));
    tree.FileNote(4, Path({S("Humanities"), S("physics")}));
    tree.FileNote(5, Path({S("Humanities"), S("Methods"), S("survey")}));
    tree.FileNote(6, Path({S("Art"), S("  ")}));

    EXPECT_EQ(tree.NamesAtLevel(0, QString()),
              (QStringList {kUnassigned, S("Science"), S("Humanities"), S("Art")}));
    EXPECT_EQ(tree.NamesAtLevel(0, S("Science")), tree.NamesAtLevel(0, QString()));
    EXPECT_EQ(tree.NamesAtLevel(1, S("Science")), (QStringList {kUnassigned, S("Methods"), S("Physics")}));
    // No parent name: every Level 2 name, the blank one dropped, "physics" a repeat.
    EXPECT_EQ(tree.NamesAtLevel(1, QString()), (QStringList {kUnassigned, S("Methods"), S("Physics")}));
    // Same-named parents in different trees pool their children.
    EXPECT_EQ(tree.NamesAtLevel(2, S("Methods")), (QStringList {kUnassigned, S("Survey"), S("Interview")}));
    EXPECT_EQ(tree.NamesAtLevel(2, S("methods")), QStringList {kUnassigned});
    EXPECT_EQ(tree.NamesAtLevel(3, QString()), QStringList {kUnassigned});
}

TEST(CategoryTree, ApplyToNoteRefilesFromTheTreesAndReportsChangedPaths)
{
    CategoryTree tree = SampleTree();

    // Unchanged path: rewritten in the re-filed form (empty parent at Level 1).
    CategoryAssignment one = Path({S("Science"), S("Physics")});
    one.entries[0].parentName = kUnassigned;
    EXPECT_FALSE(tree.ApplyToNote(1, one));
    EXPECT_EQ(one.NameAt(0), S("Science"));
    EXPECT_EQ(one.entries[0].parentName, QString());
    EXPECT_EQ(one.NameAt(1), S("Physics"));
    EXPECT_EQ(one.entries[1].parentName, S("Science"));
    EXPECT_EQ(one.entries[2].name, kUnassigned);
    EXPECT_EQ(one.entries[2].parentName, kUnassigned);
    EXPECT_EQ(one.entries.size(), 4);
    EXPECT_EQ(one.entries[1].ancestorPath, QStringList {S("Science")});

    // Renamed category.
    tree.Node(0).Child(0).name = S("Physik");
    CategoryAssignment three = Path({S("Science"), S("Physics"), S("Quantum")});
    EXPECT_TRUE(tree.ApplyToNote(3, three));
    EXPECT_EQ(three.NameAt(1), S("Physik"));
    EXPECT_EQ(three.FindEntry(2)->parentName, S("Physik"));
    EXPECT_EQ(three.NameAt(2), S("Quantum"));

    // Deleted Level 3 category: the note is filed at its Level 2 parent, even though
    // that parent keeps other subcategories.
    tree.Node(0).Child(0).AppendChild(CategoryNode(S("Optics")));
    tree.Node(0).Child(0).TakeChild(0);
    three = Path({S("Science"), S("Physik"), S("Quantum")});
    EXPECT_TRUE(tree.ApplyToNote(3, three));
    EXPECT_EQ(three.AssignedLevelCount(), 2);
    EXPECT_EQ(three.NameAt(1), S("Physik"));

    // A note with a gap in its path was filed at Level 1 only; re-filing drops the rest.
    CategoryAssignment five = Path({S("Art"), QString(), S("Cubism")});
    EXPECT_TRUE(tree.ApplyToNote(5, five));
    EXPECT_EQ(five.AssignedLevelCount(), 1);

    // Deleted Level 1 tree: the note becomes unassigned, not counted as changed.
    tree.TakeNode(1);
    CategoryAssignment four = Path({S("Art"), S("Modern")});
    EXPECT_FALSE(tree.ApplyToNote(4, four));
    EXPECT_EQ(four, CategoryAssignment());

    // An unassigned note moved into a category.
    tree.Node(0).Child(1).AddNotesToNodeAndAncestors(NoteIdList {9});
    CategoryAssignment nine;
    EXPECT_TRUE(tree.ApplyToNote(9, nine));
    EXPECT_EQ(nine, Path({S("Science"), S("Chemistry")}));
}

TEST(CategoryTree, ApplyToNoteStampsLastEditedOnlyWhenThePathChanged)
{
    const QDateTime now(QDate(2009, 4, 1), QTime(8, 30, 0));
    const FixedClock clock(now);
    const DateTime earlier = DateTime::FromParts(2001, 1, 2, 3, 4, 5);
    CategoryTree tree = SampleTree();

    NoteRecord same;
    same.NoteID = 2;
    same.Categories = Path({S("Science"), S("Chemistry")});
    same.LastEdited = earlier;
    EXPECT_FALSE(tree.ApplyToNote(same));
    EXPECT_EQ(same.LastEdited, earlier);

    NoteRecord moved = same;
    moved.NoteID = 1;
    moved.Categories = Path({S("Science"), S("Chemistry")});
    EXPECT_TRUE(tree.ApplyToNote(moved));
    EXPECT_EQ(moved.LastEdited, DateTime::FromQDateTime(now));
    EXPECT_EQ(moved.Categories.NameAt(1), S("Physics"));

    NoteRecord lost = same;
    lost.NoteID = 42;
    EXPECT_FALSE(tree.ApplyToNote(lost));
    EXPECT_EQ(lost.LastEdited, earlier);
    EXPECT_TRUE(lost.Categories.IsUnassigned());
}

TEST(CategoryTree, CopiesAreDeepAndKnowTheirOwnParents)
{
    CategoryTree copy;
    {
        const CategoryTree original = SampleTree();
        copy = original;
        copy.Node(0).Child(0).name = S("Physik");
        copy.Node(0).Child(0).AddNotesToNodeAndAncestors(NoteIdList {99});
        EXPECT_EQ(original.Node(0).Child(0).name, S("Physics"));
        EXPECT_FALSE(original.Node(0).Child(0).notes.Contains(99));
        EXPECT_FALSE(original.Node(0).notes.Contains(99));
    }
    // The original is gone: the copy's parent links must lead into the copy.
    const CategoryNode& quantum = copy.Node(0).Child(0).Child(0);
    EXPECT_EQ(quantum.Parent(), &copy.Node(0).Child(0));
    EXPECT_EQ(quantum.Depth(), 2);
    EXPECT_EQ(CategoryTree::PathText(quantum), S("L1: Science\nL2: Physik\nL3: Quantum\n"));
    ExpectChildrenWithinParents(copy.Node(1));

    // Growing the list of Level 1 categories or children keeps the links valid.
    for (int i = 0; i < 50; ++i)
        copy.FileNote(100 + i, Path({S("T%1").arg(i), S("Sub")}));
    for (int i = 0; i < 50; ++i)
        copy.FileNote(200 + i, Path({S("Science"), S("Extra%1").arg(i)}));
    EXPECT_EQ(quantum.Parent()->Parent(), &copy.Node(0));
    copy.FileNote(300, Path({S("Science"), S("Physik"), S("Quantum"), S("Loops")}));
    EXPECT_EQ(Ids(copy.Node(0).Child(0).Child(0).Child(0).notes), (QList<qint32> {300}));
    ExpectChildrenWithinParents(copy.Node(0));

    // A copied node stands alone; appending it under another sets the links again.
    CategoryNode alone = copy.Node(0).Child(0);
    EXPECT_EQ(alone.Parent(), nullptr);
    EXPECT_EQ(alone.Child(0).Parent(), &alone);
    CategoryNode& placed = copy.Node(1).AppendChild(alone);
    EXPECT_EQ(placed.Parent(), &copy.Node(1));
    EXPECT_EQ(placed.Child(0).Parent(), &placed);
    EXPECT_EQ(placed.Child(0).Level(), 3);

    // Assigning a subtree of a node to that node itself.
    CategoryNode& art = copy.Node(1);
    art = art.Child(art.ChildCount() - 1);
    EXPECT_EQ(art.name, S("Physik"));
    EXPECT_EQ(art.Parent(), nullptr);
    EXPECT_EQ(art.Child(0).Parent(), &art);
}

TEST(CategoryTree, DetachTakesTheSubtreeAndItsNotesOutOfItsTree)
{
    CategoryTree tree = SampleTree();
    CategoryNode physics = tree.Detach(tree.Node(0).Child(0));
    EXPECT_EQ(physics.Parent(), nullptr);
    EXPECT_EQ(physics.Child(0).Parent(), &physics);
    EXPECT_EQ(Ids(physics.notes), (QList<qint32> {1, 3}));
    EXPECT_EQ(Ids(tree.Node(0).notes), (QList<qint32> {2}));
    EXPECT_EQ(tree.Node(0).ChildCount(), 1);

    // Insert it under Chemistry: its notes join Chemistry and Science.
    CategoryNode& chemistry = tree.Node(0).Child(0);
    CategoryNode& moved = chemistry.AppendChild(physics);
    chemistry.AddNotesToNodeAndAncestors(moved.notes);
    EXPECT_EQ(Ids(tree.Node(0).notes), (QList<qint32> {2, 1, 3}));
    EXPECT_EQ(CategoryTree::PathText(moved.Child(0)),
              S("L1: Science\nL2: Chemistry\nL3: Physics\nL4: Quantum\n"));
    EXPECT_EQ(moved.Height(), 1);
    EXPECT_EQ(tree.Node(0).Height(), 3);
    EXPECT_TRUE(moved.Child(0).IsWithin(tree.Node(0)));
    EXPECT_FALSE(tree.Node(0).IsWithin(moved));
    ExpectChildrenWithinParents(tree.Node(0));

    // Below a node: the ids leave the node and every descendant, nothing above.
    chemistry.RemoveNotesFromSubtree(NoteIdList {3});
    EXPECT_FALSE(moved.Child(0).notes.Contains(3));
    EXPECT_TRUE(tree.Node(0).notes.Contains(3));

    // A Level 1 tree simply leaves the list.
    CategoryNode art = tree.Detach(tree.Node(1));
    EXPECT_EQ(art.name, S("Art"));
    EXPECT_EQ(tree.Count(), 1);
    EXPECT_EQ(Ids(art.notes), (QList<qint32> {4, 5}));
}

TEST(CategoryTree, FirstMatchingTreeTakesTheNoteAndWithdrawRemovesDuplicates)
{
    // Two Level 1 categories of one name can exist after a rename without a check.
    CategoryTree tree;
    tree.Append(CategoryNode(S("Art")));
    tree.Append(CategoryNode(S("Art")));
    tree.FileNote(1, Path({S("Art"), S("Modern")}));
    EXPECT_EQ(Ids(tree.Node(0).notes), (QList<qint32> {1}));
    EXPECT_TRUE(tree.Node(1).notes.IsEmpty());
    ASSERT_EQ(tree.Node(0).ChildCount(), 1);
    EXPECT_EQ(tree.Node(0).Child(0).name, S("Modern"));
    EXPECT_EQ(tree.Count(), 2);

    tree.Node(0).notes.Append(1);
    tree.Node(0).Child(0).notes.Append(1);
    tree.UnfileNote(1, Path({S("Art"), S("Modern")}));
    EXPECT_TRUE(tree.Node(0).notes.IsEmpty());
    EXPECT_TRUE(tree.Node(0).Child(0).notes.IsEmpty());
}

TEST(CategoryTree, OfferAndChainFollowThePathLevelByLevel)
{
    CategoryAssignment a = Path({S("A"), S("B"), S("C")});
    a.RebuildPaths();
    std::optional<CategoryNode> chain = CategoryTree::Chain(a, 1, 5);
    ASSERT_TRUE(chain.has_value());
    EXPECT_EQ(chain->name, S("B"));
    EXPECT_EQ(chain->Height(), 1);
    EXPECT_EQ(Ids(chain->Child(0).notes), (QList<qint32> {5}));
    EXPECT_FALSE(CategoryTree::Chain(a, 3, 5).has_value());
    EXPECT_FALSE(CategoryTree::Chain(a, 4, 5).has_value());

    // A node at the wrong depth does not match even with the right name.
    CategoryNode b(S("B"));
    EXPECT_EQ(CategoryTree::Offer(b, a, 0, 5), 0);
    CategoryNode root(S("A"));
    EXPECT_EQ(CategoryTree::Offer(root, a, 0, 5), 1); // A itself; B and C are new
    EXPECT_EQ(CategoryTree::Offer(root, a, 0, 6), 3); // A, B and C accept
    EXPECT_EQ(Ids(root.Child(0).Child(0).notes), (QList<qint32> {5, 6}));
}
