#pragma once

#include "exchange/ImportDatabaseScan.h"
#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QHash>
#include <QList>
#include <QString>
#include <map>

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
// "Sources.dat" and "Authors.dat", one at a time (its notes read then, the incoming ones
// with their texts read again from the archive), and the counters are stored; the caller
// then reloads the database. So an import holds no more than one note file's notes.
// All of it stands or falls together: when a file cannot be written (a note file, the
// sources, the authors, the settings, an attachment), every file written is put back,
// the attachment files are as they were (E's are only set aside until the end), and the
// sources, authors and counters in memory are restored: no note is integrated.
class ImportIntegrator
{
public:
    ImportIntegrator(NoteDatabase& database, SourceStore& sources, QString importFolder);

    // Note files read just before (for the comparison): a file whose stamp on disk is
    // still the one read is planned from the ids read then instead of being read again.
    void KnowFiles(const QList<ImportDatabaseScan::File>& files);

    // imported receives the ids of the imported notes in order; a failure names the file.
    FileStatus Integrate(ImportSession& session, const QList<int>& selected, ProgressReporter& progress,
                         NoteIdList* imported);
    // The note files an integration wrote, full paths in the order written.
    const QStringList& WrittenNoteFiles() const { return m_fileOrder; }

private:
    const NoteRecord* TakeExisting(const ImportSession& session, const QString& guid);
    void ResolveSource(NoteRecord& note, SourceStore::ImportBatch& sources);
    FileStatus IntegrateAll(ImportSession& session, const QList<int>& selected, ProgressReporter& progress,
                            NoteIdList* imported, NoteDatabase::IdBatch& ids,
                            SourceStore::ImportBatch& sources);
    FileStatus ReplaceAttachments(NoteRecord& note, const NoteRecord* existing);
    FileStatus SetAside(const QString& path);
    FileStatus TakeAttachmentFile(const QString& storedName, const QString& newName);
    // Renames from to target unless target exists (false, nothing done); a copy when a
    // rename cannot be made.
    FileStatus MoveWithoutReplacing(const QString& from, const QString& target, bool* moved);
    // Everything the integration changed, put back after a failure.
    void Undo();
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
    NotesList NotesOfPlan(const QString& path) const;
    FileStatus WriteAll(NoteDatabase::IdBatch& ids, const SourceStore::ImportBatch& sources);

    NoteDatabase& m_database;
    SourceStore& m_sources;
    QString m_importFolder;
    QString m_imagesFolder;
    QHash<QString, QList<int>> m_existingByGuid;
    std::map<int, int> m_attachmentNumbers; // number -> files carrying it
    QHash<QString, QString> m_takenFiles; // import-folder name -> where it went
    QHash<QString, QList<Slot>> m_plans; // note files being rewritten
    QHash<QString, ImportDatabaseScan::File> m_knownFiles; // read before, valid while unchanged
    QStringList m_fileOrder;
    const ImportSession* m_session = nullptr;
    // (item index, the note as it is stored, its texts held only when the item holds them)
    QList<std::pair<int, NoteRecord>> m_integrated;

    // What Undo puts back.
    QString m_asideFolder; // replaced attachment files wait here until the end
    QList<std::pair<QString, QString>> m_setAside; // (attachment path, where it waits)
    QStringList m_createdFiles; // attachment files this import made
};
