#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"
#include "store/NoteIndexLoader.h"
#include "store/ParallelNoteScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString NotesFolderName()
{
    return QStringLiteral("Data Files\\Notes\\");
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void NoteDatabase::CleanUpNoteFiles()
{
    Progress().Notify(QStringLiteral("Cleaning up note files...."));
    const QDir notes(m_folder.NotesFolder());
    for (const QString& name : NoteFileNames()) {
        const QString path = notes.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray head = file.read(64);
        file.close();
        if (NoteFileScanner::IsEmptyNoteFileHead(head.constData(), head.size()))
            QFile::remove(path);
    }
    Progress().End();
}

void NoteDatabase::CleanUpAndLoadNoteDatabase()
{
    Progress().Notify(QStringLiteral("Cleaning up note files...."));
    Progress().End();
    Load(true);
}

void NoteDatabase::LoadNoteDatabase()
{
    Load(false);
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

void NoteDatabase::Load(bool cleanUp)
{
    ProgressReporter& progress = Progress();
    progress.Begin(QStringLiteral("Loading Notes Information..."), 20);
    progress.Step();
    QStringList paths;
    for (const QString& name : NoteFileNames())
        paths.append(m_folder.FullPath(NotesFolderName() + name));
    // A helper thread starts reading the note files while this one loads the sources; it
    // then files each note file's notes in list order.
    ParallelNoteScanner scanner(paths, cleanUp);
    ClearIndexes();
    progress.Step();
    m_authors = LoadAuthorsFile(AuthorsFilePath());
    progress.Step();
    LoadSources();
    progress.Step();
    progress.SetMessage(QStringLiteral("Setting Global Info..."));

    NoteIndexLoader loader({*m_categories, *m_keyWords, m_unassigned, m_noSource, m_fileIndex, m_sources});
    FileScannedNotes(scanner, loader);
    RaiseCounters(loader.HighestNoteId());
    progress.End();
}

void NoteDatabase::FileScannedNotes(ParallelNoteScanner& scanner, NoteIndexLoader& loader)
{
    ProgressReporter& progress = Progress();
    while (const ScannedNoteFile* file = scanner.Next()) {
        // A file that counts no notes is deleted, as a clean-up before the load would.
        if (file->isEmpty) {
            QFile::remove(file->path);
            continue;
        }
        const int count = static_cast<int>(file->notes.size());
        m_total += count;
        progress.Begin(QStringLiteral("Loading info:  *") + QFileInfo(file->path).fileName()
                           + QLatin1Char('*'),
                       count + 1);
        progress.Step();
        loader.AddFile(file->path, file->notes);
        for (int i = 0; i < count; ++i)
            progress.Step();
    }
}

void NoteDatabase::RaiseCounters(qint32 highestNoteId)
{
    // MaxNoteID grows by at least one at every start, so an id issued in a run that
    // ended before its settings were saved is never issued again.
    *m_maxNoteId = highestNoteId > *m_maxNoteId ? highestNoteId + 1 : *m_maxNoteId + 1;
    qint32 highestAuthorId = 0;
    for (const AuthorRecord& author : std::as_const(m_authors))
        highestAuthorId = qMax(highestAuthorId, author.AuthorId);
    *m_maxAuthorId = highestAuthorId > *m_maxAuthorId ? highestAuthorId + 1 : *m_maxAuthorId + 1;
    SaveSettings();
}

void NoteDatabase::LoadSources()
{
    const QByteArray onDisk = ReadWholeFile(SourcesFilePath());
    m_sources = ParseSourcesFile(FieldReader::FromDiskBytes(onDisk));
    // Stores the GUIDs made for sources read without one (and brings an old file up to
    // date); a file that would come out byte for byte the same is left as it is. The
    // notes the load files under each source are not part of the file. A read-only data
    // folder keeps its file as it is; the GUIDs live for the run.
    if (!m_folder.IsReadOnly() && !SourcesFileHolds(m_sources, onDisk))
        WriteSourcesFile(SourcesFilePath(), m_sources);
}
