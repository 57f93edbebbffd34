#pragma once

#include "format/NoteRecord.h"
#include "store/ListedNote.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>

class NoteFileIndex;

// Ids grouped by the note file that holds them, files in the order their first id comes,
// so that each file is read once however many of the ids it holds and in whatever order
// they come. Ids that no file holds (deleted since, or never stored) are left out.
class NoteFileGroups
{
public:
    NoteFileGroups(const NoteFileIndex& index, const QList<qint32>& ids);

    // Reads each file once and hands over, file by file, each id of the group found in
    // it with its record (the first record of an id in a file).
    void Read(const std::function<void(qint32 id, const NoteRecord& note)>& take) const;
    // The same with each note's keys alone (ListedNote::Read): no text is decoded.
    void ReadListed(const std::function<void(qint32 id, ListedNote note)>& take) const;

private:
    QStringList m_files;
    QHash<QString, QList<qint32>> m_ids;
};
