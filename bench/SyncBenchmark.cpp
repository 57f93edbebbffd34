// A sync of changed notes beside an export of the same notes, in the same run: two
// machines share one sync folder; each round edits 1,000 notes on the first, exports them
// (the baseline), then times the first machine's sync (which writes them) and the
// second's (which applies them), and then an import of the exported archive on the second
// machine (the baseline of applying: the same note files rewritten). Then it times syncs
// with nothing new. Goals: a sync of the changed notes within 2x their export; a sync with
// nothing new well under a second.
//
//   SyncBenchmark [NOTES] [CHANGED]      (defaults 20,000 and 1,000)

#include "MustBeStored.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "format/AuthorsFile.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "sync/DeletionRecorder.h"
#include "sync/SyncEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kSources = 200;
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

// Notes in source and day files; every fourth with an attached file of 4 to 12 KB.
void Generate(const DataFolder& folder, int noteCount)
{
    MustBeStored(folder.CreateFolders());
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
        source.AuthorIds = {2 + i % 100, 2 + (i * 7) % 100};
        sources.append(source);
    }
    MustBeStored(WriteAuthorsFile(FileSystem::Real(), folder.AuthorsFilePath(), authors));
    MustBeStored(WriteSourcesFile(FileSystem::Real(), folder.SourcesFilePath(), sources));
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
        if (i % 4 == 0) {
            AttachmentRecord attachment;
            attachment.StoredName = QString::asprintf("%.7d.dat", i + 1);
            attachment.Title = QStringLiteral("File %1").arg(i);
            attachment.OriginalName = attachment.Title + QStringLiteral(".dat");
            note.Attachments.append(attachment);
            QFile file(QDir(folder.ImagesFolder()).filePath(attachment.StoredName));
            file.open(QIODevice::WriteOnly);
            QByteArray bytes(4096 + random.bounded(8192), Qt::Uninitialized);
            for (char& byte : bytes)
                byte = char(random.bounded(256));
            file.write(bytes);
        }
        files[folder.FullPath(NoteFileName(note))].append(note);
    }
    for (const auto& [path, notes] : files)
        MustBeStored(WriteNoteFile(FileSystem::Real(), path, notes));
}

double Seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// User and system seconds of the process (every thread): on a busy machine they compare
// the work done better than wall-clock times.
double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Wall and CPU seconds of one operation.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

template<class Operation> Timing Time(Operation&& operation)
{
    QElapsedTimer timer;
    const double cpu = CpuSeconds();
    timer.start();
    operation();
    return {Seconds(timer), CpuSeconds() - cpu};
}

struct Machine
{
    QString name;
    DataFolder folder;
    qint32 maxNoteId = 1000;
    qint32 maxAuthorId = 1;
    ChangeNotice changes;
    std::unique_ptr<SourceStore> sources;
    std::unique_ptr<NoteDatabase> db;
    std::unique_ptr<DeletionRecorder> recorder;

    Machine(QString machineName, const QString& root)
        : name(std::move(machineName))
        , folder(root, root)
    {
        MustBeStored(folder.CreateFolders());
        Load();
    }
    // As the program starts: the sources, the notes, the recorder of deletions.
    void Load()
    {
        recorder.reset();
        db.reset();
        sources = std::make_unique<SourceStore>(folder, changes);
        sources->BindAuthorCounter(&maxAuthorId);
        db = std::make_unique<NoteDatabase>(folder, changes);
        db->BindNoteCounter(&maxNoteId);
        recorder = std::make_unique<DeletionRecorder>(folder, changes);
        db->LoadNoteDatabase(*sources);
    }
    SyncReport Sync(const QString& syncFolder)
    {
        SyncOptions options;
        options.folder = syncFolder;
        options.machine = name;
        SyncContext context;
        context.database = db.get();
        context.sources = sources.get();
        context.recorder = recorder.get();
        const SyncReport report = SyncNow(options, context);
        if (!report.ok)
            std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(report.error));
        return report;
    }
};

// Edits count notes spread over the note files (one in every few), as saves would: text
// and LastEdited, each file rewritten once. Returns their ids.
NoteIdList EditNotes(const DataFolder& folder, int count, int round)
{
    NoteIdList ids;
    QDir notes(folder.NotesFolder());
    QStringList names = notes.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
    const DateTime when = DateTime::FromParts(2024, 3, 1 + round, 12, 0, 0);
    for (int pass = 0; ids.Count() < count && pass < 50; ++pass) {
        for (const QString& name : std::as_const(names)) {
            NotesList list = ReadNoteFile(notes.filePath(name));
            bool changed = false;
            for (int i = pass; i < list.size() && ids.Count() < count; i += 16) {
                if (ids.Contains(list[i].NoteID))
                    continue;
                list[i].PlainText += QStringLiteral(" edited in round %1").arg(round);
                list[i].RichText = QStringLiteral("{\\rtf1\\ansi ") + list[i].PlainText + QStringLiteral("}");
                list[i].LastEdited = when;
                ids.Append(list[i].NoteID);
                changed = true;
                break;
            }
            if (changed)
                MustBeStored(WriteNoteFile(FileSystem::Real(), notes.filePath(name), list));
            if (ids.Count() >= count)
                break;
        }
    }
    return ids;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int noteCount = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int changed = argc > 2 ? std::atoi(argv[2]) : 1000;
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/sync-bench-XXXXXX"));
    const QString syncFolder = work.filePath(QStringLiteral("shared"));
    QDir().mkpath(syncFolder);
    std::printf("generating %d notes...\n", noteCount);
    Generate(DataFolder(work.filePath(QStringLiteral("desk")), work.filePath(QStringLiteral("desk"))),
             noteCount);
    Machine desk(QStringLiteral("desk"), work.filePath(QStringLiteral("desk")));
    Machine laptop(QStringLiteral("laptop"), work.filePath(QStringLiteral("laptop")));

    QElapsedTimer timer;
    timer.start();
    const SyncReport first = desk.Sync(syncFolder);
    const double firstSend = Seconds(timer);
    timer.start();
    const SyncReport firstReceive = laptop.Sync(syncFolder);
    const double firstApply = Seconds(timer);
    desk.Sync(syncFolder);
    laptop.Sync(syncFolder);
    std::printf(
        "first sync of %d notes: written in %.2f s, applied on an empty machine in %.2f s (%d notes)\n",
        first.sent, firstSend, firstApply, firstReceive.received);

    std::vector<Timing> exports;
    std::vector<Timing> sends;
    std::vector<Timing> receives;
    std::vector<Timing> imports;
    for (int round = 0; round < kRounds; ++round) {
        const NoteIdList ids = EditNotes(desk.folder, changed, round);
        desk.Load();
        ExportContext context;
        context.database = desk.db.get();
        context.sources = desk.sources.get();
        const QString archive = work.filePath(QStringLiteral("baseline.qvx"));
        int exported = 0;
        exports.push_back(Time([&] { exported = ExportNotes(ids, archive, context); }));
        SyncReport sent;
        sends.push_back(Time([&] { sent = desk.Sync(syncFolder); }));
        SyncReport received;
        receives.push_back(Time([&] { received = laptop.Sync(syncFolder); }));
        SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
        ImportContext import;
        import.database = laptop.db.get();
        import.sources = laptop.sources.get();
        import.chooser = &chooser;
        int imported = 0;
        imports.push_back(Time([&] { imported = ImportNotes(archive, import); }));
        QFile::remove(archive);
        std::printf(
            "round %d: export of %d notes %.3f s (cpu %.3f); the sync that sent %d: %.3f s (cpu %.3f); "
            "the sync that received %d: %.3f s (cpu %.3f); their import: %d notes %.3f s (cpu %.3f)\n",
            round + 1, exported, exports.back().wall, exports.back().cpu, sent.sent, sends.back().wall,
            sends.back().cpu, received.received, receives.back().wall, receives.back().cpu, imported,
            imports.back().wall, imports.back().cpu);
    }
    desk.Sync(syncFolder);
    std::vector<double> quiet;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        laptop.Sync(syncFolder);
        quiet.push_back(Seconds(timer));
    }
    const auto wall = [](const std::vector<Timing>& t) {
        std::vector<double> v;
        for (const Timing& one : t)
            v.push_back(one.wall);
        return Median(v);
    };
    const auto cpu = [](const std::vector<Timing>& t) {
        std::vector<double> v;
        for (const Timing& one : t)
            v.push_back(one.cpu);
        return Median(v);
    };
    std::printf("\n%d notes, %d changed (medians of %d rounds; wall and cpu seconds)\n", noteCount, changed,
                kRounds);
    std::printf("export of the changed notes   %7.3f s  cpu %7.3f s\n", wall(exports), cpu(exports));
    std::printf("sync that writes them         %7.3f s  cpu %7.3f s   %.2fx export, cpu %.2fx (goal 2x)\n",
                wall(sends), cpu(sends), wall(sends) / wall(exports), cpu(sends) / cpu(exports));
    std::printf(
        "sync that applies them        %7.3f s  cpu %7.3f s   %.2fx export; %.2fx their import (%.3f s)\n",
        wall(receives), cpu(receives), wall(receives) / wall(exports), wall(receives) / wall(imports),
        wall(imports));
    std::printf("sync with nothing new         %7.1f ms  (goal well under 1 s)\n", Median(quiet) * 1000);
    return 0;
}
