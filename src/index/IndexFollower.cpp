#include "index/IndexFollower.h"

#include "index/SearchIndex.h"
#include "store/NoteDatabase.h"

IndexFollower::IndexFollower(SearchIndex& index, const NoteDatabase& database, ChangeNotice& changes)
    : m_index(index)
    , m_database(database)
    , m_subscription(changes.Subscribe([this](const DataChange& change) { Take(change); }))
{
}

void IndexFollower::Take(const DataChange& change)
{
    if (change.Has(DataChange::Reloaded)) {
        // The start-up load is a reload too: the folder is listed only for an open index.
        if (m_index.CurrentState() == SearchIndex::State::Ready)
            m_index.RefreshIfOpen(m_database.NoteFileNames());
        return;
    }
    if (!change.writtenFiles.isEmpty() || !change.removedFiles.isEmpty())
        m_index.TakeWrittenFiles(change.writtenFiles + change.removedFiles);
}
