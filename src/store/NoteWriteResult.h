#pragma once

#include "format/FileStatus.h"
#include "format/NoteIdList.h"

#include <QStringList>

// What a command that rewrites many note files did: the notes it changed and the files
// it could not write (their notes keep what they had on disk), with the first of those
// failures, which names the file and the system's reason.
struct [[nodiscard]] NoteWriteResult
{
    NoteIdList changed;
    QStringList failedFiles;
    FileStatus failure;

    bool Ok() const { return failedFiles.isEmpty(); }
    // Records the outcome of one file's write.
    void Record(const QString& path, const FileStatus& written)
    {
        if (written)
            return;
        failedFiles.append(path);
        failure.Keep(written);
    }
    // Takes in the result of a later part of the same command.
    void Absorb(const NoteWriteResult& later)
    {
        changed.UnionAppend(later.changed);
        for (const QString& path : later.failedFiles) {
            if (!failedFiles.contains(path))
                failedFiles.append(path);
        }
        failure.Keep(later.failure);
    }
};
