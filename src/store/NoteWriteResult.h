#pragma once

#include "format/NoteIdList.h"

#include <QStringList>

// What a command that rewrites many note files did: the notes it changed and the files
// it could not write (their notes keep what they had on disk).
struct NoteWriteResult
{
    NoteIdList changed;
    QStringList failedFiles;

    bool Ok() const { return failedFiles.isEmpty(); }
};
