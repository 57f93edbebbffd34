#pragma once

#include "format/FileStamp.h"

#include <QStringList>
#include <functional>
#include <optional>

class NoteDatabase;

// The note files' names as NoteDatabase::NoteFileNames lists them, listed again only when
// the folder itself changed (a file made, removed or renamed in it changes the folder's
// stamp): what the drop-down of hits asks for at every keystroke. A listing made within
// two seconds of the folder's last change is not trusted, since a coarse clock may give
// a later change the same time.
class NoteFileListing
{
public:
    // now: the time in seconds since the epoch (by default the system clock's).
    explicit NoteFileListing(const NoteDatabase& database, std::function<qint64()> now = {});

    const QStringList& Names();

private:
    const NoteDatabase& m_database;
    std::function<qint64()> m_now;
    QStringList m_names;
    std::optional<FileStamp> m_folderStamp; // none: list again
    bool m_trusted = false;
};
