#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"
#include "categories/KeyWordList.h"
#include "format/Clock.h"
#include "lists/CurrentNotesList.h"
#include "platform/NamePrompt.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// "A/B" for a note's path, "" when unassigned.
QString PathOf(const NoteRecord& note)
{
    QStringList names;
    for (const CategoryLevelEntry& entry : note.Categories.entries) {
        if (entry.name != UnassignedCategoryName())
            names.append(entry.name);
    }
    return names.join(QLatin1Char('/'));
}

class NoteDatabaseOrganise : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetSource([] { return QDateTime(QDate(2010, 2, 3), QTime(4, 5, 6)); });
        root.WriteSources({MakeSource(7, S("Seven"))});
        root.WriteNotes(S("DAY01032009.dat"),
                        {MakeNote(11, 0, Day(2009, 1, 3), S("red"), {S("Art"), S("Modern")}),
                         MakeNote(12, 0, Day(2009, 1, 3), S("Art, Smart,"), {S("Art")}),
                         MakeNote(13, 0, Day(2009, 1, 3))});
        root.WriteNotes(S("SRC0000000007.dat"),
                        {MakeNote(14, 7, Day(2008, 5, 5), QString(), {S("Science"), S("Physics")}),
                         MakeNote(15, 7, Day(2008, 5, 5), QString(), {S("Art"), S("Modern"), S("Cubism")})});
        db.LoadNoteDatabase(sources);
    }
    void TearDown() override { Clock::SetSource({}); }

    NoteRecord Stored(qint32 id) const
    {
        for (const NoteRecord& note : db.LoadAllNotes()) {
            if (note.NoteID == id)
                return note;
        }
        return NoteRecord();
    }

    // Runs edits on a working copy of the database's trees, then saves them.
    NoteWriteResult Edit(const std::function<void(CategoryTreeEditor&, CategoryTree&)>& edits)
    {
        CategoryTree working = CategoryTreeEditor::WorkingCopy(db.Categories(), db.UnassignedNoteIds());
        CategoryTreeEditor editor(working, prompt, names);
        edits(editor, working);
        return db.SaveCategoryTrees(std::move(working));
    }

    // The id of the node at "A/B" in trees, 0 when none.
    static qint32 IdAt(const CategoryTree& trees, const char* slashed)
    {
        const QStringList path = S(slashed).split(QLatin1Char('/'));
        const CategoryNode* node = nullptr;
        for (int i = 0; i < trees.Count() && !node; ++i) {
            if (trees.Node(i).name == path.first())
                node = &trees.Node(i);
        }
        for (int level = 1; node && level < path.size(); ++level) {
            const CategoryNode* child = nullptr;
            for (int i = 0; i < node->ChildCount() && !child; ++i) {
                if (node->Child(i).name == path.at(level))
                    child = &node->Child(i);
            }
            node = child;
        }
        return node ? node->id : 0;
    }

    Root root;
    ChangeNotice changes;
    SourceStore sources {root.folder, changes};
    NoteDatabase db {root.folder, changes};
    ScriptedPrompt prompt;
    ScriptedNamePrompt names;
};

TEST_F(NoteDatabaseOrganise, RenameRefilesEveryNoteInItsFileAndStampsOnlyChangedOnes)
{
    const DateTime untouched = Stored(14).LastEdited;
    const NoteWriteResult result = Edit([this](CategoryTreeEditor& editor, CategoryTree& trees) {
        names.SetNextName(S("Arts"));
        editor.RenameCategory(IdAt(trees, "Art"));
    });
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.changed.Ids(), (QList<qint32> {11, 12, 15}));

    // Read back from the files, as the next start would.
    EXPECT_EQ(PathOf(Stored(11)), S("Arts/Modern"));
    EXPECT_EQ(PathOf(Stored(12)), S("Arts"));
    EXPECT_EQ(PathOf(Stored(15)), S("Arts/Modern/Cubism"));
    EXPECT_EQ(PathOf(Stored(14)), S("Science/Physics"));
    EXPECT_EQ(Stored(15).Categories.FindEntry(1)->parentName, S("Arts"));
    EXPECT_EQ(Stored(11).LastEdited, DateTime::FromParts(2010, 2, 3, 4, 5, 6));
    EXPECT_EQ(Stored(14).LastEdited, untouched);
    // Each note stays in the file it was in, once.
    EXPECT_EQ(IdsOf(root.ReadNotes(S("DAY01032009.dat"))), (QList<qint32> {11, 12, 13}));
    EXPECT_EQ(IdsOf(root.ReadNotes(S("SRC0000000007.dat"))), (QList<qint32> {14, 15}));

    // The trees in memory agree with a fresh load of the files.
    ChangeNotice reloadedChanges;
    SourceStore reloadedSources(root.folder, reloadedChanges);
    NoteDatabase reloaded(root.folder, reloadedChanges);
    reloaded.LoadNoteDatabase(reloadedSources);
    EXPECT_EQ(reloaded.Categories().ToJson(), db.Categories().ToJson());
    EXPECT_EQ(reloaded.UnassignedNoteIds(), db.UnassignedNoteIds());
}

TEST_F(NoteDatabaseOrganise, MoveMergeAndDeleteRefileFromTheEditedTrees)
{
    const NoteWriteResult result = Edit([this](CategoryTreeEditor& editor, CategoryTree& trees) {
        editor.Drop(IdAt(trees, "Science/Physics"), IdAt(trees, "Art"));
        editor.DeleteCategory(IdAt(trees, "Art/Modern"));
    });
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(PathOf(Stored(14)), S("Art/Physics"));
    EXPECT_EQ(PathOf(Stored(11)), S("Art"));
    EXPECT_EQ(PathOf(Stored(15)), S("Art"));
    EXPECT_EQ(PathOf(Stored(13)), QString());
    EXPECT_EQ(result.changed.Ids(), (QList<qint32> {11, 14, 15}));
}

TEST_F(NoteDatabaseOrganise, CurrentListCopiesAreRefiledToo)
{
    CurrentNotesList list(db, sources, changes);
    list.SetCurrentList(NoteIdList {15, 13}, -1);
    ASSERT_TRUE(Edit([this](CategoryTreeEditor& editor, CategoryTree& trees) {
                    editor.DeleteCategory(IdAt(trees, "Art"));
                }).Ok());
    EXPECT_EQ(PathOf(list.NoteAt(0)), QString());
    EXPECT_TRUE(list.Entries().at(0).Categories.IsUnassigned()); // the listed keys follow the file
    EXPECT_TRUE(db.UnassignedNoteIds().Contains(15));
    EXPECT_TRUE(db.UnassignedNoteIds().Contains(13));
}

TEST_F(NoteDatabaseOrganise, KeyWordAttachAndRemoveWriteOnlyTheNotesThatChange)
{
    NotesList notes = db.LoadNotesByIds(NoteIdList {11, 12, 14});
    NoteWriteResult result = db.AttachKeyWordToNotes(S("Art"), notes);
    ASSERT_TRUE(result.Ok());
    // 12 already carries Art: its text stays exactly as typed.
    EXPECT_EQ(result.changed.Ids(), (QList<qint32> {11, 14}));
    EXPECT_EQ(Stored(11).KeyWords, S("red, Art,"));
    EXPECT_EQ(Stored(14).KeyWords, S(", Art,"));
    EXPECT_EQ(Stored(12).KeyWords, S("Art, Smart,"));
    EXPECT_EQ(db.KeyWords().Find(S("Art"))->notes.Ids(), (QList<qint32> {11, 12, 14}));
    EXPECT_EQ(Stored(11).LastEdited, Day(2009, 1, 3));

    notes = db.LoadNotesByIds(NoteIdList {12, 13});
    result = db.RemoveKeyWordFromNotes(S("Art"), notes);
    EXPECT_EQ(result.changed.Ids(), (QList<qint32> {12}));
    EXPECT_EQ(Stored(12).KeyWords, S("Smart,"));
    EXPECT_EQ(db.KeyWords().Find(S("Smart"))->notes.Ids(), (QList<qint32> {12}));
}

TEST_F(NoteDatabaseOrganise, AKeyWordAttachedToFiveHundredNotesIsThereAfterARestart)
{
    NotesList many;
    for (qint32 id = 2000; id < 2500; ++id)
        many.append(MakeNote(id, 0, Day(2011, 1, 1 + id % 20)));
    for (int day = 1; day <= 20; ++day) {
        NotesList ofDay;
        for (const NoteRecord& note : many) {
            if (note.DateAdded.Day() == day)
                ofDay.append(note);
        }
        root.WriteNotes(QStringLiteral("DAY01%1.dat")
                            .arg(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')) + S("2011")),
                        ofDay);
    }
    db.LoadNoteDatabase(sources);
    NotesList notes = db.LoadNotesByIds(NoteIdList(IdsOf(many)));
    ASSERT_EQ(notes.size(), 500);
    const NoteWriteResult result = db.AttachKeyWordToNotes(S("Batch"), notes);
    EXPECT_TRUE(result.Ok()) << qPrintable(result.failedFiles.join(QLatin1Char(' ')));
    EXPECT_EQ(result.changed.Count(), 500);

    ChangeNotice restartedChanges;
    SourceStore restartedSources(root.folder, restartedChanges);
    NoteDatabase restarted(root.folder, restartedChanges);
    restarted.LoadNoteDatabase(restartedSources);
    ASSERT_NE(restarted.KeyWords().Find(S("Batch")), nullptr);
    EXPECT_EQ(restarted.KeyWords().Find(S("Batch"))->notes.Count(), 500);
}

} // namespace
