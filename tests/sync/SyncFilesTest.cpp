// The sync's own files: the sealed text files a folder-sync service copies, and what the
// machine remembers of its notes between syncs.
#include "format/FileSystem.h"
#include "format/NoteFile.h"
#include "sync/ArchiveMeta.h"
#include "sync/DeletionJournal.h"
#include "sync/LocalScan.h"
#include "sync/MachineIndex.h"
#include "sync/SealedLines.h"
#include "sync/SyncFolder.h"
#include "sync/SyncState.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(SealedLines, AFileCutShortOrChangedIsNotWhole)
{
    SealedLines lines;
    lines.Add({"archive", "1", "1", "00000001.qvx", "512", "ab"});
    lines.Add({"applied", "m", "3"});
    const QByteArray sealed = lines.Sealed();
    EXPECT_TRUE(sealed.startsWith("archive\t1\t1\t00000001.qvx\t512\tab\napplied\tm\t3\nend\t"));
    const auto back = SealedLines::Open(sealed);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->size(), 2);
    EXPECT_EQ(back->at(1), (SealedLines::Line {"applied", "m", "3"}));
    for (qsizetype cut : {qsizetype(1), qsizetype(20), sealed.size() - 1})
        EXPECT_FALSE(SealedLines::Open(sealed.left(cut))) << cut;
    QByteArray changed = sealed;
    changed[3] = 'X';
    EXPECT_FALSE(SealedLines::Open(changed));
    EXPECT_FALSE(SealedLines::Open(sealed + "more\n"));
    EXPECT_TRUE(SealedLines::Open(SealedLines().Sealed()));
}

TEST(MachineIndex, RoundTripAndRefusals)
{
    MachineIndex index;
    index.machineId = S("id-1");
    index.machineName = S("desk top");
    index.archives = {{1, 4, S("00000001-00000004.qvx"), 900, "aa"}, {5, 5, S("00000005.qvx"), 10, "bb"}};
    index.applied = {{S("id-2"), 7}, {S("id-3"), 2}};
    const auto back = MachineIndex::Parse(index.Serialize());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->machineName, S("desk top"));
    EXPECT_EQ(back->LastSequence(), 5);
    EXPECT_EQ(back->archives.at(0).fileName, S("00000001-00000004.qvx"));
    EXPECT_EQ(back->applied, index.applied);

    // Archives must follow one another, and their files stay in the machine's folder.
    MachineIndex gap = index;
    gap.archives[1].first = 6;
    gap.archives[1].last = 6;
    EXPECT_FALSE(MachineIndex::Parse(gap.Serialize()));
    MachineIndex escape = index;
    escape.archives[1].fileName = S("../laptop/00000005.qvx");
    EXPECT_FALSE(MachineIndex::Parse(escape.Serialize()));
    EXPECT_FALSE(MachineIndex::Parse(QByteArrayLiteral("QuorvelSyncIndex\t1\n")));
}

TEST(ArchiveMeta, RoundTrip)
{
    ArchiveMeta meta;
    meta.machineId = S("id-1");
    meta.first = 3;
    meta.last = 3;
    meta.notes = {{S("{G1}"), "f1", {"f0", "fa"}}, {S("{G2}"), "f2", {}}};
    Tombstone tomb;
    tomb.guid = S("{G3}");
    tomb.when = DateTime::FromParts(2024, 3, 1, 14, 5, 9);
    tomb.version = NoteVersion {"f3", {"f2"}, {}};
    meta.deleted = {tomb};
    const QByteArray bytes = meta.Serialize();
    EXPECT_TRUE(bytes.contains("deleted\t{G3}\t2024-03-01-14-05-09\tf3\tf2\n"));
    const auto back = ArchiveMeta::Parse(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->notes.at(0).history, (QList<QByteArray> {"f0", "fa"}));
    EXPECT_TRUE(back->notes.at(1).history.isEmpty());
    EXPECT_EQ(back->deleted.at(0).when, tomb.when);
    EXPECT_EQ(back->NotesByGuid().value(S("{G2}")).fingerprint, QByteArray("f2"));
}

TEST(SyncState, RoundTripAndADamagedStateKeepsTheMachine)
{
    SyncState state;
    state.machineId = S("9d0c");
    state.listing = "digest";
    state.synced = DateTime::FromParts(2024, 3, 1, 9, 0, 0);
    SyncedFile file;
    file.name = S("SRC0000001001.dat");
    file.stamp.inode = 77;
    file.stamp.size = 1234;
    file.stamp.changedNanoseconds = 999;
    file.notes
        = {{1002, S("{G}"), "st", NoteVersion {"fp", {"old"}, DateTime::FromParts(2024, 2, 1, 8, 0, 0)}}};
    state.files = {file};
    Tombstone tomb;
    tomb.guid = S("{T}");
    tomb.when = DateTime::Invalid();
    tomb.version.fingerprint = "tf";
    state.tombstones.insert(tomb.guid, tomb);
    const QByteArray bytes = state.Serialize();
    const auto back = SyncState::Parse(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->files.at(0).stamp, file.stamp);
    EXPECT_EQ(back->files.at(0).notes.at(0).version.lastEdited, file.notes.at(0).version.lastEdited);
    EXPECT_EQ(back->files.at(0).notes.at(0).version.history, QList<QByteArray> {"old"});
    EXPECT_EQ(back->files.at(0).notes.at(0).stored, QByteArray("st"));
    EXPECT_FALSE(back->tombstones.value(S("{T}")).when.IsValid());
    EXPECT_EQ(back->synced, state.synced);

    QString machine;
    EXPECT_FALSE(SyncState::Parse(bytes.left(bytes.size() / 2), &machine));
    EXPECT_EQ(machine, S("9d0c"));
}

TEST(DeletionJournal, TheLastTimeOfEachWholeLine)
{
    QTemporaryDir dir;
    const DeletionJournal journal(FileSystem::Real(), dir.filePath(S("Sync")));
    EXPECT_TRUE(journal.Read().isEmpty());
    const DateTime early = DateTime::FromParts(2024, 3, 1, 9, 0, 0);
    const DateTime late = DateTime::FromParts(2024, 3, 2, 9, 0, 0);
    ASSERT_TRUE(journal.Record({S("{A}"), S("{B}")}, early));
    ASSERT_TRUE(journal.Record({S("{A}")}, late));
    // A stop in the middle of a line leaves it cut short.
    QFile file(dir.filePath(S("Sync/Deleted.txt")));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("{C}\t2024-03-");
    file.close();
    const QHash<QString, DateTime> times = journal.Read();
    EXPECT_EQ(times.size(), 2);
    EXPECT_EQ(times.value(S("{A}")), late);
    EXPECT_EQ(times.value(S("{B}")), early);
    ASSERT_TRUE(journal.Clear());
    EXPECT_TRUE(journal.Read().isEmpty());
}

TEST(SyncFolder, MachineNamesAsFolderNames)
{
    EXPECT_EQ(SyncFolder::FolderNameOf(S("  my laptop ")), S("my laptop"));
    EXPECT_EQ(SyncFolder::FolderNameOf(S("a/b\\c")), S("a_b_c"));
    EXPECT_EQ(SyncFolder::FolderNameOf(S(".hidden")), S("_hidden"));
    EXPECT_EQ(SyncFolder::FolderNameOf(S("   ")), QString());
}

// A note file whose stamp is unchanged is not read again, nor a record whose bytes are
// unchanged in a changed file; a note no file holds any more was deleted.
TEST(LocalScan, ReadsOnlyWhatChangedAndFindsDeletions)
{
    QTemporaryDir dir;
    DataFolder folder(dir.path(), dir.path());
    ASSERT_TRUE(folder.CreateFolders());
    const auto note = [](qint32 id, const char* guid, const char* text) {
        NoteRecord n;
        n.NoteID = id;
        n.NoteGUID = QString::fromLatin1(guid);
        n.PlainText = QString::fromLatin1(text);
        n.DateAdded = DateTime::FromParts(2024, 1, 1, 0, 0, 0);
        n.LastEdited = n.DateAdded;
        return n;
    };
    const QString day = QDir(folder.NotesFolder()).filePath(S("DAY01012024.dat"));
    const QString other = QDir(folder.NotesFolder()).filePath(S("SRC0000001001.dat"));
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), day,
                              {note(1001, "{A}", "a"), note(1002, "{B}", "b"), note(1004, "{D}", "d")}));
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), other, {note(1003, "{C}", "c")}));

    SyncState state;
    state.synced = DateTime::FromParts(2024, 2, 2, 2, 0, 0);
    const LocalScan first = LocalScan::Run(folder, state, {});
    EXPECT_EQ(first.changed, (QSet<QString> {S("{A}"), S("{B}"), S("{C}"), S("{D}")}));
    state.files = first.files;
    // Fingerprints the files would not give: trusted as long as the bytes are the same.
    state.files[0].notes[0].version.fingerprint = "made up a";
    state.files[1].notes[0].version.fingerprint = "made up c";

    ASSERT_TRUE(
        WriteNoteFile(FileSystem::Real(), day, {note(1001, "{A}", "a"), note(1002, "{B}", "b, edited")}));
    const LocalScan second = LocalScan::Run(folder, state, {});
    EXPECT_EQ(second.changed, QSet<QString> {S("{B}")});
    ASSERT_EQ(second.deleted.size(), 1);
    EXPECT_EQ(second.deleted.first().guid, S("{D}"));
    EXPECT_EQ(second.deleted.first().when, state.synced); // none told: the earliest it can have been
    EXPECT_EQ(second.files.at(0).notes.at(0).version.fingerprint, QByteArray("made up a"));
    EXPECT_EQ(second.files.at(1).notes.at(0).version.fingerprint, QByteArray("made up c"));
    const SyncedNote edited = second.files.at(0).notes.at(1);
    EXPECT_EQ(edited.version.history.value(0), first.files.at(0).notes.at(1).version.fingerprint);
    EXPECT_NE(edited.version.fingerprint, edited.version.history.value(0));
}

} // namespace
