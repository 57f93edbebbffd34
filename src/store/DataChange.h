#pragma once

#include "format/NoteIdList.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

// What one operation changed, told to every listener of the ChangeNotice once the files
// it wrote are stored and the indexes are up to date. An operation that failed half-way
// tells what it did store (a deletion stopped by an unwritable file tells the notes it
// deleted before it); one that stored nothing tells nothing.
//
//   DataChange change;
//   change.aspects = DataChange::NotesSaved | DataChange::KeyWords;
//   change.notes = written;            // the notes whose key words changed
//   change.writtenFiles = {path};      // the note files holding them
struct DataChange
{
    enum Aspect : quint32
    {
        // Notes were written, new or changed (editor saves, re-filing, key word commands,
        // stamps, image settings): their ids in notes, the note files written in writtenFiles
        // (all of them for the operations that rewrite every file).
        NotesSaved = 1 << 0,
        // Some of those notes left one note file for another (their source changed): both
        // files are in writtenFiles.
        NotesMoved = 1 << 1,
        // Notes were removed from their files and from every index: deleted names them.
        NotesDeleted = 1 << 2,
        // The category trees or the notes without a category changed.
        CategoryTrees = 1 << 3,
        // The key word list changed.
        KeyWords = 1 << 4,
        // Which notes cite which source changed (the notes without a source included).
        SourceNotes = 1 << 5,
        // Sources were added, edited or deleted ("Sources.dat").
        Sources = 1 << 6,
        // Authors were added, edited or deleted ("Authors.dat").
        Authors = 1 << 7,
        // The number of notes saved in all ("Total Notes Saved") changed.
        Total = 1 << 8,
        // Notes joined or left the current list.
        ListNotes = 1 << 9,
        // The current list holds the same notes in a new order, or with new keys or sources.
        ListOrder = 1 << 10,
        // The listed notes' search hits (their display texts) changed.
        ListHits = 1 << 11,
        // The database was read again from its files (after an import): anything may have
        // changed; notes and writtenFiles name what the operation wrote.
        Reloaded = 1 << 12,
    };
    Q_DECLARE_FLAGS(Aspects, Aspect)

    // The note indexes a note's save or deletion changes.
    static constexpr quint32 kIndexes = CategoryTrees | KeyWords | SourceNotes;

    // A note that was deleted: its id and the NoteGUID it was known by.
    struct DeletedNote
    {
        qint32 id = 0;
        QString guid;
        bool operator==(const DeletedNote&) const = default;
    };

    Aspects aspects;
    NoteIdList notes;
    QList<DeletedNote> deleted;
    // Full paths of the note files written or removed.
    QStringList writtenFiles;
    QStringList removedFiles;

    bool Has(Aspect aspect) const { return aspects.testFlag(aspect); }
    bool HasAny(Aspects any) const { return aspects.testAnyFlags(any); }
    // The ids of deleted in order.
    NoteIdList DeletedIds() const;
    // Adds a written file once.
    void AddWrittenFile(const QString& path);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DataChange::Aspects)
