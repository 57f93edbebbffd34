// A full disk or a read-only folder, through the file-system seam: every operation that
// writes reports the file and the reason, and leaves every file and index as it was.

#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/Clock.h"
#include "format/FileSystem.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "lists/SourceCommands.h"
#include "platform/UserPrompt.h"
#include "sources/SourceEditor.h"
#include "store/IniSettingsBackend.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorFields.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"
#include "support/DataRootPicture.h"
#include "support/FailingFileSystem.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace DatabaseFixture;
using Kind = FailingFileSystem::Kind;

namespace {

class WriteFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetSource([] { return QDateTime(QDate(2009, 1, 3), QTime(10, 30, 0)); });
        root.WriteSources({MakeSource(7, QStringLiteral("Seven")), MakeSource(8, QStringLiteral("Eight"))});
        root.WriteAuthors({AuthorRecord {5, QStringLiteral("Ada"), {}, QStringLiteral("Byron"), {}, {}}});
        root.WriteNotes(QStringLiteral("DAY01032009.dat"),
                        {MakeNote(11, 0, Day(2009, 1, 3), QStringLiteral("red"), {QStringLiteral("Art")}),
                         MakeNote(12, 0, Day(2009, 1, 3), QStringLiteral("blue"))});
        root.WriteNotes(QStringLiteral("SRC0000000007.dat"), {MakeNote(13, 7, Day(2008, 5, 5))});
        db.LoadNoteDatabase(sources);
        list.SetCurrentList(NoteIdList {11, 12, 13}, -1);
        filesBefore = DataRootPicture::Files(root.dir.path());
        databaseBefore = DataRootPicture::Database(db, sources, &list);
    }
    void TearDown() override { Clock::SetSource({}); }

    void ExpectNothingChanged() const
    {
        EXPECT_EQ(DataRootPicture::Differences(filesBefore, DataRootPicture::Files(root.dir.path()))
                      .join(QLatin1Char(' '))
                      .toStdString(),
                  "");
        EXPECT_EQ(DataRootPicture::Database(db, sources, &list).toStdString(), databaseBefore.toStdString());
    }
    // The message names the file and gives the system's reason.
    static void ExpectNames(const QString& message, const QString& fileName, Kind kind)
    {
        EXPECT_TRUE(message.contains(fileName)) << qPrintable(message);
        EXPECT_TRUE(message.endsWith(FailingFileSystem::ReasonOf(kind))) << qPrintable(message);
    }
    NoteRecord Edited(qint32 id) { return db.LoadNotesByIds(NoteIdList {id}).value(0); }

    Root root;
    FailingFileSystem failing;
    DataFolder folder {root.Through(failing)};
    ChangeNotice changes;
    SourceStore sources {folder, changes};
    NoteDatabase db {folder, changes};
    CurrentNotesList list {db, sources, changes};
    QMap<QString, QByteArray> filesBefore;
    QString databaseBefore;
};

} // namespace

TEST_F(WriteFailure, AddOnAFullDiskLeavesNoIdAnywhere)
{
    failing.Fail(Kind::DiskFull, root.folder.NotesFolder());
    NoteRecord fresh;
    NoteEditorFields::SetPlainText(fresh, QStringLiteral("Lost?"));
    fresh.KeyWords = QStringLiteral(" green ");
    const NoteRecord handedIn = fresh;
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh, &error));
    ExpectNames(error, QStringLiteral("DAY01032009.dat"), Kind::DiskFull);
    // The editor keeps what the user typed, exactly as it was, and can try again.
    EXPECT_EQ(fresh.NoteID, handedIn.NoteID);
    EXPECT_EQ(fresh.KeyWords, handedIn.KeyWords);
    EXPECT_EQ(fresh.PlainText, handedIn.PlainText);
    ExpectNothingChanged();

    failing.Heal();
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh, &error));
    EXPECT_EQ(fresh.NoteID, 1002); // the id of the failed try was never issued
}

TEST_F(WriteFailure, AddWhoseAttachmentCannotBeCopiedStoresNothing)
{
    const QString outside = root.dir.filePath(QStringLiteral("paper.txt"));
    root.WriteRaw(outside, "attached");
    filesBefore = DataRootPicture::Files(root.dir.path());
    failing.Fail(Kind::DiskFull, root.folder.ImagesFolder());
    NoteRecord fresh;
    NoteEditorFields::SetPlainText(fresh, QStringLiteral("With a file"));
    AttachmentRecord attachment;
    attachment.SourcePath = outside;
    attachment.Kind = KindText;
    fresh.Attachments.append(attachment);
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh, &error));
    ExpectNames(error, QStringLiteral("0000001.txt"), Kind::DiskFull);
    EXPECT_EQ(fresh.Attachments.at(0).SourcePath, outside); // still to be copied on the next try
    EXPECT_TRUE(fresh.Attachments.at(0).StoredName.isEmpty());
    ExpectNothingChanged();
}

TEST_F(WriteFailure, EditOnAReadOnlyFolderKeepsTheOldNote)
{
    failing.Fail(Kind::ReadOnly, root.folder.DataFilesFolder());
    const NoteRecord previous = Edited(12);
    NoteRecord edited = previous;
    NoteEditorFields::SetPlainText(edited, QStringLiteral("Changed"));
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, previous, edited, &error));
    ExpectNames(error, QStringLiteral("DAY01032009.dat"), Kind::ReadOnly);
    EXPECT_EQ(edited.LastEdited, previous.LastEdited);
    ExpectNothingChanged();
}

// A move writes the note into its new file, then takes it out of the old one.
TEST_F(WriteFailure, MoveWhoseSecondWriteFailsIsUndone)
{
    // Into a file that exists (its old bytes come back) and into a new one (removed again).
    for (const qint32 source : {7, 8}) {
        failing.FailFile(Kind::ReadOnly, root.NotesPath(QStringLiteral("DAY01032009.dat")));
        const NoteRecord previous = Edited(11);
        NoteRecord edited = previous;
        edited.SourceID = source;
        QString error;
        EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, previous, edited, &error)) << source;
        ExpectNames(error, QStringLiteral("DAY01032009.dat"), Kind::ReadOnly);
        ExpectNothingChanged();
        failing.Heal();
    }
}

TEST_F(WriteFailure, MoveWhoseFirstWriteFailsChangesNothing)
{
    failing.FailFile(Kind::DiskFull, root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    const NoteRecord previous = Edited(12);
    NoteRecord edited = previous;
    edited.SourceID = 7;
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, previous, edited, &error));
    ExpectNames(error, QStringLiteral("SRC0000000007.dat"), Kind::DiskFull);
    ExpectNothingChanged();
}

TEST_F(WriteFailure, MoveThatSucceedsLeavesTheNoteInOneFileAndNoKeptCopy)
{
    const NoteRecord previous = Edited(11);
    NoteRecord edited = previous;
    edited.SourceID = 7;
    ASSERT_TRUE(NoteEditorSave::SaveFromEditor(db, previous, edited));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("DAY01032009.dat"))), QList<qint32>({12}));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), QList<qint32>({13, 11}));
    EXPECT_EQ(QDir(root.folder.NotesFolder()).entryList(QDir::Files),
              QStringList({QStringLiteral("DAY01032009.dat"), QStringLiteral("SRC0000000007.dat")}));
}

TEST_F(WriteFailure, DeleteOnAReadOnlyFolderDeletesNothing)
{
    failing.Fail(Kind::ReadOnly, root.folder.DataFilesFolder());
    FileStatus failure;
    const NoteWriteResult result = db.DeleteNotes({Edited(13)});
    EXPECT_TRUE(result.changed.IsEmpty());
    failure = result.failure;
    ExpectNames(failure.Message(), QStringLiteral("SRC0000000007.dat"), Kind::ReadOnly);
    ExpectNothingChanged();

    ScriptedPrompt prompt;
    EXPECT_EQ(DeleteCommands::DeleteCurrentNotes(db, list, prompt), 0);
    ASSERT_EQ(prompt.History().size(), 2); // the question, then the failure
    EXPECT_EQ(prompt.History().at(1).caption, FileStatus::Caption());
    EXPECT_EQ(prompt.History().at(1).icon, UserPrompt::Icon::Warning);
    ExpectNames(prompt.LastText(), QStringLiteral("DAY01032009.dat"), Kind::ReadOnly);
    ExpectNothingChanged();
}

TEST_F(WriteFailure, DeletingSeveralStopsAtTheFirstFileThatFails)
{
    failing.Fail(Kind::ReadOnly, root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    ScriptedPrompt prompt;
    EXPECT_EQ(DeleteCommands::DeleteCurrentNotes(db, list, prompt), 2);
    EXPECT_EQ(list.NoteIds().Ids(), QList<qint32>({13}));
    EXPECT_TRUE(root.ReadNotes(QStringLiteral("DAY01032009.dat")).isEmpty());
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("SRC0000000007.dat"))), QList<qint32>({13}));
    EXPECT_EQ(db.FileIndex().FileOfNote(13), root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    EXPECT_EQ(db.Total(), 1);
}

TEST_F(WriteFailure, SourceAndAuthorChangesOnAFullDiskAreUndone)
{
    failing.Fail(Kind::DiskFull, root.DataPath(QStringLiteral("Sources.dat")));
    SourceRecord fresh = sources.NewSource(1);
    fresh.Fields[0] = QStringLiteral("Never stored");
    const FileStatus added = sources.AddSource(fresh);
    ExpectNames(added.Message(), QStringLiteral("Sources.dat"), Kind::DiskFull);
    ExpectNothingChanged();

    SourceRecord changed = *sources.FindSource(8);
    changed.Fields[0] = QStringLiteral("Renamed");
    changed.Type = 2; // a new type would stamp the notes too
    FileStatus failure;
    EXPECT_EQ(sources.UpdateSource(changed, &failure), SourceStore::Update::NotWritten);
    ExpectNames(failure.Message(), QStringLiteral("Sources.dat"), Kind::DiskFull);
    ExpectNothingChanged();

    failing.Fail(Kind::DiskFull, root.DataPath(QStringLiteral("Authors.dat")));
    EXPECT_EQ(sources.AddAuthor(
                  AuthorRecord {-1, QStringLiteral("Max"), {}, QStringLiteral("Planck"), {}, {}}, &failure),
              -1);
    ExpectNames(failure.Message(), QStringLiteral("Authors.dat"), Kind::DiskFull);
    ExpectNothingChanged();

    ScriptedPrompt prompt;
    EXPECT_FALSE(SourceCommands::DeleteAuthor(sources, 5, prompt, &failure));
    EXPECT_EQ(prompt.History().last().caption, FileStatus::Caption());
    ExpectNothingChanged();
}

TEST_F(WriteFailure, StampingStopsAtTheFileThatFails)
{
    failing.Fail(Kind::ReadOnly, root.folder.NotesFolder());
    const FileStatus stamped = db.StampNotesEdited(0, 7, Day(2020, 1, 1));
    EXPECT_FALSE(stamped.IsOk());
    EXPECT_EQ(stamped.Reason(), FailingFileSystem::ReasonOf(Kind::ReadOnly));
    ExpectNothingChanged();
}

TEST_F(WriteFailure, SettingsSaveReportsTheIniFileAndKeepsIt)
{
    const QString ini = root.dir.filePath(QStringLiteral("Quorvel.ini"));
    {
        IniSettingsBackend backend(ini);
        backend.SetValue(QStringLiteral("Options"), QStringLiteral("MaxNoteID"), 1001);
        ASSERT_TRUE(backend.Sync());
    }
    const QMap<QString, QByteArray> before = DataRootPicture::Files(root.dir.path());
    failing.Fail(Kind::ReadOnly, root.dir.path());
    IniSettingsBackend backend(ini, failing);
    backend.SetValue(QStringLiteral("Options"), QStringLiteral("MaxNoteID"), 1002);
    const FileStatus synced = backend.Sync();
    ExpectNames(synced.Message(), QStringLiteral("Quorvel.ini"), Kind::ReadOnly);
    EXPECT_EQ(DataRootPicture::Files(root.dir.path()), before);

    // A database whose settings cannot be saved issues no id.
    db.SetSettingsSaver([&backend] { return backend.Sync(); });
    NoteRecord fresh;
    NoteEditorFields::SetPlainText(fresh, QStringLiteral("New"));
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh, &error));
    ExpectNames(error, QStringLiteral("Quorvel.ini"), Kind::ReadOnly);
    EXPECT_EQ(db.MaxNoteID(), 1001);
}

// Root ignores permission bits, so the seam above carries the real checks; this one runs
// where the tests do not run as root.
TEST_F(WriteFailure, ARealReadOnlyFolderIsReportedWithTheSystemsReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not bind root";
    ASSERT_EQ(::chmod(QFile::encodeName(root.folder.NotesFolder()).constData(), 0555), 0);
    // Nothing is made to fail: the changes reach the real file system.
    NoteRecord fresh;
    NoteEditorFields::SetPlainText(fresh, QStringLiteral("New"));
    QString error;
    EXPECT_FALSE(NoteEditorSave::SaveFromEditor(db, NoteRecord(), fresh, &error));
    ::chmod(QFile::encodeName(root.folder.NotesFolder()).constData(), 0755);
    EXPECT_TRUE(error.contains(QStringLiteral("DAY01032009.dat"))) << qPrintable(error);
    EXPECT_TRUE(error.contains(QStringLiteral("Permission denied"))) << qPrintable(error);
    ExpectNothingChanged();
}

TEST_F(WriteFailure, KeyWordsOnAReadOnlyFolderStayAsOnDisk)
{
    failing.Fail(Kind::ReadOnly, root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    NotesList notes = db.LoadNotesByIds(NoteIdList {12, 13});
    const NoteWriteResult result = db.AttachKeyWordToNotes(QStringLiteral("Art"), notes);
    EXPECT_FALSE(result.Ok());
    ExpectNames(result.failure.Message(), QStringLiteral("SRC0000000007.dat"), Kind::ReadOnly);
    EXPECT_EQ(result.failedFiles, QStringList {root.NotesPath(QStringLiteral("SRC0000000007.dat"))});
    // The note whose file was written has the word; the other is filed as on disk.
    EXPECT_EQ(IdsOf(db.LoadNotesByIds(result.changed)), QList<qint32>({12}));
    EXPECT_FALSE(db.KeyWords().Find(QStringLiteral("Art"))->notes.Contains(13));
    EXPECT_TRUE(db.KeyWords().Find(QStringLiteral("Art"))->notes.Contains(12));
    EXPECT_EQ(Edited(13).KeyWords, root.ReadNotes(QStringLiteral("SRC0000000007.dat")).value(0).KeyWords);
    for (const NoteRecord& shown : list.LoadAllNotes()) {
        if (shown.NoteID == 13)
            EXPECT_FALSE(shown.KeyWords.contains(QStringLiteral("Art")));
    }
}

TEST_F(WriteFailure, RefilingReportsEveryFileItCouldNotWrite)
{
    failing.Fail(Kind::DiskFull, root.folder.NotesFolder());
    CategoryTree same = db.Categories();
    const NoteWriteResult result = db.SaveCategoryTrees(std::move(same));
    EXPECT_EQ(result.failedFiles.size(), 2);
    EXPECT_EQ(result.failure.Reason(), FailingFileSystem::ReasonOf(Kind::DiskFull));
    EXPECT_TRUE(result.failedFiles.contains(result.failure.Path()));
    ExpectNothingChanged();
}

TEST_F(WriteFailure, DeletingByIdsStopsAndSaysWhy)
{
    failing.Fail(Kind::ReadOnly, root.NotesPath(QStringLiteral("SRC0000000007.dat")));
    ScriptedPrompt prompt;
    QList<qint32> deleted;
    QString error;
    EXPECT_FALSE(DeleteCommands::DeleteNotesByIds(db, {11, 13, 12}, prompt, &deleted, &error));
    ExpectNames(error, QStringLiteral("SRC0000000007.dat"), Kind::ReadOnly);
    EXPECT_EQ(deleted, QList<qint32>({11}));
    EXPECT_EQ(IdsOf(root.ReadNotes(QStringLiteral("DAY01032009.dat"))), QList<qint32>({12}));
    EXPECT_EQ(db.Total(), 2);
}

TEST_F(WriteFailure, AnEditedSourceThatCannotBeStoredLeavesTheList)
{
    failing.Fail(Kind::DiskFull, root.DataPath(QStringLiteral("Sources.dat")));
    SourceEditor editor(*sources.FindSource(8));
    editor.SetField(0, QStringLiteral("Renamed"));
    SourceRecord saved;
    QString error, caption;
    EXPECT_FALSE(SourceCommands::SaveEditedSource(db, sources, editor, &saved, &error, &caption));
    ExpectNames(error, QStringLiteral("Sources.dat"), Kind::DiskFull);
    EXPECT_EQ(caption, FileStatus::Caption());
    ExpectNothingChanged();

    SourceEditor fresh(sources.NewSource(1));
    fresh.SetField(0, QStringLiteral("Never stored"));
    EXPECT_FALSE(SourceCommands::SaveEditedSource(db, sources, fresh, &saved, &error, &caption));
    ExpectNothingChanged();
}
