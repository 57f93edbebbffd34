// Export, backup and import of generated notes, each timed beside a baseline on the same
// bytes in the same run: `zip -r -1` for the archive writers and `unzip` for the import.
// Every operation runs in a process of its own (this program, started again with --run),
// which loads the database as the command line would and then times the operation; its
// peak memory is the process's own (wait4: maxrss), database load included. Prints the
// figures and the ratios (goals: export and backup within 1.1 times, import within 2
// times, under 150 MB); each figure is the median of three runs.
//
//   ExchangeBenchmark [NOTES] [--plain] [--in FOLDER]      (default 20,000 notes, the system's temporary
//   folder)
//
// By default each note has an attachment (many small files to unpack and place); with
// --plain the notes have none and longer texts, about 5.9 KB a note in some 5,700 note
// files (117 MB for 20,000 notes): the import is then the note files alone.

#include "MustBeStored.h"
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
#include "store/SourceStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
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

// Words of a vocabulary of a few thousand made-up words: text that compresses about as
// well as real prose.
QString Prose(QRandomGenerator& random, int count)
{
    static const QStringList vocabulary = [] {
        static const char* syllables[]
            = {"ka",  "lo",  "mi", "ne",  "tor", "va", "shi", "ren", "pa",  "du",  "el",
               "qui", "ros", "ta", "bin", "ze",  "ga", "hu",  "fo",  "lix", "mor", "sel"};
        QRandomGenerator words(7);
        QStringList list;
        for (int i = 0; i < 4000; ++i) {
            QString word;
            for (int parts = 1 + words.bounded(3); parts > 0; --parts)
                word += QLatin1String(syllables[words.bounded(int(std::size(syllables)))]);
            list.append(word);
        }
        return list;
    }();
    QString text;
    for (int i = 0; i < count; ++i) {
        text += vocabulary.at(random.bounded(int(vocabulary.size())));
        text += random.bounded(12) == 0 ? QStringLiteral(". ") : QStringLiteral(" ");
    }
    return text;
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

void Generate(const DataFolder& folder, int noteCount, bool plain)
{
    MustBeStored(folder.CreateFolders());
    QRandomGenerator random(2112);
    // Plain: many sources and days, so that the notes spread over thousands of files.
    // (A count that 5 does not divide, so that every source has notes.)
    const int sourceCount = plain ? std::max(1, noteCount * 3 / 20 + 1) : kSources;
    AuthorList authors;
    for (int i = 0; i < 100; ++i)
        authors.append(
            {i + 2, QStringLiteral("First%1").arg(i), QString(), QStringLiteral("Last%1").arg(i), {}, {}});
    SourceList sources;
    for (int i = 0; i < sourceCount; ++i) {
        SourceRecord source;
        source.SourceId = 1001 + i;
        source.SourceGUID = QStringLiteral("{SOURCE-%1}").arg(i);
        source.Fields[0] = Words(random, 5);
        source.Fields[1] = Words(random, 3);
        source.AuthorIds = {2 + i % 100, 2 + (i * 7) % 100};
        sources.append(source);
    }
    MustBeStored(WriteAuthorsFile(FileSystem::Real(),
                                  folder.FullPath(QStringLiteral("Data Files\\Authors.dat")), authors));
    MustBeStored(WriteSourcesFile(FileSystem::Real(),
                                  folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), sources));
    std::map<QString, NotesList> files;
    for (int i = 0; i < noteCount; ++i) {
        NoteRecord note;
        note.NoteID = 1001 + i;
        note.SourceID = i % 5 == 0 ? 0 : 1001 + i % sourceCount;
        const QDate day = QDate(2000, 1, 1).addDays(i / 5 % 2700); // the notes without a source
        note.DateAdded = plain ? DateTime::FromParts(day.year(), day.month(), day.day(), 10, 0, 0)
                               : DateTime::FromParts(2008, 1 + i % 12, 1 + i % 28, 10, 0, 0);
        note.LastEdited = note.DateAdded;
        note.NoteGUID = QStringLiteral("{NOTE-%1}").arg(i);
        note.PlainText
            = plain ? Prose(random, 330 + random.bounded(100)) : Words(random, 60 + random.bounded(200));
        note.RichText = QStringLiteral("{\\rtf1\\ansi ") + note.PlainText + QStringLiteral("}");
        note.KeyWords = Words(random, 2);
        if (plain) {
            files[folder.FullPath(NoteFileName(note))].append(note);
            continue;
        }
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
        MustBeStored(WriteNoteFile(FileSystem::Real(), path, notes));
}

double Seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

double CpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Wall and CPU seconds (user + system; on a busy machine they compare the work done
// better than wall-clock times) and peak memory of one run.
struct Timing
{
    double wall = 0;
    double cpu = 0;
    double peakMb = 0;
};

// --- The operations, each run in a process of its own --------------------------------

// Every note of the database, as ids: file by file, a whole file's notes in turn.
NoteIdList AllNoteIds(const NoteDatabase& database)
{
    NoteIdList ids;
    for (const NoteFileEntry& file : database.FileIndex().Entries())
        ids.UnionAppend(file.ids);
    return ids;
}

int RunOperation(const QString& operation, const QString& root, const QString& archive)
{
    const DataFolder folder(root, root);
    MustBeStored(folder.CreateFolders());
    ChangeNotice databaseChanges;
    NoteDatabase database(folder, databaseChanges);
    SourceStore databaseSources(folder, databaseChanges);
    database.LoadNoteDatabase(databaseSources);
    SilentPrompt prompt;
    int result = 0;
    std::function<void()> run;
    NoteIdList ids;
    if (operation == QLatin1String("export")) {
        // A current list of every note.
        ids = AllNoteIds(database);
        run = [&] {
            result = ExchangeCommands::ExportNotesOf(database, databaseSources, ids, archive, nullptr,
                                                     SilentProgress());
        };
    } else if (operation == QLatin1String("backup")) {
        run = [&] {
            result = ExchangeCommands::BackupAllNotes(database, databaseSources, archive, prompt,
                                                      SilentProgress());
        };
    } else if (operation == QLatin1String("load")) {
        run = [] {}; // the database loaded, nothing more: the floor of the others' memory
    } else {
        run = [&] {
            SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
            ImportContext context;
            context.database = &database;
            context.sources = &databaseSources;
            context.chooser = &chooser;
            result = ImportNotes(archive, context);
        };
    }
    QElapsedTimer timer;
    const double cpu = CpuSeconds(RUSAGE_SELF);
    timer.start();
    run();
    std::printf("%d %.6f %.6f\n", result, Seconds(timer), CpuSeconds(RUSAGE_SELF) - cpu);
    return 0;
}

// --- The measuring process ------------------------------------------------------------

// Runs a program, its output read when wanted; the figures of that process by the
// system's own accounting.
Timing RunProcess(const QStringList& command, const QString& folder, QByteArray* output = nullptr)
{
    std::vector<QByteArray> bytes;
    for (const QString& part : command)
        bytes.push_back(QFile::encodeName(part));
    std::vector<char*> argv;
    for (QByteArray& part : bytes)
        argv.push_back(part.data());
    argv.push_back(nullptr);
    const QByteArray directory = QFile::encodeName(folder);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    // What the runs before left unwritten is written first, untimed: the import's one sync
    // of the file system would otherwise wait for the baselines' files too.
    ::sync();
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        close(pipeEnds[0]);
        if (!directory.isEmpty() && chdir(directory.constData()) != 0)
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    QByteArray read;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        read.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    if (output != nullptr)
        *output = read;
    return {Seconds(clock),
            double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6,
            double(usage.ru_maxrss) / 1024.0};
}

// One operation in a process of its own: the time it reports for the operation itself,
// the peak memory of the whole process. result receives what the operation returned.
Timing RunOurs(const QString& operation, const QString& root, const QString& archive, int* result)
{
    QByteArray output;
    const Timing process = RunProcess(
        {QCoreApplication::applicationFilePath(), QStringLiteral("--run"), operation, root, archive},
        QString(), &output);
    const QList<QByteArray> parts = output.trimmed().split(' ');
    if (parts.size() != 3) {
        *result = -9999;
        return process;
    }
    *result = parts.at(0).toInt();
    return {parts.at(1).toDouble(), parts.at(2).toDouble(), process.peakMb};
}

void Row(const char* what, const Timing& ours, const Timing& baseline, const char* baselineName)
{
    std::printf("%-22s wall %7.3f s  cpu %7.3f s %6.1f MB | %-11s wall %7.3f s  cpu %7.3f s %5.1f MB"
                " | ratio wall %.2f  cpu %.2f\n",
                what, ours.wall, ours.cpu, ours.peakMb, baselineName, baseline.wall, baseline.cpu,
                baseline.peakMb, baseline.wall > 0 ? ours.wall / baseline.wall : 0.0,
                baseline.cpu > 0 ? ours.cpu / baseline.cpu : 0.0);
}

// The median run by wall time; the highest peak of all runs.
Timing Median(std::vector<Timing> times)
{
    std::sort(times.begin(), times.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
    Timing median = times.at(times.size() / 2);
    for (const Timing& time : times)
        median.peakMb = std::max(median.peakMb, time.peakMb);
    return median;
}

qint64 FileSize(const QString& path)
{
    return QFileInfo(path).size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--run") == 0)
        return RunOperation(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                            QString::fromLocal8Bit(argv[4]));
    if (argc >= 4 && qstrcmp(argv[1], "--generate") == 0) {
        const QString root = QString::fromLocal8Bit(argv[2]);
        Generate(DataFolder(root, root), std::atoi(argv[3]), argc > 4);
        return 0;
    }
    int noteCount = 20000;
    bool plain = false;
    QString under = QDir::tempPath();
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--plain") == 0)
            plain = true;
        else if (qstrcmp(argv[i], "--in") == 0 && i + 1 < argc)
            under = QString::fromLocal8Bit(argv[++i]);
        else
            noteCount = std::atoi(argv[i]);
    }
    QTemporaryDir work(QDir(under).filePath(QStringLiteral("ExchangeBenchmark-XXXXXX")));
    const QString fromRoot = work.filePath(QStringLiteral("from"));
    // In a process of its own, so that this one stays small: a started process counts
    // the memory of the one that started it in its peak.
    QStringList generate {QCoreApplication::applicationFilePath(), QStringLiteral("--generate"), fromRoot,
                          QString::number(noteCount)};
    if (plain)
        generate.append(QStringLiteral("--plain"));
    RunProcess(generate, QString());
    qint64 noteBytes = 0;
    const QFileInfoList noteFiles
        = QDir(DataFolder(fromRoot, fromRoot).NotesFolder()).entryInfoList(QDir::Files);
    for (const QFileInfo& file : noteFiles)
        noteBytes += file.size();
    std::printf("%d notes, %d attachments, %lld note files, %.1f MB of note files\n", noteCount,
                plain ? 0 : noteCount, static_cast<long long>(noteFiles.size()), noteBytes / 1e6);

    const QString exported = work.filePath(QStringLiteral("export.qvx"));
    const QString backedUp = work.filePath(QStringLiteral("backup.qvx"));
    const QString unpacked = work.filePath(QStringLiteral("unpacked"));
    const QString baselineZip = work.filePath(QStringLiteral("baseline.zip"));
    std::vector<Timing> exportTimes, backupTimes, zipTimes, unzipTimes, importTimes, reimportTimes,
        unzipNotesTimes;
    // A second baseline for the import: unzip of the note files themselves, which makes
    // as many files as the import must (creating a file can cost far more than writing
    // its bytes, and an archive without attachments is one file to unzip).
    int unpackings = 0;
    const QString notesZip = work.filePath(QStringLiteral("notes.zip"));
    const QString notesUnpacked = work.filePath(QStringLiteral("notes-unpacked"));
    RunProcess({QStringLiteral("zip"), QStringLiteral("-r"), QStringLiteral("-1"), QStringLiteral("-q"),
                notesZip, QStringLiteral("Notes")},
               DataFolder(fromRoot, fromRoot).DataFilesFolder());
    const auto unzipNotes = [&] {
        const QString into = notesUnpacked + QString::number(++unpackings);
        QDir().mkpath(into);
        unzipNotesTimes.push_back(
            RunProcess({QStringLiteral("unzip"), QStringLiteral("-q"), notesZip, QStringLiteral("-d"), into},
                       QString()));
    };
    int exportResult = 0;
    int backupResult = 0;
    int importResult = 0;
    int reimportResult = 0;
    // Nothing made during the runs is removed before the end: on a file system without a
    // journal, ext4 does not reuse the inodes of files removed within the last minute or
    // more, and thousands of such files make every file created near them slow.
    const auto unzip = [&] {
        const QString into = unpacked + QString::number(++unpackings);
        QDir().mkpath(into);
        unzipTimes.push_back(
            RunProcess({QStringLiteral("unzip"), QStringLiteral("-q"), exported, QStringLiteral("-d"), into},
                       QString()));
        return into;
    };
    // The baseline compresses the same files: the archive's contents, unpacked. Each of
    // our runs follows its baseline's, so that both meet the same conditions (file
    // creation swings with what the file system went through just before).
    for (int round = 0; round < kRounds; ++round) {
        exportTimes.push_back(RunOurs(QStringLiteral("export"), fromRoot, exported, &exportResult));
        const QString contents = unzip();
        QFile::remove(baselineZip);
        zipTimes.push_back(RunProcess({QStringLiteral("zip"), QStringLiteral("-r"), QStringLiteral("-1"),
                                       QStringLiteral("-q"), baselineZip, QStringLiteral(".")},
                                      contents));
        backupTimes.push_back(RunOurs(QStringLiteral("backup"), fromRoot, backedUp, &backupResult));
    }
    // Rounds of: an import into an empty database (every note new, every attachment
    // renumbered) and the same archive again (every note exists and is replaced by
    // itself), each just after an unzip baseline.
    for (int round = 0; round < kRounds; ++round) {
        const QString root = work.filePath(QStringLiteral("to%1").arg(round));
        unzip();
        unzipNotes();
        importTimes.push_back(RunOurs(QStringLiteral("import"), root, exported, &importResult));
        unzip();
        unzipNotes();
        reimportTimes.push_back(RunOurs(QStringLiteral("import"), root, exported, &reimportResult));
    }
    const Timing zipTime = Median(zipTimes);
    const Timing unzipTime = Median(unzipTimes);
    const Timing unzipNotesTime = Median(unzipNotesTimes);

    std::printf("export %d, backup %d, import %d, re-import %d notes; archive %.1f MB (zip -r -1: %.1f MB)\n",
                exportResult, backupResult, importResult, reimportResult, FileSize(exported) / 1e6,
                FileSize(baselineZip) / 1e6);
    Row("export (current list)", Median(exportTimes), zipTime, "zip -r -1");
    Row("backup (all notes)", Median(backupTimes), zipTime, "zip -r -1");
    Row("import (all new)", Median(importTimes), unzipTime, "unzip");
    Row("import (all same)", Median(reimportTimes), unzipTime, "unzip");
    Row("import (all new)", Median(importTimes), unzipNotesTime, "unzip notes");
    Row("import (all same)", Median(reimportTimes), unzipNotesTime, "unzip notes");
    return 0;
}
