#pragma once

#include "format/FileStatus.h"

#include <QString>

class FileSystem;

// Where the program's files live, and the file system that changes them. Names are written
// the Windows way, with backslashes ("Data Files\Notes\DAY08142008.dat"); a name that
// contains "Data Files" resolves under the data root, any other under the program folder.
//
// A run either may change the data folder or only reads it. A folder that this user
// cannot write (a read-only medium, a folder without write permission) is opened
// read-only, decided once at start-up and never changed for the run: the program then
// reads, searches, prints and exports, every operation that would store something refuses
// before it touches a file, and nothing is written under the data root (the run's file
// system, a ReadOnlyFileSystem, refuses whatever would still try).
class DataFolder
{
public:
    enum class Access
    {
        Writable,
        ReadOnly,
    };

    DataFolder() = default;
    // files: what every change in the folder goes through (not owned; it must outlive
    // every copy of the folder); none: the real file system. A read-only folder is handed
    // a file system that refuses changes under its data root (see CNotesApp).
    DataFolder(QString dataRoot, QString programFolder, FileSystem* files = nullptr,
               Access access = Access::Writable);

    const QString& DataRoot() const { return m_dataRoot; }
    const QString& ProgramFolder() const { return m_programFolder; }
    FileSystem& Files() const;

    QString FullPath(const QString& name) const;

    bool IsReadOnly() const { return m_access == Access::ReadOnly; }
    // What a refused change says, naming the folder:
    //   The data folder "/media/usb/Notes/Data Files" is read-only: nothing can be stored in it.
    QString ReadOnlyText() const;
    // The reason a change under a read-only data root fails with (FileStatus::Reason()).
    static QString ReadOnlyReason() { return QStringLiteral("The data folder is read-only"); }

    // The name of the notes folder as note file names begin with it.
    static QString NotesName() { return QStringLiteral("Data Files\\Notes\\"); }

    // Common places, as full paths ending without a separator.
    QString DataFilesFolder() const { return FullPath(QStringLiteral("Data Files")); }
    QString NotesFolder() const { return FullPath(QStringLiteral("Data Files\\Notes")); }
    // The note file of that bare name ("DAY08142008.dat"), and the sources and authors.
    QString NoteFilePath(const QString& name) const { return FullPath(NotesName() + name); }
    QString SourcesFilePath() const { return FullPath(QStringLiteral("Data Files\\Sources.dat")); }
    QString AuthorsFilePath() const { return FullPath(QStringLiteral("Data Files\\Authors.dat")); }
    QString ImagesFolder() const { return FullPath(QStringLiteral("Data Files\\Images")); }
    QString LexiconsFolder() const { return FullPath(QStringLiteral("Data Files\\Lexicons")); }
    // The journal of a batch of file changes that goes in whole or not at all (an
    // import); present only while one is under way or was stopped (see FileBatch).
    QString BatchJournalPath() const { return FullPath(QStringLiteral("Data Files\\Batch.journal")); }

    // Creates "Data Files" and its Notes, Images and Lexicons folders where missing; the
    // first failure, if any. A read-only folder is left as it is: success when all of them
    // exist, the read-only refusal otherwise.
    FileStatus CreateFolders() const;

private:
    QString m_dataRoot;
    QString m_programFolder;
    FileSystem* m_files = nullptr;
    Access m_access = Access::Writable;
};
