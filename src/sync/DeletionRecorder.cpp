#include "sync/DeletionRecorder.h"

#include "sync/SyncFormat.h"

DeletionRecorder::DeletionRecorder(const DataFolder& folder, ChangeNotice& changes)
    : m_folder(folder)
    , m_journal(m_folder.Files(), m_folder.FullPath(SyncFormat::StateFolderName()))
    , m_subscription(changes.Subscribe([this](const DataChange& change) { Follow(change); }))
{
}

void DeletionRecorder::Follow(const DataChange& change)
{
    if (!change.Has(DataChange::NotesDeleted) || m_quiet > 0 || m_folder.IsReadOnly())
        return;
    QList<QString> guids;
    guids.reserve(change.deleted.size());
    for (const DataChange::DeletedNote& note : change.deleted)
        guids.append(note.guid);
    if (const FileStatus recorded = m_journal.Record(guids, DateTime::CurrentLocal()); !recorded)
        m_failure = recorded;
}

DeletionRecorder::Quiet::Quiet(DeletionRecorder* recorder)
    : m_recorder(recorder)
{
    if (m_recorder != nullptr)
        ++m_recorder->m_quiet;
}

DeletionRecorder::Quiet::~Quiet()
{
    if (m_recorder != nullptr)
        --m_recorder->m_quiet;
}
