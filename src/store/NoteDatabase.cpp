#include "store/NoteDatabase.h"

#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "platform/ProgressReporter.h"

#include <QDir>

NoteDatabase::NoteDatabase(DataFolder folder, ChangeNotice& changes)
    : m_folder(std::move(folder))
    , m_noteFiles(m_folder.NotesFolder())
    , m_changes(changes)
    , m_copier(m_folder)
    , m_categories(std::make_unique<CategoryTree>())
    , m_keyWords(std::make_unique<KeyWordList>())
{
}

NoteDatabase::~NoteDatabase() = default;

void NoteDatabase::SetProgress(ProgressReporter* progress)
{
    m_progress = progress;
}

ProgressReporter& NoteDatabase::Progress() const
{
    return m_progress ? *m_progress : SilentProgress();
}

void NoteDatabase::BindNoteCounter(qint32* maxNoteId)
{
    m_maxNoteId = maxNoteId ? maxNoteId : &m_ownMaxNoteId;
}

void NoteDatabase::SetSettingsSaver(std::function<FileStatus()> saveSettings)
{
    m_saveSettings = std::move(saveSettings);
}

void NoteDatabase::SetImageConverter(AttachmentCopier::ImageConverter converter)
{
    m_copier.SetImageConverter(std::move(converter));
}

FileStatus NoteDatabase::SaveSettings() const
{
    return m_saveSettings ? m_saveSettings() : FileStatus::Ok();
}

QString NoteDatabase::NoteFilePath(const NoteRecord& record) const
{
    return m_folder.FullPath(NoteFileName(record));
}

QStringList NoteDatabase::NoteFileNames(const DataFolder& folder)
{
    return NoteFileListing::ListFolder(folder.NotesFolder());
}

// --- Ids ---------------------------------------------------------------------------------

qint32 NoteDatabase::IssueNoteId(FileStatus* failure)
{
    ++*m_maxNoteId;
    const FileStatus status = SaveSettings();
    if (failure)
        *failure = status;
    return *m_maxNoteId;
}

NoteDatabase::IdBatch::IdBatch(NoteDatabase& database)
    : m_database(database)
    , m_maxNoteIdBefore(*database.m_maxNoteId)
{
}

NoteDatabase::IdBatch::~IdBatch()
{
    if (!m_stored)
        *m_database.m_maxNoteId = m_maxNoteIdBefore;
}

FileStatus NoteDatabase::IdBatch::Store()
{
    const FileStatus saved = m_database.SaveSettings();
    m_stored = saved.IsOk();
    return saved;
}

// --- Indexes and the total ---------------------------------------------------------------

const NoteIdList& NoteDatabase::NotesCiting(qint32 sourceId) const
{
    static const NoteIdList none;
    const auto found = m_citing.constFind(sourceId);
    return found != m_citing.cend() ? *found : none;
}

void NoteDatabase::CiteNote(qint32 sourceId, qint32 noteId)
{
    if (sourceId > 0)
        m_citing[sourceId].AddIfAbsent(noteId);
}

void NoteDatabase::UnciteNote(qint32 sourceId, qint32 noteId)
{
    const auto found = m_citing.find(sourceId);
    if (found != m_citing.end())
        found->RemoveAll(noteId);
}

void NoteDatabase::AdjustTotal(int delta)
{
    if (delta == 0)
        return;
    m_total += delta;
    DataChange change;
    change.aspects = DataChange::Total;
    Tell(change);
}

QString NoteDatabase::TotalNotesText(int total)
{
    return QStringLiteral("Total Notes Saved:    %1").arg(total);
}

void NoteDatabase::Tell(const DataChange& change)
{
    m_changes.Raise(change);
}
