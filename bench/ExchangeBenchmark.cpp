// Export, backup and import of generated notes with attachments, each timed beside a
// baseline on the same bytes in the same run: `zip -r` for the archive writers and
// `unzip` for the import. Prints the figures and the ratios (goal: within 1.5 times); the
// import figures and the baselines are medians of three runs.
//
//   ExchangeBenchmark [NOTES]      (default 10,000)

#include "exchange/ExchangeCommands.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "format/AuthorsFile.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kSources = 200;
// Each figure of the import and the baselines is the median of this many runs: single
// runs of file-heavy work swing widely on a shared machine.
constexpr int kRounds = 3;

QString Words(QRandomGenerator& random, int count)
{
    static const char* words[]
        = {"light",  "prism",      "colour",      "refraction", "lens", "wave", "particle",
           "theory", "experiment", "observation", "the",        "of",   "and",  "a"};
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(QString::fromLatin1(words[random.bounded(int(std::size(words)))]));
    return out.join(QLatin1Char(' '));
}

// Half text-like (compresses), half noise (does not), as real attachments are.
QByteArray AttachmentBytes(QRandomGenerator& random, int index)
{
    const int size = 4096 + random.bounded(8192);
    QByteArray bytes(size, Qt::Uninitialized);
    if (index % 2 == 0) {
        for (int i = 0; i < size; ++i)
            bytes[i] = char('a' + (i * 7 + index) % 26);
    } else {
        for (int i = 0; i < size; ++i)
            bytes[i] = char(random.bounded(256));
    }
    return bytes;
}

void Generate(const DataFolder& folder, int noteCount)
{
    folder.CreateFolders();
    QRandomGenerator random(2112);
    AuthorList authors;
    for (int i = 0; i < 100; ++i)
        authors.append(
            {i + 2, QStringLiteral("First%1").arg(i), QString(), QStringLiteral("Last%1").arg(i), {}, {}});
    SourceList sources;
    for (int i = 0; i < kSources; ++i) {
        SourceRecord source;
        source.SourceId = 1001 + i;
        source.SourceGUID = QStringLiteral("{SOURCE-%1}").arg(i);
        source.Fields[0] = Words(random, 5);
        source.Fields[1] = Words(random, 3);
        source.AuthorIds = {2 + i % 100, 2 + (i * 7) % 100};
        sources.append(source);
    }
    WriteAuthorsFile(folder.FullPath(QStringLiteral("Data Files\\Authors.dat")), authors);
    WriteSourcesFile(folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), sources);
    std::map<QString, NotesList> files;
    for (int i = 0; i < noteCount; ++i) {
        NoteRecord note;
        note.NoteID = 1001 + i;
        note.SourceID = i % 5 == 0 ? 0 : 1001 + i % kSources;
        note.DateAdded = DateTime::FromParts(2008, 1 + i % 12, 1 + i % 28, 10, 0, 0);
        note.LastEdited = note.DateAdded;
        note.NoteGUID = QStringLiteral("{NOTE-%1}").arg(i);
        note.PlainText = Words(random, 60 + random.bounded(200));
        note.RichText = QStringLiteral("{\\rtf1\\ansi ") + note.PlainText + QStringLiteral("}");
        note.KeyWords = Words(random, 2);
        AttachmentRecord attachment;
        attachment.StoredName = QString::asprintf("%.7d.dat", i + 1);
        attachment.Title = QStringLiteral("File %1").arg(i);
        attachment.OriginalName = attachment.Title + QStringLiteral(".dat");
        note.Attachments.append(attachment);
        QFile file(QDir(folder.ImagesFolder()).filePath(attachment.StoredName));
        file.open(QIODevice::WriteOnly);
        file.write(AttachmentBytes(random, i));
        files[folder.FullPath(NoteFileName(note))].append(note);
    }
    for (const auto& [path, notes] : files)
        WriteNoteFile(path, notes);
}

double Seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// CPU seconds (user + system) of this process or of its finished children: on a busy
// machine they compare the work done better than wall-clock times.
double CpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing
{
    double wall = 0;
    double cpu = 0;
};

// Times one of our operations.
template<typename Operation> Timing Measure(Operation operation)
{
    QElapsedTimer timer;
    const double cpu = CpuSeconds(RUSAGE_SELF);
    timer.start();
    operation();
    return {Seconds(timer), CpuSeconds(RUSAGE_SELF) - cpu};
}

Timing RunTool(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QElapsedTimer timer;
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return {Seconds(timer), CpuSeconds(RUSAGE_CHILDREN) - cpu};
}

void Row(const char* what, const Timing& ours, const Timing& baseline, const char* baselineName)
{
    std::printf(
        "%-24s wall %7.3f s  cpu %7.3f s | %-7s wall %7.3f s  cpu %7.3f s | ratio wall %.2f  cpu %.2f\n",
        what, ours.wall, ours.cpu, baselineName, baseline.wall, baseline.cpu,
        baseline.wall > 0 ? ours.wall / baseline.wall : 0.0,
        baseline.cpu > 0 ? ours.cpu / baseline.cpu : 0.0);
}

Timing Median(std::vector<Timing> times)
{
    std::sort(times.begin(), times.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
    return times.at(times.size() / 2);
}

qint64 FileSize(const QString& path)
{
    return QFileInfo(path).size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int noteCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir work;
    const DataFolder from(work.filePath(QStringLiteral("from")), work.path());
    Generate(from, noteCount);
    NoteDatabase database(from);
    database.LoadNoteDatabase();
    std::printf("%d notes, %d attachments\n", database.Total(), noteCount);

    // Export of a current list holding every note.
    const NotesList all = database.LoadAllNotes();
    ExportContext context;
    context.folder = from;
    context.authors = database.Authors();
    const QString exported = work.filePath(QStringLiteral("export.qvx"));
    int exportResult = 0;
    const Timing exportTime = Measure([&] { exportResult = ExportNotes(all, exported, context); });

    // The baseline compresses the same files: the archive's contents, unpacked.
    const QString unpacked = work.filePath(QStringLiteral("unpacked"));
    QDir().mkpath(unpacked);
    std::vector<Timing> unzipTimes;
    const auto unzip = [&] {
        QDir(unpacked).removeRecursively();
        QDir().mkpath(unpacked);
        unzipTimes.push_back(RunTool(QStringLiteral("unzip"),
                                     {QStringLiteral("-q"), exported, QStringLiteral("-d"), unpacked}));
    };
    unzip();
    std::vector<Timing> zipTimes;
    for (int round = 0; round < kRounds; ++round) {
        QFile::remove(work.filePath(QStringLiteral("baseline.zip")));
        zipTimes.push_back(RunTool(QStringLiteral("zip"),
                                   {QStringLiteral("-r"), QStringLiteral("-q"),
                                    work.filePath(QStringLiteral("baseline.zip")), QStringLiteral(".")},
                                   unpacked));
    }

    // Backup: the command, loading every note itself.
    SilentPrompt prompt;
    int backupResult = 0;
    const Timing backupTime = Measure([&] {
        backupResult = ExchangeCommands::BackupAllNotes(database, work.filePath(QStringLiteral("backup.qvx")),
                                                        prompt, SilentProgress());
    });

    // Rounds of: an import into an empty database (every note new, every attachment
    // renumbered) and the same archive again (every note exists and is replaced by
    // itself), each just after an unzip baseline: file creation here swings with what
    // the file system went through just before, so each side meets the same conditions.
    std::vector<Timing> importTimes, reimportTimes;
    int importResult = 0;
    int reimportResult = 0;
    for (int round = 0; round < kRounds; ++round) {
        const QString root = work.filePath(QStringLiteral("to%1").arg(round));
        const DataFolder to(root, work.path());
        to.CreateFolders();
        NoteDatabase target(to);
        target.LoadNoteDatabase();
        SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
        ImportContext importContext;
        importContext.database = &target;
        importContext.chooser = &chooser;
        unzip();
        importTimes.push_back(Measure([&] { importResult = ImportNotes(exported, importContext); }));
        unzip();
        reimportTimes.push_back(Measure([&] { reimportResult = ImportNotes(exported, importContext); }));
        QDir(root).removeRecursively();
    }
    const Timing zipTime = Median(zipTimes);
    const Timing unzipTime = Median(unzipTimes);
    const Timing importTime = Median(importTimes);
    const Timing reimportTime = Median(reimportTimes);

    std::printf("export %d, backup %d, import %d, re-import %d notes; archive %.1f MB (zip -r: %.1f MB)\n",
                exportResult, backupResult, importResult, reimportResult, FileSize(exported) / 1e6,
                FileSize(work.filePath(QStringLiteral("baseline.zip"))) / 1e6);
    Row("export (current list)", exportTime, zipTime, "zip -r");
    Row("backup (all notes)", backupTime, zipTime, "zip -r");
    Row("import (all new)", importTime, unzipTime, "unzip");
    Row("import (all same)", reimportTime, unzipTime, "unzip");
    return 0;
}
