#pragma once

#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"

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
// Note files are gathered in memory and each written once at the end, followed by
// "Authors.dat" and "Sources.dat"; the caller then reloads the database.
class ImportIntegrator
{
public:
    ImportIntegrator(NoteDatabase& database, QString importFolder);

    // Note files read just before (for the comparison): a file whose stamp on disk is
    // still the one read is taken from here instead of being read again.
    void KnowFiles(const QList<NoteFileContents>& files);

    // Returns the ids of the imported notes in order.
    NoteIdList Integrate(ImportSession& session, const QList<int>& selected, ProgressReporter& progress);

private:
    const NoteRecord* TakeExisting(const ImportSession& session, const QString& guid);
    void ResolveSource(NoteRecord& note);
    qint32 MatchOrAddAuthor(const AuthorRecord& incoming);
    void ReplaceAttachments(NoteRecord& note, const NoteRecord* existing);
    void TakeAttachmentFile(const QString& storedName, const QString& newName);
    // Renames from to target unless target exists; a copy when a rename cannot be made.
    static bool MoveWithoutReplacing(const QString& from, const QString& target);
    void ScanAttachmentNumbers();
    static int AttachmentNumber(const QString& fileName);
    NotesList& NoteFile(const QString& path);
    NotesList ReadFile(const QString& path);
    void RemoveFromFile(const QString& path, qint32 id);
    void WriteAll();

    NoteDatabase& m_database;
    QString m_importFolder;
    QString m_imagesFolder;
    QHash<QString, QList<int>> m_existingByGuid;
    std::map<int, int> m_attachmentNumbers; // number -> files carrying it
    QHash<QString, QString> m_takenFiles; // import-folder name -> where it went
    QHash<QString, NotesList> m_files; // note files being rewritten
    QHash<QString, NoteFileContents> m_knownFiles; // read before, valid while unchanged
    QStringList m_fileOrder;
};
