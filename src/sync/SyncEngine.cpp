#include "sync/SyncEngine.h"

#include "exchange/TempFolder.h"
#include "format/FileSystem.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "sync/DeletionJournal.h"
#include "sync/DeletionRecorder.h"
#include "sync/IncomingArchive.h"
#include "sync/OutgoingArchive.h"
#include "sync/SyncApplier.h"
#include "sync/SyncCompactor.h"
#include "sync/SyncFolder.h"
#include "sync/SyncFormat.h"
#include "sync/SyncMerge.h"

#include <QDir>
#include <QUuid>
#include <memory>
#include <vector>

namespace {

LocalScan::SourceGuids SourceGuidsOf(const SourceStore& sources)
{
    LocalScan::SourceGuids guids;
    for (const SourceRecord& source : sources.Sources()) {
        if (!guids.contains(source.SourceId))
            guids.insert(source.SourceId, source.SourceGUID);
    }
    return guids;
}

class SyncRun
{
public:
    SyncRun(const SyncOptions& options, const SyncContext& context)
        : m_options(options)
        , m_context(context)
        , m_progress(context.progress != nullptr ? *context.progress : SilentProgress())
    {
    }

    SyncReport Run();

private:
    bool Prepare();
    bool NothingNew();
    bool LoadState();
    bool ScanLocal();
    void OpenPending();
    bool MergeAndApply();
    bool Apply(SyncApplier& applier);
    QList<ImportDatabaseScan::File> KnownFiles() const;
    void FinishVersions();
    Outgoing BuildOutgoing() const;
    bool TakeRecord(const SyncedNote& note, NotesList* records) const;
    bool Publish();
    bool SaveState();
    LocalScan::DeletionTime DeletionTimes() const;
    void ReportSkipped(const QString& machine, const QString& file, const QString& reason);
    bool Fail(const QString& text);
    FileSystem& Files() const { return m_context.database->Folder().Files(); }

    const SyncOptions& m_options;
    const SyncContext& m_context;
    ProgressReporter& m_progress;
    SyncReport m_report;
    QString m_ownName;
    QString m_ownFolder;
    QString m_stateFolder;
    QString m_tempFolder;
    IndexRead m_own;
    QList<MachineFolder> m_others;
    SyncState m_state;
    bool m_fullSend = false;
    LocalScan m_scan; // the notes before anything came in
    LocalScan m_after; // and after
    std::vector<std::unique_ptr<IncomingArchive>> m_archives;
    QHash<QString, qint64> m_applied; // machine id -> last sequence applied now
    SyncMerge::Outcome m_outcome;
    QHash<QString, Tombstone> m_tombstones; // every deletion known at the end
};

bool SyncRun::Fail(const QString& text)
{
    m_report.ok = false;
    m_report.error = text;
    return false;
}

void SyncRun::ReportSkipped(const QString& machine, const QString& file, const QString& reason)
{
    m_report.skipped.append({machine + QLatin1Char('/') + file, reason});
}

bool SyncRun::Prepare()
{
    if (m_context.database == nullptr || m_context.sources == nullptr)
        return Fail(QStringLiteral("There is no database to sync."));
    if (m_context.database->Folder().IsReadOnly())
        return Fail(m_context.database->Folder().ReadOnlyText());
    if (m_options.folder.trimmed().isEmpty())
        return Fail(QStringLiteral("No sync folder is set: choose one on the General page of the options."));
    if (!QDir(m_options.folder).exists())
        return Fail(QStringLiteral("The sync folder \"%1\" cannot be found.").arg(m_options.folder));
    m_ownName = SyncFolder::FolderNameOf(m_options.machine);
    if (m_ownName.isEmpty())
        return Fail(
            QStringLiteral("This machine has no name to sync under: give it one on the General page of "
                           "the options."));
    const DataFolder& folder = m_context.database->Folder();
    m_ownFolder = QDir(m_options.folder).filePath(m_ownName);
    m_stateFolder = folder.FullPath(SyncFormat::StateFolderName());
    m_tempFolder = folder.FullPath(SyncFormat::TempFolderName());
    m_own = ReadMachineIndex(m_ownFolder);
    m_others = SyncFolder::ReadOthers(m_options.folder, m_ownName);
    return true;
}

// Only the indexes and the note folder's listing are read: no note file, no archive.
bool SyncRun::NothingNew()
{
    const SyncState head = SyncState::LoadHead(m_stateFolder);
    if (head.machineId.isEmpty() || m_own.result != IndexRead::Result::Ok
        || m_own.index.machineId != head.machineId || m_own.index.machineName != m_options.machine)
        return false;
    const DataFolder& folder = m_context.database->Folder();
    if (NoteFolderListing::Read(folder.NotesFolder()).Digest() != head.listing)
        return false;
    for (const MachineFolder& other : std::as_const(m_others)) {
        if (other.read.result != IndexRead::Result::Ok || other.read.index.machineId == head.machineId)
            continue;
        if (other.read.index.LastSequence() > m_own.index.applied.value(other.read.index.machineId))
            return false;
    }
    for (const MachineFolder& other : std::as_const(m_others)) {
        if (other.read.result == IndexRead::Result::Unreadable)
            ReportSkipped(other.name, SyncFormat::IndexName(),
                          QStringLiteral("still being copied in, damaged or from a newer version"));
    }
    m_state.machineId = head.machineId;
    return true;
}

bool SyncRun::LoadState()
{
    m_state = SyncState::Load(m_stateFolder);
    if (m_state.machineId.isEmpty())
        m_state.machineId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (m_own.result == IndexRead::Result::Ok && m_own.index.machineId != m_state.machineId)
        return Fail(
            QStringLiteral("Another machine already syncs as \"%1\" in this sync folder: give this machine "
                           "another name on the General page of the options.")
                .arg(m_ownName));
    // A new sync folder, or one that lost this machine's index: everything is sent again.
    m_fullSend = m_own.result != IndexRead::Result::Ok;
    return true;
}

// This machine's notes against the state. A note stored without a GUID (an old file's)
// would travel under a new one at every sync: its file is rewritten with the GUID it is
// given, and read again.
bool SyncRun::ScanLocal()
{
    const DataFolder& folder = m_context.database->Folder();
    m_scan = LocalScan::Run(folder, m_state, SourceGuidsOf(*m_context.sources), DeletionTimes());
    if (m_scan.withoutGuids.isEmpty())
        return true;
    QStringList paths;
    for (const QString& name : std::as_const(m_scan.withoutGuids))
        paths.append(QDir(folder.NotesFolder()).filePath(name));
    if (const NoteWriteResult stored = m_context.database->StoreNoteGuids(paths); !stored.Ok())
        return Fail(stored.failure.Message());
    m_scan = LocalScan::Run(folder, m_state, SourceGuidsOf(*m_context.sources), DeletionTimes());
    return true;
}

void SyncRun::OpenPending()
{
    for (const MachineFolder& other : std::as_const(m_others)) {
        if (other.read.result == IndexRead::Result::Unreadable) {
            ReportSkipped(other.name, SyncFormat::IndexName(),
                          QStringLiteral("still being copied in, damaged or from a newer version"));
            continue;
        }
        const MachineIndex& index = other.read.index;
        // No index yet, or a subfolder this machine used under an earlier name.
        if (other.read.result != IndexRead::Result::Ok || index.machineId == m_state.machineId)
            continue;
        const qint64 applied = m_fullSend ? 0 : m_own.index.applied.value(index.machineId);
        qint64 reached = applied;
        for (const ArchiveListing& listing : index.archives) {
            if (listing.last <= applied)
                continue;
            // An archive is applied only after every earlier one of its machine.
            const QString folder = QDir(m_tempFolder).filePath(QString::number(m_archives.size()));
            QString reason;
            std::unique_ptr<IncomingArchive> archive;
            if (const FileStatus made = Files().MakePath(folder); !made)
                reason = made.Message();
            else
                archive = IncomingArchive::Open(QDir(other.path).filePath(listing.fileName), listing, folder,
                                                m_options.limits, &reason);
            if (archive && archive->Meta().machineId != index.machineId)
                reason = QStringLiteral("damaged: written by another machine");
            if (!reason.isEmpty()) {
                ReportSkipped(other.name, listing.fileName, reason);
                break;
            }
            m_archives.push_back(std::move(archive));
            reached = listing.last;
        }
        if (reached > applied)
            m_applied.insert(index.machineId, reached);
    }
}

bool SyncRun::MergeAndApply()
{
    m_tombstones = m_state.tombstones;
    for (const Tombstone& tomb : std::as_const(m_scan.deleted)) {
        auto known = m_tombstones.find(tomb.guid);
        if (known == m_tombstones.end())
            m_tombstones.insert(tomb.guid, tomb);
        else
            known->Merge(tomb);
    }
    if (m_archives.empty()) {
        m_after = m_scan;
        return true;
    }
    const QHash<QString, SyncedNote> local = m_scan.NotesByGuid();
    SyncMerge merge(local, m_tombstones);
    QList<const IncomingArchive*> archives;
    for (int k = 0; k < int(m_archives.size()); ++k) {
        const IncomingArchive& archive = *m_archives.at(k);
        archives.append(&archive);
        for (int i = 0; i < archive.Count(); ++i)
            merge.OfferNote(archive.Note(i).NoteGUID, archive.Version(i), {k, i});
        for (const Tombstone& tomb : archive.Meta().deleted)
            merge.OfferDeletion(tomb);
    }
    m_outcome = merge.Result();
    m_tombstones = m_outcome.tombstones;
    const QString stage = QDir(m_tempFolder).filePath(QStringLiteral("stage"));
    if (const FileStatus made = Files().MakePath(stage); !made)
        return Fail(made.Message());
    SyncApplier applier(*m_context.database, *m_context.sources, stage, archives, m_progress);
    applier.KnowFiles(KnownFiles());
    bool applied = false;
    {
        // The deletions applied carry the times they were made elsewhere.
        const DeletionRecorder::Quiet quiet(m_context.recorder);
        applied = Apply(applier);
    }
    // Whatever was stored, even by a sync that failed later, is read in and told, so
    // that the windows show it.
    if (!applier.StoredIds().IsEmpty())
        m_context.database->ReloadAfterWriting(*m_context.sources, applier.StoredIds(),
                                               applier.WrittenNoteFiles());
    if (!applied)
        return false;
    // What the sync wrote, read back and versioned against the notes before it.
    SyncState before = m_state;
    before.files = m_scan.files;
    m_after = LocalScan::Run(m_context.database->Folder(), before, SourceGuidsOf(*m_context.sources));
    FinishVersions();
    return true;
}

bool SyncRun::Apply(SyncApplier& applier)
{
    const int work = int(m_outcome.take.size() + m_outcome.copies.size() + m_outcome.deleteIds.size());
    if (work == 0)
        return true;
    m_progress.Begin(QStringLiteral("Storing synced notes..."), work + 1);
    NoteIdList localCopies;
    FileStatus status = applier.StoreLocalCopies(m_outcome.copies, &localCopies);
    m_report.databaseChanged = m_report.databaseChanged || !localCopies.IsEmpty();
    m_report.conflicts.UnionAppend(localCopies);
    if (status)
        status = applier.DeleteNotes(m_outcome.deleteIds, &m_report.deleted);
    m_report.databaseChanged = m_report.databaseChanged || m_report.deleted > 0;
    int received = 0;
    NoteIdList incomingCopies;
    if (status)
        status = applier.StoreIncoming(m_outcome.take, m_outcome.copies, &received, &incomingCopies);
    m_report.received = received;
    m_report.databaseChanged = m_report.databaseChanged || received > 0;
    m_report.conflicts.UnionAppend(incomingCopies);
    m_progress.End();
    return status ? true : Fail(status.Message());
}

QList<ImportDatabaseScan::File> SyncRun::KnownFiles() const
{
    const QDir notes(m_context.database->Folder().NotesFolder());
    QList<ImportDatabaseScan::File> files;
    files.reserve(m_scan.files.size());
    for (const SyncedFile& file : m_scan.files) {
        ImportDatabaseScan::File known;
        known.path = notes.filePath(file.name);
        known.stamp = file.stamp;
        for (const SyncedNote& note : file.notes)
            known.ids.append(note.id);
        files.append(std::move(known));
    }
    return files;
}

// A note the merge decided keeps the version it decided, with every version it won over.
void SyncRun::FinishVersions()
{
    for (SyncedFile& file : m_after.files) {
        for (SyncedNote& note : file.notes) {
            const auto decided = m_outcome.versions.constFind(note.guid);
            if (decided == m_outcome.versions.cend())
                continue;
            const NoteVersion now = note.version;
            note.version = decided->fingerprint == now.fingerprint
                ? *decided
                : decided->Next(now.fingerprint, now.lastEdited);
            note.version.lastEdited = now.lastEdited;
        }
    }
}

// The note as the scans read it, when one of them did and it is still that version.
bool SyncRun::TakeRecord(const SyncedNote& note, NotesList* records) const
{
    for (const LocalScan* scan : {&m_after, &m_scan}) {
        const auto read = scan->records.constFind(note.guid);
        if (read != scan->records.cend() && read->fingerprint == note.version.fingerprint
            && read->note.NoteID == note.id) {
            records->append(read->note);
            return true;
        }
    }
    return false;
}

Outgoing SyncRun::BuildOutgoing() const
{
    QSet<QString> taken;
    for (const TakeOrder& order : m_outcome.take)
        taken.insert(order.guid);
    Outgoing outgoing;
    QSet<QString> added;
    bool wholeRecords = true;
    for (const SyncedFile& file : m_after.files) {
        for (const SyncedNote& note : file.notes) {
            const bool changed = m_scan.changed.contains(note.guid) || m_after.changed.contains(note.guid);
            // A note taken from another machine is in that machine's archives already.
            if (!(m_fullSend || changed) || taken.contains(note.guid) || added.contains(note.guid))
                continue;
            added.insert(note.guid);
            outgoing.ids.Append(note.id);
            outgoing.notes.append({note.guid, note.version.fingerprint, note.version.history});
            if (wholeRecords)
                wholeRecords = TakeRecord(note, &outgoing.records);
        }
    }
    if (!wholeRecords)
        outgoing.records.clear();
    if (m_fullSend)
        outgoing.deleted = m_tombstones.values();
    else
        outgoing.deleted = m_scan.deleted;
    return outgoing;
}

bool SyncRun::Publish()
{
    FileSystem& files = Files();
    if (const FileStatus made = files.MakePath(m_ownFolder); !made)
        return Fail(made.Message());
    MachineIndex index = m_own.result == IndexRead::Result::Ok ? m_own.index : MachineIndex();
    const QByteArray before = m_own.result == IndexRead::Result::Ok ? index.Serialize() : QByteArray();
    index.machineId = m_state.machineId;
    index.machineName = m_options.machine;
    for (auto it = m_applied.cbegin(); it != m_applied.cend(); ++it)
        index.applied.insert(it.key(), std::max(index.applied.value(it.key()), it.value()));
    const Outgoing outgoing = BuildOutgoing();
    if (!outgoing.IsEmpty()) {
        m_progress.Begin(QStringLiteral("Writing this machine's changes..."), 0);
        const qint64 sequence
            = std::max(index.LastSequence(), SyncFolder::HighestArchiveNumber(m_ownFolder)) + 1;
        ArchiveListing listing;
        QString error;
        const bool written
            = WriteOutgoingArchive(*m_context.database, *m_context.sources, m_ownFolder, m_state.machineId,
                                   sequence, outgoing, m_progress, &listing, &m_report.sent, &error);
        m_progress.End();
        if (!written)
            return Fail(error);
        index.archives.append(listing);
    }
    if (index.Serialize() != before) {
        if (const FileStatus stored = WriteMachineIndex(files, m_ownFolder, index); !stored)
            return Fail(stored.Message());
    }
    m_own.result = IndexRead::Result::Ok;
    m_own.index = index;
    return true;
}

LocalScan::DeletionTime SyncRun::DeletionTimes() const
{
    if (m_context.deletedWhen)
        return m_context.deletedWhen;
    const QHash<QString, DateTime> recorded = DeletionJournal(Files(), m_stateFolder).Read();
    return [recorded](const QString& guid) { return recorded.value(guid, DateTime::Invalid()); };
}

bool SyncRun::SaveState()
{
    SyncState next;
    next.machineId = m_state.machineId;
    next.listing = m_after.listing.Digest();
    next.synced = DateTime::CurrentLocal();
    next.files = m_after.files;
    next.tombstones = m_tombstones;
    if (const FileStatus saved = next.Save(Files(), m_stateFolder); !saved)
        return Fail(saved.Message());
    // Every deletion it dated is in the state now; a journal that cannot be emptied dates
    // nothing the state does not know, so it does no harm.
    static_cast<void>(DeletionJournal(Files(), m_stateFolder).Clear());
    return true;
}

SyncReport SyncRun::Run()
{
    if (!Prepare())
        return m_report;
    m_progress.Begin(QStringLiteral("Reading the sync folder..."), 0);
    const bool nothingNew = NothingNew();
    m_progress.End();
    if (!nothingNew) {
        if (!LoadState())
            return m_report;
        if (const FileStatus reset = ResetTempFolder(Files(), m_tempFolder); !reset) {
            Fail(reset.Message());
            return m_report;
        }
        m_progress.Begin(QStringLiteral("Reading changed notes..."), 0);
        const bool scanned = ScanLocal();
        if (scanned)
            OpenPending();
        m_progress.End();
        const bool done = scanned && MergeAndApply() && Publish() && SaveState();
        m_archives.clear();
        RemoveTempFolder(Files(), m_tempFolder);
        if (!done)
            return m_report;
    }
    if (m_own.result == IndexRead::Result::Ok) {
        CompactArchives(m_context.database->Folder(), m_ownFolder, m_own.index, m_others, m_options,
                        m_progress);
        SyncFolder::RemoveLeftovers(Files(), m_ownFolder, m_own.index);
    }
    m_report.ok = true;
    return m_report;
}

} // namespace

SyncReport SyncNow(const SyncOptions& options, const SyncContext& context)
{
    SyncRun run(options, context);
    return run.Run();
}

QString SyncCaption()
{
    return QStringLiteral("Sync");
}

QString SyncReportText(const SyncReport& report)
{
    if (!report.ok)
        return report.error;
    QStringList parts;
    const auto notes
        = [](int n) { return n == 1 ? QStringLiteral("1 note") : QStringLiteral("%1 notes").arg(n); };
    if (report.sent > 0 || report.received > 0 || report.deleted > 0)
        parts.append(QStringLiteral("Sent %1, received %2, deleted %3.")
                         .arg(notes(report.sent), notes(report.received), notes(report.deleted)));
    if (!report.conflicts.IsEmpty()) {
        QStringList ids;
        for (qint32 id : report.conflicts)
            ids.append(QString::number(id));
        parts.append(
            QStringLiteral("%1 changed on two machines since they last synced: the later edit was kept, "
                           "and the other one as a new note with the key word \"%2\" (%3).")
                .arg(notes(report.conflicts.Count()), SyncFormat::ConflictKeyWord(),
                     ids.join(QStringLiteral(", "))));
    }
    if (!report.skipped.isEmpty()) {
        QStringList lines;
        for (const SyncReport::Skipped& skipped : report.skipped)
            lines.append(QStringLiteral("%1: %2").arg(skipped.file, skipped.reason));
        parts.append(QStringLiteral("Skipped, to be tried again at the next sync:\n")
                     + lines.join(QLatin1Char('\n')));
    }
    return parts.join(QStringLiteral("\n\n"));
}
