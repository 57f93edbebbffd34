// The application's settings save on a read-only data folder: the saved current list
// cannot be rewritten, the failure comes back naming it, and the file stays as it was.
#include "app/CNotesApp.h"
#include "format/FileSystem.h"
#include "format/LastViewListFile.h"
#include "format/NoteFile.h"
#include "lists/CurrentNotesList.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"
#include "support/FailingFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SettingsSaveFailure, TheSavedCurrentListThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    const DataFolder folder(dir.path(), dir.filePath(QStringLiteral("bin")));
    ASSERT_TRUE(folder.CreateFolders());
    NoteRecord note;
    note.NoteID = 1001;
    note.DateAdded = DateTime::FromParts(2008, 8, 14, 21, 23, 56);
    note.PlainText = QStringLiteral("shown");
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), folder.FullPath(NoteFileName(note)), {note}));
    const QString lastView = folder.FullPath(QStringLiteral("Data Files\\LastViewList.dat"));
    ASSERT_TRUE(LastViewListFile::Write(FileSystem::Real(), lastView, NoteIdList {1001}));
    QFile before(lastView);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();

    MemorySettingsBackend backend;
    FailingFileSystem failing; // fails once the test says so
    AppEnvironment environment;
    environment.fileSystem = &failing;
    environment.dataRoot = folder.DataRoot();
    environment.programFolder = folder.ProgramFolder();
    environment.settingsBackend = &backend;
    CNotesApp app(environment);
    app.InitInstance();
    app.CurrentList().SetCurrentList(NoteIdList {}, -1); // a change the save would store

    failing.Fail(FailingFileSystem::Kind::ReadOnly, folder.DataFilesFolder());
    const FileStatus saved = app.SaveSettings();
    EXPECT_EQ(saved.Path(), lastView);
    EXPECT_EQ(saved.Reason(), QStringLiteral("Read-only file system"));
    // The settings themselves went to their store all the same: every step is tried.
    EXPECT_EQ(backend.Value(QStringLiteral("Options"), QStringLiteral("ProgVersion")),
              QStringLiteral("1.34"));
    QFile after(lastView);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
    EXPECT_FALSE(app.ExitInstance().IsOk());
}
