#include "store/NoteFileGroups.h"

#include "format/NoteFile.h"
#include "format/NoteTextScanner.h"
#include "store/ListedNoteReader.h"
#include "store/NoteFileIndex.h"

#include <QSet>

NoteFileGroups::NoteFileGroups(const NoteFileIndex& index, const NoteIdList& ids)
    : m_ids(ids)
{
    for (int place = 0; place < ids.Count(); ++place) {
        const std::optional<QString> path = index.FileOfNote(ids.At(place));
        if (!path)
            continue;
        auto found = m_places.find(*path);
        if (found == m_places.end()) {
            m_files.append(*path);
            found = m_places.insert(*path, {});
        }
        found->append(place);
    }
}

bool NoteFileGroups::Read(const std::function<bool(int place, const NoteRecord& note)>& take) const
{
    for (const QString& path : m_files) {
        const NotesList stored = ReadNoteFile(path);
        QHash<qint32, int> positions;
        for (int i = static_cast<int>(stored.size()) - 1; i >= 0; --i)
            positions.insert(stored.at(i).NoteID, i);
        for (int place : m_places.value(path)) {
            const auto found = positions.constFind(m_ids.At(place));
            if (found != positions.cend() && !take(place, stored.at(*found)))
                return false;
        }
    }
    return true;
}

void NoteFileGroups::ReadListed(const std::function<void(int place, ListedNote note)>& take) const
{
    ListedNoteReader reader;
    NoteTextScanner scanner;
    for (const QString& path : m_files) {
        if (!scanner.LoadFile(path))
            continue;
        const QList<int> places = m_places.value(path);
        QHash<qint32, ListedNote> read; // the first record of each wanted id
        for (int place : places)
            read.insert(m_ids.At(place), ListedNote());
        NoteTextScanner::Span span;
        QSet<qint32> seen;
        while (scanner.Next(&span)) {
            const auto wanted = read.find(span.noteId);
            if (wanted != read.end() && !seen.contains(span.noteId)) {
                seen.insert(span.noteId);
                *wanted = reader.Read(scanner, span);
            }
        }
        for (int place : places) {
            if (seen.contains(m_ids.At(place)))
                take(place, read.value(m_ids.At(place)));
        }
    }
}
