#pragma once

#include "format/FileStamp.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The note files' names in a notes folder, listed again only when the folder itself
// changed (a file made, removed or renamed in it changes the folder's stamp): the load,
// each search and each keystroke of the drop-down of hits ask for them. A listing made
// within two seconds of the folder's last change is not trusted, since a coarse clock
// may give a later change the same time.
class NoteFileListing
{
public:
    // now: the time in seconds since the epoch (by default the system clock's).
    explicit NoteFileListing(QString notesFolder, std::function<qint64()> now = {});

    const QStringList& Names();

    // The folder's note files as they are now: only names ending in the exact three
    // characters "dat" ("x.DAT" is left alone).
    static QStringList ListFolder(const QString& notesFolder);

private:
    QString m_notesFolder;
    std::function<qint64()> m_now;
    QStringList m_names;
    std::optional<FileStamp> m_folderStamp; // none: list again
    bool m_trusted = false;
};
