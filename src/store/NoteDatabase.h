#pragma once

#include "format/DataFolder.h"
#include "format/DateTime.h"
#include "format/FileStatus.h"
#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "store/AttachmentCopier.h"
#include "store/ChangeNotice.h"
#include "store/NoteCache.h"
#include "store/NoteFileIndex.h"
#include "store/NoteFileListing.h"
#include "store/NoteWriteResult.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class CategoryTree;
class KeyWordList;
class NoteIndexLoader;
class ParallelNoteScanner;
class ProgressReporter;
class SourceStore;

// The notes of "Data Files" and their indexes. Notes are indexed by id only (per
// category, key word, source and file); whole records are read from their note files on
// demand. Every operation that adds, changes or deletes a note goes through here and keeps
// the note files and every index in step. The sources and authors are the SourceStore's,
// the notes on show the CurrentNotesList's.
//
// Single-threaded. An unreadable file reads as empty. Every operation that writes returns
// its failure as a FileStatus (the file and the system's reason), and a failed operation
// leaves the files and every index as they were before it: the indexes change only once
// the files are stored. Then the operation tells what it changed through the ChangeNotice
// (see DataChange).
class NoteDatabase
{
public:
    // changes must outlive the database.
    NoteDatabase(DataFolder folder, ChangeNotice& changes);
    ~NoteDatabase();
    NoteDatabase(const NoteDatabase&) = delete;
    NoteDatabase& operator=(const NoteDatabase&) = delete;

    // --- The outside world -------------------------------------------------------------

    const DataFolder& Folder() const { return m_folder; }
    // Progress of the load, saves, deletions; silent when never set. Not owned.
    void SetProgress(ProgressReporter* progress);
    ProgressReporter& Progress() const;
    // The settings value "MaxNoteID" lives in the application's settings; binding it here
    // lets ids be issued straight into it. Until bound, the database keeps its own copy
    // with the settings' default (1000). Not owned.
    void BindNoteCounter(qint32* maxNoteId);
    // Called whenever an issued id must be made durable (all settings are saved); returns
    // the failure of that save.
    void SetSettingsSaver(std::function<FileStatus()> saveSettings);
    // The image-to-bitmap conversion used when image attachments are copied in.
    void SetImageConverter(AttachmentCopier::ImageConverter converter);

    // --- Start-up ----------------------------------------------------------------------

    // Deletes every note file whose count is 0 (a zero-length file too). Only names
    // ending in "dat", compared exactly, are looked at.
    void CleanUpNoteFiles();
    // Empties every index, loads the sources and authors (SourceStore::Load) while the
    // note files are read, files every note, then raises MaxNoteID and MaxAuthorID: to the
    // highest id seen + 1 when that is above the stored value, else by one, and saves the
    // settings. Tells everything as changed (DataChange::Reloaded).
    void LoadNoteDatabase(SourceStore& sources);
    // LoadNoteDatabase after another writer (the import) changed the files; the change
    // told names the notes and note files it wrote.
    void ReloadAfterWriting(SourceStore& sources, const NoteIdList& written, const QStringList& writtenFiles);
    // Both steps of start-up in one pass over the note files: each file is read once,
    // and one whose count is 0 is deleted instead of loaded.
    void CleanUpAndLoadNoteDatabase(SourceStore& sources);

    // --- Ids ---------------------------------------------------------------------------

    qint32 MaxNoteID() const { return *m_maxNoteId; }
    // MaxNoteID + 1, stored at once (settings saved). Ids are never reused. failure, when
    // given, receives the failure of the settings save.
    qint32 IssueNoteId(FileStatus* failure = nullptr);

    // Ids for a batch that stores its notes itself, all at once (the import): each Next()
    // is MaxNoteID + 1, not yet saved; Store() saves the settings once (with every other
    // counter in them). A batch ended without a successful Store() puts MaxNoteID back.
    class IdBatch
    {
    public:
        explicit IdBatch(NoteDatabase& database);
        ~IdBatch();
        IdBatch(const IdBatch&) = delete;
        IdBatch& operator=(const IdBatch&) = delete;
        qint32 Next() { return ++*m_database.m_maxNoteId; }
        FileStatus Store();

    private:
        NoteDatabase& m_database;
        qint32 m_maxNoteIdBefore;
        bool m_stored = false;
    };

    // --- Notes -------------------------------------------------------------------------

    // Saves a note as the editor hands it over: previous is the record as it was when the
    // editor opened (its categories, source and key words are taken out of the indexes),
    // edited the finished record. A new note (NoteID 0 or less) gets an id from IssueNoteId
    // and LastEdited = DateAdded. New attachments are copied in and the note is written to
    // NoteFileName(edited) (moved out of its old file when its source changed; replaced in
    // place, or appended when missing from its own file). edited receives the id and the
    // stored attachment names. The total is not changed (the "Add Note..." command raises
    // it, see AdjustTotal).
    // On a failure nothing changed: no file, no index, no id (MaxNoteID is set back), and
    // edited is as it was handed in, so that the editor can keep it and try again. A note
    // moved between files is written into its new file first and then taken out of the
    // old one; when the second write fails the first is undone.
    FileStatus SaveNote(const NoteRecord& previous, NoteRecord& edited);

    // Deletes the saved notes (NoteID > 0; the others are left alone) in order: each is
    // taken out of its note file (NoteFileName) and out of every index, and its attachment
    // files are deleted. A file left without notes is removed by the next clean-up at
    // start. Stops at the first note file that cannot be rewritten: the notes after it
    // stay. changed holds the ids deleted, in order; failure and failedFiles name the file
    // that stopped it. The total is not changed (the deletion commands lower it, see
    // DeleteCommands).
    NoteWriteResult DeleteNotes(const NotesList& notes);
    // Writes the attachment settings of a stored note (an image's scale and shift) back
    // into its note file, the rest of the file as it is. Nothing is written for a note its
    // file does not hold. A failure changes nothing.
    FileStatus StoreAttachmentSettings(const NoteRecord& note);
    // Rewrites the note files at these full paths with every note as it reads, so that a
    // note read without a GUID (an old file's) keeps the one it was given: until its file
    // is rewritten, such a note has a new GUID at each reading, and a sync or an import
    // could never recognise it. Stops at the first file that cannot be written; changed
    // holds the notes of the files written, told as saved.
    NoteWriteResult StoreNoteGuids(const QStringList& paths);

    // The given notes from their files, in the order of ids; ids without a file, or
    // missing from their file, are skipped.
    NotesList LoadNotesByIds(const NoteIdList& ids) const;
    // Every note file in listing order, every note in file order.
    NotesList LoadAllNotes() const;
    // Every note file in listing order with its notes and stamp, read from the folder
    // alone, so that another thread may read while the database is in use.
    static QList<NoteFileContents> ReadAllNoteFiles(const DataFolder& folder);
    // The notes of all files in order.
    static NotesList Flatten(const QList<NoteFileContents>& files);
    // The stored record of the note with that id, read through the cache of recently read
    // note files; none when no note file holds it.
    std::optional<NoteRecord> ReadNote(qint32 id) const;
    // Sets LastEdited of the matching notes in every note file and rewrites every file:
    // with noteId >= 1 the note of that id, else with sourceId >= 1 the notes of that
    // source, else none. Stops at the first file that cannot be rewritten (the files
    // before it keep their stamps) and returns its failure.
    FileStatus StampNotesEdited(qint32 noteId, qint32 sourceId, const DateTime& when);

    // The bare names ("DAY08142008.dat") of the note files in the notes folder that the
    // load looks at: not folders, names ending in "dat" exactly.
    // Listed again only when the folder changed (NoteFileListing).
    QStringList NoteFileNames() const { return m_noteFiles.Names(); }
    static QStringList NoteFileNames(const DataFolder& folder);
    // Full path of the note file that NoteFileName(record) names.
    QString NoteFilePath(const NoteRecord& record) const;

    // --- Organising (category trees and key words over many notes) ---------------------

    // Saves the trees edited in the category editor: they become the database's trees
    // (their "<UNASSIGNED>" node becomes UnassignedNoteIds), then every note file is read,
    // each note re-filed from the trees (LastEdited stamped when its path changed) and
    // the file written back, with the progress "Updating Category Changes....". changed
    // holds the notes whose path changed. Notes never change files, and each file is
    // replaced whole, so a stop at any moment leaves each note once on disk with either
    // its old or its new categories.
    NoteWriteResult SaveCategoryTrees(CategoryTree edited);
    // "Attach All Notes In List To This Key Word" / "Remove Key Word From All Notes In
    // List" over notes (the current list's, read a batch at a time, or notes read by id):
    // the key word list is kept up to date and every note whose key words changed is
    // written to its note file. LastEdited is left alone.
    NoteWriteResult AttachKeyWordToNotes(const QString& word, NotesList& notes);
    NoteWriteResult RemoveKeyWordFromNotes(const QString& word, NotesList& notes);

    // --- Indexes -----------------------------------------------------------------------

    const CategoryTree& Categories() const { return *m_categories; }
    const KeyWordList& KeyWords() const { return *m_keyWords; }
    // Notes with no category at any level.
    const NoteIdList& UnassignedNoteIds() const { return m_unassigned; }
    // Notes whose SourceID is 0 or less.
    const NoteIdList& NoSourceNoteIds() const { return m_noSource; }
    // Notes whose SourceID is sourceId (greater than 0), in the order they were filed.
    const NoteIdList& NotesCiting(qint32 sourceId) const;
    const NoteFileIndex& FileIndex() const { return m_fileIndex; }

    // Number of notes, as "Total Notes Saved:    %d" shows it.
    int Total() const { return m_total; }
    // The commands that add or delete notes count them here (DataChange::Total).
    void AdjustTotal(int delta);
    static QString TotalNotesText(int total);

private:
    void Load(SourceStore& sources, bool cleanUp);
    void FileScannedNotes(ParallelNoteScanner& scanner, NoteIndexLoader& loader);
    void ClearIndexes();
    FileStatus WriteNoteToDisk(const NoteRecord& previous, const NoteRecord& edited, bool isNew);
    // The indexes after a save: the previous record's entries out (unless new), the edited one's in.
    void IndexSavedNote(const NoteRecord& previous, const NoteRecord& edited, bool isNew);
    void CiteNote(qint32 sourceId, qint32 noteId);
    void UnciteNote(qint32 sourceId, qint32 noteId);
    FileStatus SaveSettings() const;
    // One note of DeleteNotes: its file rewritten without it, then its index entries out.
    FileStatus DeleteOne(const NoteRecord& note, DataChange& change);
    // Writes the notes at positions back into their files, one read and write per file.
    NoteWriteResult WriteChangedNotes(const NotesList& notes, const QList<int>& positions);
    void Tell(const DataChange& change);
    void TellLoaded(const NoteIdList& written, const QStringList& writtenFiles);

    DataFolder m_folder;
    mutable NoteFileListing m_noteFiles;
    ChangeNotice& m_changes;
    ProgressReporter* m_progress = nullptr;
    std::function<FileStatus()> m_saveSettings;
    AttachmentCopier m_copier;

    qint32 m_ownMaxNoteId = 1000;
    qint32* m_maxNoteId = &m_ownMaxNoteId;

    std::unique_ptr<CategoryTree> m_categories;
    std::unique_ptr<KeyWordList> m_keyWords;
    NoteIdList m_unassigned;
    NoteIdList m_noSource;
    QHash<qint32, NoteIdList> m_citing;
    NoteFileIndex m_fileIndex;
    mutable NoteCache m_noteCache;
    int m_total = 0;
};
