// Times the start-up load of a data root (the clean-up of empty note files and the full
// database load, in their one pass: authors, sources, every note file into the indexes) beside a baseline
// in the same run: reading the same files' bytes raw. Each figure is the median of
// several runs, taken alternately with warm caches. Goal: the load within twice the raw
// read.
//
//   LoadBenchmark DATA_ROOT [RUNS]      (make a DATA_ROOT with GenerateDatabase)

#include "format/DataFolder.h"
#include "format/NoteFileScanner.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Every file the load reads, in the listing order the load uses.
QStringList LoadedFiles(const DataFolder& folder)
{
    QStringList paths = {folder.FullPath(QStringLiteral("Data Files\\Authors.dat")),
                         folder.FullPath(QStringLiteral("Data Files\\Sources.dat"))};
    const QDir notes(folder.NotesFolder());
    for (const QString& name : notes.entryList(QDir::Files))
        paths.append(notes.filePath(name));
    return paths;
}

double RawReadMs(const QStringList& paths, qint64* bytes)
{
    QElapsedTimer timer;
    timer.start();
    qint64 total = 0;
    for (const QString& path : paths) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            total += file.readAll().size();
    }
    *bytes = total;
    return timer.nsecsElapsed() / 1e6;
}

// The note files read by the index scan alone, nothing filed: what the load costs before
// the category trees, key words and file index take the notes.
double ScanOnlyMs(const QStringList& paths)
{
    QElapsedTimer timer;
    timer.start();
    NoteFileScanner scanner;
    int kept = 0;
    for (const QString& path : paths)
        kept += scanner.ScanFile(path, [](const NoteIndexFacts&) {});
    (void)kept;
    return timer.nsecsElapsed() / 1e6;
}

// The load as start-up runs it: the clean-up of empty files and the load in one pass.
double LoadMs(const DataFolder& folder, int* total)
{
    QElapsedTimer timer;
    timer.start();
    ChangeNotice databaseChanges;
    NoteDatabase database(folder, databaseChanges);
    SourceStore databaseSources(folder, databaseChanges);
    database.CleanUpAndLoadNoteDatabase(databaseSources);
    const double ms = timer.nsecsElapsed() / 1e6;
    *total = database.Total();
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: LoadBenchmark DATA_ROOT [RUNS]\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const DataFolder folder(root, root);
    const QStringList paths = LoadedFiles(folder);

    qint64 bytes = 0;
    int notes = 0;
    RawReadMs(paths, &bytes); // the files into the page cache
    std::vector<double> raw, load, scan;
    for (int run = 0; run < runs; ++run) {
        raw.push_back(RawReadMs(paths, &bytes));
        scan.push_back(ScanOnlyMs(paths.mid(2)));
        load.push_back(LoadMs(folder, &notes));
    }
    const double rawMs = Median(raw);
    const double loadMs = Median(load);
    std::printf("files: %lld (%.1f MB), notes loaded: %d, runs: %d\n", static_cast<long long>(paths.size()),
                bytes / 1e6, notes, runs);
    std::printf("raw read of the same files   %9.1f ms\n", rawMs);
    std::printf("start-up load (clean-up and load) %4.1f ms\n", loadMs);
    std::printf("  index scan of the note files alone %7.1f ms\n", Median(scan));
    std::printf("ratio load / raw read        %9.2f   (goal: 2.00 or less)\n", loadMs / rawMs);
    return 0;
}
