// The file-system seam, its error values, the transaction over several files and the
// shared rules of list files.

#include "format/FileSystem.h"

#include "format/DataFolder.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/FileTransaction.h"
#include "format/ReadOnlyFileSystem.h"
#include "format/RecordList.h"
#include "support/FailingFileSystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class FileSystemTest : public ::testing::Test
{
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    FileSystem& real = FileSystem::Real();
};

} // namespace

TEST(FileStatus, MessageNamesTheFileAndTheSystemsReason)
{
    EXPECT_TRUE(FileStatus().IsOk());
    EXPECT_TRUE(FileStatus().Message().isEmpty());
    const FileStatus full = FileStatus::FromErrno(FileStatus::Action::Write,
                                                  QStringLiteral("/d/Data Files/Sources.dat"), ENOSPC);
    EXPECT_FALSE(full.IsOk());
    EXPECT_EQ(full.Message(),
              QStringLiteral("Could not write \"/d/Data Files/Sources.dat\": No space left on device"));
    const FileStatus copy
        = FileStatus::FromErrno(FileStatus::Action::Copy, QStringLiteral("/a"), EROFS, QStringLiteral("/b"));
    EXPECT_EQ(copy.Message(), QStringLiteral("Could not copy \"/a\" to \"/b\": Read-only file system"));

    FileStatus first;
    first.Keep(FileStatus::Ok());
    first.Keep(full);
    first.Keep(copy);
    EXPECT_EQ(first.Path(), QStringLiteral("/d/Data Files/Sources.dat")); // the first failure stays
}

TEST_F(FileSystemTest, RealWritesReplaceWholeFilesAndReportWhy)
{
    const QString path = Path("a.dat");
    ASSERT_TRUE(real.WriteWholeFile(path, "one"));
    ASSERT_TRUE(real.WriteWholeFile(path, "two"));
    EXPECT_EQ(Read(path), QByteArray("two"));

    const FileStatus missing = real.WriteWholeFile(Path("no/such/folder/a.dat"), "x");
    EXPECT_FALSE(missing.IsOk());
    EXPECT_TRUE(missing.Message().contains(QStringLiteral("no/such/folder/a.dat")))
        << qPrintable(missing.Message());
    EXPECT_FALSE(missing.Reason().isEmpty());
    EXPECT_FALSE(QDir(Path("no")).exists());
}

TEST_F(FileSystemTest, RealCopyNeverOverwritesAndRemoveOfNothingIsFine)
{
    ASSERT_TRUE(real.WriteWholeFile(Path("from"), "new"));
    ASSERT_TRUE(real.WriteWholeFile(Path("to"), "old"));
    const FileStatus refused = real.Copy(Path("from"), Path("to"));
    EXPECT_EQ(refused.Reason(), QString::fromLocal8Bit(std::strerror(EEXIST)));
    EXPECT_EQ(Read(Path("to")), QByteArray("old"));
    ASSERT_TRUE(real.Copy(Path("from"), Path("copy")));
    EXPECT_EQ(Read(Path("copy")), QByteArray("new"));
    EXPECT_TRUE(real.Remove(Path("nothing here")));
    EXPECT_TRUE(real.RemoveFolder(Path("no folder here")));
}

TEST_F(FileSystemTest, RealMakePathNamesTheFolderInTheWay)
{
    ASSERT_TRUE(real.MakePath(Path("x/y/z")));
    EXPECT_TRUE(QDir(Path("x/y/z")).exists());
    EXPECT_TRUE(real.MakePath(Path("x/y"))); // existing: fine
    ASSERT_TRUE(real.WriteWholeFile(Path("file"), "f"));
    const FileStatus blocked = real.MakePath(Path("file/sub"));
    EXPECT_EQ(blocked.Path(), Path("file"));
    EXPECT_EQ(blocked.Reason(), QString::fromLocal8Bit(std::strerror(ENOTDIR)));
}

TEST_F(FileSystemTest, TransactionRollsBackEveryFileItWrote)
{
    ASSERT_TRUE(real.WriteWholeFile(Path("kept"), "before"));
    {
        FileTransaction transaction(real);
        ASSERT_TRUE(transaction.Write(Path("kept"), "after"));
        ASSERT_TRUE(transaction.Write(Path("kept"), "after again")); // the first state counts
        ASSERT_TRUE(transaction.Write(Path("made"), "new"));
        EXPECT_EQ(Read(Path("kept")), QByteArray("after again"));
        EXPECT_TRUE(transaction.Rollback());
    }
    EXPECT_EQ(Read(Path("kept")), QByteArray("before"));
    EXPECT_FALSE(QFile::exists(Path("made")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("kept")});

    {
        FileTransaction unfinished(real); // rolled back when it goes
        ASSERT_TRUE(unfinished.Write(Path("kept"), "lost"));
    }
    EXPECT_EQ(Read(Path("kept")), QByteArray("before"));

    {
        FileTransaction committed(real);
        ASSERT_TRUE(committed.Write(Path("kept"), "after"));
        committed.Commit();
    }
    EXPECT_EQ(Read(Path("kept")), QByteArray("after"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("kept")}); // no copy left
}

TEST_F(FileSystemTest, FailingDoubleActsAsAFullDiskOrAReadOnlyFolder)
{
    ASSERT_TRUE(real.WriteWholeFile(Path("a"), "a"));
    FailingFileSystem failing;
    // A data folder hands its changes to the file system it was given.
    const DataFolder folder(dir.path(), dir.path(), &failing);
    EXPECT_EQ(&folder.Files(), &failing);
    EXPECT_EQ(&DataFolder(dir.path(), dir.path()).Files(), &FileSystem::Real());
    failing.Fail(FailingFileSystem::Kind::DiskFull, dir.path());
    EXPECT_EQ(SaveFileAtomically(folder.Files(), Path("a"), "b").Reason(),
              QStringLiteral("No space left on device"));
    EXPECT_TRUE(folder.Files().Rename(Path("a"), Path("c"))); // a full disk still renames
    failing.Heal();
    failing.Fail(FailingFileSystem::Kind::ReadOnly, dir.path());
    EXPECT_EQ(folder.Files().Remove(Path("c")).Reason(), QStringLiteral("Read-only file system"));
    EXPECT_EQ(Read(Path("c")), QByteArray("a"));
}

namespace {

// A list of records of two fields each: an Integer id and a Text.
QByteArray TwoFieldList(double version, qint32 count, int records)
{
    FieldWriter writer;
    RecordListWriter::WriteHead(writer, version, count);
    for (int i = 1; i <= records; ++i) {
        writer.WriteInt(i);
        writer.WriteText(QStringLiteral("text of record %1").arg(i));
    }
    return writer.LogicalBytes();
}

struct ReadList
{
    double version = 0;
    QStringList records;
};

ReadList ReadTwoFieldList(QByteArray bytes,
                          RecordListReader::CutRecords cut = RecordListReader::CutRecords::Keep)
{
    FieldReader reader(std::move(bytes));
    RecordListReader list(reader);
    ReadList read;
    read.records = list.ReadAll<QString>(
        [](FieldReader& from, double) {
            const qint32 id = from.ReadInt();
            return QStringLiteral("%1:%2").arg(id).arg(from.ReadText());
        },
        [](const QString& record) { return !record.startsWith(QLatin1Char('-')); }, cut);
    read.version = list.Version();
    return read;
}

} // namespace

TEST_F(FileSystemTest, ReadOnlyDataRootRefusesEveryChangeUnderItAndNothingElse)
{
    // The data root, a sibling whose name begins the same, and a folder elsewhere.
    const QString root = Path("root");
    const QString sibling = Path("root-export");
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/Data Files/Notes")));
    ASSERT_TRUE(QDir().mkpath(sibling));
    const QString note = root + QStringLiteral("/Data Files/Notes/DAY08142008.dat");
    ASSERT_TRUE(real.WriteWholeFile(note, "kept"));
    FailingFileSystem beneath; // counts what reaches it; fails nothing
    beneath.Fail(FailingFileSystem::Kind::ReadOnly, Path("nothing-here"));
    ReadOnlyFileSystem files(beneath, root);

    const QString reason = DataFolder::ReadOnlyReason();
    const QString inside = root + QStringLiteral("/Data Files/new.dat");
    EXPECT_EQ(files.WriteWholeFile(note, "changed").Reason(), reason);
    EXPECT_EQ(files.AppendToFile(note, "more").Reason(), reason);
    EXPECT_EQ(files.Remove(note).Reason(), reason);
    EXPECT_EQ(files.Copy(Path("elsewhere"), inside).Reason(), reason);
    EXPECT_EQ(files.Link(note, inside).Reason(), reason);
    EXPECT_EQ(files.MakePath(root + QStringLiteral("/Data Files/ExportTemp")).Reason(), reason);
    EXPECT_EQ(files.RemoveFolder(root + QStringLiteral("/Data Files/Notes")).Reason(), reason);
    EXPECT_EQ(files.RemoveFolder(root).Reason(), reason);
    // A rename into or out of the root, and paths that only reach it through "..".
    EXPECT_EQ(files.Rename(note, sibling + QStringLiteral("/x")).Reason(), reason);
    EXPECT_EQ(files.Rename(sibling + QStringLiteral("/x"), note).Reason(), reason);
    EXPECT_EQ(files.WriteWholeFile(sibling + QStringLiteral("/../root/Data Files/x"), "x").Reason(), reason);
    QSettings settings(root + QStringLiteral("/Quorvel.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Options/ZoomLvl"), 150);
    EXPECT_EQ(files.SyncSettings(settings).Reason(), reason);
    // The refusal names the file as any failed write does.
    EXPECT_EQ(files.WriteWholeFile(note, "changed").Message(),
              QStringLiteral("Could not write \"%1\": The data folder is read-only").arg(note));

    EXPECT_EQ(Read(note), QByteArray("kept"));
    EXPECT_EQ(QDir(root + QStringLiteral("/Data Files")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList {QStringLiteral("Notes")});
    EXPECT_EQ(beneath.Refused(), 0);

    // Outside the root everything goes through: an export archive, the temporary folder.
    EXPECT_TRUE(files.MakePath(sibling + QStringLiteral("/ExportTemp")));
    EXPECT_TRUE(files.WriteWholeFile(sibling + QStringLiteral("/a.qvx"), "zip"));
    EXPECT_TRUE(files.AppendToFile(sibling + QStringLiteral("/a.qvx"), "+"));
    EXPECT_EQ(Read(sibling + QStringLiteral("/a.qvx")), QByteArray("zip+"));
    EXPECT_TRUE(files.Copy(note, sibling + QStringLiteral("/copy.dat")));
    EXPECT_EQ(Read(sibling + QStringLiteral("/copy.dat")), QByteArray("kept"));
    EXPECT_TRUE(files.RemoveFolder(sibling + QStringLiteral("/ExportTemp")));
}

TEST(RecordList, DamagedHeadsAndCountsFollowOneSetOfRules)
{
    EXPECT_EQ(ReadTwoFieldList(TwoFieldList(1.34, 3, 3)).records.size(), 3);
    // A count beyond the records present stops at the end of the stream.
    EXPECT_EQ(ReadTwoFieldList(TwoFieldList(1.34, 2000000000, 2)).records,
              QStringList({QStringLiteral("1:text of record 1"), QStringLiteral("2:text of record 2")}));
    // A count below the records present reads only that many; a negative count none.
    EXPECT_EQ(ReadTwoFieldList(TwoFieldList(1.34, 1, 3)).records.size(), 1);
    EXPECT_TRUE(ReadTwoFieldList(TwoFieldList(1.34, -5, 2)).records.isEmpty());
    // A version that cannot be read is the oldest, 0.
    EXPECT_EQ(ReadTwoFieldList(QByteArray()).version, 0.0);
    EXPECT_EQ(ReadTwoFieldList(TwoFieldList(-3.0, 1, 1)).version, 0.0);
    EXPECT_DOUBLE_EQ(ReadTwoFieldList(TwoFieldList(0.96, 1, 1)).version, 0.96);
}

TEST(RecordList, ACutRecordIsKeptOrDroppedAsTheFileAsks)
{
    const QByteArray whole = TwoFieldList(1.34, 3, 3);
    using Cut = RecordListReader::CutRecords;
    EXPECT_EQ(ReadTwoFieldList(whole, Cut::Drop).records.size(), 3); // a whole file loses nothing
    // Each record is 48 bytes: a 16-byte Integer, then a 16-byte length and 16 bytes of
    // text. Cut inside the third record's Integer: its Text is read from nothing.
    const QByteArray cut = whole.left(whole.size() - 40);
    EXPECT_EQ(ReadTwoFieldList(cut, Cut::Drop).records,
              QStringList({QStringLiteral("1:text of record 1"), QStringLiteral("2:text of record 2")}));
    EXPECT_EQ(ReadTwoFieldList(cut, Cut::Keep).records.size(), 3);
    // Cut exactly after the second record: the two whole records, whichever the rule.
    const QByteArray atBoundary = whole.left(whole.size() - 48);
    EXPECT_EQ(ReadTwoFieldList(atBoundary, Cut::Drop).records.size(), 2);
    EXPECT_EQ(ReadTwoFieldList(atBoundary, Cut::Keep).records.size(), 2);
}

TEST(RecordList, WriterHeadsAreARealOrAText)
{
    FieldWriter real;
    RecordListWriter::WriteHead(real, 1.34, 2);
    EXPECT_EQ(real.LogicalBytes(), QByteArray("0000000001.3400000000000000000000002"));
    FieldWriter text;
    RecordListWriter::WriteHead(text, QLatin1StringView("1.34"), 0);
    EXPECT_EQ(text.LogicalBytes(), QByteArray("00000000000000041.340000000000000000"));
}

// A real full disk: a small tmpfs, where the tests may mount one (root on Linux).
class RealFullDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"), dir.path()})
            != 0)
            GTEST_SKIP() << "no small tmpfs can be mounted here";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Fill()
    {
        QFile filler(Path("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) { }
    }

    QTemporaryDir dir;
    bool mounted = false;
};

TEST_F(RealFullDisk, WritesFailWithTheReasonAndKeepTheOldFile)
{
    FileSystem& real = FileSystem::Real();
    ASSERT_TRUE(real.WriteWholeFile(Path("small"), "old small"));
    ASSERT_TRUE(real.WriteWholeFile(Path("large"), "old large"));
    {
        QSettings settings(Path("Quorvel.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Options/MaxNoteID"), 1001);
        ASSERT_TRUE(real.SyncSettings(settings));
    }
    const QByteArray iniBefore = Read(Path("Quorvel.ini"));
    Fill();
    const QString full = QString::fromLocal8Bit(std::strerror(ENOSPC));
    // Small enough to sit in a write buffer until the commit, and larger than any buffer.
    EXPECT_EQ(real.WriteWholeFile(Path("small"), QByteArray(100, 's')).Reason(), full);
    EXPECT_EQ(real.WriteWholeFile(Path("large"), QByteArray(200000, 'l')).Reason(), full);
    EXPECT_EQ(Read(Path("small")), QByteArray("old small"));
    EXPECT_EQ(Read(Path("large")), QByteArray("old large"));
    QSettings settings(Path("Quorvel.ini"), QSettings::IniFormat);
    for (int i = 0; i < 200; ++i)
        settings.setValue(QStringLiteral("Options/Value%1").arg(i), QString(40, QLatin1Char('v')));
    EXPECT_EQ(real.SyncSettings(settings).Reason(), full);
    EXPECT_EQ(Read(Path("Quorvel.ini")), iniBefore);
    EXPECT_FALSE(QFile::exists(Path("Quorvel.ini.undo")));
}
