#include "sync/LocalScan.h"

#include "format/Guid.h"
#include "format/NoteTextScanner.h"
#include "format/TextCodec.h"

#include <QDir>
#include <QHashFunctions>
#include <future>

namespace {

using StateNotes = QHash<QString, const SyncedNote*>;

StateNotes NotesOfState(const SyncState& state)
{
    StateNotes notes;
    for (const SyncedFile& file : state.files) {
        for (const SyncedNote& note : file.notes)
            notes.insert(note.guid, &note);
    }
    return notes;
}

// The fields that tell a record's note without decoding its texts. The GUID is viewed, so
// that a record stored without one is told from one that has it.
constexpr NoteFieldUses kKeyFields = NoteFieldUses::All(FieldUse::Skip)
                                         .With(NoteField::NoteID, FieldUse::Keep)
                                         .With(NoteField::NoteGUID, FieldUse::View);
struct KeyFields
{
    qint32 NoteID = 0;
};
struct StoredGuid
{
    QByteArrayView bytes;
    void View(NoteField, QByteArrayView viewed) { bytes = viewed; }
};

// Compared only with digests this program made here before: a fast hash will do. A new
// Qt whose hash differs costs one full reading, nothing more.
QByteArray StoredDigest(QByteArrayView bytes)
{
    return QByteArray::number(quint64(qHashBits(bytes.data(), size_t(bytes.size()), 0)), 36);
}

// Reads a changed note file and versions its notes against the state. A record whose
// bytes are those the state saw is the same note: only the others are decoded whole and
// fingerprinted, so a file in which one note changed costs little more than its reading.
// What a reading thread found changed.
struct Changed
{
    QSet<QString> guids;
    QHash<QString, LocalScan::Record> records;
    bool overflow = false;
    QStringList withoutGuids;

    void Add(const QString& guid, const QByteArray& fingerprint, NoteRecord&& note, int keep)
    {
        guids.insert(guid);
        if (records.size() >= keep)
            overflow = true;
        if (!overflow)
            records.insert(guid, {fingerprint, std::move(note)});
    }
};

SyncedFile ReadChangedFile(const QString& path, const NoteFolderListing::File& listed,
                           const StateNotes& stateNotes, const LocalScan::SourceGuids& sources, int keep,
                           Changed* changed)
{
    SyncedFile file;
    file.name = listed.name;
    file.stamp = listed.stamp;
    NoteTextScanner scanner;
    if (!scanner.LoadFile(path))
        return file;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        KeyFields keys;
        StoredGuid guid;
        scanner.ReadFields<kKeyFields>(span, keys, guid);
        SyncedNote synced;
        synced.id = keys.NoteID;
        // A note stored without a GUID is given one for this scan; the sync stores it.
        if (guid.bytes.isEmpty()) {
            synced.guid = NewGuidText();
            if (changed->withoutGuids.isEmpty() || changed->withoutGuids.last() != listed.name)
                changed->withoutGuids.append(listed.name);
        } else {
            synced.guid = TextCodec::FromFileBytes(guid.bytes);
        }
        synced.stored = StoredDigest(scanner.RecordBytes(span));
        const SyncedNote* before = stateNotes.value(synced.guid);
        if (before != nullptr && before->stored == synced.stored) {
            synced.version = before->version;
            file.notes.append(std::move(synced));
            continue;
        }
        NoteRecord note = scanner.ReadRecord(span);
        note.NoteGUID = synced.guid;
        const QByteArray fingerprint = NoteFingerprint(note, sources.value(note.SourceID));
        if (before != nullptr && before->version.fingerprint == fingerprint) {
            synced.version = before->version;
        } else {
            synced.version = before != nullptr ? before->version.Next(fingerprint, note.LastEdited)
                                               : NoteVersion {fingerprint, {}, note.LastEdited};
            changed->Add(synced.guid, fingerprint, std::move(note), keep);
        }
        file.notes.append(std::move(synced));
    }
    return file;
}

// Reads the changed files at the places given, shared out between two threads: reading
// and decoding them is most of a sync's own work.
void ReadChangedFiles(const DataFolder& folder, const StateNotes& stateNotes,
                      const LocalScan::SourceGuids& sources, const QList<int>& places, LocalScan& scan)
{
    const QDir notesFolder(folder.NotesFolder());
    // Each thread writes only its own places of the list, which is sized before.
    SyncedFile* files = scan.files.data();
    const int keep = LocalScan::kKeptRecords / 2;
    const auto readRange = [&](qsizetype from, qsizetype to, Changed* changed) {
        for (qsizetype i = from; i < to; ++i) {
            const NoteFolderListing::File& listed = scan.listing.files.at(places.at(i));
            files[places.at(i)] = ReadChangedFile(notesFolder.filePath(listed.name), listed, stateNotes,
                                                  sources, keep, changed);
        }
    };
    constexpr qsizetype kSharedFrom = 8; // fewer files are read at once by one thread
    const qsizetype half = places.size() >= kSharedFrom ? places.size() / 2 : places.size();
    Changed here;
    Changed there;
    std::future<void> reading = std::async(std::launch::async | std::launch::deferred,
                                           [&] { readRange(half, places.size(), &there); });
    readRange(0, half, &here);
    reading.get();
    scan.changed = here.guids.unite(there.guids);
    scan.withoutGuids = here.withoutGuids + there.withoutGuids;
    scan.recordsComplete = !here.overflow && !there.overflow;
    if (scan.recordsComplete) {
        scan.records = std::move(here.records);
        scan.records.insert(there.records);
    }
}

} // namespace

LocalScan LocalScan::Run(const DataFolder& folder, const SyncState& state, const SourceGuids& sources,
                         const DeletionTime& deletedWhen)
{
    LocalScan scan;
    scan.listing = NoteFolderListing::Read(folder.NotesFolder());
    QHash<QString, const SyncedFile*> stateFiles;
    for (const SyncedFile& file : state.files)
        stateFiles.insert(file.name, &file);
    QList<int> toRead; // places in scan.files of the files read again
    for (const NoteFolderListing::File& listed : scan.listing.files) {
        const SyncedFile* known = stateFiles.value(listed.name);
        if (known == nullptr || known->stamp != listed.stamp)
            toRead.append(int(scan.files.size()));
        scan.files.append(known != nullptr ? *known : SyncedFile());
    }
    const bool anyRead = !toRead.isEmpty();
    if (anyRead)
        ReadChangedFiles(folder, NotesOfState(state), sources, toRead, scan);
    // A note of the state is gone when no file holds its GUID now.
    if (!anyRead && scan.files.size() == state.files.size())
        return scan;
    QSet<QString> present;
    for (const SyncedFile& file : std::as_const(scan.files)) {
        for (const SyncedNote& note : file.notes)
            present.insert(note.guid);
    }
    for (const SyncedFile& file : state.files) {
        for (const SyncedNote& note : file.notes) {
            if (present.contains(note.guid))
                continue;
            present.insert(note.guid); // once, whatever files held it
            Tombstone tomb;
            tomb.guid = note.guid;
            tomb.version = note.version;
            tomb.when = deletedWhen ? deletedWhen(note.guid) : DateTime();
            if (!tomb.when.IsValid())
                tomb.when = state.synced.IsNull() ? DateTime::Invalid() : state.synced;
            scan.deleted.append(std::move(tomb));
        }
    }
    return scan;
}

QHash<QString, SyncedNote> LocalScan::NotesByGuid() const
{
    QHash<QString, SyncedNote> notes;
    for (const SyncedFile& file : files) {
        for (const SyncedNote& note : file.notes) {
            if (!notes.contains(note.guid))
                notes.insert(note.guid, note);
        }
    }
    return notes;
}
