// Imports a bibliography of many entries (10,000 by default) as BibTeX, RIS and CSL-JSON,
// each import in a process of its own that reads and maps the file, compares every entry
// with the stored sources and stores them all with their authors, as "Import Sources"
// does; prints its time and the process's peak memory (wait4: maxrss) beside bibutils'
// own converter of the same file (bib2xml, ris2xml) when it is installed.
//
//   SourceImportBenchmark [ENTRIES]    goal: a few seconds, under 150 MB
#include "MustBeStored.h"
#include "exchange/SourceExport.h"
#include "exchange/SourceImport.h"
#include "format/DataFolder.h"
#include "platform/ProgressReporter.h"
#include "store/ChangeNotice.h"
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Figures
{
    double milliseconds = 0;
    double megabytes = 0;
    bool ok = false;
};

// A library as people keep them: articles, books, chapters, theses; a pool of authors
// shared between entries, accents, macros and concatenation.
QByteArray MakeBibTeX(int count)
{
    static const char* const given[]
        = {"John", "Jörg", "Ana María", "Siobhán", "René", "Wei", "Olga", "Pieter"};
    static const char* const family[] = {"Smith", "Müller",  "García-López", "O'Connor", "van der Berg",
                                         "Zhang", "Ivanova", "Dubois",       "Nakamura", "Okafor"};
    QByteArray text = "@string{jphys = \"Journal of Physical Chemistry\"}\n\n";
    for (int i = 0; i < count; ++i) {
        QByteArray authors;
        for (int a = 0; a < 1 + i % 4; ++a) {
            if (a)
                authors += " and ";
            authors += QByteArray(family[(i * 7 + a * 3) % 10]) + ", " + given[(i + a * 5) % 8]
                + (a % 2 ? " " + QByteArray(1, char('A' + (i + a) % 26)) + "." : QByteArray());
        }
        const QByteArray n = QByteArray::number(i);
        switch (i % 4) {
        case 0:
            text += "@article{a" + n + ",\n  author = {" + authors
                + "},\n  title = {On the {DNA} of M{\\\"u}ller cells " + n
                + "},\n  journal = jphys # \" A\",\n  year = " + QByteArray::number(1950 + i % 70)
                + ", month = mar,\n  volume = {" + QByteArray::number(i % 200) + "}, number = {"
                + QByteArray::number(i % 12) + "},\n  pages = {" + QByteArray::number(i % 900) + "--"
                + QByteArray::number(i % 900 + 12) + "},\n  doi = {10.1000/bench." + n + "},\n}\n\n";
            break;
        case 1:
            text += "@book{b" + n + ",\n  author = {" + authors + "},\n  title = {A Book about {\\'E}cole "
                + n + "},\n  publisher = {Academic Press},\n  address = {New York},\n  year = {"
                + QByteArray::number(1900 + i % 120) + "},\n  edition = {2nd},\n  isbn = {978-0-" + n
                + "},\n}\n\n";
            break;
        case 2:
            text += "@incollection{c" + n + ",\n  author = {" + authors + "},\n  title = {Chapter " + n
                + "},\n  booktitle = {Handbook of Things},\n  editor = {Ann Editor and Bob Other},\n  "
                  "publisher = {MIT "
                  "Press},\n  year = 2003,\n  pages = {1--20},\n}\n\n";
            break;
        default:
            text += "@phdthesis{t" + n + ",\n  author = {" + authors + "},\n  title = {Coastal erosion " + n
                + "},\n  school = {Trinity College Dublin},\n  year = {2010},\n}\n\n";
        }
    }
    return text;
}

// Runs the import of path into a fresh data root in a child process.
Figures ImportInChild(const QString& path, const QString& root)
{
    std::fflush(stdout); // a child must not print what the parent has buffered
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        DataFolder folder(root, root);
        MustBeStored(folder.CreateFolders());
        ChangeNotice changes;
        SourceStore store(folder, changes);
        store.Load();
        store.RaiseAuthorCounter();
        SourceImport import;
        QString error;
        if (!import.Open(path, SourceFileFormat::Auto, store.Sources(), store.Authors(), SilentProgress(),
                         &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            _exit(1);
        }
        QList<qint32> created, authors;
        const bool stored = import.Store(store, 1, &created, &authors).IsOk();
        _exit(stored && created.size() == import.SelectedCount() ? 0 : 2);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    return {double(clock.nsecsElapsed()) / 1e6, double(usage.ru_maxrss) / 1024.0,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// An outside program with its output thrown away.
Figures RunProgram(const QString& program, const QStringList& arguments)
{
    std::fflush(stdout); // a child must not print what the parent has buffered
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        QList<QByteArray> words {program.toLocal8Bit()};
        for (const QString& argument : arguments)
            words.append(argument.toLocal8Bit());
        QList<char*> argv;
        for (QByteArray& word : words)
            argv.append(word.data());
        argv.append(nullptr);
        execvp(argv.first(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    return {double(clock.nsecsElapsed()) / 1e6, double(usage.ru_maxrss) / 1024.0,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

void Print(const char* what, const Figures& figures)
{
    std::printf("| %-34s | %9.0f ms | %6.1f MB | %s\n", what, figures.milliseconds, figures.megabytes,
                figures.ok ? "" : "FAILED");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("library-bench-XXXXXX")));
    const QString bib = dir.filePath(QStringLiteral("library.bib"));
    QFile file(bib);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(MakeBibTeX(count));
    file.close();

    // The same sources as RIS and CSL-JSON, written by the export from an imported copy.
    const QString seed = dir.filePath(QStringLiteral("seed"));
    if (!ImportInChild(bib, seed).ok)
        return 1;
    {
        DataFolder folder(seed, seed);
        ChangeNotice changes;
        SourceStore store(folder, changes);
        store.Load();
        MustBeStored(ExportSources(folder.Files(), dir.filePath(QStringLiteral("library.ris")),
                                   SourceFileFormat::Ris, store.Sources(), store.Authors(), {}));
        MustBeStored(ExportSources(folder.Files(), dir.filePath(QStringLiteral("library.json")),
                                   SourceFileFormat::CslJson, store.Sources(), store.Authors(), {}));
    }
    std::printf("%d entries; BibTeX %lld KB, RIS %lld KB, CSL-JSON %lld KB (median of three runs each)\n\n",
                count, QFileInfo(bib).size() / 1024,
                QFileInfo(dir.filePath(QStringLiteral("library.ris"))).size() / 1024,
                QFileInfo(dir.filePath(QStringLiteral("library.json"))).size() / 1024);
    std::printf("| %-34s | %12s | %9s |\n", "operation", "time", "peak");
    std::printf("|------------------------------------|--------------|-----------|\n");
    auto median = [](QList<Figures> runs) {
        std::sort(runs.begin(), runs.end(),
                  [](const Figures& a, const Figures& b) { return a.milliseconds < b.milliseconds; });
        return runs.at(1);
    };
    int run = 0;
    auto importRuns = [&](const QString& path) {
        QList<Figures> runs;
        for (int i = 0; i < 3; ++i)
            runs.append(ImportInChild(path, dir.filePath(QStringLiteral("root%1").arg(run++))));
        return median(runs);
    };
    Print("import BibTeX", importRuns(bib));
    Print("import RIS", importRuns(dir.filePath(QStringLiteral("library.ris"))));
    Print("import CSL-JSON", importRuns(dir.filePath(QStringLiteral("library.json"))));
    for (const auto& [program, file] :
         {std::pair {"bib2xml", "library.bib"}, std::pair {"ris2xml", "library.ris"}}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            continue;
        QList<Figures> runs;
        for (int i = 0; i < 3; ++i)
            runs.append(RunProgram(QString::fromLatin1(program), {dir.filePath(QString::fromLatin1(file))}));
        Print(QByteArray(QByteArray("baseline: bibutils ") + program).constData(), median(runs));
    }
    return 0;
}
