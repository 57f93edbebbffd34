#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QHash>
#include <QList>
#include <QString>
#include <map>

class ImportSession;
class NoteDatabase;
class ProgressReporter;

// Takes the chosen incoming notes into the database, one by one in import-list order:
//  1. the database note E with the same NoteGUID (first match not yet replaced) is found;
//  2. the source: an existing source with the same SourceGUID is cited as it is; any
//     other becomes a new source (id from NextSourceId) whose authors are matched by all
//     five names, or added with ids from MaxAuthorID;
//  3. E's attached files are deleted; each incoming attachment gets the next free number
//     in the attachment folder ("%.7d.%s", consecutive within a note) and its file is
//     taken from the import folder, never overwriting; a stored name that is not a plain
//     file name is not taken, nor anything that is not a regular file;
//  4. a note replacing E keeps E's id (and leaves E's file when its own file differs);
//     any other gets MaxNoteID + 1; the note is written into its note file.
// Note files are gathered in memory and each written once at the end, after "Sources.dat"
// and "Authors.dat", and the counters are stored; the caller then reloads the database.
// All of it stands or falls together: when a file cannot be written (a note file, the
// sources, the authors, the settings, an attachment), every file written is put back,
// the attachment files are as they were (E's are only set aside until the end), and the
// database's sources, authors, counters and total are restored: no note is integrated.
class ImportIntegrator
{
public:
    ImportIntegrator(NoteDatabase& database, QString importFolder);

    // Note files read just before (for the comparison): a file whose stamp on disk is
    // still the one read is taken from here instead of being read again.
    void KnowFiles(const QList<NoteFileContents>& files);

    // imported receives the ids of the imported notes in order; a failure names the file.
    FileStatus Integrate(ImportSession& session, const QList<int>& selected, ProgressReporter& progress,
                         NoteIdList* imported);

private:
    const NoteRecord* TakeExisting(const ImportSession& session, const QString& guid);
    void ResolveSource(NoteRecord& note);
    qint32 MatchOrAddAuthor(const AuthorRecord& incoming);
    FileStatus IntegrateAll(ImportSession& session, const QList<int>& selected, ProgressReporter& progress,
                            NoteIdList* imported);
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
    NotesList& NoteFile(const QString& path);
    NotesList ReadFile(const QString& path);
    void RemoveFromFile(const QString& path, qint32 id);
    FileStatus WriteAll();

    NoteDatabase& m_database;
    QString m_importFolder;
    QString m_imagesFolder;
    QHash<QString, QList<int>> m_existingByGuid;
    std::map<int, int> m_attachmentNumbers; // number -> files carrying it
    QHash<QString, QString> m_takenFiles; // import-folder name -> where it went
    QHash<QString, NotesList> m_files; // note files being rewritten
    QHash<QString, NoteFileContents> m_knownFiles; // read before, valid while unchanged
    QStringList m_fileOrder;

    // What Undo puts back.
    QString m_asideFolder; // replaced attachment files wait here until the end
    QList<std::pair<QString, QString>> m_setAside; // (attachment path, where it waits)
    QStringList m_createdFiles; // attachment files this import made
    SourceList m_sourcesBefore;
    AuthorList m_authorsBefore;
    int m_totalBefore = 0;
    qint32 m_maxNoteIdBefore = 0;
    qint32 m_maxAuthorIdBefore = 0;
};
