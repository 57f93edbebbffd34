#pragma once

#include "format/AuthorRecord.h"
#include "format/DataFolder.h"
#include "format/DateTime.h"
#include "format/FileStatus.h"
#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "store/AttachmentCopier.h"
#include "store/ListedNote.h"
#include "store/NoteCache.h"
#include "store/NoteFileIndex.h"
#include "store/NoteWriteResult.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CategoryTree;
class KeyWordList;
class NoteIndexLoader;
class ParallelNoteScanner;
class ProgressReporter;
class UserPrompt;

// The in-memory picture of everything under "Data Files": the notes are indexed by id
// only (per category, key word, source and file); whole records are read from their
// note files on demand. Every operation that adds, changes or deletes a note goes
// through here and keeps the note files and every index in step.
//
// Single-threaded. An unreadable file reads as empty. Every operation that writes returns
// its failure as a FileStatus (the file and the system's reason), and a failed operation
// leaves the files and every index as they were before it: the indexes change only once
// the files are stored.
class NoteDatabase
{
public:
    explicit NoteDatabase(DataFolder folder);
    ~NoteDatabase();
    NoteDatabase(const NoteDatabase&) = delete;
    NoteDatabase& operator=(const NoteDatabase&) = delete;

    // --- The outside world -------------------------------------------------------------

    const DataFolder& Folder() const { return m_folder; }
    // Progress of the load, saves, deletions; silent when never set. Not owned.
    void SetProgress(ProgressReporter* progress);
    ProgressReporter& Progress() const;
    // The settings values "MaxNoteID" and "MaxAuthorID" live in the application's
    // settings; binding them here lets ids be issued straight into them. Until bound, the
    // database keeps its own copies with the settings' defaults (1000 and 1). Not owned.
    void BindCounters(qint32* maxNoteId, qint32* maxAuthorId);
    // Called whenever an issued id must be made durable (all settings are saved); returns
    // the failure of that save.
    void SetSettingsSaver(std::function<FileStatus()> saveSettings);
    // The image-to-bitmap conversion used when image attachments are copied in.
    void SetImageConverter(AttachmentCopier::ImageConverter converter);

    // --- Start-up ----------------------------------------------------------------------

    // Deletes every note file whose count is 0 (a zero-length file too). Only names
    // ending in "dat", compared exactly, are looked at.
    void CleanUpNoteFiles();
    // Empties every index, loads "Authors.dat" and "Sources.dat", scans every note file,
    // rewrites "Sources.dat", then raises MaxNoteID and MaxAuthorID: to the highest id
    // seen + 1 when that is above the stored value, else by one, and saves the settings.
    void LoadNoteDatabase();
    // Both steps of start-up in one pass over the note files: each file is read once,
    // and one whose count is 0 is deleted instead of loaded.
    void CleanUpAndLoadNoteDatabase();

    // --- Ids ---------------------------------------------------------------------------

    qint32 MaxNoteID() const { return *m_maxNoteId; }
    qint32 MaxAuthorID() const { return *m_maxAuthorId; }
    // MaxNoteID + 1, stored at once (settings saved). Ids are never reused. failure, when
    // given, receives the failure of the settings save.
    qint32 IssueNoteId(FileStatus* failure = nullptr);
    // MaxNoteID + 1 without saving: for a batch that issues many ids (the import) and
    // stores the counters once at its end with StoreCounters().
    qint32 RaiseMaxNoteId() { return ++*m_maxNoteId; }
    FileStatus StoreCounters() const { return SaveSettings(); }
    // Both counters set back, for a batch that failed before anything was stored.
    void RestoreCounters(qint32 maxNoteId, qint32 maxAuthorId)
    {
        *m_maxNoteId = maxNoteId;
        *m_maxAuthorId = maxAuthorId;
    }
    // MaxAuthorID + 1, stored at once.
    qint32 NextAuthorId(FileStatus* failure = nullptr);
    // The larger of 1000 and the highest source id, plus one.
    qint32 NextSourceId() const;

    // --- Notes -------------------------------------------------------------------------

    // Saves a note as the editor hands it over: previous is the record as it was when the
    // editor opened (its categories, source and key words are taken out of the indexes),
    // edited the finished record. A new note (NoteID 0 or less) gets an id from IssueNoteId and
    // LastEdited = DateAdded. New attachments are copied in, the note is written to
    // NoteFileName(edited) (moved out of its old file when its source changed; replaced in
    // place, or appended when missing from its own file) and the copy in the current list
    // is replaced. edited receives the id and the stored attachment names. The total is
    // not changed (the "Add Note..." command raises it, see AdjustTotal).
    // On a failure nothing changed: no file, no index, no id (MaxNoteID is set back), and
    // edited is as it was handed in, so that the editor can keep it and try again. A note
    // moved between files is written into its new file first and then taken out of the
    // old one; when the second write fails the first is undone.
    FileStatus SaveNote(const NoteRecord& previous, NoteRecord& edited);

    // The editor's Save: refuses a note without text (error "Note must contain some text.",
    // caption NoTextCaption()); otherwise stamps the dates (DateAdded only for a new
    // note), trims the key words at both ends and calls SaveNote. True when saved; false
    // with the message in error (the file's failure when SaveNote failed) and edited as
    // it was handed in.
    bool SaveNoteFromEditor(const NoteRecord& previous, NoteRecord& edited, QString* error = nullptr);
    static QString NoTextMessage();
    static QString NoTextCaption();

    // Removes one saved note from its file, from every index, from the current list, and
    // deletes its attachment files. A note with NoteID <= 0 is left alone (false). When
    // its file cannot be rewritten nothing changes: false, with the failure in failure.
    // The total is not changed (the deletion commands below lower it).
    bool DeleteNote(const NoteRecord& note, FileStatus* failure = nullptr);

    // The three deletion commands: each asks first (Yes/No, question icon) and proceeds
    // only on Yes; each returns the number of notes deleted and lowers the total by it.
    // A note file that cannot be rewritten stops the deletions: its failure is shown
    // (FileStatus::Caption(), warning icon) and the notes not yet deleted stay.
    // The context menu's "Delete Note Permanently": asks nothing for an unsaved note.
    int DeleteSelectedNote(const NoteRecord& note, UserPrompt& prompt);
    // Every note of the current list, always taking the first until it is empty.
    int DeleteCurrentNotes(UserPrompt& prompt);
    // The control bar's delete for the notes of a category, key word or source.
    int DeleteNotes(const NotesList& notes, UserPrompt& prompt);
    // DeleteNotes for the notes with these ids. Every id is looked up before anything is
    // deleted: an id no note has refuses the whole deletion (false, error "No note has the
    // id N."). deleted receives the ids deleted, each once, in the order given (none when
    // the question is answered No). A note file that cannot be rewritten stops the
    // deletions: false, error the failure, and the notes not yet deleted stay.
    bool DeleteNotesByIds(const QList<qint32>& ids, UserPrompt& prompt, QList<qint32>* deleted,
                          QString* error);

    // The given notes from their files, in the order of ids; ids without a file, or
    // missing from their file, are skipped.
    NotesList LoadNotesByIds(const NoteIdList& ids);
    // Every note file in listing order, every note in file order.
    NotesList LoadAllNotes() const;
    // Every note file in listing order with its notes and stamp, read from the folder
    // alone, so that another thread may read while the database is in use.
    static QList<NoteFileContents> ReadAllNoteFiles(const DataFolder& folder);
    // The notes of all files in order.
    static NotesList Flatten(const QList<NoteFileContents>& files);
    // Sets LastEdited of the matching notes in every note file and rewrites every file:
    // with noteId >= 1 the note of that id, else with sourceId >= 1 the notes of that
    // source, else none. Stops at the first file that cannot be rewritten (the files
    // before it keep their stamps) and returns its failure.
    FileStatus StampNotesEdited(qint32 noteId, qint32 sourceId, const DateTime& when);

    // The bare names ("DAY08142008.dat") of the note files in the notes folder that the
    // load looks at: not folders, names ending in "dat" exactly.
    QStringList NoteFileNames() const { return NoteFileNames(m_folder); }
    static QStringList NoteFileNames(const DataFolder& folder);
    // Full path of the note file that NoteFileName(record) names.
    QString NoteFilePath(const NoteRecord& record) const;

    // --- Organising (category trees and key words over many notes) ---------------------

    // Saves the trees edited in the category editor: they become the database's trees
    // (their "<UNASSIGNED>" node becomes UnassignedNoteIds), then every note file is read,
    // each note re-filed from the trees (LastEdited stamped when its path changed) and
    // the file written back, with the progress "Updating Category Changes....". The
    // notes of the current list are re-filed too; sorting them again is the caller's.
    // changed holds the notes whose path changed. Notes never change files, and each
    // file is replaced whole, so a stop at any moment leaves each note once on disk with
    // either its old or its new categories.
    NoteWriteResult SaveCategoryTrees(CategoryTree edited);
    // "Attach All Notes In List To This Key Word" / "Remove Key Word From All Notes In
    // List" over notes (the current list's, read a batch at a time, or notes read by id):
    // the key word list is kept up to date and every note whose key words changed is
    // written to its note file. LastEdited is left alone.
    NoteWriteResult AttachKeyWordToNotes(const QString& word, NotesList& notes);
    NoteWriteResult RemoveKeyWordFromNotes(const QString& word, NotesList& notes);

    // --- Indexes -----------------------------------------------------------------------

    CategoryTree& Categories() { return *m_categories; }
    const CategoryTree& Categories() const { return *m_categories; }
    KeyWordList& KeyWords() { return *m_keyWords; }
    const KeyWordList& KeyWords() const { return *m_keyWords; }
    // Notes with no category at any level.
    NoteIdList& UnassignedNoteIds() { return m_unassigned; }
    const NoteIdList& UnassignedNoteIds() const { return m_unassigned; }
    // Notes whose SourceID is 0 or less.
    NoteIdList& NoSourceNoteIds() { return m_noSource; }
    const NoteIdList& NoSourceNoteIds() const { return m_noSource; }
    NoteFileIndex& FileIndex() { return m_fileIndex; }
    const NoteFileIndex& FileIndex() const { return m_fileIndex; }

    // Number of notes, as "Total Notes Saved:    %d" shows it.
    int Total() const { return m_total; }
    void AdjustTotal(int delta) { m_total += delta; }
    static QString TotalNotesText(int total);

    // The notes now shown in the main view, in display order, by their keys (see
    // CurrentNotesList and ListedNote).
    ListedNotes& CurrentList() { return m_current; }
    const ListedNotes& CurrentList() const { return m_current; }
    // The stored record of the note with that id, read through the cache of recently read
    // note files; none when no note file holds it.
    std::optional<NoteRecord> ReadNote(qint32 id) const;
    // A listed note whole: its stored record with the list's display state and source. A
    // note that no file holds any more comes back with its keys alone.
    NoteRecord ListedRecord(const ListedNote& listed) const;
    // count listed notes from first (all to the end when count < 0), each whole as
    // ListedRecord gives it, in list order, each note file read once; notes that no file
    // holds any more are left out.
    NotesList LoadListed(const ListedNotes& list, int first = 0, int count = -1) const;

    // --- Sources and authors -----------------------------------------------------------

    // In file order; each source's CitingNoteIds is kept current by the note operations.
    SourceList& Sources() { return m_sources; }
    const SourceList& Sources() const { return m_sources; }
    AuthorList& Authors() { return m_authors; }
    const AuthorList& Authors() const { return m_authors; }
    // First match, or nullptr.
    SourceRecord* FindSource(qint32 sourceId);
    const SourceRecord* FindSource(qint32 sourceId) const;
    const AuthorRecord* FindAuthor(qint32 authorId) const;

    // Gives every note with a source a copy of it read afresh from "Sources.dat" (an
    // unknown source, or none, gives a fresh default record).
    void FillAttachedSources(NotesList& notes) const;
    // The same for listed notes: every note of one source shares one copy of it, its
    // citation formatted; a note without a known source has none.
    void FillAttachedSources(ListedNotes& notes) const;

    // A fresh source: style sourceFormat (the "SourceFormat" setting), NextSourceId and a
    // new GUID. Nothing is stored until AddSource.
    SourceRecord NewSource(qint32 sourceFormat) const;
    // Each of the following rewrites "Sources.dat" or "Authors.dat"; when that fails the
    // list in memory is put back as it was and the failure is returned (through failure,
    // where the result says something else; the prompt-taking ones also show it).

    // Appends the source and rewrites "Sources.dat".
    FileStatus AddSource(const SourceRecord& source);
    // Replaces the source with the same id and rewrites "Sources.dat"; when its type
    // changed, the notes citing it are stamped as edited now. False for an unknown id or
    // a failure (the stamping's failure comes after the source is stored).
    bool UpdateSource(const SourceRecord& source, FileStatus* failure = nullptr);
    // Refuses ("This source has notes tied to it, you may not delete it.", caption
    // "Notes Attached!") when the source's note file holds a note; otherwise asks "Do you
    // wish to delete this source?" ("Delete Source?") and on Yes removes it and rewrites
    // "Sources.dat". True when deleted.
    bool DeleteSource(qint32 sourceId, UserPrompt& prompt, FileStatus* failure = nullptr);

    // Trims the three names; refuses (returns -1) when first and last name are both
    // empty; otherwise gives the author NextAuthorId, appends it and rewrites
    // "Authors.dat". Returns the new id, or -1 with the failure (MaxAuthorID set back).
    qint32 AddAuthor(AuthorRecord author, FileStatus* failure = nullptr);
    // Replaces the author with the same id and rewrites "Authors.dat".
    bool UpdateAuthor(const AuthorRecord& author, FileStatus* failure = nullptr);
    // Asks "Deleting *%s* will remove it from any sources that contain it.  Do you wish
    // to continue?" ("Delete Author?") and on Yes removes it and rewrites "Authors.dat".
    bool DeleteAuthor(qint32 authorId, UserPrompt& prompt, FileStatus* failure = nullptr);

    QString SourcesFilePath() const;
    QString AuthorsFilePath() const;

private:
    void Load(bool cleanUp);
    void FileScannedNotes(ParallelNoteScanner& scanner, NoteIndexLoader& loader);
    // Raises MaxNoteID and MaxAuthorID past what the load saw, and stores them.
    void RaiseCounters(qint32 highestNoteId);
    // Reads "Sources.dat" and rewrites it when the rewrite would change it.
    void LoadSources();
    void ClearIndexes();
    void IndexNote(qint32 noteId, qint32 sourceId, const QString& keyWords,
                   const CategoryAssignment& categories, const QString& filePath);
    void UnindexNote(const NoteRecord& note);
    FileStatus WriteNoteToDisk(const NoteRecord& previous, const NoteRecord& edited, bool isNew);
    // The indexes after a save: the previous record's entries out (unless new), the edited one's in.
    void IndexSavedNote(const NoteRecord& previous, const NoteRecord& edited, bool isNew);
    FileStatus SaveSettings() const;
    FileStatus WriteSources() const;
    FileStatus WriteAuthors() const;
    // Shows a failure through the prompt.
    static void ShowFailure(const FileStatus& failure, UserPrompt& prompt);
    // The question of DeleteNotes, for count notes.
    static bool AskDeleteNotes(qsizetype count, UserPrompt& prompt);
    // Deletes the notes in order and lowers the total; stops at the first file that cannot
    // be rewritten (its failure in failure). The ids deleted, in order.
    QList<qint32> DeleteListed(const NotesList& notes, FileStatus* failure);
    // Writes the notes at positions back into their files, one read and write per file.
    NoteWriteResult WriteChangedNotes(const NotesList& notes, const QList<int>& positions);

    DataFolder m_folder;
    ProgressReporter* m_progress = nullptr;
    std::function<FileStatus()> m_saveSettings;
    AttachmentCopier m_copier;

    qint32 m_ownMaxNoteId = 1000;
    qint32 m_ownMaxAuthorId = 1;
    qint32* m_maxNoteId = &m_ownMaxNoteId;
    qint32* m_maxAuthorId = &m_ownMaxAuthorId;

    std::unique_ptr<CategoryTree> m_categories;
    std::unique_ptr<KeyWordList> m_keyWords;
    NoteIdList m_unassigned;
    NoteIdList m_noSource;
    NoteFileIndex m_fileIndex;
    SourceList m_sources;
    AuthorList m_authors;
    ListedNotes m_current;
    mutable NoteCache m_noteCache;
    int m_total = 0;
};
