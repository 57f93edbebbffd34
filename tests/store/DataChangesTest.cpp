// What each write path tells through the change notice: the aspects that changed, the
// notes and the note files, once the files are stored; nothing when nothing was stored.
// The current list follows the database's changes before later listeners hear of them.
#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"
#include "format/FileSystem.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "lists/OrganiseCommands.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"
#include "support/FailingFileSystem.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

SourceRecord Book(qint32 id, const QString& title)
{
    SourceRecord source = MakeSource(id, title);
    source.Type = 1; // a book: its citation shows the title
    return source;
}

class DataChanges : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root.WriteSources({Book(7, QStringLiteral("Seven")), Book(8, QStringLiteral("Eight"))});
        root.WriteNotes(QStringLiteral("DAY01032009.dat"),
                        {MakeNote(11, 0, Day(2009, 1, 3), QStringLiteral("red"), {QStringLiteral("Art")}),
                         MakeNote(12, 0, Day(2009, 1, 3), QStringLiteral("blue"))});
        root.WriteNotes(QStringLiteral("SRC0000000007.dat"), {MakeNote(13, 7, Day(2008, 5, 5))});
        db.LoadNoteDatabase(sources);
        list.SetCurrentList(NoteIdList {11, 13}, -1);
        // Listens after the list, as the window does.
        listening = changes.Subscribe([this](const DataChange& change) {
            heard.append(change);
            listedWhenTold.append(list.NoteIds());
        });
    }

    NoteRecord Stored(qint32 id) const { return db.LoadNotesByIds(NoteIdList {id}).value(0); }
    QString Day3() const { return root.NotesPath(QStringLiteral("DAY01032009.dat")); }
    QString Src7() const { return root.NotesPath(QStringLiteral("SRC0000000007.dat")); }

    const FixedClock clock {QDateTime(QDate(2009, 1, 3), QTime(10, 30, 0))};
    Root root;
    FailingFileSystem failing; // fails only where a test says so
    DataFolder folder {root.Through(failing)};
    ChangeNotice changes;
    SourceStore sources {folder, changes};
    NoteDatabase db {folder, changes};
    CurrentNotesList list {db, sources, changes};
    ChangeNotice::Subscription listening;
    QList<DataChange> heard;
    QList<NoteIdList> listedWhenTold;
};

} // namespace

TEST_F(DataChanges, ASaveTellsTheNoteItsFilesAndTheIndexes)
{
    NoteRecord fresh;
    fresh.PlainText = QStringLiteral("new");
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh));
    ASSERT_EQ(heard.size(), 1);
    EXPECT_TRUE(heard[0].Has(DataChange::NotesSaved));
    EXPECT_TRUE(heard[0].HasAny(DataChange::CategoryTrees) && heard[0].Has(DataChange::KeyWords)
                && heard[0].Has(DataChange::SourceNotes));
    EXPECT_FALSE(heard[0].Has(DataChange::NotesMoved));
    EXPECT_EQ(heard[0].notes, NoteIdList {fresh.NoteID});
    EXPECT_EQ(heard[0].writtenFiles, QStringList {Day3()});

    // A new source moves the note into that source's file: both files were written.
    const NoteRecord before = Stored(11);
    NoteRecord moved = before;
    moved.SourceID = 7;
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, before, moved));
    ASSERT_EQ(heard.size(), 2);
    EXPECT_TRUE(heard[1].Has(DataChange::NotesMoved));
    EXPECT_EQ(heard[1].notes, NoteIdList {11});
    EXPECT_EQ(heard[1].writtenFiles, (QStringList {Src7(), Day3()}));
}

TEST_F(DataChanges, NothingIsToldWhenNothingWasStored)
{
    failing.Fail(FailingFileSystem::Kind::ReadOnly, root.folder.DataFilesFolder());
    NoteRecord edited = Stored(12);
    edited.KeyWords = QStringLiteral("green");
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, Stored(12), edited));
    EXPECT_FALSE(db.DeleteNotes({Stored(12)}).Ok());
    EXPECT_FALSE(db.StampNotesEdited(12, 0, Day(2020, 1, 1)).IsOk());
    NotesList notes {Stored(12)};
    EXPECT_FALSE(db.AttachKeyWordToNotes(QStringLiteral("Art"), notes).Ok());
    SourceRecord renamed = *sources.FindSource(8);
    renamed.Fields[0] = QStringLiteral("Renamed");
    EXPECT_EQ(sources.UpdateSource(renamed), SourceStore::Update::NotWritten);
    EXPECT_EQ(
        sources.AddAuthor(AuthorRecord {-1, QStringLiteral("Max"), {}, QStringLiteral("Planck"), {}, {}}),
        -1);
    EXPECT_TRUE(heard.isEmpty());
}

// The deletion tells each deleted note by id and NoteGUID (a sync records them by GUID),
// and the note files that lost them; one stopped by an unwritable file tells the notes
// deleted before it. The current list has let them go by the time anyone hears it.
TEST_F(DataChanges, ADeletionTellsTheNotesByIdAndGuidWithTheirFiles)
{
    failing.FailFile(FailingFileSystem::Kind::ReadOnly, Src7());
    const NoteWriteResult result = db.DeleteNotes({Stored(11), Stored(13), Stored(12)});
    EXPECT_EQ(result.changed, NoteIdList {11});
    // The list tells that a note left it before the deletion reaches the next listener.
    ASSERT_EQ(heard.size(), 2);
    EXPECT_EQ(heard[0].aspects, DataChange::Aspects(DataChange::ListNotes));
    EXPECT_TRUE(heard[1].Has(DataChange::NotesDeleted));
    const DataChange::DeletedNote eleven {11, MakeNote(11, 0, Day(2009, 1, 3)).NoteGUID};
    EXPECT_EQ(heard[1].deleted, QList<DataChange::DeletedNote> {eleven});
    EXPECT_EQ(heard[1].writtenFiles, QStringList {Day3()});
    EXPECT_EQ(listedWhenTold[1], NoteIdList {13});
    EXPECT_EQ(list.NoteIds(), NoteIdList {13});
}

TEST_F(DataChanges, StampsKeyWordsAndTreesTellTheNotesTheyWrote)
{
    ASSERT_TRUE(db.StampNotesEdited(0, 7, Day(2020, 1, 1)).IsOk());
    ASSERT_EQ(heard.size(), 1);
    EXPECT_EQ(heard[0].aspects, DataChange::Aspects(DataChange::NotesSaved));
    EXPECT_EQ(heard[0].notes, NoteIdList {13});
    // Every file is rewritten, the day file too though it holds no note of 7.
    EXPECT_EQ(heard[0].writtenFiles, (QStringList {Day3(), Src7()}));
    // The listed note shows its new stamp.
    EXPECT_EQ(list.Entries().at(1).LastEdited, Day(2020, 1, 1));

    NotesList notes = db.LoadNotesByIds(NoteIdList {11, 12});
    ASSERT_TRUE(db.AttachKeyWordToNotes(QStringLiteral("blue"), notes).Ok());
    ASSERT_EQ(heard.size(), 2);
    EXPECT_EQ(heard[1].aspects, DataChange::NotesSaved | DataChange::KeyWords);
    EXPECT_EQ(heard[1].notes, NoteIdList {11}); // 12 had the word already
    EXPECT_EQ(heard[1].writtenFiles, QStringList {Day3()});

    CategoryTree working = CategoryTreeEditor::WorkingCopy(db.Categories(), db.UnassignedNoteIds());
    working.Node(0).name = QStringLiteral("Arts");
    ASSERT_TRUE(OrganiseCommands::SaveCategoryTrees(db, list, std::move(working), -1).Ok());
    ASSERT_EQ(heard.size(), 3);
    EXPECT_EQ(heard[2].aspects, DataChange::CategoryTrees | DataChange::NotesSaved);
    EXPECT_EQ(heard[2].notes, NoteIdList {11});
    EXPECT_EQ(heard[2].writtenFiles, (QStringList {Day3(), Src7()})); // every file is rewritten
    // The listed note carries its new path by the time the window hears of it.
    EXPECT_EQ(list.Entries().at(0).Categories.entries[0].name, QStringLiteral("Arts"));
}

TEST_F(DataChanges, SourceAndAuthorEditsTellThemselvesAndTheListTakesTheNewCitation)
{
    ASSERT_TRUE(list.NoteAt(1).AttachedSource.CitationText.contains(QStringLiteral("Seven")));
    SourceRecord renamed = *sources.FindSource(7);
    renamed.Fields[0] = QStringLiteral("Sieben");
    ASSERT_EQ(sources.UpdateSource(renamed), SourceStore::Update::Stored);
    ASSERT_EQ(heard.size(), 1);
    EXPECT_EQ(heard[0].aspects, DataChange::Aspects(DataChange::Sources));
    EXPECT_TRUE(list.Entries().at(1).CitationText().contains(QStringLiteral("Sieben")));

    const qint32 author
        = sources.AddAuthor(AuthorRecord {-1, QStringLiteral("Max"), {}, QStringLiteral("Planck"), {}, {}});
    ASSERT_GT(author, 0);
    ASSERT_TRUE(sources.RenameAuthor(author, QStringLiteral("Maximilian"), {}, QStringLiteral("Planck")));
    ASSERT_EQ(heard.size(), 3);
    EXPECT_EQ(heard[1].aspects, DataChange::Aspects(DataChange::Authors));
    EXPECT_EQ(heard[2].aspects, DataChange::Aspects(DataChange::Authors));

    // A saved note that now cites another source shows that source's citation at once.
    const NoteRecord before = Stored(11);
    NoteRecord cited = before;
    cited.SourceID = 8;
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, before, cited));
    EXPECT_TRUE(list.Entries().at(0).CitationText().contains(QStringLiteral("Eight")));
}

TEST_F(DataChanges, TheCurrentListTellsItsOwnChanges)
{
    EXPECT_FALSE(list.SetCurrentList(NoteIdList {13, 11}, -1));
    EXPECT_TRUE(heard.isEmpty());
    ASSERT_TRUE(list.SetCurrentList(NoteIdList {11, 12, 13}, -1));
    list.Sort(701);
    ASSERT_TRUE(list.RemoveFromCurrentList(12));
    ASSERT_EQ(heard.size(), 3);
    EXPECT_EQ(heard[0].aspects, DataChange::Aspects(DataChange::ListNotes));
    EXPECT_EQ(heard[1].aspects, DataChange::Aspects(DataChange::ListOrder));
    EXPECT_EQ(heard[2].aspects, DataChange::Aspects(DataChange::ListNotes));

    ScriptedPrompt prompt;
    EXPECT_EQ(DeleteCommands::DeleteCurrentNotes(db, list, prompt), 2);
    EXPECT_TRUE(list.NoteIds().IsEmpty());
    EXPECT_TRUE(heard.last().HasAny(DataChange::ListNotes | DataChange::Total));
}

TEST_F(DataChanges, LoadingTellsEverythingAnew)
{
    db.LoadNoteDatabase(sources);
    ASSERT_EQ(heard.size(), 1);
    EXPECT_TRUE(heard[0].Has(DataChange::Reloaded));
    EXPECT_TRUE(heard[0].notes.IsEmpty());
}
