#pragma once

#include "format/FileStatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

class FileSystem;

// Several whole-file writes that stand or fall together: each file's former state is
// kept until Commit(), and Rollback() puts back every file written so far. Used where one
// change spans files (a note moved between note files, an import).
//
// The former file is kept under a second name (a hard link, "<name>.undo", which no
// reader of the data folder looks at), so keeping it copies nothing; where no link can
// be made its bytes are read instead. A file that did not exist is removed again.
class FileTransaction
{
public:
    explicit FileTransaction(FileSystem& files);
    // An unfinished transaction is rolled back.
    ~FileTransaction();
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;

    // Replaces the file at path with diskBytes (atomically), remembering what was there
    // the first time the path is written. A failure leaves that file as it was.
    FileStatus Write(const QString& path, const QByteArray& diskBytes);
    // Keeps every write and forgets the former states.
    void Commit();
    // Restores every file written, newest first; the first failure of a restore, if any
    // (the files it could not restore keep the new contents).
    FileStatus Rollback();

private:
    struct Former
    {
        QString path;
        bool existed = false;
        QString backup; // the former file under a second name, or empty
        QByteArray bytes; // the former bytes when no second name could be made
    };
    FileStatus Remember(const QString& path);
    static QString BackupName(const QString& path);

    FileSystem& m_files;
    QList<Former> m_formers;
    bool m_open = true;
};
