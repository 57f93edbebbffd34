#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorFields.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

class NoteDatabaseSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root.WriteSources({MakeSource(7, QStringLiteral("Seven")), MakeSource(8, QStringLiteral("Eight"))});
        root.WriteNotes(QStringLiteral("DAY01032009.dat"),
                        {MakeNote(11, 0, Day(2009, 1, 3), QStringLiteral("red"), {QStringLiteral("Art")}),
                         MakeNote(12, 0, Day(2009, 1, 3), QStringLiteral("blue"))});
        root.WriteNotes(QStringLiteral("SRC0000000007.dat"), {MakeNote(13, 7, Day(2008, 5, 5))});
        db.LoadNoteDatabase(sources); // MaxNoteID 1000 stored: becomes 1001
    }

    NoteRecord Stored(qint32 id) const
    {
        for (const NoteRecord& note : db.LoadAllNotes()) {
            if (note.NoteID == id)
                return note;
        }
        return NoteRecord();
    }

    const FixedClock clock {QDateTime(QDate(2009, 1, 3), QTime(10, 30, 0))};
    Root root;
    ChangeNotice changes;
    SourceStore sources {root.folder, changes};
    NoteDatabase db {root.folder, changes};
};

} // namespace

TEST_F(NoteDatabaseSave, NewNoteTakesNextIdAndLandsInItsDayFile)
{
    NoteRecord fresh;
    NoteEditorFields::SetPlainText(fresh, QStringLiteral("A new idea"));
    fresh.KeyWords = QStringLiteral("  green, red  ");
    NoteEditorFields::ApplyCategoryPath(fresh.Categories, {QStringLiteral("Art"), QStringLiteral("Modern")});
    const NoteRecord previous = fresh;
    QString error;
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, previous, fresh, &error));
    EXPECT_EQ(fresh.NoteID, 1002);
    EXPECT_EQ(db.MaxNoteID(), 1002);
    EXPECT_EQ(fresh.KeyWords, QStringLiteral("green, red"));
    EXPECT_EQ(fresh.DateAdded, DateTime::FromParts(2009, 1, 3, 10, 30, 0));
    EXPECT_EQ(fresh.LastEdited, fresh.DateAdded);
    EXPECT_EQ(fresh.NoteGUID.size(), 38); // "{8-4-4-4-12}"

    const NotesList day = root.ReadNotes(QStringLiteral("DAY01032009.dat"));
    EXPECT_EQ(IdsOf(day), (QList<qint32> {11, 12, 1002}));
    EXPECT_TRUE(day.last().SameStoredFields(fresh));
    EXPECT_TRUE(db.NoSourceNoteIds().Contains(1002));
    EXPECT_FALSE(db.UnassignedNoteIds().Contains(1002));
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("red"))->notes.Ids(), (QList<qint32> {11, 1002}));
    EXPECT_EQ(db.Categories().Node(0).notes.Ids(), (QList<qint32> {11, 1002}));
    ASSERT_EQ(db.Categories().Node(0).ChildCount(), 1);
    EXPECT_EQ(db.Categories().Node(0).Child(0).name, QStringLiteral("Modern"));
    EXPECT_EQ(db.FileIndex().FileOfNote(1002), root.NotesPath(QStringLiteral("DAY01032009.dat")));
    // The total belongs to the "Add Note..." command.
    EXPECT_EQ(db.Total(), 3);
}

TEST_F(NoteDatabaseSave, EmptyTextIsRefusedAndNothingChanges)
{
    NoteRecord fresh;
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh, &error));
    EXPECT_EQ(error, QStringLiteral("Note must contain some text."));
    EXPECT_EQ(NoteEditorSave::NoTextCaption(), QStringLiteral("No Text In Note"));
    EXPECT_EQ(db.MaxNoteID(), 1001);
}

TEST_F(NoteDatabaseSave, SourceChangeMovesNoteAndRepeatedSaveReplacesInPlace)
{
    const NoteRecord previous = Stored(12);
    NoteRecord edited = previous;
    edited.SourceID = 7;
    ASSERT_TRUE(db.SaveNote(previous, edited));

    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("DAY01032009.dat"))), (QList<qint32> {11}));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), (QList<qint32> {13, 12}));
    EXPECT_FALSE(db.NoSourceNoteIds().Contains(12));
    EXPECT_EQ(db.NotesCiting(7).Ids(), (QList<qint32> {13, 12}));
    EXPECT_EQ(db.FileIndex().FileOfNote(12), root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("blue"))->notes.Ids(), (QList<qint32> {12}));

    // Saved again from the new place: replaced where it stands, not appended.
    NoteRecord again = edited;
    again.PlainText = QStringLiteral("changed");
    ASSERT_TRUE(db.SaveNote(edited, again));
    const NotesList src = root.ReadNotes(QStringLiteral("SRC0000000007.dat"));
    EXPECT_EQ(IdsOf(src), (QList<qint32> {13, 12}));
    EXPECT_EQ(src.at(1).PlainText, QStringLiteral("changed"));

    // And away to source 8: out of 7's file and index, into 8's.
    NoteRecord third = again;
    third.SourceID = 8;
    ASSERT_TRUE(db.SaveNote(again, third));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), (QList<qint32> {13}));
    EXPECT_EQ(db.NotesCiting(7).Ids(), (QList<qint32> {13}));
    EXPECT_EQ(db.NotesCiting(8).Ids(), (QList<qint32> {12}));

    // Back to no source: into the DAY file of its date added, which never changes.
    NoteRecord fourth = third;
    fourth.SourceID = 0;
    ASSERT_TRUE(db.SaveNote(third, fourth));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("DAY01032009.dat"))), (QList<qint32> {11, 12}));
    EXPECT_TRUE(db.NoSourceNoteIds().Contains(12));
    EXPECT_TRUE(db.NotesCiting(8).IsEmpty());
}

TEST_F(NoteDatabaseSave, NoteMissingFromItsOwnFileIsAppended)
{
    const NoteRecord previous = Stored(11);
    // The file was changed from outside: note 11 is no longer in it.
    root.WriteNotes(QStringLiteral("DAY01032009.dat"), {Stored(12)});
    NoteRecord edited = previous;
    edited.PlainText = QStringLiteral("rescued");
    ASSERT_TRUE(db.SaveNote(previous, edited));
    const NotesList day = root.ReadNotes(QStringLiteral("DAY01032009.dat"));
    EXPECT_EQ(IdsOf(day), (QList<qint32> {12, 11}));
    EXPECT_EQ(day.at(1).PlainText, QStringLiteral("rescued"));
}

TEST_F(NoteDatabaseSave, CategoriesAndKeyWordsFollowTheEdit)
{
    const NoteRecord previous = Stored(11);
    NoteRecord edited = previous;
    edited.KeyWords = QStringLiteral("yellow");
    NoteEditorFields::ApplyCategoryPath(edited.Categories, {});
    ASSERT_TRUE(db.SaveNote(previous, edited));
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("red")), nullptr);
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("yellow"))->notes.Ids(), (QList<qint32> {11}));
    EXPECT_TRUE(db.UnassignedNoteIds().Contains(11));
    EXPECT_FALSE(db.Categories().Node(0).notes.Contains(11)); // the emptied category lingers

    NoteRecord filed = edited;
    NoteEditorFields::ApplyCategoryPath(filed.Categories, {QStringLiteral("History")});
    ASSERT_TRUE(db.SaveNote(edited, filed));
    EXPECT_FALSE(db.UnassignedNoteIds().Contains(11));
    ASSERT_EQ(db.Categories().Count(), 2);
    EXPECT_EQ(db.Categories().Node(1).notes.Ids(), (QList<qint32> {11}));
}

TEST_F(NoteDatabaseSave, CurrentListCopyIsReplacedKeepingItsDisplayFlag)
{
    CurrentNotesList list(db, sources, changes);
    list.SetCurrentList(NoteIdList {12, 11}, -1); // both just added
    const NoteRecord previous = list.NoteAt(1);
    NoteRecord edited = previous;
    edited.PlainText = QStringLiteral("edited text");
    ASSERT_TRUE(db.SaveNote(previous, edited));
    EXPECT_EQ(list.NoteAt(1).PlainText, QStringLiteral("edited text"));
    EXPECT_EQ(list.Entries().at(1).TextChars, 11); // the listed keys follow the file
    EXPECT_TRUE(list.Entries().at(1).JustAdded);
    EXPECT_EQ(list.NoteAt(0).PlainText, QStringLiteral("Note 12"));
}

TEST_F(NoteDatabaseSave, NewAttachmentsAreCopiedInWithTheNote)
{
    root.WriteRaw(root.ImagesPath(QStringLiteral("0000012.bmp")), "old");
    QTemporaryDir outside;
    const QString report = QDir(outside.path()).filePath(QStringLiteral("Report.PDF"));
    root.WriteRaw(report, "pdf bytes");

    NoteRecord fresh;
    NoteEditorFields::SetPlainText(fresh, QStringLiteral("with file"));
    NoteEditorFields::AttachFile(fresh, report);
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh));
    ASSERT_EQ(fresh.Attachments.size(), 1);
    EXPECT_EQ(fresh.Attachments.at(0).StoredName, QStringLiteral("0000013.pdf"));
    EXPECT_EQ(fresh.Attachments.at(0).Kind, KindPdf);
    EXPECT_TRUE(fresh.Attachments.at(0).SourcePath.isEmpty());
    EXPECT_TRUE(QFile::exists(root.ImagesPath(QStringLiteral("0000013.pdf"))));
    EXPECT_EQ(Stored(fresh.NoteID).Attachments.at(0).StoredName, QStringLiteral("0000013.pdf"));
}

TEST_F(NoteDatabaseSave, EditorSaveOfAnExistingNoteChangesOnlyLastEdited)
{
    const NoteRecord previous = Stored(13);
    NoteRecord edited = previous;
    NoteEditorFields::SetPlainText(edited, QStringLiteral("new words {braces}"));
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, previous, edited));
    EXPECT_EQ(edited.NoteID, 13);
    EXPECT_EQ(edited.DateAdded, Day(2008, 5, 5));
    EXPECT_EQ(edited.LastEdited, DateTime::FromParts(2009, 1, 3, 10, 30, 0));
    EXPECT_EQ(db.MaxNoteID(), 1001); // no id issued
    EXPECT_TRUE(edited.RichText.startsWith(QStringLiteral("{\\rtf1")));
    EXPECT_TRUE(edited.RichText.contains(QStringLiteral("new words \\{braces\\}")));
    EXPECT_EQ(Stored(13).LastEdited, edited.LastEdited);
}

TEST(NoteEditorFields, CategoryPathFollowsThePickerRules)
{
    CategoryAssignment categories;
    NoteEditorFields::ApplyCategoryPath(
        categories, NoteEditorFields::SplitCategoryPath(QStringLiteral("Science/Chemistry/Acids")));
    EXPECT_EQ(categories.AssignedLevelCount(), 3);
    EXPECT_EQ(categories.NameAt(2), QStringLiteral("Acids"));

    // A changed level clears the levels below it; the unchanged Level 1 keeps its entry.
    NoteEditorFields::ApplyCategoryPath(categories, {QStringLiteral(" Science "), QStringLiteral("Physics")});
    EXPECT_EQ(categories.AssignedLevelCount(), 2);
    EXPECT_EQ(categories.NameAt(1), QStringLiteral("Physics"));
    EXPECT_EQ(categories.NameAt(2), QStringLiteral("<UNASSIGNED>"));
    EXPECT_EQ(categories.entries.size(), 4);

    // An empty name ends the path.
    NoteEditorFields::ApplyCategoryPath(categories,
                                        {QStringLiteral("Art"), QString(), QStringLiteral("Lost")});
    EXPECT_EQ(categories.AssignedLevelCount(), 1);
    NoteEditorFields::ApplyCategoryPath(categories, {});
    EXPECT_TRUE(categories.IsUnassigned());
}

TEST_F(NoteDatabaseSave, RecordWithIdZeroIsSavedAsANewNote)
{
    NoteRecord odd = MakeNote(0, 0, Day(2009, 1, 3), QStringLiteral("zero"));
    ASSERT_TRUE(db.SaveNote(NoteRecord(), odd));
    EXPECT_EQ(odd.NoteID, 1002);
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("DAY01032009.dat"))), (QList<qint32> {11, 12, 1002}));
}
