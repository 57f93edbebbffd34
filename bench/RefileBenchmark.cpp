// Times the save of edited category trees after renaming a Level 1 category that holds
// half of the notes (every note file read, each note re-filed, every file written back)
// beside a baseline in the same run: a plain read and rewrite of the same note files.
// Each figure is the median of several runs, taken alternately. Goal: the re-filing
// within twice the plain rewrite.
//
//   RefileBenchmark [NOTES] [RUNS]      (default 20,000 notes in files of 20, 3 runs)

#include "MustBeStored.h"
#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"
#include "format/DataFolder.h"
#include "format/NoteFile.h"
#include "platform/NamePrompt.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kNotesPerFile = 20;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Notes of about 1 KB of rich text; odd ids under "Big/<sub>/<leaf>", even ids spread
// over other trees.
void WriteNotes(const DataFolder& folder, int noteCount)
{
    const QString body
        = QStringLiteral("Some words of a research note, written down to be found again. ").repeated(12);
    for (int first = 0; first < noteCount; first += kNotesPerFile) {
        NotesList notes;
        for (int n = first; n < std::min(noteCount, first + kNotesPerFile); ++n) {
            NoteRecord note;
            note.NoteID = 1001 + n;
            note.SourceID = 1 + first / kNotesPerFile;
            note.DateAdded = DateTime::FromParts(2008, 1, 1, 12, 0, 0);
            note.LastEdited = note.DateAdded;
            note.NoteGUID = QStringLiteral("{%1}").arg(note.NoteID);
            note.KeyWords = QStringLiteral("alpha, beta,");
            note.PlainText = body;
            note.RichText = QStringLiteral("{\\rtf1\\ansi {\\b Note} ") + body + QStringLiteral("\\par\n}");
            const QStringList path = n % 2
                ? QStringList {QStringLiteral("Big"), QStringLiteral("Sub %1").arg(n % 7),
                               QStringLiteral("Leaf %1").arg(n % 3)}
                : QStringList {QStringLiteral("Tree %1").arg(n % 5), QStringLiteral("Sub")};
            for (int level = 0; level < path.size(); ++level) {
                note.Categories.entries[level].name = path.at(level);
                note.Categories.entries[level].parentName = level ? path.at(level - 1) : QString();
            }
            notes.append(note);
        }
        MustBeStored(WriteNoteFile(FileSystem::Real(), folder.FullPath(NoteFileName(notes.first())), notes));
    }
}

double PlainRewriteMs(const NoteDatabase& db)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString& name : db.NoteFileNames()) {
        const QString path = db.Folder().FullPath(QStringLiteral("Data Files\\Notes\\") + name);
        MustBeStored(WriteNoteFile(FileSystem::Real(), path, ReadNoteFile(path)));
    }
    return timer.nsecsElapsed() / 1e6;
}

double RenameAndRefileMs(NoteDatabase& db, const QString& newName, int* changed)
{
    QElapsedTimer timer;
    timer.start();
    CategoryTree working = CategoryTreeEditor::WorkingCopy(db.Categories(), db.UnassignedNoteIds());
    SilentPrompt prompt;
    ScriptedNamePrompt names;
    names.SetNextName(newName);
    CategoryTreeEditor editor(working, prompt, names);
    for (int i = 0; i < working.Count(); ++i) {
        const QString& name = working.Node(i).name;
        if (name == QLatin1String("Big") || name == QLatin1String("Huge")) {
            editor.RenameCategory(working.Node(i).id);
            break;
        }
    }
    *changed = db.SaveCategoryTrees(std::move(working)).changed.Count();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int noteCount = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QTemporaryDir dir;
    DataFolder folder(dir.path(), dir.path());
    MustBeStored(folder.CreateFolders());
    WriteNotes(folder, noteCount);
    ChangeNotice dbChanges;
    NoteDatabase db(folder, dbChanges);
    SourceStore dbSources(folder, dbChanges);
    db.LoadNoteDatabase(dbSources);

    std::vector<double> plain;
    std::vector<double> refile;
    int changed = 0;
    for (int run = 0; run < runs; ++run) {
        plain.push_back(PlainRewriteMs(db));
        // Back and forth, so that every run moves the same half of the notes.
        refile.push_back(
            RenameAndRefileMs(db, run % 2 ? QStringLiteral("Big") : QStringLiteral("Huge"), &changed));
    }
    const double p = Median(plain);
    const double r = Median(refile);
    std::printf("notes %d in %d files, %d re-filed per run, %d runs\n", noteCount,
                (noteCount + kNotesPerFile - 1) / kNotesPerFile, changed, runs);
    std::printf("plain rewrite   %9.1f ms\n", p);
    std::printf("rename + refile %9.1f ms  (%.2fx the plain rewrite; goal 2x)\n", r, r / p);
    return 0;
}
