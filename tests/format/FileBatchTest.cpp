// A batch of file changes goes in whole or not at all: after a failure, a put-back, or a
// stop before any one of its changes, followed by the recovery the next load makes.

#include "format/FileBatch.h"

#include "support/FailingFileSystem.h"
#include "support/StoppingFileSystem.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Files = QMap<QString, QByteArray>;

class FileBatchTest : public ::testing::Test
{
protected:
    // Data/: two files the batch replaces, one it removes, one it leaves alone; In/: the
    // file it moves into Data/.
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Data/Sub")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("In")));
        Put("Data/a.dat", "old a");
        Put("Data/Sub/b.dat", "old b");
        Put("Data/gone.jpg", "old picture");
        Put("Data/kept.dat", "untouched");
        Put("In/picture.png", "new picture");
        before = Picture();
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString Journal() const { return Path("Data/Batch.journal"); }
    void Put(const char* name, const char* bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Every file under the folder with its bytes.
    Files Picture() const
    {
        Files files;
        const QDir root(dir.path());
        for (const QString& folder :
             {QStringLiteral("Data"), QStringLiteral("Data/Sub"), QStringLiteral("In")}) {
            for (const QString& name : QDir(root.filePath(folder)).entryList(QDir::Files | QDir::Hidden)) {
                QFile file(root.filePath(folder + QLatin1Char('/') + name));
                file.open(QIODevice::ReadOnly);
                files.insert(folder + QLatin1Char('/') + name, file.readAll());
            }
        }
        return files;
    }
    Files After() const
    {
        Files files = before;
        files[QStringLiteral("Data/a.dat")] = "new a";
        files[QStringLiteral("Data/Sub/b.dat")] = "new b";
        files[QStringLiteral("Data/c.dat")] = "new c";
        files.remove(QStringLiteral("Data/gone.jpg"));
        files.remove(QStringLiteral("In/picture.png"));
        files[QStringLiteral("Data/gone.png")] = "new picture";
        return files;
    }
    // The batch every case runs: two replaced files, a new one, a removal, a move.
    FileStatus Stage(FileBatch& batch) const
    {
        FileStatus status = batch.Write(Path("Data/a.dat"), "new a");
        status.Keep(batch.Write(Path("Data/Sub/b.dat"), "new b"));
        status.Keep(batch.Write(Path("Data/c.dat"), "new c"));
        status.Keep(batch.Remove(Path("Data/gone.jpg")));
        batch.Move(Path("In/picture.png"), Path("Data/gone.png"));
        return status;
    }

    QTemporaryDir dir;
    Files before;
};

} // namespace

TEST_F(FileBatchTest, CommitPutsEveryFileInPlaceAndLeavesNothingBehind)
{
    const auto inode = [](const QString& path) {
        struct stat info
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : ino_t(0);
    };
    const ino_t kept = inode(Path("Data/kept.dat"));
    FileBatch batch(FileSystem::Real(), Journal());
    ASSERT_TRUE(Stage(batch).IsOk());
    // The same bytes again: the file is left as it is, not replaced.
    ASSERT_TRUE(batch.Write(Path("Data/kept.dat"), "untouched").IsOk());
    // Staged beside their places: nothing has changed yet.
    EXPECT_EQ(Picture().value(QStringLiteral("Data/a.dat")), QByteArray("old a"));
    EXPECT_TRUE(Picture().contains(QStringLiteral("Data/a.dat.batch~")));
    ASSERT_TRUE(batch.Commit().IsOk());
    batch.Finish();
    EXPECT_EQ(Picture(), After());
    EXPECT_EQ(inode(Path("Data/kept.dat")), kept);
    EXPECT_EQ(FileBatch::Recover(FileSystem::Real(), Journal()), FileBatch::Recovery::Nothing);

    // A batch of nothing but unchanged files changes nothing and leaves no journal.
    FileBatch same(FileSystem::Real(), Journal());
    ASSERT_TRUE(same.Write(Path("Data/c.dat"), "new c").IsOk());
    ASSERT_TRUE(same.Commit().IsOk());
    same.Finish();
    EXPECT_EQ(Picture(), After());
}

TEST_F(FileBatchTest, ARefusedRenameOrARollbackPutsEveryFileBack)
{
    {
        // The second file cannot take its new contents: the first, already in place,
        // goes back too.
        FailingFileSystem failing;
        failing.FailFile(FailingFileSystem::Kind::ReadOnly, Path("Data/Sub/b.dat"));
        FileBatch batch(failing, Journal());
        ASSERT_TRUE(Stage(batch).IsOk());
        const FileStatus status = batch.Commit();
        EXPECT_FALSE(status.IsOk());
        EXPECT_EQ(status.Reason(), FailingFileSystem::ReasonOf(FailingFileSystem::Kind::ReadOnly));
        EXPECT_EQ(Picture(), before);
    }
    {
        // A later step of the caller failed after everything was in place.
        FileBatch batch(FileSystem::Real(), Journal());
        ASSERT_TRUE(Stage(batch).IsOk());
        ASSERT_TRUE(batch.Commit().IsOk());
        EXPECT_EQ(Picture().value(QStringLiteral("Data/c.dat")), QByteArray("new c"));
        EXPECT_TRUE(batch.Rollback().IsOk());
        EXPECT_EQ(Picture(), before);
    }
    {
        // A move never replaces a file: the target appeared after the batch was planned.
        FileBatch batch(FileSystem::Real(), Journal());
        ASSERT_TRUE(Stage(batch).IsOk());
        Put("Data/gone.png", "someone else's");
        EXPECT_FALSE(batch.Commit().IsOk());
        Files expected = before;
        expected.insert(QStringLiteral("Data/gone.png"), "someone else's");
        EXPECT_EQ(Picture(), expected);
        QFile::remove(Path("Data/gone.png"));
    }
    {
        // A full disk while staging: nothing changes and nothing staged stays.
        FailingFileSystem failing;
        failing.Fail(FailingFileSystem::Kind::DiskFull, Path("Data/Sub"));
        FileBatch batch(failing, Journal());
        EXPECT_FALSE(Stage(batch).IsOk());
    }
    EXPECT_EQ(Picture(), before);
}

TEST_F(FileBatchTest, AStopBeforeAnyChangeLeavesAllOrNothingAfterRecovery)
{
    // How many changes a whole run makes.
    StoppingFileSystem counting(0);
    {
        FileBatch batch(counting, Journal());
        ASSERT_TRUE(Stage(batch).IsOk());
        ASSERT_TRUE(batch.Commit().IsOk());
        batch.Finish();
    }
    const int changes = counting.Changes();
    ASSERT_GT(changes, 10);
    // Put back for the stopped runs.
    for (const auto& [name, bytes] : before.asKeyValueRange())
        Put(qPrintable(name), bytes.constData());
    QFile::remove(Path("Data/c.dat"));
    QFile::remove(Path("Data/gone.png"));
    ASSERT_EQ(Picture(), before);

    int finished = 0;
    for (int stopAt = 1; stopAt <= changes; ++stopAt) {
        const pid_t child = ::fork();
        if (child == 0) {
            StoppingFileSystem stopping(stopAt);
            FileBatch batch(stopping, Journal());
            if (Stage(batch).IsOk() && batch.Commit().IsOk())
                batch.Finish();
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << stopAt;
        ASSERT_EQ(WEXITSTATUS(status), 3) << "the run stopped at change " << stopAt;
        const FileBatch::Recovery recovery = FileBatch::Recover(FileSystem::Real(), Journal());
        const Files now = Picture();
        if (now == After()) {
            ++finished;
            EXPECT_NE(recovery, FileBatch::Recovery::PutBack) << stopAt;
            // Back to the start for the next stop.
            for (const auto& [name, bytes] : before.asKeyValueRange())
                Put(qPrintable(name), bytes.constData());
            QFile::remove(Path("Data/c.dat"));
            QFile::remove(Path("Data/gone.png"));
        } else {
            EXPECT_EQ(now, before) << "half a batch after a stop at change " << stopAt;
        }
        ASSERT_EQ(Picture(), before) << stopAt;
    }
    // Stops before the journal said "done" put everything back; later ones finish it.
    EXPECT_GT(finished, 0);
    EXPECT_LT(finished, changes);
}

TEST_F(FileBatchTest, AStagingOrUnreadableJournalRemovesOnlyWhatWasStaged)
{
    Put("Data/a.dat.batch~", "staged a");
    Put("Data/Sub/b.dat.batch-old", "old b");
    {
        QFile journal(Journal());
        ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
        journal.write("Quorvel file batch 1\nstaging\nfolder .\nfolder Sub\n");
    }
    EXPECT_EQ(FileBatch::Recover(FileSystem::Real(), Journal()), FileBatch::Recovery::PutBack);
    EXPECT_EQ(Picture(), before);
    Put("Data/Batch.journal", "not a journal");
    EXPECT_EQ(FileBatch::Recover(FileSystem::Real(), Journal()), FileBatch::Recovery::PutBack);
    EXPECT_EQ(Picture(), before);
}
