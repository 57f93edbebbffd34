#pragma once

#include "exchange/ImportDatabaseScan.h"
#include "format/FileStatus.h"
#include "format/NoteIdList.h"
#include "sync/IncomingArchive.h"
#include "sync/SyncMerge.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class FileSystem;
class NoteDatabase;
class ProgressReporter;
class SourceStore;

// Carries out what SyncMerge decided, with the import's integration (ImportIntegrator:
// sources matched by SourceGUID or added with their authors, attached files numbered
// afresh, a note replacing the one of its GUID and keeping its id). In three steps, each
// stored before the next begins, so that a stop at any moment loses no version:
//   1. the conflict copies of this machine's own versions are stored as new notes;
//   2. the deleted notes are deleted;
//   3. the incoming notes are stored, with the conflict copies of incoming versions.
// The deletions are the database's own (told as such, the total lowered); after the stores
// the database's indexes are not up to date: the caller loads it again
// (NoteDatabase::ReloadAfterWriting, with WrittenNoteFiles).
class SyncApplier
{
public:
    // stageFolder: an empty folder where attached files wait for the integration.
    SyncApplier(NoteDatabase& database, SourceStore& sources, QString stageFolder,
                const QList<const IncomingArchive*>& archives, ProgressReporter& progress);
    // The note files as the sync read them just before, each with its stamp and ids: a
    // file whose stamp is still the same is not read again to learn which notes it holds.
    void KnowFiles(QList<ImportDatabaseScan::File> files);

    FileStatus StoreLocalCopies(const QList<ConflictCopyOrder>& copies, NoteIdList* ids);
    FileStatus DeleteNotes(const QList<qint32>& ids, int* deleted);
    // take: the incoming notes to store; copies: conflict copies of incoming versions.
    // received: how many notes were stored; copyIds: the ids of the copies.
    FileStatus StoreIncoming(const QList<TakeOrder>& take, const QList<ConflictCopyOrder>& copies,
                             int* received, NoteIdList* copyIds);
    // The note files the stores wrote, full paths, each once.
    const QStringList& WrittenNoteFiles() const { return m_writtenFiles; }
    // The notes the stores wrote (incoming notes and conflict copies), in order.
    const NoteIdList& StoredIds() const { return m_storedIds; }

private:
    // Puts an attached file where the integration takes it from, under a name no other
    // archive's file has; the stored name to give the attachment.
    QString StageIncoming(int archive, const QString& storedName);
    QString StageLocal(const QString& storedName);
    void StageAttachments(NoteRecord& note, int archive);
    FileStatus Integrate(NotesList notes, NotesList existing, const QList<EntryRef>& texts, NoteIdList* ids);
    // The notes of these ids without their texts: what the integration needs of the notes
    // it replaces.
    NotesList ReadReplaced(const NoteIdList& ids) const;

    FileSystem& Files() const;

    NoteDatabase& m_database;
    SourceStore& m_sources;
    QString m_stageFolder;
    QList<const IncomingArchive*> m_archives;
    ProgressReporter& m_progress;
    QSet<QString> m_staged;
    QList<ImportDatabaseScan::File> m_knownFiles;
    QStringList m_writtenFiles;
    NoteIdList m_storedIds;
};
