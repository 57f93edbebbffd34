// A sync stopped the hard way at any moment loses nothing: the next sync completes it,
// and both machines end with every version of every note.
#include "SyncFixture.h"
#include "support/StoppingFileSystem.h"

#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sync_test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// The laptop's sync in a child process, killed before its nth change to the files (never
// when 0), or after delayMicros (never when negative). Returns how many changes a whole
// sync made, when it finished.
int SyncInChild(const DataFolder& folder, const QString& syncFolder, int killBeforeChange, qint64 delayMicros)
{
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        qint32 maxNoteId = 1000;
        qint32 maxAuthorId = 1;
        // Every write, rename and removal of a sync goes through the file system, so the
        // kills fall between any two of them; the load before the sync is not killed.
        StoppingFileSystem files(killBeforeChange, false);
        const DataFolder through(folder.DataRoot(), folder.ProgramFolder(), &files);
        ChangeNotice notice;
        SourceStore sources(through, notice);
        sources.BindAuthorCounter(&maxAuthorId);
        NoteDatabase db(through, notice);
        db.BindNoteCounter(&maxNoteId);
        DeletionRecorder recorder(through, notice);
        db.LoadNoteDatabase(sources);
        files.Arm();
        SyncOptions options;
        options.folder = syncFolder;
        options.machine = S("laptop");
        SyncContext context;
        context.database = &db;
        context.sources = &sources;
        context.recorder = &recorder;
        const bool ok = SyncNow(options, context).ok;
        const int changes = ok ? files.Changes() : -1;
        (void)!::write(pipeFds[1], &changes, sizeof changes);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    if (delayMicros >= 0) {
        ::usleep(static_cast<useconds_t>(delayMicros));
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    int changes = 0;
    if (::read(pipeFds[0], &changes, sizeof changes) != sizeof changes)
        changes = 0;
    ::close(pipeFds[0]);
    return changes;
}

// Both machines with notes that travel both ways, conflicts included; the laptop's data
// folder and the sync folder are kept as they are before the laptop's sync.
class KilledSync : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString photo = m_desk.OutsideFile(S("p.png"), QByteArray(3000, 'p'));
        for (int i = 0; i < 12; ++i)
            m_shared.append(m_desk.Add(S("Shared %1").arg(i), S("Source %1").arg(i % 3),
                                       S("Cat/%1").arg(i % 2), {},
                                       i % 4 == 0 ? QStringList {photo} : QStringList {}));
        m_desk.Sync();
        m_laptop.Sync();
        m_clock.Tick();
        for (int i = 0; i < 4; ++i)
            m_laptop.EditText(m_shared.at(i), S("Shared %1, laptop's edit").arg(i));
        m_laptop.Delete(m_shared.at(11));
        for (int i = 0; i < 5; ++i)
            m_laptop.Add(S("Laptop only %1").arg(i), S("Source 9"));
        m_clock.Tick();
        for (int i = 2; i < 8; ++i)
            m_desk.EditText(m_shared.at(i), S("Shared %1, desk's edit").arg(i));
        m_desk.Delete(m_shared.at(10));
        // Moved to another source: the laptop's sync moves it between note files.
        NoteEditorFields::NoteEditorChanges move;
        move.sourceId = m_desk.Source(S("Source 5"));
        move.categoryPath = QStringList {S("Moved")};
        m_desk.Edit(m_shared.at(8), move);
        m_desk.Edit(m_shared.at(9), move);
        for (int i = 0; i < 6; ++i)
            m_desk.Add(S("Desk only %1").arg(i), S("Source %1").arg(i % 2), {}, {}, {photo});
        m_desk.Sync();
        CopyTree(m_desk.Root(), m_deskBefore.path());
        CopyTree(m_laptop.Root(), m_laptopBefore.path());
        CopyTree(m_sync.path(), m_syncBefore.path());
    }

    void Restore()
    {
        for (const QString& root : {m_desk.Root(), m_laptop.Root(), m_sync.path()})
            QDir(root).removeRecursively();
        CopyTree(m_deskBefore.path(), m_desk.Root());
        CopyTree(m_laptopBefore.path(), m_laptop.Root());
        CopyTree(m_syncBefore.path(), m_sync.path());
        m_desk.Reload();
    }

    // What a sync that was not killed ends with; every version of every note is in it.
    void TakeExpected()
    {
        ExpectNothingLost(S("not killed"));
        m_expected = m_laptop.Texts();
        for (const QString& text :
             {S("Shared 0, laptop's edit"), S("Shared 2, laptop's edit"), S("Shared 2, desk's edit"),
              S("Shared 7, desk's edit"), S("Laptop only 4"), S("Desk only 5")})
            EXPECT_TRUE(m_expected.contains(text)) << qPrintable(text);
        EXPECT_FALSE(m_expected.contains(S("Shared 10")));
        EXPECT_FALSE(m_expected.contains(S("Shared 11")));
        EXPECT_EQ(m_expected.size(), 12 - 2 + 5 + 6 + 2);
    }

    // After the killed sync: a sync that completes, then both machines twice more.
    void ExpectNothingLost(const QString& what)
    {
        m_laptop.Reload();
        m_laptop.Sync();
        m_desk.Sync();
        m_laptop.Sync();
        m_desk.Sync();
        if (!m_expected.isEmpty())
            EXPECT_EQ(m_laptop.Texts(), m_expected) << qPrintable(what);
        ExpectSamePictures(m_desk, m_laptop, what);
    }

    QTemporaryDir m_sync;
    QTemporaryDir m_deskBefore;
    QTemporaryDir m_laptopBefore;
    QTemporaryDir m_syncBefore;
    TestClock m_clock;
    Machine m_desk {S("desk"), m_sync.path()};
    Machine m_laptop {S("laptop"), m_sync.path()};
    QStringList m_shared;
    QStringList m_expected;
};

TEST_F(KilledSync, BetweenAnyTwoChangesTheNextSyncCompletesIt)
{
    const int changes = SyncInChild(m_laptop.Folder(), m_sync.path(), 0, -1);
    ASSERT_GT(changes, 20);
    TakeExpected();
    for (int kill = 1; kill <= changes; ++kill) {
        Restore();
        EXPECT_EQ(SyncInChild(m_laptop.Folder(), m_sync.path(), kill, -1), 0) << kill;
        ExpectNothingLost(S("killed before change %1 of %2").arg(kill).arg(changes));
        if (HasFailure())
            return;
    }
}

TEST_F(KilledSync, AtAnyMomentTheNextSyncCompletesIt)
{
    QElapsedTimer timer;
    timer.start();
    SyncInChild(m_laptop.Folder(), m_sync.path(), 0, -1);
    const qint64 whole = timer.nsecsElapsed() / 1000;
    TakeExpected();
    for (int i = 1; i <= 8; ++i) {
        Restore();
        SyncInChild(m_laptop.Folder(), m_sync.path(), 0, whole * i / 9);
        ExpectNothingLost(S("killed after %1 microseconds").arg(whole * i / 9));
        if (HasFailure())
            return;
    }
}

} // namespace
