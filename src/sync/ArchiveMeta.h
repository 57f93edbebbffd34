#pragma once

#include "sync/NoteVersion.h"
#include "sync/SyncState.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// "_Sync.txt" of a sync archive (layout in SyncFormat.h): who wrote the archive, which
// sequences it holds, the version of every note in its "_ExpNotes.dat" and the notes
// deleted.
struct ArchiveMeta
{
    struct Note
    {
        QString guid;
        QByteArray fingerprint;
        QList<QByteArray> history;
    };

    QString machineId;
    qint64 first = 0;
    qint64 last = 0;
    QList<Note> notes;
    QList<Tombstone> deleted;

    QByteArray Serialize() const;
    // None for a file that is not whole or of a newer format.
    static std::optional<ArchiveMeta> Parse(const QByteArray& bytes);
    // The notes by GUID (the last line of a GUID wins).
    QHash<QString, Note> NotesByGuid() const;
};
