#include "store/NoteDatabase.h"

#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/NameList.h"
#include "sources/SourceLookup.h"
#include "store/NotesListOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

NoteDatabase::NoteDatabase(DataFolder folder)
    : m_folder(std::move(folder))
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

void NoteDatabase::BindCounters(qint32* maxNoteId, qint32* maxAuthorId)
{
    m_maxNoteId = maxNoteId ? maxNoteId : &m_ownMaxNoteId;
    m_maxAuthorId = maxAuthorId ? maxAuthorId : &m_ownMaxAuthorId;
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

QString NoteDatabase::SourcesFilePath() const
{
    return m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat"));
}

QString NoteDatabase::AuthorsFilePath() const
{
    return m_folder.FullPath(QStringLiteral("Data Files\\Authors.dat"));
}

QString NoteDatabase::NoteFilePath(const NoteRecord& record) const
{
    return m_folder.FullPath(NoteFileName(record));
}

QStringList NoteDatabase::NoteFileNames(const DataFolder& folder)
{
    // Only names ending in the exact three characters "dat": "x.DAT" is left alone.
    QStringList names = QDir(folder.NotesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeIf([](const QString& name) { return !name.endsWith(QLatin1String("dat")); });
    return names;
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

qint32 NoteDatabase::NextAuthorId(FileStatus* failure)
{
    const qint32 id = ::NextAuthorId(*m_maxAuthorId);
    const FileStatus status = SaveSettings();
    if (failure)
        *failure = status;
    return id;
}

void NoteDatabase::ShowFailure(const FileStatus& failure, UserPrompt& prompt)
{
    prompt.Tell(failure.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
}

qint32 NoteDatabase::NextSourceId() const
{
    return ::NextSourceId(m_sources);
}

QString NoteDatabase::TotalNotesText(int total)
{
    return QStringLiteral("Total Notes Saved:    %1").arg(total);
}
