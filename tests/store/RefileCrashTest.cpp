// A stop at any moment while edited category trees are saved must lose no note: each
// note stays in exactly one file, with either its old or its new categories, and the
// trees that the next start builds agree with the files.
#include "NoteDatabaseFixture.h"
#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"
#include "platform/NamePrompt.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <QElapsedTimer>
#include <QHash>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace DatabaseFixture;

namespace {

constexpr int kFiles = 60;
constexpr int kNotesPerFile = 40;

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QString FileName(int file)
{
    return QStringLiteral("SRC%1.dat").arg(file + 1, 10, 10, QLatin1Char('0'));
}

// Half the notes under "Big/<sub>", the others under "Other".
void WriteDataSet(const Root& root)
{
    SourceList sources;
    for (int file = 0; file < kFiles; ++file)
        sources.append(MakeSource(file + 1, QStringLiteral("Source %1").arg(file + 1)));
    root.WriteSources(sources);
    for (int file = 0; file < kFiles; ++file) {
        NotesList notes;
        for (int n = 0; n < kNotesPerFile; ++n) {
            const qint32 id = 1001 + file * kNotesPerFile + n;
            const QStringList path = id % 2 ? QStringList {S("Big"), QStringLiteral("Sub%1").arg(id % 5)}
                                            : QStringList {S("Other")};
            notes.append(MakeNote(id, file + 1, Day(2008, 1, 1), QString(), path));
        }
        root.WriteNotes(FileName(file), notes);
    }
}

QString PathOf(const NoteRecord& note)
{
    QStringList names;
    for (const CategoryLevelEntry& entry : note.Categories.entries) {
        if (entry.name != UnassignedCategoryName())
            names.append(entry.name);
    }
    return names.join(QLatin1Char('/'));
}

// Stops the process the hard way after a number of files were written.
class KillingProgress : public ProgressReporter
{
public:
    explicit KillingProgress(int afterSteps)
        : m_left(afterSteps)
    {
    }
    void Step() override
    {
        if (--m_left == 0)
            ::kill(::getpid(), SIGKILL);
    }

private:
    int m_left;
};

// In a child process: load, rename "Big" to "Huge", save. Never returns.
[[noreturn]] void RenameInChild(const DataFolder& folder, int killAfterSteps)
{
    ChangeNotice dbChanges;
    SourceStore sources(folder, dbChanges);
    NoteDatabase db(folder, dbChanges);
    db.LoadNoteDatabase(sources);
    KillingProgress progress(killAfterSteps);
    db.SetProgress(&progress);
    CategoryTree working = CategoryTreeEditor::WorkingCopy(db.Categories(), db.UnassignedNoteIds());
    ScriptedPrompt prompt;
    ScriptedNamePrompt names;
    names.SetNextName(S("Huge"));
    CategoryTreeEditor editor(working, prompt, names);
    editor.RenameCategory(working.Node(0).id);
    // Killed while it writes: what it would report is never read.
    static_cast<void>(db.SaveCategoryTrees(std::move(working)));
    ::_exit(0);
}

// Forks the child; kills it after delayMicros unless it stops on its own first.
// Returns the microseconds it ran.
qint64 RunChild(const DataFolder& folder, int killAfterSteps, qint64 delayMicros)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid == 0)
        RenameInChild(folder, killAfterSteps);
    if (delayMicros >= 0) {
        ::usleep(static_cast<useconds_t>(delayMicros));
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return timer.nsecsElapsed() / 1000;
}

// Every note once, with its old or its new path; the note files are the ones written at
// the start and nothing else (a write killed before its rename leaves its temporary
// file, whose name the load never takes for a note file); a fresh load agrees with the
// files.
void ExpectNothingLost(const Root& root, bool expectAllRenamed)
{
    QStringList expectedNames;
    for (int file = 0; file < kFiles; ++file)
        expectedNames.append(FileName(file));
    expectedNames.sort();
    QStringList noteFiles = NoteDatabase::NoteFileNames(root.folder);
    noteFiles.sort();
    EXPECT_EQ(noteFiles, expectedNames);

    QHash<qint32, int> seen;
    int renamed = 0;
    for (const NoteRecord& note : NoteDatabase::Flatten(NoteDatabase::ReadAllNoteFiles(root.folder))) {
        ++seen[note.NoteID];
        const QString path = PathOf(note);
        const QString sub = QStringLiteral("Sub%1").arg(note.NoteID % 5);
        if (note.NoteID % 2 == 0) {
            EXPECT_EQ(path, S("Other")) << note.NoteID;
        } else if (path == S("Huge/") + sub) {
            ++renamed;
        } else {
            EXPECT_EQ(path, S("Big/") + sub) << note.NoteID;
        }
    }
    ASSERT_EQ(seen.size(), kFiles * kNotesPerFile);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key();
    if (expectAllRenamed)
        EXPECT_EQ(renamed, kFiles * kNotesPerFile / 2);

    ChangeNotice nextChanges;
    SourceStore nextSources(root.folder, nextChanges);
    NoteDatabase next(root.folder, nextChanges);
    next.LoadNoteDatabase(nextSources);
    int filed = 0;
    for (int i = 0; i < next.Categories().Count(); ++i) {
        const CategoryNode& top = next.Categories().Node(i);
        if (top.name != S("Other"))
            filed += top.notes.Count();
    }
    EXPECT_EQ(filed, kFiles * kNotesPerFile / 2);
}

TEST(RefileCrash, KilledBetweenFilesLosesNothing)
{
    for (int steps : {1, kFiles / 2, kFiles - 1}) {
        Root root;
        WriteDataSet(root);
        RunChild(root.folder, steps, -1);
        ExpectNothingLost(root, false);
    }
}

TEST(RefileCrash, KilledAtAnyMomentLosesNothing)
{
    Root timing;
    WriteDataSet(timing);
    const qint64 whole = RunChild(timing.folder, -1, -1);
    ExpectNothingLost(timing, true);
    // Kills spread over the whole run, load and writes alike.
    for (int i = 1; i <= 10; ++i) {
        Root root;
        WriteDataSet(root);
        RunChild(root.folder, -1, whole * i / 10);
        ExpectNothingLost(root, false);
    }
}

} // namespace
