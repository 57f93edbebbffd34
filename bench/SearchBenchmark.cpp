// A database search of two AND terms over generated notes, and "SHOWALL" into an empty
// current list sorted by source (703) and by categories (704), each timed (median of
// several runs) beside a baseline in the same run: `grep -r -c -i` of one term over the
// same notes folder. Prints the figures and the ratios (goal: the search within three
// times the baseline).
//
//   SearchBenchmark [NOTES] [DATA_ROOT]   (default 100,000 notes in a temporary folder;
//                                         an existing DATA_ROOT is searched as it is)

#include "ListsBenchData.h"
#include "lists/CurrentNotesList.h"
#include "lists/DatabaseSearch.h"
#include "lists/SearchCommands.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRuns = 5;

double GrepMs(const QString& term, const QString& folder)
{
    auto grep = [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("grep"),
                      {QStringLiteral("-r"), QStringLiteral("-c"), QStringLiteral("-i"), term, folder});
        process.waitForFinished(-1);
    };
    grep(); // the files into the page cache
    return ListsBench::MedianMs(kRuns, grep);
}

void PrintRatio(const char* what, double ms, double baselineMs)
{
    std::printf("%-44s %9.1f ms   %5.2f x grep\n", what, ms, ms / baselineMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temporary;
    const QString rootPath = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const DataFolder folder(rootPath, rootPath);
    if (!QDir(folder.NotesFolder()).exists()) {
        std::printf("generating %d notes in %s ...\n", count, qPrintable(rootPath));
        ListsBench::Generate(folder, count);
    }

    ChangeNotice databaseChanges;
    NoteDatabase database(folder, databaseChanges);

    SourceStore databaseSources(folder, databaseChanges);
    database.LoadNoteDatabase(databaseSources);
    CurrentNotesList current(database, databaseSources, databaseChanges);
    QStringList files;
    for (const QString& name : database.NoteFileNames())
        files.append(QDir(folder.NotesFolder()).filePath(name));
    qint64 bytes = 0;
    for (const QString& path : files)
        bytes += QFileInfo(path).size();
    std::printf("%d notes in %lld files, %.1f MB\n", database.Total(), static_cast<long long>(files.size()),
                static_cast<double>(bytes) / 1e6);

    const QStringList& words = ListsBench::Vocabulary();
    const QString first = words.at(17);
    const QString second = words.at(1234);
    const double grepMs = GrepMs(first, folder.NotesFolder());
    std::printf("%-44s %9.1f ms\n", qPrintable(QStringLiteral("baseline: grep -r -c -i %1").arg(first)),
                grepMs);

    for (const QString& text : QStringList {first + QStringLiteral(" AND ") + second, first}) {
        SearchQuery query;
        ParseQuery(text, &query);
        qsizetype found = 0;
        const double ms = ListsBench::MedianMs(kRuns, [&] { found = SearchDatabase(query, files).size(); });
        PrintRatio(qPrintable(QStringLiteral("search \"%1\" (%2 found)").arg(text).arg(found)), ms, grepMs);
    }

    // The parts of SHOWALL: reading every note, then the sources and the sort.
    SearchQuery showAll;
    ParseQuery(QStringLiteral("SHOWALL"), &showAll);
    ListedNotes all;
    PrintRatio("read every note (SearchDatabase SHOWALL)",
               ListsBench::MedianMs(3, [&] { all = SearchDatabase(showAll, files); }), grepMs);
    PrintRatio("FillAttachedSources of every note",
               ListsBench::MedianMs(3, [&] { databaseSources.FillAttachedSources(all); }), grepMs);

    SilentPrompt prompt;
    for (const int sortId : {703, 704}) {
        const double ms = ListsBench::MedianMs(3, [&] {
            current.ClearCurrentNotes();
            RunDatabaseSearch(QStringLiteral("SHOWALL"), database, current, sortId, prompt);
        });
        PrintRatio(qPrintable(QStringLiteral("SHOWALL into the current list, sort %1").arg(sortId)), ms,
                   grepMs);
    }
    std::printf("current list: %lld notes\n", static_cast<long long>(current.Count()));
    return 0;
}
