#pragma once

#include "categories/NoteIdMap.h"
#include "format/NoteIdList.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// One note file and the ids of the notes it holds.
struct NoteFileEntry
{
    QString path; // full path of the note file
    NoteIdList ids;
};

// Which note file holds which notes: an ordered list of entries, in the order in which
// the files were first met. Paths are compared exactly (case-sensitive, whole string).
//
// Maps sit beside the list so that a load of 100,000 notes stays linear: one from path
// to its entry, one from note id to the first entry holding it, and a rarely used one
// for the later entries of ids held twice (a note file changed from outside).
class NoteFileIndex
{
public:
    const QList<NoteFileEntry>& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    void Clear();

    // The path of the first entry whose ids hold the id; none when no entry does.
    std::optional<QString> FileOfNote(qint32 id) const;
    // Removes the id from every entry. Entries are kept even when they become empty.
    void RemoveNoteFromIndex(qint32 id);
    // If entries with exactly this path exist, each takes the ids it does not yet hold
    // (in ids' order); otherwise a new entry with the ids is appended.
    void AddFileEntry(const QString& path, const NoteIdList& ids);
    // The same for a single id, without building a list.
    void AddFileEntry(const QString& path, qint32 id);

private:
    int EntryFor(const QString& path);
    void AddToEntry(int index, qint32 id);

    QList<NoteFileEntry> m_entries;
    QHash<QString, int> m_entryByPath;
    NoteIdMap m_firstEntry;
    // Further entries holding an id, ascending.
    QHash<qint32, QList<int>> m_laterEntries;
};
