// An import stopped at any moment (killed at random times, or stopped before each one of
// its file changes) leaves the data folder as it was or with the whole archive in, once
// the next load has looked at it: every note old or new, never some of each, no note
// twice, no file of the archive half taken; and the same import then completes.

#include "ExchangeFixture.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "format/FileBatch.h"
#include "support/StoppingFileSystem.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QHash>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace exchange_test;

namespace {

constexpr int kKept = 12; // database notes the archive does not touch
constexpr int kReplaced = 8; // database notes the archive brings newer
constexpr int kNew = 16; // notes new to the database

QString Guid(const char* kind, int i)
{
    return QStringLiteral("{%1-%2}").arg(QLatin1String(kind)).arg(i);
}

QString OldText(int i)
{
    return QStringLiteral("old text %1").arg(i);
}

QString NewText(int i)
{
    return QStringLiteral("new text %1, longer than the old one\nwith a second line").arg(i);
}

const DateTime kNewer = DateTime::FromParts(2021, 3, 4, 5, 6, 7);

// The database: kept and replaced notes spread over DAY and SRC files; the first
// replaced note has an attached picture.
void WriteDatabase(DataRoot& root)
{
    NotesList notes;
    for (int i = 0; i < kKept; ++i)
        notes.append(MakeNote(1001 + i, Guid("KEPT", i), OldText(i), i % 2 ? 1001 : 0));
    for (int i = 0; i < kReplaced; ++i) {
        NoteRecord note = MakeNote(1101 + i, Guid("SAME", i), OldText(100 + i), i % 3 ? 1001 : 0);
        if (i == 0) {
            note.Attachments = {MakeAttachment(QStringLiteral("0000005.jpg"), QStringLiteral("Old"))};
            root.WriteImage(QStringLiteral("0000005.jpg"), QByteArrayLiteral("old picture"));
        }
        notes.append(note);
    }
    root.Load(notes, {MakeSource(1001, QStringLiteral("{SRC-1}"), QStringLiteral("Opticks"), {2})},
              {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton"))});
}

// The archive: the replaced notes newer, with new texts (the first with another
// picture), and new notes, some citing a source and an author the database lacks.
QString WriteArchive(const QString& path)
{
    DataRoot from;
    NotesList notes;
    NoteIdList ids;
    for (int i = 0; i < kReplaced; ++i) {
        NoteRecord note = MakeNote(1101 + i, Guid("SAME", i), NewText(100 + i), i % 3 ? 1001 : 0, kNewer);
        if (i == 0) {
            note.Attachments = {MakeAttachment(QStringLiteral("0000002.png"), QStringLiteral("New"))};
            from.WriteImage(QStringLiteral("0000002.png"), QByteArrayLiteral("new picture"));
        }
        notes.append(note);
        ids.Append(note.NoteID);
    }
    for (int i = 0; i < kNew; ++i) {
        NoteRecord note = MakeNote(2001 + i, Guid("NEW", i), NewText(200 + i),
                                   i % 2       ? 1001
                                       : i % 3 ? 1002
                                               : 0);
        note.DateAdded = DateTime::FromParts(2010, 1 + i % 12, 1 + i, 8, 0, 0);
        notes.append(note);
        ids.Append(note.NoteID);
    }
    from.Load(notes,
              {MakeSource(1001, QStringLiteral("{SRC-1}"), QStringLiteral("Opticks"), {2}),
               MakeSource(1002, QStringLiteral("{SRC-2}"), QStringLiteral("Principia"), {3})},
              {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton")),
               MakeAuthor(3, QStringLiteral("Edmond"), QStringLiteral("Halley"))});
    ExportContext context;
    context.database = from.database.get();
    context.sources = from.sourceStore.get();
    EXPECT_EQ(ExportNotes(ids, path, context), kReplaced + kNew);
    return path;
}

int Import(DataRoot& root, const QString& archive)
{
    SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
    ImportContext context;
    context.database = root.database.get();
    context.sources = root.sourceStore.get();
    context.chooser = &chooser;
    return ImportNotes(archive, context);
}

// The data folder's changes go through files from the next load on.
void UseFiles(DataRoot& root, FileSystem& files)
{
    root.folder = DataFolder(root.dir.path(), root.dir.path() + QStringLiteral("/program"), &files);
}

// In a child process: load, import, end. With stopAt, the file system ends the process
// just before that change. Never returns.
[[noreturn]] void ImportInChild(DataRoot& root, const QString& archive, int stopAt)
{
    StoppingFileSystem stopping(stopAt);
    UseFiles(root, stopping);
    root.Reload();
    const int imported = Import(root, archive);
    ::_exit(imported == kReplaced + kNew ? 0 : 1);
}

// Runs the child: stopped at a change, or killed after delayMicros (when >= 0).
// Returns the microseconds it ran and its exit status.
std::pair<qint64, int> RunChild(DataRoot& root, const QString& archive, int stopAt, qint64 delayMicros)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid == 0)
        ImportInChild(root, archive, stopAt);
    if (delayMicros >= 0) {
        ::usleep(static_cast<useconds_t>(delayMicros));
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {timer.nsecsElapsed() / 1000, status};
}

// Files that only a stopped batch leaves: none may survive a load.
QStringList Leftovers(const DataRoot& root)
{
    QStringList found;
    QDirIterator it(root.folder.DataFilesFolder(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".batch~")) || path.endsWith(QLatin1String(".batch-old"))
            || path == root.folder.BatchJournalPath())
            found.append(path);
    }
    return found;
}

// Loads the folder as the next start would and checks that it holds the database as it
// was or with the whole archive in. Returns whether the archive is in.
bool ExpectOldOrNew(DataRoot& root, int stopAt)
{
    root.Reload();
    EXPECT_EQ(Leftovers(root), QStringList()) << "stop " << stopAt;
    QHash<QString, int> seen;
    QHash<QString, NoteRecord> byGuid;
    for (const NoteRecord& note : NoteDatabase::Flatten(NoteDatabase::ReadAllNoteFiles(root.folder))) {
        ++seen[note.NoteGUID];
        byGuid.insert(note.NoteGUID, note);
    }
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << qPrintable(it.key()) << " stop " << stopAt;
    const bool in = byGuid.contains(Guid("NEW", 0));
    for (int i = 0; i < kKept; ++i)
        EXPECT_EQ(byGuid.value(Guid("KEPT", i)).PlainText, OldText(i)) << "stop " << stopAt;
    for (int i = 0; i < kReplaced; ++i)
        EXPECT_EQ(byGuid.value(Guid("SAME", i)).PlainText, in ? NewText(100 + i) : OldText(100 + i))
            << "half an import: note " << i << ", stop " << stopAt;
    for (int i = 0; i < kNew; ++i)
        EXPECT_EQ(byGuid.contains(Guid("NEW", i)), in)
            << "half an import: new note " << i << ", stop " << stopAt;
    EXPECT_EQ(root.database->Total(), kKept + kReplaced + (in ? kNew : 0)) << "stop " << stopAt;
    // The replaced note's picture: the old one, or the new one in its place.
    const NoteRecord pictured = byGuid.value(Guid("SAME", 0));
    EXPECT_EQ(pictured.Attachments.size(), 1);
    if (!pictured.Attachments.isEmpty())
        EXPECT_EQ(root.ReadImage(pictured.Attachments.first().StoredName),
                  in ? QByteArrayLiteral("new picture") : QByteArrayLiteral("old picture"))
            << "stop " << stopAt;
    EXPECT_EQ(QDir(root.folder.ImagesFolder()).entryList(QDir::Files).size(), 1) << "stop " << stopAt;
    // The sources: the new one is known exactly when the notes citing it are in.
    const bool citesNew
        = std::any_of(root.sourceStore->Sources().cbegin(), root.sourceStore->Sources().cend(),
                      [](const SourceRecord& s) { return s.SourceGUID == QStringLiteral("{SRC-2}"); });
    EXPECT_EQ(citesNew, in) << "stop " << stopAt;
    return in;
}

class ImportCrash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        archive = WriteArchive(outside.filePath(QStringLiteral("in.qvx")));
        WriteDatabase(model);
    }
    // A fresh copy of the database's files (quicker than writing them note by note),
    // changed from here on without the syncs a power cut would need.
    void Fresh(DataRoot& root)
    {
        UseFiles(root, quick);
        const QDir from(model.folder.DataFilesFolder());
        QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString target = QDir(root.folder.DataFilesFolder()).filePath(from.relativeFilePath(path));
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(path, target);
        }
        root.Reload();
    }

    StoppingFileSystem quick {0};
    QTemporaryDir outside;
    QString archive;
    DataRoot model;
};

} // namespace

TEST_F(ImportCrash, StoppedBeforeAnyFileChangeImportsAllOrNothing)
{
    // How many changes a whole import makes.
    int changes = 0;
    {
        DataRoot root;
        Fresh(root);
        StoppingFileSystem counting(0);
        UseFiles(root, counting);
        root.Reload();
        ASSERT_EQ(Import(root, archive), kReplaced + kNew);
        changes = counting.Changes();
    }
    ASSERT_GT(changes, 20);
    int done = 0;
    for (int stopAt = 1; stopAt <= changes; ++stopAt) {
        DataRoot root;
        Fresh(root);
        const int status = RunChild(root, archive, stopAt, -1).second;
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "not stopped at change " << stopAt;
        done += ExpectOldOrNew(root, stopAt) ? 1 : 0;
        if (::testing::Test::HasFailure())
            return;
        // The same import completes afterwards.
        ASSERT_EQ(Import(root, archive), kReplaced + kNew) << "stop " << stopAt;
        EXPECT_TRUE(ExpectOldOrNew(root, stopAt));
    }
    // Early stops leave the database as it was, late ones find the import in.
    EXPECT_GT(done, 0);
    EXPECT_LT(done, changes);
}

TEST_F(ImportCrash, KilledAtRandomMomentsImportsAllOrNothing)
{
    qint64 whole = 0;
    {
        DataRoot root;
        Fresh(root);
        const auto [micros, status] = RunChild(root, archive, 0, -1);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        whole = micros;
        EXPECT_TRUE(ExpectOldOrNew(root, 0));
    }
    // Kills spread over the whole run: the load, the unpacking, the staging, the renames.
    for (int i = 1; i <= 12; ++i) {
        DataRoot root;
        Fresh(root);
        RunChild(root, archive, 0, whole * i / 12);
        ExpectOldOrNew(root, -i);
        ASSERT_EQ(Import(root, archive), kReplaced + kNew) << "kill " << i;
        EXPECT_TRUE(ExpectOldOrNew(root, -i));
    }
}
