#include "sync/SyncApplier.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ImportIntegrator.h"
#include "exchange/ImportSession.h"
#include "format/FileSystem.h"
#include "format/NoteTextScanner.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QDir>
#include <QFileInfo>

namespace {

// What the integration reads of a note it replaces: its ids, dates, GUID and attached
// files, to find its file and take its files away.
constexpr NoteFieldUses kReplacedFields = NoteFieldUses::All(FieldUse::Skip)
                                              .With(NoteField::NoteID, FieldUse::Keep)
                                              .With(NoteField::SourceID, FieldUse::Keep)
                                              .With(NoteField::DateAdded, FieldUse::Keep)
                                              .With(NoteField::LastEdited, FieldUse::Keep)
                                              .With(NoteField::NoteGUID, FieldUse::Keep)
                                              .With(NoteField::Attachments, FieldUse::Keep);

} // namespace

SyncApplier::SyncApplier(NoteDatabase& database, SourceStore& sources, QString stageFolder,
                         const QList<const IncomingArchive*>& archives, ProgressReporter& progress)
    : m_database(database)
    , m_sources(sources)
    , m_stageFolder(std::move(stageFolder))
    , m_archives(archives)
    , m_progress(progress)
{
}

FileSystem& SyncApplier::Files() const
{
    return m_database.Folder().Files();
}

void SyncApplier::KnowFiles(QList<ImportDatabaseScan::File> files)
{
    m_knownFiles = std::move(files);
}

NotesList SyncApplier::ReadReplaced(const NoteIdList& ids) const
{
    // The ids by the file that held them when the sync read the files.
    QHash<qint32, int> wanted;
    for (int i = 0; i < ids.Count(); ++i)
        wanted.insert(ids.At(i), i);
    QList<std::optional<NoteRecord>> found(ids.Count());
    for (const ImportDatabaseScan::File& file : m_knownFiles) {
        if (std::none_of(file.ids.cbegin(), file.ids.cend(), [&](qint32 id) { return wanted.contains(id); }))
            continue;
        NoteTextScanner scanner;
        if (!scanner.LoadFile(file.path))
            continue;
        NoteTextScanner::Span span;
        while (scanner.Next(&span)) {
            const auto place = wanted.constFind(span.noteId);
            if (place == wanted.cend() || found.at(*place))
                continue;
            NoteRecord note;
            scanner.ReadFields<kReplacedFields>(span, note, NoteRecordWalk::NoVisitor {});
            found[*place] = std::move(note);
        }
    }
    NotesList notes;
    NoteIdList missing;
    for (int i = 0; i < ids.Count(); ++i) {
        if (found.at(i))
            notes.append(std::move(*found[i]));
        else
            missing.Append(ids.At(i));
    }
    if (!missing.IsEmpty())
        notes.append(m_database.LoadNotesByIds(missing));
    return notes;
}

QString SyncApplier::StageIncoming(int archive, const QString& storedName)
{
    const QString staged = QStringLiteral("%1-%2").arg(archive).arg(storedName);
    if (!ExchangeFormat::IsPlainStoredName(storedName) || m_staged.contains(staged))
        return staged;
    m_staged.insert(staged);
    // A file missing from the archive stays missing: the attachment then points at no file,
    // as the import leaves it.
    const QString from = QDir(m_archives.at(archive)->Folder()).filePath(storedName);
    // One that cannot be moved is missing to the integration: it then stops with the reason.
    if (QFileInfo(from).isFile())
        static_cast<void>(Files().Rename(from, QDir(m_stageFolder).filePath(staged)));
    return staged;
}

QString SyncApplier::StageLocal(const QString& storedName)
{
    const QString staged = QStringLiteral("L-") + storedName;
    if (!ExchangeFormat::IsPlainStoredName(storedName) || m_staged.contains(staged))
        return staged;
    m_staged.insert(staged);
    // The note keeps its own file: the copy gets a second name for it, or a copy.
    const QString from = QDir(m_database.Folder().ImagesFolder()).filePath(storedName);
    const QString to = QDir(m_stageFolder).filePath(staged);
    FileSystem& files = Files();
    // One that cannot be copied is missing to the integration: it then stops with the reason.
    if (QFileInfo(from).isFile() && !files.Link(from, to))
        static_cast<void>(files.Copy(from, to));
    return staged;
}

void SyncApplier::StageAttachments(NoteRecord& note, int archive)
{
    for (AttachmentRecord& attachment : note.Attachments)
        attachment.StoredName = archive >= 0 ? StageIncoming(archive, attachment.StoredName)
                                             : StageLocal(attachment.StoredName);
}

FileStatus SyncApplier::Integrate(NotesList notes, NotesList existing, const QList<EntryRef>& texts,
                                  NoteIdList* ids)
{
    if (notes.isEmpty())
        return FileStatus::Ok();
    ImportSession session(std::move(notes), std::move(existing));
    // Incoming notes are held without their texts, read again from their archive when
    // stored; local copies hold theirs.
    if (!texts.isEmpty()) {
        session.SetTextReaders(
            [this, &texts](int index, NoteRecord& note) {
                const EntryRef ref = texts.at(index);
                if (ref.IsValid())
                    m_archives.at(ref.archive)->ReadTexts(ref.entry, note);
            },
            {});
        for (int i = 0; i < session.Count(); ++i)
            session.Items()[i].textsHeld = !texts.at(i).IsValid();
    }
    QList<int> selected;
    for (int i = 0; i < session.Count(); ++i)
        selected.append(i);
    ImportIntegrator integrator(m_database, m_sources, m_stageFolder);
    integrator.KnowFiles(m_knownFiles);
    const FileStatus stored = integrator.Integrate(session, selected, m_progress, ids);
    if (stored) {
        m_storedIds.UnionAppend(*ids);
        for (const QString& path : integrator.WrittenNoteFiles()) {
            if (!m_writtenFiles.contains(path))
                m_writtenFiles.append(path);
        }
    }
    return stored;
}

FileStatus SyncApplier::StoreLocalCopies(const QList<ConflictCopyOrder>& copies, NoteIdList* ids)
{
    NotesList notes;
    for (const ConflictCopyOrder& order : copies) {
        if (order.localId <= 0)
            continue;
        std::optional<NoteRecord> note = m_database.ReadNote(order.localId);
        if (!note)
            continue;
        NoteRecord copy = ConflictCopy(*note, order.fingerprint);
        copy.NoteID = -1;
        if (const SourceRecord* source = m_sources.FindSource(copy.SourceID))
            copy.AttachedSource = *source;
        else
            copy.SourceID = 0;
        StageAttachments(copy, -1);
        notes.append(std::move(copy));
    }
    return Integrate(std::move(notes), {}, {}, ids);
}

FileStatus SyncApplier::DeleteNotes(const QList<qint32>& ids, int* deleted)
{
    *deleted = 0;
    if (ids.isEmpty())
        return FileStatus::Ok();
    // A note no file holds any more is gone already.
    const NoteWriteResult result = m_database.DeleteNotes(m_database.LoadNotesByIds(NoteIdList(ids)));
    *deleted = result.changed.Count();
    m_database.AdjustTotal(-*deleted);
    for (int i = 0; i < *deleted; ++i)
        m_progress.Step();
    return result.failure;
}

FileStatus SyncApplier::StoreIncoming(const QList<TakeOrder>& take, const QList<ConflictCopyOrder>& copies,
                                      int* received, NoteIdList* copyIds)
{
    NotesList notes;
    QList<EntryRef> texts;
    NoteIdList replaced;
    for (const TakeOrder& order : take) {
        NoteRecord note = m_archives.at(order.entry.archive)->Note(order.entry.entry);
        StageAttachments(note, order.entry.archive);
        notes.append(std::move(note));
        texts.append(order.entry);
        if (order.localId > 0)
            replaced.Append(order.localId);
    }
    const int taken = int(notes.size());
    for (const ConflictCopyOrder& order : copies) {
        if (!order.incoming.IsValid())
            continue;
        const EntryRef ref = order.incoming;
        NoteRecord copy = ConflictCopy(m_archives.at(ref.archive)->Note(ref.entry), order.fingerprint);
        StageAttachments(copy, ref.archive);
        notes.append(std::move(copy));
        texts.append(ref);
    }
    // The notes replaced are matched by GUID, as the import matches them.
    NoteIdList ids;
    const FileStatus stored = Integrate(std::move(notes), ReadReplaced(replaced), texts, &ids);
    if (!stored)
        return stored;
    *received = ids.Count();
    for (int i = taken; i < ids.Count(); ++i)
        copyIds->Append(ids.At(i));
    return FileStatus::Ok();
}
