// A sync folder is filled by a folder-sync service that copies files in while we read
// them: a file half copied in or damaged is skipped with its reason and taken at a later
// sync; a machine joining late receives everything, compacted archives included; a sync
// with nothing new opens no archive.
#include "SyncFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace sync_test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class SyncFolderSafety : public ::testing::Test
{
protected:
    QTemporaryDir m_sync;
    TestClock m_clock;
    Machine a {S("desk"), m_sync.path()};
    Machine b {S("laptop"), m_sync.path()};

    QString ArchiveOfA(int sequence) const
    {
        return QDir(a.MachineFolder()).filePath(SyncFormat::ArchiveFileName(sequence, sequence));
    }
};

TEST_F(SyncFolderSafety, AnArchiveStillBeingCopiedInIsSkippedAndTakenNextTime)
{
    a.Add(S("First"));
    a.Add(S("Second"), S("A source"));
    a.Sync();
    const QString path = ArchiveOfA(1);
    const QByteArray whole = ReadAll(path);
    ASSERT_GT(whole.size(), 100);
    WriteAll(path, whole.left(whole.size() / 2));

    const SyncReport halfway = b.Sync();
    ASSERT_EQ(halfway.skipped.size(), 1);
    EXPECT_EQ(halfway.skipped.first().file, S("desk/00000001.qvx"));
    EXPECT_EQ(halfway.skipped.first().reason,
              S("still being copied in (%1 of %2 bytes)").arg(whole.size() / 2).arg(whole.size()));
    EXPECT_EQ(halfway.received, 0);
    EXPECT_TRUE(b.Texts().isEmpty());
    // The closing message says which file waits, and why.
    EXPECT_TRUE(SyncReportText(halfway).contains(S("desk/00000001.qvx: still being copied in")))
        << qPrintable(SyncReportText(halfway));

    WriteAll(path, whole);
    const SyncReport later = b.Sync();
    EXPECT_TRUE(later.skipped.isEmpty());
    EXPECT_EQ(later.received, 2);
    EXPECT_EQ(b.Texts(), (QStringList {S("First"), S("Second")}));
}

TEST_F(SyncFolderSafety, ADamagedArchiveHoldsBackTheLaterOnesOfItsMachine)
{
    a.Add(S("In the first archive"));
    a.Sync();
    m_clock.Tick();
    a.Add(S("In the second archive"));
    a.Sync();
    const QString path = ArchiveOfA(1);
    const QByteArray whole = ReadAll(path);
    QByteArray damaged = whole;
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x55);
    WriteAll(path, damaged);

    const SyncReport report = b.Sync();
    ASSERT_EQ(report.skipped.size(), 1);
    EXPECT_EQ(report.skipped.first().file, S("desk/00000001.qvx"));
    EXPECT_EQ(report.skipped.first().reason, S("damaged: it differs from what its machine wrote"));
    // The second archive waits for the first: nothing was applied out of order.
    EXPECT_TRUE(b.Texts().isEmpty());

    WriteAll(path, whole);
    b.Sync();
    EXPECT_EQ(b.Texts(), (QStringList {S("In the first archive"), S("In the second archive")}));
}

TEST_F(SyncFolderSafety, AnIndexCutShortIsSkippedWithItsReason)
{
    a.Add(S("Listed"));
    a.Sync();
    const QString index = QDir(a.MachineFolder()).filePath(SyncFormat::IndexName());
    const QByteArray whole = ReadAll(index);
    WriteAll(index, whole.left(whole.size() - 10));

    const SyncReport report = b.Sync();
    ASSERT_EQ(report.skipped.size(), 1);
    EXPECT_EQ(report.skipped.first().file, S("desk/Index.txt"));
    EXPECT_EQ(report.skipped.first().reason, S("still being copied in, damaged or from a newer version"));
    EXPECT_TRUE(b.Texts().isEmpty());
    WriteAll(index, whole);
    b.Sync();
    EXPECT_EQ(b.Texts(), QStringList {S("Listed")});
}

TEST_F(SyncFolderSafety, ASyncWithNothingNewOpensNoArchiveAndWritesNothing)
{
    a.Add(S("Once"));
    a.Sync();
    b.Add(S("Twice"));
    b.Sync();
    a.Sync();
    // Every archive moved away: a sync that opened one would report it missing.
    QDir away(m_sync.path());
    ASSERT_TRUE(away.mkdir(S(".away")));
    for (const Machine* m : {&a, &b}) {
        for (const QString& name : QDir(m->MachineFolder()).entryList({S("*.qvx")}, QDir::Files))
            ASSERT_TRUE(QFile::rename(QDir(m->MachineFolder()).filePath(name),
                                      away.filePath(S(".away/") + m->Name() + name)));
    }
    const QString state = QDir(b.Folder().FullPath(SyncFormat::StateFolderName())).filePath(S("State.txt"));
    const QByteArray stateBefore = ReadAll(state);
    const QDateTime stateTime = QFileInfo(state).lastModified();

    const SyncReport report = b.Sync();
    EXPECT_TRUE(report.skipped.isEmpty());
    EXPECT_EQ(report.sent + report.received + report.deleted, 0);
    EXPECT_EQ(ReadAll(state), stateBefore);
    EXPECT_EQ(QFileInfo(state).lastModified(), stateTime);
}

TEST_F(SyncFolderSafety, TwoMachinesOfOneNameAreRefused)
{
    a.Add(S("Mine"));
    a.Sync();
    Machine impostor(S("desk"), m_sync.path());
    SyncOptions options;
    options.folder = m_sync.path();
    options.machine = S("desk");
    const SyncReport report = SyncNow(options, impostor.Context());
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(
        report.error,
        S("Another machine already syncs as \"desk\" in this sync folder: give this machine another name on "
          "the General page of the options."));
}

TEST_F(SyncFolderSafety, NoFolderNoSync)
{
    SyncOptions options;
    options.machine = S("desk");
    SyncContext context = a.Context();
    EXPECT_FALSE(SyncNow(options, context).ok);
    options.folder = m_sync.filePath(S("not there"));
    const SyncReport missing = SyncNow(options, context);
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains(S("cannot be found")));
    // A data folder opened read-only stores nothing, so it takes nothing in either.
    const DataFolder readOnly(a.Folder().DataRoot(), a.Folder().ProgramFolder(), nullptr,
                              DataFolder::Access::ReadOnly);
    ChangeNotice changes;
    SourceStore sources(readOnly, changes);
    NoteDatabase reading(readOnly, changes);
    reading.LoadNoteDatabase(sources);
    options.folder = m_sync.path();
    context.database = &reading;
    context.sources = &sources;
    context.recorder = nullptr;
    const SyncReport refused = SyncNow(options, context);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, readOnly.ReadOnlyText());
    EXPECT_TRUE(QDir(m_sync.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// A machine's archives stay as they are until every other machine has applied them.
TEST_F(SyncFolderSafety, ArchivesAreCompactedOnlyOnceEveryMachineAppliedThem)
{
    b.Sync(2); // the laptop is known, and has applied nothing of the desk's
    const auto archives
        = [this] { return QDir(a.MachineFolder()).entryList({S("*.qvx")}, QDir::Files, QDir::Name); };
    for (int round = 0; round < 3; ++round) {
        m_clock.Tick();
        a.Add(S("Desk %1").arg(round));
        a.Sync(2);
    }
    EXPECT_EQ(archives(), (QStringList {S("00000001.qvx"), S("00000002.qvx"), S("00000003.qvx")}));
    b.Sync(2);
    a.Sync(2);
    EXPECT_EQ(archives(), QStringList {S("00000001-00000003.qvx")});
    EXPECT_EQ(b.Texts(), (QStringList {S("Desk 0"), S("Desk 1"), S("Desk 2")}));
}

// Archives every machine applied are compacted into one; a machine that joins after
// that receives every note from it.
TEST_F(SyncFolderSafety, AThirdMachineJoiningLateReceivesEverything)
{
    const QString picture = a.OutsideFile(S("map.bin"), QByteArray(5000, 'm'));
    QString edited;
    for (int round = 0; round < 4; ++round) {
        m_clock.Tick();
        const QString note = a.Add(S("Desk round %1").arg(round), S("Shared source"), S("Rounds"), {},
                                   round == 1 ? QStringList {picture} : QStringList {});
        if (round == 0)
            edited = note;
        if (round == 2)
            a.EditText(edited, S("Desk round 0, edited"));
        if (round == 3)
            a.Delete(note);
        b.Add(S("Laptop round %1").arg(round));
        a.Sync(2);
        b.Sync(2);
    }
    a.Sync(2);
    b.Sync(2);
    const QStringList names = QDir(a.MachineFolder()).entryList({S("*.qvx")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    EXPECT_TRUE(names.first().contains(QLatin1Char('-'))) << qPrintable(names.join(QLatin1Char(' ')));
    EXPECT_LT(names.size(), 5);

    Machine c(S("tablet"), m_sync.path());
    c.Sync(2);
    c.Sync(2);
    ExpectSamePictures(c, a);
    ExpectSamePictures(c, b);
    EXPECT_EQ(c.Texts().size(), 7);
    EXPECT_TRUE(c.Texts().contains(S("Desk round 0, edited")));
    EXPECT_FALSE(c.Texts().contains(S("Desk round 3")));
}

} // namespace
