#pragma once

#include "format/DateTime.h"
#include "format/FileStatus.h"

#include <QHash>
#include <QList>
#include <QString>

class FileSystem;

// When this machine's notes were deleted since its last sync: "Data Files\Sync\Deleted.txt",
// a line per deletion, "<NoteGUID> <TAB> <when>" in the data files' date-time form. Lines
// are added as notes are deleted (DeletionRecorder); a sync dates the deletions it finds by
// them (a note edited elsewhere after its deletion survives it) and then empties the file.
//
// Lines are appended, so a line cut short by a stop is left out when read; the deletion it
// named is then dated by the last sync, the earliest it can have been.
class DeletionJournal
{
public:
    // files: what the journal is written through (the data folder's).
    DeletionJournal(FileSystem& files, QString stateFolder);

    FileStatus Record(const QList<QString>& guids, const DateTime& when) const;
    // The last time recorded for each GUID.
    QHash<QString, DateTime> Read() const;
    FileStatus Clear() const;

private:
    FileSystem& m_files;
    QString m_path;
};
