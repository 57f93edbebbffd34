#include "categories/CategoryTreeEditor.h"

#include "platform/NamePrompt.h"
#include "platform/UserPrompt.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace {

using Answer = UserPrompt::Answer;

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// A path "A/B/C", Level 1 first.
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

// The editor over a working copy built from notes filed at the given paths; ids 1, 2, 3...
// in order. Unassigned notes 90 and 91 stand beside them.
class Editor : public ::testing::Test
{
protected:
    void Build(std::initializer_list<const char*> paths)
    {
        CategoryTree trees;
        qint32 id = 1;
        for (const char* path : paths) {
            m_paths.insert(id, Path(path));
            trees.FileNote(id++, Path(path));
        }
        working = CategoryTreeEditor::WorkingCopy(trees, NoteIdList {90, 91});
    }

    // The node at "A/B", or nullptr.
    CategoryNode* At(const char* slashed)
    {
        const QStringList names = S(slashed).split(QLatin1Char('/'));
        CategoryNode* node = nullptr;
        for (int i = 0; i < working.Count() && !node; ++i) {
            if (working.Node(i).name == names.first())
                node = &working.Node(i);
        }
        for (int level = 1; node && level < names.size(); ++level) {
            CategoryNode* child = nullptr;
            for (int i = 0; i < node->ChildCount() && !child; ++i) {
                if (node->Child(i).name == names.at(level))
                    child = &node->Child(i);
            }
            node = child;
        }
        return node;
    }
    qint32 Id(const char* slashed) { return At(slashed) ? At(slashed)->id : 0; }
    QList<qint32> NotesAt(const char* slashed)
    {
        return At(slashed) ? At(slashed)->notes.Ids() : QList<qint32> {};
    }
    QList<qint32> OwnNotesAt(const char* slashed) { return At(slashed)->NotesOnlyAtThisLevel().Ids(); }

    // The path note id ends with once the trees are saved, as "A/B" ("" unassigned).
    QString RefiledPath(qint32 id)
    {
        CategoryAssignment a = m_paths.value(id);
        working.ApplyToNote(id, a);
        QStringList names;
        for (int level = 0; level < 4; ++level) {
            if (a.entries[level].name != UnassignedCategoryName())
                names.append(a.entries[level].name);
        }
        return names.join(QLatin1Char('/'));
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (const auto& shown : prompt.History())
            captions.append(shown.caption);
        return captions;
    }

    CategoryTree working;
    ScriptedPrompt prompt;
    ScriptedNamePrompt names;
    CategoryTreeEditor editor {working, prompt, names};
    QHash<qint32, CategoryAssignment> m_paths;
};

TEST_F(Editor, CreatesLevelOneCategoriesWithFreshIdsAndRefusesTakenNames)
{
    Build({"Art", "Art/Modern"});
    const qint32 maxBefore = working.MaxId();
    EXPECT_EQ(maxBefore, 2); // the pseudo node's id does not count

    names.SetNextName(S("  Science "));
    EXPECT_EQ(editor.CreateLevel1Category(), maxBefore + 1);
    ASSERT_NE(At("Science"), nullptr);
    EXPECT_EQ(names.Captions(), QList<QString> {S("New Level 1 Category")});

    names.SetNextName(S("Art"));
    EXPECT_EQ(editor.CreateLevel1Category(), 0);
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History().at(0).text,
              S("There is already a category at this level with the same name."));
    EXPECT_EQ(prompt.History().at(0).caption, S("Invalid Category Name"));
    EXPECT_EQ(prompt.History().at(0).icon, UserPrompt::Icon::Warning);

    // Cancel (no name given) ends the command.
    const int count = working.Count();
    EXPECT_EQ(editor.CreateLevel1Category(), 0);
    EXPECT_EQ(working.Count(), count);
}

TEST_F(Editor, NewSubcategoryTakesOnlyTheParentsOwnNotesWhenTheUserAgrees)
{
    // Notes 1 and 2 filed at Art itself, note 3 in Art/Modern.
    Build({"Art", "Art", "Art/Modern"});
    names.SetNextName(S("Classic"));
    EXPECT_EQ(editor.CreateSubcategory(Id("Art")), Id("Art"));
    EXPECT_EQ(names.Captions().last(), S("New Level 2 Category"));
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History().at(0).caption, S("Assign Notes To New Subcategory?"));
    EXPECT_EQ(prompt.History().at(0).text,
              S("Would like to assign the notes at the level 1 category \"Art\" to the new level 2 category "
                "\"Classic\"?"));
    EXPECT_EQ(NotesAt("Art/Classic"), (QList<qint32> {1, 2}));
    EXPECT_EQ(NotesAt("Art/Modern"), (QList<qint32> {3}));
    EXPECT_TRUE(OwnNotesAt("Art").isEmpty());
    EXPECT_EQ(RefiledPath(1), S("Art/Classic"));
    EXPECT_EQ(RefiledPath(3), S("Art/Modern"));

    // Answering No keeps the notes where they were; a new name among the children clashes.
    prompt.SetNextAnswer(Answer::No);
    names.SetNextName(S("Old"));
    editor.CreateSubcategory(Id("Art/Modern"));
    EXPECT_TRUE(NotesAt("Art/Modern/Old").isEmpty());
    names.SetNextName(S("Old"));
    EXPECT_EQ(editor.CreateSubcategory(Id("Art/Modern")), 0);
    EXPECT_EQ(prompt.History().last().caption, S("Invalid Category Name"));
}

TEST_F(Editor, NoSubcategoryBelowLevelFour)
{
    Build({"A/B/C/D"});
    names.SetNextName(S("E"));
    EXPECT_EQ(editor.CreateSubcategory(Id("A/B/C/D")), 0);
    EXPECT_TRUE(names.Captions().isEmpty());
}

TEST_F(Editor, RenameRefusesAnyNameOfTheSameLevelIncludingItsOwn)
{
    Build({"Art/Modern", "Art/Classic", "Science"});
    names.SetNextName(S("Classic"));
    EXPECT_EQ(editor.RenameCategory(Id("Art/Modern")), 0);
    names.SetNextName(S("Modern"));
    EXPECT_EQ(editor.RenameCategory(Id("Art/Modern")), 0);
    names.SetNextName(S("Science"));
    EXPECT_EQ(editor.RenameCategory(Id("Art")), 0);
    EXPECT_EQ(Captions(), QStringList(3, S("Invalid Category Name")));

    // The same name at another level is no clash.
    names.SetNextName(S("Science"));
    EXPECT_NE(editor.RenameCategory(Id("Art/Modern")), 0);
    EXPECT_EQ(RefiledPath(1), S("Art/Science"));
    EXPECT_EQ(names.Captions().first(), S("Rename Category"));
    // The pseudo category cannot be renamed.
    names.SetNextName(S("X"));
    EXPECT_EQ(editor.RenameCategory(UNASSIGNED_CATEGORY_ID), 0);
}

TEST_F(Editor, DeletingFilesNotesAtTheParentOrMakesThemUnassigned)
{
    Build({"A/B/C", "A/B/C/D", "A/B", "X/Y"});
    prompt.SetNextAnswer(Answer::No);
    EXPECT_EQ(editor.DeleteCategory(Id("A/B/C")), 0);
    EXPECT_EQ(prompt.LastText(),
              S("Do you wish to delete the Level 3 category \"C\", and all its subcategories?"));
    EXPECT_EQ(prompt.History().last().caption, S("Delete Category?"));
    ASSERT_NE(At("A/B/C"), nullptr);

    EXPECT_EQ(editor.DeleteCategory(Id("A/B/C")), Id("A/B"));
    EXPECT_EQ(At("A/B/C"), nullptr);
    EXPECT_EQ(RefiledPath(1), S("A/B"));
    EXPECT_EQ(RefiledPath(2), S("A/B"));
    EXPECT_EQ(OwnNotesAt("A/B"), (QList<qint32> {1, 2, 3}));

    EXPECT_EQ(editor.DeleteCategory(Id("X")), UNASSIGNED_CATEGORY_ID);
    EXPECT_EQ(At("X"), nullptr);
    EXPECT_EQ(editor.UnassignedNode()->notes.Ids(), (QList<qint32> {90, 91, 4}));
    EXPECT_EQ(RefiledPath(4), QString());
}

TEST_F(Editor, MovesThatWouldPassLevelFourAreRefusedAndChangeNothing)
{
    Build({"A/B/C/D", "P/Q", "P/Q/R", "M"});
    const CategoryTree before = working;
    EXPECT_FALSE(editor.Drop(Id("P/Q"), Id("A/B/C")));
    EXPECT_EQ(prompt.LastText(), S("The dragging category has too many subcategories to be dropped there."));
    EXPECT_EQ(prompt.History().last().caption, S("Too Many Subcategories"));
    EXPECT_FALSE(editor.Drop(Id("M"), Id("A/B/C/D")));
    EXPECT_EQ(prompt.LastText(), S("A Level 4 category cannot have any subcategories."));
    EXPECT_EQ(prompt.History().last().caption, S("No Level 4 Subcategories"));
    EXPECT_EQ(working, before);

    // A subtree of height 1 fits under Level 2.
    EXPECT_TRUE(editor.Drop(Id("P/Q"), Id("A/B")));
    EXPECT_EQ(RefiledPath(3), S("A/B/Q/R"));
    EXPECT_EQ(RefiledPath(2), S("A/B/Q"));
    // Its notes left P and joined A and B.
    EXPECT_TRUE(NotesAt("P").isEmpty());
    EXPECT_EQ(NotesAt("A"), (QList<qint32> {1, 2, 3}));
}

TEST_F(Editor, DropsOntoItselfItsParentOrItsSubtreeAreIgnored)
{
    Build({"A/B/C"});
    EXPECT_FALSE(editor.Drop(Id("A/B"), Id("A/B")));
    EXPECT_FALSE(editor.Drop(Id("A/B"), Id("A")));
    EXPECT_FALSE(editor.Drop(Id("A"), Id("A/B/C")));
    // The unassigned notes have no name to become a Level 1 category.
    EXPECT_FALSE(editor.Drop(UNASSIGNED_CATEGORY_ID, 0));
    EXPECT_TRUE(prompt.History().isEmpty());
}

TEST_F(Editor, MergingSameNamedTreesAsksAtEveryLevel)
{
    // Dropping tree T on category A: A already has a child T, and T/U meets A/T/U.
    Build({"A/T/U", "T", "T/U", "T/V", "A/T"});
    prompt.SetNextAnswer(Answer::Yes); // merge T into A/T
    prompt.SetNextAnswer(Answer::Yes); // merge U into A/T/U
    EXPECT_TRUE(editor.Drop(Id("T"), Id("A")));
    ASSERT_EQ(prompt.History().size(), 2);
    EXPECT_EQ(prompt.History().at(0).caption, S("Merge Same Name Level 2 Categories?"));
    EXPECT_EQ(
        prompt.History().at(0).text,
        S("This category tree already contains a Level 2 category named \"T\".\n\nDo you wish to merge the "
          "notes attached to the \"T\" category that is being moved with this category,\nor do you wish to "
          "rename the category that is being moved to create a new subcategory of \"A\"?\n\n"
          "Click \"YES\" to merge.\nClick \"NO\" to rename.\n"));
    EXPECT_EQ(prompt.History().at(1).caption, S("Merge Same Name Level 3 Categories?"));
    EXPECT_EQ(At("T"), nullptr);
    ASSERT_NE(At("A/T"), nullptr);
    EXPECT_EQ(At("A/T")->ChildCount(), 2); // U merged, V added
    EXPECT_EQ(RefiledPath(2), S("A/T"));
    EXPECT_EQ(RefiledPath(3), S("A/T/U"));
    EXPECT_EQ(RefiledPath(4), S("A/T/V"));
    EXPECT_EQ(RefiledPath(1), S("A/T/U"));
}

TEST_F(Editor, MergeAnsweredNoRenamesTheMovedCategory)
{
    Build({"A/T", "T"});
    prompt.SetNextAnswer(Answer::No);
    names.SetNextName(S(" T2 "));
    EXPECT_TRUE(editor.Drop(Id("T"), Id("A")));
    EXPECT_EQ(names.Captions(), QList<QString> {S("Rename Category")});
    EXPECT_EQ(RefiledPath(2), S("A/T2"));
    EXPECT_EQ(RefiledPath(1), S("A/T"));
}

TEST_F(Editor, DropOnTheBlankAreaMakesALevelOneCategory)
{
    Build({"A/B", "B"});
    prompt.SetNextAnswer(Answer::No);
    EXPECT_FALSE(editor.Drop(Id("A/B"), 0));
    EXPECT_EQ(prompt.LastText(),
              S("Do you wish to create a new Level 1 category called \"B\",\n and move all its attached "
                "notes into it?"));
    EXPECT_EQ(prompt.History().last().caption, S("Create New Level 1 Category?"));

    // Yes, then No to merging with the Level 1 "B": the name entry cannot be cancelled,
    // and "<UNASSIGNED>" is no name a category may take.
    prompt.SetNextAnswer(Answer::Yes);
    prompt.SetNextAnswer(Answer::No);
    names.SetNextName(S("<UNASSIGNED>"));
    EXPECT_TRUE(editor.Drop(Id("A/B"), 0));
    EXPECT_EQ(prompt.History().last().caption, S("Merge Same Name Level 1 Categories?"));
    EXPECT_EQ(RefiledPath(1), S("INVALID NAME"));
    EXPECT_TRUE(NotesAt("A").isEmpty());
}

TEST_F(Editor, UnassignedNotesMoveIntoATreeAndBack)
{
    Build({"A/B", "C"});
    EXPECT_TRUE(editor.Drop(UNASSIGNED_CATEGORY_ID, Id("A/B")));
    EXPECT_EQ(prompt.History().last().caption, S("Moving All Unassigned Categories?"));
    EXPECT_EQ(prompt.LastText(),
              S("Do you wish to assign all of the unassigned notes to the category tree:\n\n"
                "L1: A\nL2: B\n"));
    EXPECT_TRUE(editor.UnassignedNode()->notes.IsEmpty());
    EXPECT_EQ(NotesAt("A"), (QList<qint32> {1, 90, 91}));
    EXPECT_EQ(RefiledPath(90), S("A/B"));

    EXPECT_TRUE(editor.Drop(Id("A"), UNASSIGNED_CATEGORY_ID));
    EXPECT_EQ(prompt.History().last().caption, S("Set Notes To Unassigned?"));
    EXPECT_EQ(
        prompt.LastText(),
        S("Do you wish to unassign all the notes that have their Level 1 category assigned to: \"A\"?"));
    EXPECT_EQ(At("A"), nullptr);
    EXPECT_EQ(RefiledPath(1), QString());
    EXPECT_EQ(RefiledPath(2), S("C"));
}

} // namespace
