// Every deletion is dated for the next sync by a listener of the change notice, whichever
// command made it; the sync's own deletions and a failed record are told apart.
#include "SyncFixture.h"
#include "lists/DeleteCommands.h"
#include "platform/UserPrompt.h"
#include "support/FailingFileSystem.h"
#include "sync/DeletionJournal.h"

#include <gtest/gtest.h>

using namespace sync_test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// A data folder with its database and a recorder, as the application object has them.
struct Recorded
{
    QTemporaryDir dir;
    DataFolder folder;
    ChangeNotice changes;
    SourceStore sources;
    NoteDatabase database;
    DeletionRecorder recorder;
    qint32 maxNoteId = 1000;

    explicit Recorded(FileSystem* files = nullptr)
        : folder(dir.path(), dir.path(), files)
        , sources(folder, changes)
        , database(folder, changes)
        , recorder(folder, changes)
    {
        static_cast<void>(folder.CreateFolders());
        database.BindNoteCounter(&maxNoteId);
        database.LoadNoteDatabase(sources);
    }

    NoteRecord Add(const QString& text)
    {
        NoteEditorFields::NoteEditorChanges changes;
        changes.text = text;
        QString error;
        const qint32 id = NoteEditorSave::AddNote(database, sources, changes, &error);
        EXPECT_GT(id, 0) << qPrintable(error);
        return *database.ReadNote(id);
    }
    QHash<QString, DateTime> Journal() const
    {
        return DeletionJournal(FileSystem::Real(), folder.FullPath(SyncFormat::StateFolderName())).Read();
    }
};

DateTime Now()
{
    return DateTime::CurrentLocal();
}

TEST(DeletionRecorder, DatesEveryDeletionItHearsOf)
{
    TestClock clock;
    Recorded r;
    const NoteRecord one = r.Add(S("one"));
    const NoteRecord two = r.Add(S("two"));
    const NoteRecord three = r.Add(S("three"));
    EXPECT_TRUE(r.Journal().isEmpty()); // saves are no deletions

    clock.Tick();
    const DateTime first = Now();
    SilentPrompt yes;
    EXPECT_EQ(DeleteCommands::DeleteNotes(r.database, {one, two}, yes), 2);
    clock.Tick();
    EXPECT_EQ(r.database.DeleteNotes({three}).changed.Count(), 1);

    const QHash<QString, DateTime> journal = r.Journal();
    EXPECT_EQ(journal.size(), 3);
    EXPECT_EQ(journal.value(one.NoteGUID), first);
    EXPECT_EQ(journal.value(two.NoteGUID), first);
    EXPECT_EQ(journal.value(three.NoteGUID), Now());
    EXPECT_TRUE(r.recorder.LastFailure());
}

TEST(DeletionRecorder, KeptQuietItRecordsNothing)
{
    TestClock clock;
    Recorded r;
    const NoteRecord quiet = r.Add(S("deleted by a sync"));
    const NoteRecord loud = r.Add(S("deleted by hand"));
    {
        const DeletionRecorder::Quiet keep(&r.recorder);
        EXPECT_EQ(r.database.DeleteNotes({quiet}).changed.Count(), 1);
    }
    EXPECT_TRUE(r.Journal().isEmpty());
    EXPECT_EQ(r.database.DeleteNotes({loud}).changed.Count(), 1);
    EXPECT_EQ(r.Journal().keys(), QList<QString> {loud.NoteGUID});
}

TEST(DeletionRecorder, AJournalThatCannotBeWrittenIsTold)
{
    TestClock clock;
    FailingFileSystem failing;
    Recorded r(&failing);
    const NoteRecord note = r.Add(S("doomed"));
    const QString stateFolder = r.folder.FullPath(SyncFormat::StateFolderName());
    failing.Fail(FailingFileSystem::Kind::DiskFull, stateFolder);
    // The deletion itself is stored: only its date is lost, and it then counts from the
    // last sync.
    EXPECT_EQ(r.database.DeleteNotes({note}).changed.Count(), 1);
    EXPECT_FALSE(r.recorder.LastFailure());
    EXPECT_TRUE(r.recorder.LastFailure().Path().startsWith(stateFolder));
    EXPECT_TRUE(r.Journal().isEmpty());
}

} // namespace
