#include "store/NoteFileGroups.h"

#include "format/NoteFile.h"
#include "format/NoteTextScanner.h"
#include "store/NoteFileIndex.h"

#include <QSet>

NoteFileGroups::NoteFileGroups(const NoteFileIndex& index, const QList<qint32>& ids)
{
    for (qint32 id : ids) {
        const std::optional<QString> path = index.FileOfNote(id);
        if (!path)
            continue;
        auto found = m_ids.find(*path);
        if (found == m_ids.end()) {
            m_files.append(*path);
            found = m_ids.insert(*path, {});
        }
        found->append(id);
    }
}

void NoteFileGroups::Read(const std::function<void(qint32 id, const NoteRecord& note)>& take) const
{
    for (const QString& path : m_files) {
        const NotesList stored = ReadNoteFile(path);
        QHash<qint32, int> positions;
        for (int i = static_cast<int>(stored.size()) - 1; i >= 0; --i)
            positions.insert(stored.at(i).NoteID, i);
        for (qint32 id : m_ids.value(path)) {
            const auto found = positions.constFind(id);
            if (found != positions.cend())
                take(id, stored.at(*found));
        }
    }
}

void NoteFileGroups::ReadListed(const std::function<void(qint32 id, ListedNote note)>& take) const
{
    const DateTime now = DateTime::CurrentLocal();
    NoteTextScanner scanner;
    for (const QString& path : m_files) {
        if (!scanner.LoadFile(path))
            continue;
        const QList<qint32> wanted = m_ids.value(path);
        const QSet<qint32> wantedSet(wanted.begin(), wanted.end());
        QHash<qint32, ListedNote> read; // the first record of each wanted id
        NoteTextScanner::Span span;
        while (scanner.Next(&span)) {
            if (wantedSet.contains(span.noteId) && !read.contains(span.noteId))
                read.insert(span.noteId, ListedNote::Read(scanner, span, now));
        }
        for (qint32 id : wanted) {
            const auto found = read.constFind(id);
            if (found != read.cend())
                take(id, *found);
        }
    }
}
