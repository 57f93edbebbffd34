#pragma once

#include "format/FileStatus.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class FileSystem;

// Many file changes (whole-file writes, moves, removals) that go in together: a stop at
// any moment (a kill, a crash, a lost power supply) leaves either all of them done or
// none, as the next load finds the folder, and all of them cost one sync of the disk.
//
//   FileBatch batch(files, dataFiles.filePath("ImportJournal.txt"));
//   batch.Write(notePath, diskBytes);          // staged beside it as "<name>.batch~"
//   batch.Remove(replacedAttachment);          // kept aside until the batch is finished
//   batch.Move(incomingFile, attachmentPath);  // never replaces a file
//   if (FileStatus status = batch.Commit(); !status) ...   // nothing changed
//   ... (a later step that fails may still call batch.Rollback())
//   batch.Finish();
//
// How:
//  1. Write stages each file under a temporary name; a file it replaces, or that Remove
//     names, is kept under a second name ("<name>.batch-old", a hard link: nothing is
//     copied). A journal in the state "staging" names the folders that hold staged files.
//  2. Commit makes everything durable with one sync of the file system, then writes the
//     journal anew, durably, in the state "done" with every step: from here on the batch
//     is in. Then, step by step in the order they were asked for, the temporary names
//     become the real ones, the removed files go and the moves are made; the folders are
//     synced.
//  3. Finish drops the kept files and the journal.
// A failure before the journal is done removes what was staged: nothing changed. A
// failure after it (a refused rename) or Rollback marks the journal "undo" and puts every
// file back. Recover, called before a load, completes what a stop interrupted: a "done"
// batch is finished, an "undo" one put back, a "staging" one's leftovers removed.
//
// The journal is a text file, one step a line, names relative to its folder.
class FileBatch
{
public:
    FileBatch(FileSystem& files, QString journalPath);
    // A batch committed but not finished is put back; staged files are removed.
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    // Stages diskBytes as the new contents of path (a new file or a replaced one); a file
    // that holds exactly these bytes already is no step. A failure leaves path as it
    // was; the batch should then be abandoned.
    FileStatus Write(const QString& path, const QByteArray& diskBytes);
    // Removes the file at path when the batch goes in (a missing file is no step).
    FileStatus Remove(const QString& path);
    // Moves the file at from to to when the batch goes in; to must not exist then.
    void Move(const QString& from, const QString& to);

    // Makes the batch durable and puts every file in place (see above). On failure no
    // file is changed and the staged files are gone.
    FileStatus Commit();
    // After Commit, before Finish: puts every file back as it was.
    FileStatus Rollback();
    // After Commit: drops what was kept for a rollback and the journal.
    void Finish();
    // Whether Write made path a step (false for a file that held the bytes already).
    bool Writes(const QString& path) const { return m_staged.contains(path); }

    // What Recover found.
    enum class Recovery
    {
        Nothing, // no journal
        Finished, // a batch that was in: its steps completed
        PutBack, // a batch that was being put back, or only staged: as it was before
    };
    static Recovery Recover(FileSystem& files, const QString& journalPath);

    static QString StagedName(const QString& path) { return path + QStringLiteral(".batch~"); }
    static QString FormerName(const QString& path) { return path + QStringLiteral(".batch-old"); }

private:
    enum class Kind
    {
        Create,
        Replace,
        Remove,
        Move,
    };
    struct Step
    {
        Kind kind;
        QString path; // the file written or removed; a move's target
        QString from; // a move's source
    };
    struct Journal
    {
        QString state;
        QStringList folders;
        QList<Step> steps;
    };

    FileStatus WriteJournal(const QString& state);
    FileStatus NoteFolder(const QString& path);
    FileStatus KeepFormer(const QString& path);
    void Abandon();
    static void RedoSteps(FileSystem& files, const QList<Step>& steps);
    static FileStatus UndoSteps(FileSystem& files, const QList<Step>& steps);
    static void DropKept(FileSystem& files, const QList<Step>& steps);
    static void SweepStaged(FileSystem& files, const QStringList& folders);
    static QByteArray JournalText(const QString& journalFolder, const Journal& journal);
    static bool ParseJournal(const QString& journalFolder, const QByteArray& text, Journal* journal);

    FileSystem& m_files;
    QString m_journalPath;
    QString m_journalFolder;
    Journal m_journal;
    QSet<QString> m_staged; // the paths written
    enum class Phase
    {
        Staging,
        Committed,
        Closed,
    } m_phase
        = Phase::Staging;
};
