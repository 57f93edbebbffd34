#pragma once

#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "store/ListedNote.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>

class NoteFileIndex;

// The places of a list of ids grouped by the note file that holds each id, files in the
// order their first id comes, so that each file is read once however many of the ids it
// holds and in whatever order they come. Ids that no file holds (deleted since, or never
// stored) are left out; an id listed twice has both its places.
class NoteFileGroups
{
public:
    NoteFileGroups(const NoteFileIndex& index, const NoteIdList& ids);

    // Reads each file once and hands over, file by file, each place whose id the file
    // holds, with its record (the first record of the id in the file). Stops when take
    // returns false; false then.
    bool Read(const std::function<bool(int place, const NoteRecord& note)>& take) const;
    // The same with each note's keys alone (ListedNoteReader): no text is decoded.
    void ReadListed(const std::function<void(int place, ListedNote note)>& take) const;

private:
    NoteIdList m_ids;
    QStringList m_files;
    QHash<QString, QList<int>> m_places;
};
