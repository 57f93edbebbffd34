// The kept search index over generated notes, beside baselines measured in the same run:
//
// - building it from nothing (time; its size beside the note files' size);
// - each goal query answered from it, warm (median of several runs of the query alone,
//   and with the stamp check of every note file that comes before every answer), beside
//   the same search by reading every note file and `grep -r -c -i` of its first term;
// - the drop-down's work for each keystroke of a word being typed (count and first twenty
//   hits with their shown texts);
// - taking in one rewritten note file, and a start after ten note files changed.
// Every answer from the index is checked against the answer by reading: same notes, same
// order. Prints figures; nothing passes or fails.
//
//   IndexBenchmark DATA_ROOT [INDEX_FOLDER]   (a data root made by GenerateDatabase; the
//                                             index goes into INDEX_FOLDER, by default a
//                                             temporary folder)

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

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
};

void Queries(SearchIndex& index, const Setup& setup)
{
    const QStringList queries {
        QStringLiteral("e"),
        QStringLiteral("ka"),
        QStringLiteral("tor"),
        QStringLiteral("\"kalo\""),
        QStringLiteral("ka AND lo AND mi"),
        QStringLiteral("shiren OR duel OR quiros"),
        QStringLiteral("Kalomi"),
        QStringLiteral("ka lo"),
    };
    std::printf("\n%-28s %9s %11s %11s %11s %11s %9s %9s\n", "query (index: median warm)", "found",
                "query alone", "stamps", "listed", "by reading", "ratio", "grep -ri");
    for (const QString& text : queries) {
        SearchQuery query;
        ParseQuery(text, &query);
        const NoteMatcher matcher(query);
        int count = 0;
        const double alone = MedianMs(7, [&] { index.Find(matcher.Rules(), setup.names, -1, &count); });
        std::optional<ListedNotes> indexed;
        const double stamped
            = MedianMs(5, [&] { indexed = SearchDatabaseIndexed(query, index, setup.names); });
        const double stamps = MedianMs(5, [&] { index.Refresh(setup.names); });
        ListedNotes read;
        const double reading = MedianMs(1, [&] { read = SearchDatabase(query, setup.paths); });
        bool wholeWord = false;
        const double grep
            = GrepMs(SearchTermBody(query.Terms.first(), &wholeWord), setup.folder.NotesFolder());
        std::printf("%-28s %9d %8.1f ms %8.1f ms %8.1f ms %8.1f ms %8.3fx %6.0f ms%s\n", qPrintable(text),
                    count, alone, stamps, stamped, reading, alone / reading, grep,
                    indexed && SameNotes(*indexed, read) ? "" : "   ANSWERS DIFFER");
    }
}

// The drop-down's work as a word is typed: the stamp check, the count and the first
// twenty hits, each read from its note file for its first line, source and date.
void Keystrokes(SearchIndex& index, const Setup& setup)
{
    ChangeNotice changes;
    NoteDatabase database(setup.folder, changes);
    SourceStore sources(setup.folder, changes);
    database.LoadNoteDatabase(sources);
    CurrentNotesList current(database, sources, changes);
    const QString word = QStringLiteral("kalomi");
    std::printf("\n%-12s %9s %12s\n", "typed", "found", "drop-down");
    for (int length = 1; length <= word.size(); ++length) {
        const QString typed = word.left(length);
        SearchPreview preview;
        const double ms = MedianMs(5, [&] {
            preview = PreviewSearch(typed, {database, sources, current, index}, false);
        });
        std::printf("%-12s %9d %9.1f ms\n", qPrintable(typed), preview.count, ms);
    }
}

void Changes(SearchIndex& index, const Setup& setup)
{
    std::printf("\n");
    // One rewritten note file taken in, as after a save in the editor.
    const QString path = setup.paths.at(setup.paths.size() / 2);
    NotesList notes = ReadNoteFile(path);
    notes.first().PlainText += QStringLiteral(" zyxwvut");
    notes.first().RichText.insert(notes.first().RichText.size() - 3, QStringLiteral(" zyxwvut"));
    (void)WriteNoteFile(FileSystem::Real(), path, notes);
    QElapsedTimer timer;
    timer.start();
    index.TakeWrittenFiles({path});
    std::printf("%-44s %9.1f ms (%lld notes in the file)\n", "one rewritten note file taken in",
                double(timer.nsecsElapsed()) / 1e6, static_cast<long long>(notes.size()));
    // Ten files changed while the program was closed: a start reads only those.
    for (int i = 0; i < 10; ++i) {
        const QString changed = setup.paths.at(i * (setup.paths.size() / 10));
        (void)WriteNoteFile(FileSystem::Real(), changed, ReadNoteFile(changed));
    }
    SearchIndex reopened(setup.folder.NotesFolder(), index.IndexFile());
    int refreshed = 0;
    timer.restart();
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: IndexBenchmark DATA_ROOT [INDEX_FOLDER]\n");
        return 2;
    }
    QTemporaryDir temporary;
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString indexFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    Setup setup {DataFolder(root, root), {}, {}};
    setup.names = NoteDatabase::NoteFileNames(setup.folder);
    for (const QString& name : setup.names)
        setup.paths.append(QDir(setup.folder.NotesFolder()).filePath(name));
    const qint64 noteBytes = FolderBytes(setup.folder.NotesFolder());
    std::printf("%lld note files, %.1f MB\n", static_cast<long long>(setup.names.size()),
                double(noteBytes) / 1e6);

    SearchIndex index(setup.folder.NotesFolder(),
                      SearchIndex::FileFor(indexFolder, setup.folder.NotesFolder()));
    QElapsedTimer timer;
    timer.start();
    if (!index.Rebuild(setup.names)) {
        std::fprintf(stderr, "the index cannot be written in %s\n", qPrintable(indexFolder));
        return 1;
    }
    const double buildSeconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 indexBytes = IndexBytes(index.IndexFile());
    std::printf(
        "build from nothing: %.1f s for %d notes; index %.1f MB = %.2f of the note files (goals: 60 s, "
        "1/3)\n",
        buildSeconds, index.NoteCount(), double(indexBytes) / 1e6, double(indexBytes) / double(noteBytes));

    Queries(index, setup);
    Keystrokes(index, setup);
    Changes(index, setup);
    return 0;
}
