#include "store/NoteDatabase.h"

#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/AuthorsFile.h"
#include "sources/NameList.h"
#include "sources/SourceLookup.h"
#include "sources/SourcesFile.h"
#include "store/FieldReader.h"
#include "store/FieldWriter.h"
#include "store/Guid.h"
#include "store/NoteFile.h"
#include "store/NoteFileScanner.h"
#include "store/NotesListOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace {

QString NotesFolderName()
{
    return QStringLiteral("Data Files\\Notes\\");
}

} // namespace

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

void NoteDatabase::SetSettingsSaver(std::function<void()> saveSettings)
{
    m_saveSettings = std::move(saveSettings);
}

void NoteDatabase::SetImageConverter(AttachmentCopier::ImageConverter converter)
{
    m_copier.SetImageConverter(std::move(converter));
}

void NoteDatabase::SaveSettings() const
{
    if (m_saveSettings)
        m_saveSettings();
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

QStringList NoteDatabase::NoteFileNames() const
{
    // Only names ending in the exact three characters "dat": "x.DAT" is left alone.
    QStringList names = QDir(m_folder.NotesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeIf([](const QString& name) { return !name.endsWith(QLatin1String("dat")); });
    return names;
}

// --- Start-up ----------------------------------------------------------------------------

void NoteDatabase::CleanUpNoteFiles()
{
    Progress().Notify(QStringLiteral("Cleaning up note files...."));
    const QDir notes(m_folder.NotesFolder());
    for (const QString& name : NoteFileNames()) {
        const QString path = notes.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // The head is a Real and an Integer: 36 bytes, well inside the first 64.
        const QByteArray head = file.read(64);
        file.close();
        FieldReader reader(FieldReader::FromDiskBytes(head));
        reader.ReadReal();
        if (head.isEmpty() || reader.ReadInt() == 0)
            QFile::remove(path);
    }
    Progress().End();
}

void NoteDatabase::ClearIndexes()
{
    m_unassigned.Clear();
    m_noSource.Clear();
    m_fileIndex.Clear();
    m_sources.clear();
    m_keyWords->Clear();
    m_categories->Clear();
    m_authors.clear();
    m_total = 0;
}

void NoteDatabase::LoadNoteDatabase()
{
    ProgressReporter& progress = Progress();
    progress.Begin(QStringLiteral("Loading Notes Information..."), 20);
    progress.Step();
    const QStringList names = NoteFileNames();
    ClearIndexes();
    progress.Step();
    m_authors = LoadAuthorsFile(AuthorsFilePath());
    progress.Step();
    QByteArray sourcesOnDisk;
    {
        QFile file(SourcesFilePath());
        if (file.open(QIODevice::ReadOnly))
            sourcesOnDisk = file.readAll();
    }
    m_sources = ParseSourcesFile(FieldReader::FromDiskBytes(sourcesOnDisk));
    progress.Step();
    progress.SetMessage(QStringLiteral("Setting Global Info..."));

    // A source is looked up once per note: 100,000 notes against thousands of sources.
    QHash<qint32, int> sourceIndex;
    for (int i = static_cast<int>(m_sources.size()) - 1; i >= 0; --i)
        sourceIndex.insert(m_sources.at(i).SourceId, i); // the first of equal ids wins

    qint32 highestNoteId = 0;
    NoteFileScanner scanner;
    std::vector<NoteIndexFacts> facts;
    const QDir notes(m_folder.NotesFolder());
    for (const QString& name : names) {
        facts.clear();
        const QString path = m_folder.FullPath(NotesFolderName() + name);
        const int count
            = scanner.ScanFile(path, [&facts](const NoteIndexFacts& note) { facts.push_back(note); });
        m_total += count;
        progress.Begin(QStringLiteral("Loading info:  *") + name + QLatin1Char('*'), count + 1);
        progress.Step();
        for (const NoteIndexFacts& note : facts) {
            highestNoteId = qMax(highestNoteId, note.NoteID);
            if (note.SourceID > 0) {
                const auto found = sourceIndex.constFind(note.SourceID);
                if (found != sourceIndex.cend())
                    m_sources[*found].CitingNoteIds.AddIfAbsent(note.NoteID);
            } else {
                m_noSource.AddIfAbsent(note.NoteID);
            }
            m_categories->AddNoteAtLoad(note.NoteID, note.Categories, m_unassigned);
            m_keyWords->AddNoteKeyWords(note.NoteID, note.KeyWords);
            m_fileIndex.AddFileEntry(path, note.NoteID);
            progress.Step();
        }
    }
    // Stores the GUIDs made for sources read without one (and brings an old file up to
    // date); a file that would come out byte for byte the same is left as it is.
    const QByteArray sourcesBytes = SerializeSourcesFile(m_sources);
    if (sourcesBytes != sourcesOnDisk)
        SaveFileAtomically(SourcesFilePath(), sourcesBytes);

    // MaxNoteID grows by at least one at every start, so an id issued in a run that
    // ended before its settings were saved is never issued again.
    *m_maxNoteId = highestNoteId > *m_maxNoteId ? highestNoteId + 1 : *m_maxNoteId + 1;
    qint32 highestAuthorId = 0;
    for (const AuthorRecord& author : std::as_const(m_authors))
        highestAuthorId = qMax(highestAuthorId, author.AuthorId);
    *m_maxAuthorId = highestAuthorId > *m_maxAuthorId ? highestAuthorId + 1 : *m_maxAuthorId + 1;
    SaveSettings();
    progress.End();
}

// --- Ids ---------------------------------------------------------------------------------

qint32 NoteDatabase::IssueNoteId()
{
    ++*m_maxNoteId;
    SaveSettings();
    return *m_maxNoteId;
}

qint32 NoteDatabase::NextAuthorId()
{
    const qint32 id = ::NextAuthorId(*m_maxAuthorId);
    SaveSettings();
    return id;
}

qint32 NoteDatabase::NextSourceId() const
{
    return ::NextSourceId(m_sources);
}

QString NoteDatabase::TotalNotesText(int total)
{
    return QStringLiteral("Total Notes Saved:    %1").arg(total);
}
