#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "lists/SourceCommands.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

class NoteDatabaseDelete : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root.WriteSources({MakeSource(7, QStringLiteral("Seven"))});
        NoteRecord withFile
            = MakeNote(22, 7, Day(2009, 2, 2), QStringLiteral("blue"), {QStringLiteral("Art")});
        AttachmentRecord attachment;
        attachment.StoredName = QStringLiteral("0000004.txt");
        withFile.Attachments.append(attachment);
        root.WriteRaw(root.ImagesPath(QStringLiteral("0000004.txt")), "text");
        root.WriteNotes(QStringLiteral("DAY02012009.dat"),
                        {MakeNote(21, 0, Day(2009, 2, 1), QStringLiteral("red"))});
        root.WriteNotes(QStringLiteral("SRC0000000007.dat"),
                        {withFile, MakeNote(23, 7, Day(2009, 2, 3), QStringLiteral("blue"))});
        db.LoadNoteDatabase(sources);
        list.SetCurrentList(NoteIdList {21, 22, 23}, -1);
    }

    Root root;
    ChangeNotice changes;
    SourceStore sources {root.folder, changes};
    NoteDatabase db {root.folder, changes};
    CurrentNotesList list {db, sources, changes};
    ScriptedPrompt prompt;
};

} // namespace

TEST_F(NoteDatabaseDelete, DeleteNoteLeavesNoTraceInAnyIndex)
{
    const NoteRecord note = list.NoteAt(1); // 22
    ASSERT_EQ(db.DeleteNotes({note}).changed.Count(), 1);
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), (QList<qint32> {23}));
    EXPECT_EQ(db.NotesCiting(7).Ids(), (QList<qint32> {23}));
    EXPECT_FALSE(db.Categories().Node(0).notes.Contains(22));
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("blue"))->notes.Ids(), (QList<qint32> {23}));
    EXPECT_FALSE(db.FileIndex().FileOfNote(22).has_value());
    EXPECT_EQ(list.NoteIds().Ids(), (QList<qint32> {21, 23}));
    EXPECT_FALSE(QFile::exists(root.ImagesPath(QStringLiteral("0000004.txt"))));
    EXPECT_EQ(db.Total(), 3); // only the commands lower the total

    // The only note of a DAY file: the file stays with a count of 0 until the next start.
    ASSERT_EQ(db.DeleteNotes({list.NoteAt(0)}).changed.Count(), 1);
    EXPECT_TRUE(QFile::exists(root.NotesPath(QStringLiteral("DAY02012009.dat"))));
    EXPECT_TRUE(root.ReadNotes(QStringLiteral("DAY02012009.dat")).isEmpty());
    EXPECT_FALSE(db.NoSourceNoteIds().Contains(21));
    EXPECT_EQ(db.KeyWords().Find(QStringLiteral("red")), nullptr);
    db.CleanUpNoteFiles();
    EXPECT_FALSE(QFile::exists(root.NotesPath(QStringLiteral("DAY02012009.dat"))));
}

TEST_F(NoteDatabaseDelete, UnsavedNoteIsNeitherAskedAboutNorDeleted)
{
    NoteRecord unsaved;
    EXPECT_TRUE(db.DeleteNotes({unsaved}).changed.IsEmpty());
    EXPECT_EQ(DeleteCommands::DeleteSelectedNote(db, unsaved, prompt), 0);
    EXPECT_TRUE(prompt.History().isEmpty());
}

TEST_F(NoteDatabaseDelete, SelectedNoteAsksOnceAndHonoursNo)
{
    const NoteRecord note = list.NoteAt(0);
    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_EQ(DeleteCommands::DeleteSelectedNote(db, note, prompt), 0);
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History().at(0).text, QStringLiteral("Do you wish to permanently delete this note?"));
    EXPECT_EQ(prompt.History().at(0).caption, QStringLiteral("Delete Note?"));
    EXPECT_EQ(prompt.History().at(0).buttons, UserPrompt::Buttons::YesNo);
    EXPECT_EQ(prompt.History().at(0).icon, UserPrompt::Icon::Question);
    EXPECT_EQ(list.Count(), 3);

    EXPECT_EQ(DeleteCommands::DeleteSelectedNote(db, list.NoteAt(0), prompt), 1);
    EXPECT_EQ(db.Total(), 2);
    EXPECT_EQ(list.NoteIds().Ids(), (QList<qint32> {22, 23}));
}

TEST_F(NoteDatabaseDelete, CurrentNotesQuestionCountsAndEmptiesTheList)
{
    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_EQ(DeleteCommands::DeleteCurrentNotes(db, list, prompt), 0);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Do you wish to permanently delete all 3 current notes?"));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Delete Current Notes?"));

    EXPECT_EQ(DeleteCommands::DeleteCurrentNotes(db, list, prompt), 3);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(db.Total(), 0);
    EXPECT_TRUE(db.LoadAllNotes().isEmpty());
}

TEST_F(NoteDatabaseDelete, CurrentNotesWithOneNoteUsesTheSingular)
{
    list.SetCurrentList(NoteIdList {23}, -1);
    EXPECT_EQ(DeleteCommands::DeleteCurrentNotes(db, list, prompt), 1);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Do you wish to permanently delete the current note?"));
}

TEST_F(NoteDatabaseDelete, HandedOverNotesAskWithTheirOwnTexts)
{
    const NotesList one = db.LoadNotesByIds(NoteIdList {21});
    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_EQ(DeleteCommands::DeleteNotes(db, one, prompt), 0);
    EXPECT_EQ(prompt.LastText(),
              QStringLiteral("Are you sure you wish to delete the note?\n"
                             "This will permanently remove it from your Quorvel database!"));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Delete Notes?"));

    const NotesList two = db.LoadNotesByIds(NoteIdList {22, 23});
    EXPECT_EQ(DeleteCommands::DeleteNotes(db, two, prompt), 2);
    EXPECT_EQ(prompt.LastText(),
              QStringLiteral("Are you sure you wish to delete these notes?\n"
                             "This will permanently remove them from your Quorvel database!"));
    EXPECT_EQ(db.Total(), 1);
    EXPECT_EQ(list.NoteIds().Ids(), (QList<qint32> {21}));
    EXPECT_TRUE(db.NotesCiting(7).IsEmpty());
}

TEST_F(NoteDatabaseDelete, SourceWithNotesCannotBeDeleted)
{
    EXPECT_EQ(SourceCommands::DeleteSource(sources, 7, prompt), SourceCommands::DeleteSourceResult::HasNotes);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("This source has notes tied to it, you may not delete it."));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Notes Attached!"));
    EXPECT_NE(sources.FindSource(7), nullptr);

    DeleteCommands::DeleteNotes(db, db.LoadNotesByIds(NoteIdList {22, 23}), prompt);
    prompt.SetNextAnswer(UserPrompt::Answer::Yes);
    EXPECT_EQ(SourceCommands::DeleteSource(sources, 7, prompt), SourceCommands::DeleteSourceResult::Deleted);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Do you wish to delete this source?"));
    EXPECT_EQ(sources.FindSource(7), nullptr);
    EXPECT_TRUE(LoadSourcesFile(root.DataPath(QStringLiteral("Sources.dat"))).isEmpty());
}

TEST_F(NoteDatabaseDelete, AuthorsAreIssuedIdsAndDeletedAfterAsking)
{
    const qint32 maxBefore = sources.MaxAuthorID();
    EXPECT_EQ(
        sources.AddAuthor(AuthorRecord {-1, QStringLiteral("  "), QStringLiteral("Q"), QString(), {}, {}}),
        -1);
    const qint32 id = sources.AddAuthor(
        AuthorRecord {-1, QStringLiteral(" John "), QStringLiteral("M"), QStringLiteral("Smith "), {}, {}});
    EXPECT_EQ(id, maxBefore + 1);
    EXPECT_EQ(sources.MaxAuthorID(), id);
    ASSERT_NE(sources.FindAuthor(id), nullptr);
    EXPECT_EQ(sources.FindAuthor(id)->FirstName, QStringLiteral("John"));
    EXPECT_EQ(LoadAuthorsFile(root.DataPath(QStringLiteral("Authors.dat"))).size(), 1);

    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_FALSE(SourceCommands::DeleteAuthor(sources, id, prompt));
    EXPECT_EQ(prompt.LastText(),
              QStringLiteral("Deleting *Smith, John M.* will remove it from any sources that "
                             "contain it.  Do you wish to continue?"));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Delete Author?"));
    EXPECT_TRUE(SourceCommands::DeleteAuthor(sources, id, prompt));
    EXPECT_TRUE(LoadAuthorsFile(root.DataPath(QStringLiteral("Authors.dat"))).isEmpty());
}

// Deleting by ids (the command line's delete): an unknown id refuses everything before a
// file is touched; a repeated id deletes its note once; the notes go as the control bar's
// delete takes them, after one question, and the total drops by what was deleted.
TEST_F(NoteDatabaseDelete, DeleteByIdsChecksEveryIdFirst)
{
    QList<qint32> deleted {99};
    QString error;
    EXPECT_FALSE(DeleteCommands::DeleteNotesByIds(db, {23, 4242, 21}, prompt, &deleted, &error));
    EXPECT_EQ(error, QStringLiteral("No note has the id 4242."));
    EXPECT_TRUE(deleted.isEmpty());
    EXPECT_TRUE(prompt.History().isEmpty());
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), (QList<qint32> {22, 23}));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("DAY02012009.dat"))), (QList<qint32> {21}));

    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_TRUE(DeleteCommands::DeleteNotesByIds(db, {23}, prompt, &deleted, &error));
    EXPECT_TRUE(deleted.isEmpty());
    EXPECT_EQ(db.Total(), 3);

    EXPECT_TRUE(DeleteCommands::DeleteNotesByIds(db, {23, 21, 23}, prompt, &deleted, &error));
    EXPECT_EQ(deleted, (QList<qint32> {23, 21}));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Delete Notes?"));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), (QList<qint32> {22}));
    EXPECT_TRUE(root.ReadNotes(QStringLiteral("DAY02012009.dat")).isEmpty());
    EXPECT_EQ(list.NoteIds().Ids(), (QList<qint32> {22}));
    EXPECT_EQ(db.Total(), 1);
}
