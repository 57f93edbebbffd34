// The kept search index over generated notes, beside baselines measured in the same run:
//
// - building it from nothing with `quorvel-cli index --rebuild`, a process of its own
//   (wall time, processor time of all its threads, peak memory), beside `quorvel-cli info`
//   (the start-up load alone); its size beside the note files' size;
// - `quorvel-cli search --ids-only` of each goal query, start-up load included, beside
//   `quorvel-cli info` (median of nine rounds of them all, the current list emptied before
//   each run);
// - each goal query answered from the index in this process, warm (median of several
//   runs of the query alone, and with the stamp check of every note file that comes
//   before every answer and the listing of the notes found), beside the same search by
//   reading every note file and `grep -r -c -i` of its first term;
// - the drop-down's work for each keystroke of two words typed once (count and first
//   twenty hits with their shown texts);
// - taking in one rewritten note file, and a start after ten note files changed.
// Every answer from the index is checked against the answer by reading: same notes, same
// order. Prints figures; nothing passes or fails.
//
//   IndexBenchmark QUORVEL_CLI DATA_ROOT   (a data root made by GenerateDatabase; the index
//                                          goes into a temporary cache folder)

#include "MeasuredProcess.h"
#include "MedianTime.h"
#include "app/AppPaths.h"
#include "format/NoteFile.h"
#include "index/SearchIndex.h"
#include "index/TextMatcher.h"
#include "lists/CurrentNotesList.h"
#include "lists/DatabaseSearch.h"
#include "lists/NoteMatcher.h"
#include "lists/SearchPreview.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Runs of a command and of the typing: their medians, on a machine shared with other work.
constexpr int kProcessRuns = 9;
constexpr int kTypingRuns = 7;

// The median wall times of commands run in turn, each after before (not timed): round
// after round, so that other work on the machine weighs on all of them alike.
std::vector<double> MedianProcessMs(int rounds, const std::vector<QStringList>& commands,
                                    const QStringList& before)
{
    std::vector<std::vector<double>> times(commands.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < commands.size(); ++i) {
            RunMeasured(before);
            times[i].push_back(RunMeasured(commands[i]).ms);
        }
    }
    std::vector<double> medians;
    for (std::vector<double>& each : times) {
        std::sort(each.begin(), each.end());
        medians.push_back(each[each.size() / 2]);
    }
    return medians;
}

qint64 FolderBytes(const QString& folder)
{
    qint64 bytes = 0;
    QDirIterator files(folder, QDir::Files);
    while (files.hasNext())
        bytes += QFileInfo(files.next()).size();
    return bytes;
}

qint64 IndexBytes(const QString& file)
{
    qint64 bytes = 0;
    for (const char* suffix : {"", "-wal", "-shm"})
        bytes += QFileInfo(file + QLatin1String(suffix)).size();
    return bytes;
}

double GrepMs(const QString& term, const QString& folder)
{
    auto grep = [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("grep"),
                      {QStringLiteral("-r"), QStringLiteral("-c"), QStringLiteral("-i"), term, folder});
        process.waitForFinished(-1);
    };
    grep();
    return MedianMs(3, grep);
}

bool SameNotes(const ListedNotes& a, const ListedNotes& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].NoteID != b[i].NoteID || !(a[i].Categories == b[i].Categories)
            || a[i].DateAdded != b[i].DateAdded)
            return false;
    }
    return true;
}

struct Setup
{
    DataFolder folder;
    QStringList names;
    QStringList paths;
    QStringList cli; // quorvel-cli --data-root DATA_ROOT
};

const QStringList& GoalQueries()
{
    static const QStringList queries {
        QStringLiteral("e"),
        QStringLiteral("ka"),
        QStringLiteral("tor"),
        QStringLiteral("\"kalo\""),
        QStringLiteral("ka AND lo AND mi"),
        QStringLiteral("shiren OR duel OR quiros"),
        QStringLiteral("Kalomi"),
        QStringLiteral("ka lo"),
        QStringLiteral("kalomi torva"),
    };
    return queries;
}

// Each query through the command line, start-up load included, beside `info`.
void CommandLine(const Setup& setup)
{
    const QStringList clear = setup.cli + QStringList {QStringLiteral("current"), QStringLiteral("--set")};
    std::vector<QStringList> commands {setup.cli + QStringList {QStringLiteral("info")}};
    for (const QString& text : GoalQueries())
        commands.push_back(setup.cli
                           + QStringList {QStringLiteral("search"), QStringLiteral("--ids-only"), text});
    const std::vector<double> medians = MedianProcessMs(kProcessRuns, commands, clear);
    const double info = medians.front();
    std::printf("\n%-28s %12s %12s\n", "quorvel-cli (median of 9)", "time", "/ info");
    std::printf("%-28s %9.0f ms %11.2fx\n", "info (baseline)", info, 1.0);
    for (size_t i = 1; i < commands.size(); ++i) {
        std::printf("%-28s %9.0f ms %11.2fx\n",
                    qPrintable(QStringLiteral("search --ids-only ") + commands[i].last()), medians[i],
                    medians[i] / info);
    }
    RunMeasured(clear);
}

void Queries(SearchIndex& index, const Setup& setup)
{
    std::printf("\n%-28s %9s %11s %9s %11s %11s %11s %9s %9s\n", "query (index: median warm)", "found",
                "query alone", "confirmed", "stamps", "listed", "by reading", "ratio", "grep -ri");
    for (const QString& text : GoalQueries()) {
        SearchQuery query;
        ParseQuery(text, &query);
        const NoteMatcher matcher(query);
        int count = 0;
        const double alone = MedianMs(7, [&] {
            index.ForgetRecentAnswers();
            index.Find(matcher.Rules(), setup.names, -1, &count);
        });
        const int confirmed = index.ConfirmedByLastFind();
        std::optional<ListedNotes> indexed;
        const double stamped = MedianMs(5, [&] {
            index.ForgetRecentAnswers();
            indexed = SearchDatabaseIndexed(query, index, setup.names);
        });
        const double stamps = MedianMs(5, [&] { index.Refresh(setup.names); });
        ListedNotes read;
        const double reading = MedianMs(1, [&] { read = SearchDatabase(query, setup.paths); });
        bool wholeWord = false;
        const double grep
            = GrepMs(SearchTermBody(query.Terms.first(), &wholeWord), setup.folder.NotesFolder());
        std::printf("%-28s %9d %8.1f ms %9d %8.1f ms %8.1f ms %8.1f ms %8.3fx %6.0f ms%s\n", qPrintable(text),
                    count, alone, confirmed, stamps, stamped, reading, alone / reading, grep,
                    indexed && SameNotes(*indexed, read) ? "" : "   ANSWERS DIFFER");
    }
}

// The drop-down's work as a word is typed: the stamp check, the count and the first
// twenty hits, each read from its note file for its first line, source and date.
// Each keystroke as the user types two words once, on an index just opened (so nothing
// is remembered from other searches); the median of seven such runs.
void Keystrokes(const SearchIndex& built, const Setup& setup)
{
    ChangeNotice changes;
    NoteDatabase database(setup.folder, changes);
    SourceStore sources(setup.folder, changes);
    database.LoadNoteDatabase(sources);
    CurrentNotesList current(database, sources, changes);
    const QString words = QStringLiteral("kalomi torva");
    QStringList typed;
    for (int length = 1; length <= words.size(); ++length) {
        if (!words.left(length).endsWith(QLatin1Char(' '))) // the search trims it: as before
            typed.append(words.left(length));
    }
    std::vector<std::vector<double>> times(size_t(typed.size()));
    std::vector<int> found(size_t(typed.size()));
    for (int run = 0; run < kTypingRuns; ++run) {
        SearchIndex index(setup.folder.NotesFolder(), built.IndexFile());
        index.PrepareTermsOnOpen(); // as the window does
        index.Refresh(setup.names);
        for (qsizetype i = 0; i < typed.size(); ++i) {
            SearchPreview preview;
            times[size_t(i)].push_back(MedianMs(1, [&] {
                preview = PreviewSearch(typed.at(i), {database, sources, current, index}, false);
            }));
            found[size_t(i)] = preview.count;
        }
    }
    std::printf("\n%-14s %9s %12s\n", "typed", "found", "drop-down");
    for (qsizetype i = 0; i < typed.size(); ++i) {
        std::vector<double>& runs = times[size_t(i)];
        std::sort(runs.begin(), runs.end());
        std::printf("%-14s %9d %9.1f ms\n", qPrintable(typed.at(i)), found[size_t(i)], runs[1]);
    }
}

void Changes(SearchIndex& index, const Setup& setup)
{
    std::printf("\n");
    // A rewritten note file taken in, as after a save in the editor: the first one after
    // the index is opened hashes the vocabulary's tokens; the note is put back after.
    const QString path = setup.paths.at(setup.paths.size() / 2);
    const NotesList original = ReadNoteFile(path);
    for (const char* when : {"first rewritten note file taken in", "next rewritten note file taken in"}) {
        NotesList notes = ReadNoteFile(path);
        notes.first().PlainText += QStringLiteral(" zyxwvut");
        notes.first().RichText.insert(notes.first().RichText.size() - 3, QStringLiteral(" zyxwvut"));
        (void)WriteNoteFile(FileSystem::Real(), path, notes);
        QElapsedTimer timer;
        timer.start();
        index.TakeWrittenFiles({path});
        std::printf("%-44s %9.1f ms (%lld notes in the file)\n", when, double(timer.nsecsElapsed()) / 1e6,
                    static_cast<long long>(notes.size()));
    }
    (void)WriteNoteFile(FileSystem::Real(), path, original);
    index.TakeWrittenFiles({path});
    // Ten files changed while the program was closed: a start reads only those.
    for (int i = 0; i < 10; ++i) {
        const QString changed = setup.paths.at(i * (setup.paths.size() / 10));
        (void)WriteNoteFile(FileSystem::Real(), changed, ReadNoteFile(changed));
    }
    SearchIndex reopened(setup.folder.NotesFolder(), index.IndexFile());
    int refreshed = 0;
    QElapsedTimer timer;
    timer.start();
    reopened.Refresh(setup.names, &refreshed);
    std::printf("%-44s %9.1f ms (%d files read again)\n", "open and check after ten files changed",
                double(timer.nsecsElapsed()) / 1e6, refreshed);
    timer.restart();
    reopened.Refresh(setup.names, &refreshed);
    std::printf("%-44s %9.1f ms\n", "stamp check of every note file", double(timer.nsecsElapsed()) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: IndexBenchmark QUORVEL_CLI DATA_ROOT\n");
        return 2;
    }
    // The index goes to a cache folder of this run, for the command line too.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString root = QString::fromLocal8Bit(argv[2]);
    Setup setup {DataFolder(root, root),
                 {},
                 {},
                 {QString::fromLocal8Bit(argv[1]), QStringLiteral("--data-root"), root}};
    setup.names = NoteDatabase::NoteFileNames(setup.folder);
    for (const QString& name : setup.names)
        setup.paths.append(QDir(setup.folder.NotesFolder()).filePath(name));
    const qint64 noteBytes = FolderBytes(setup.folder.NotesFolder());
    std::printf("%lld note files, %.1f MB\n", static_cast<long long>(setup.names.size()),
                double(noteBytes) / 1e6);

    const QStringList clear = setup.cli + QStringList {QStringLiteral("current"), QStringLiteral("--set")};
    RunMeasured(clear);
    RunMeasured(setup.cli + QStringList {QStringLiteral("info")}); // the note files into the page cache
    const MeasuredProcess info = RunMeasured(setup.cli + QStringList {QStringLiteral("info")});
    const MeasuredProcess build
        = RunMeasured(setup.cli + QStringList {QStringLiteral("index"), QStringLiteral("--rebuild")});
    SearchIndex index(setup.folder.NotesFolder(),
                      SearchIndex::FileFor(AppPaths::SearchIndexFolder(), setup.folder.NotesFolder()));
    if (!index.Refresh(setup.names)) {
        std::fprintf(stderr, "no index was built in %s\n", qPrintable(AppPaths::SearchIndexFolder()));
        return 1;
    }
    const qint64 indexBytes = IndexBytes(index.IndexFile());
    std::printf("\n%-44s %9s %12s %10s\n", "", "wall", "processor", "peak");
    std::printf("%-44s %7.1f s %10.1f s %7.0f MB\n", "quorvel-cli info (baseline: the load)", info.ms / 1e3,
                info.cpuMs / 1e3, info.peakMb);
    std::printf("%-44s %7.1f s %10.1f s %7.0f MB   (goals: 60 s, 300 MB)\n",
                "quorvel-cli index --rebuild (load and build)", build.ms / 1e3, build.cpuMs / 1e3,
                build.peakMb);
    std::printf("index of %d notes: %.1f MB = %.2f of the note files (goal: 1/3)\n", index.NoteCount(),
                double(indexBytes) / 1e6, double(indexBytes) / double(noteBytes));

    CommandLine(setup);
    Queries(index, setup);
    Keystrokes(index, setup);
    Changes(index, setup);
    return 0;
}
