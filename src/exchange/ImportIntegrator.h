#pragma once

#include "exchange/ImportDatabaseScan.h"
#include "format/AuthorRecord.h"
#include "format/FileBatch.h"
#include "format/FileStatus.h"
#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <map>
#include <optional>

class FieldWriter;
class ImportSession;
class NoteDatabase;
class ProgressReporter;
class SourceStore;

// Takes the chosen incoming notes into the database, one by one in import-list order:
//  1. the database note E with the same NoteGUID (first match not yet replaced) is found;
//  2. the source: an existing source with the same SourceGUID is cited as it is; any
//     other becomes a new source (id from NextSourceId) whose authors are matched by all
//     five names, or added with ids from MaxAuthorID (SourceStore::ImportBatch);
//  3. E's attached files are deleted; each incoming attachment gets the next free number
//     in the attachment folder ("%.7d.%s", consecutive within a note) and its file is
//     taken from the import folder, never overwriting; a stored name that is not a plain
//     file name is not taken, nor anything that is not a regular file;
//  4. a note replacing E keeps E's id (and leaves E's file when its own file differs);
//     any other gets MaxNoteID + 1; the note is written into its note file.
// Note files are planned as lists of ids and each written once at the end, after
// "Sources.dat" and "Authors.dat", one at a time, and the counters are stored; the caller
// then reloads the database. So an import holds no more than one note file's notes. The
// records are copied as they are stored where they can be: an incoming note's texts as
// the archive's data file holds them (SetStoredTexts), a kept note as its file holds it.
// All of it stands or falls together, one FileBatch: the files are written beside their
// places, made durable with one sync, and put in place under a journal, so that a stop
// at any moment leaves the import either done or not begun once the next load has
// looked at the journal. When a file cannot be written (a note file, the sources, the
// authors, the settings, an attachment), every file is as it was and the sources,
// authors and counters in memory are restored: no note is integrated.
class ImportIntegrator
{
public:
    ImportIntegrator(NoteDatabase& database, SourceStore& sources, QString importFolder);

    // Note files read just before (for the comparison): a file whose stamp on disk is
    // still the one read is planned from the ids read then instead of being read again.
    void KnowFiles(const QList<ImportDatabaseScan::File>& files);
    // Where the stored texts of incoming note index come from (the two fields as the
    // archive holds them; empty when they cannot be had: then they are read and encoded
    // again), and what to call once every file is staged, before the one sync (the
    // unpacked data file is dropped there, so that its bytes never reach the disk).
    void SetStoredTexts(std::function<QByteArray(int index)> storedTexts, std::function<void()> staged);

    // imported receives the ids of the imported notes in order; a failure names the file.
    FileStatus Integrate(ImportSession& session, const QList<int>& selected, ProgressReporter& progress,
                         NoteIdList* imported);
    // The note files an integration wrote, full paths in the order written.
    // A note file that held its new bytes already is not among them.
    const QStringList& WrittenNoteFiles() const { return m_written; }

private:
    const NoteRecord* TakeExisting(const ImportSession& session, const QString& guid);
    void ResolveSource(NoteRecord& note, SourceStore::ImportBatch& sources);
    FileStatus IntegrateAll(ImportSession& session, const QList<int>& selected, ProgressReporter& progress,
                            NoteIdList* imported, NoteDatabase::IdBatch& ids,
                            SourceStore::ImportBatch& sources);
    FileStatus ReplaceAttachments(NoteRecord& note, const NoteRecord* existing);
    FileStatus TakeAttachmentFile(const QString& storedName, const QString& newName);
    void ScanAttachmentNumbers();
    static int AttachmentNumber(const QString& fileName);
    // A note file being rewritten, as ids until it is written: each slot is a record of
    // the file as it was read (its place there) or an integrated note (its place in
    // m_integrated).
    struct Slot
    {
        qint32 id = 0;
        int stored = -1;
        int integrated = -1;
    };
    QList<Slot>& Plan(const QString& path);
    void RemoveFromFile(const QString& path, qint32 id);
    QByteArray FileBytesOfPlan(const QString& path) const;
    void WriteIntegrated(const std::pair<int, NoteRecord>& integrated, FieldWriter& writer) const;
    FileStatus WriteAll(NoteDatabase::IdBatch& ids, const SourceStore::ImportBatch& sources);

    NoteDatabase& m_database;
    SourceStore& m_sources;
    QString m_importFolder;
    QString m_imagesFolder;
    QHash<QString, QList<int>> m_existingByGuid;
    std::map<int, int> m_attachmentNumbers; // number -> files carrying it
    QHash<QString, int> m_takenFiles; // import-folder name -> copies asked for
    QSet<QString> m_leaving; // attachment files the import removes
    QHash<QString, QList<Slot>> m_plans; // note files being rewritten
    QHash<QString, ImportDatabaseScan::File> m_knownFiles; // read before, valid while unchanged
    QStringList m_fileOrder;
    QStringList m_written; // the note files the stored import changed
    const ImportSession* m_session = nullptr;
    // (item index, the note as it is stored, its texts held only when the item holds them)
    QList<std::pair<int, NoteRecord>> m_integrated;

    std::optional<FileBatch> m_batch;
    std::function<QByteArray(int index)> m_storedTexts;
    std::function<void()> m_staged;
};
