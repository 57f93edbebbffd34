#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/FileBatch.h"
#include "platform/ProgressReporter.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/NoteIndexLoader.h"
#include "store/ParallelNoteScanner.h"
#include "store/SourceStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
        // An empty file that stays only costs the next start another look.
        if (NoteFileScanner::IsEmptyNoteFileHead(head.constData(), head.size()))
            static_cast<void>(m_folder.Files().Remove(path));
    }
    Progress().End();
}

void NoteDatabase::CleanUpAndLoadNoteDatabase(SourceStore& sources)
{
    Progress().Notify(QStringLiteral("Cleaning up note files...."));
    Progress().End();
    Load(sources, true);
    TellLoaded({}, {});
}

void NoteDatabase::LoadNoteDatabase(SourceStore& sources)
{
    Load(sources, false);
    TellLoaded({}, {});
}

void NoteDatabase::ReloadAfterWriting(SourceStore& sources, const NoteIdList& written,
                                      const QStringList& writtenFiles)
{
    Load(sources, false);
    TellLoaded(written, writtenFiles);
}

void NoteDatabase::TellLoaded(const NoteIdList& written, const QStringList& writtenFiles)
{
    DataChange change;
    change.aspects = DataChange::Reloaded | DataChange::Aspects(DataChange::kIndexes) | DataChange::Sources
        | DataChange::Authors | DataChange::Total;
    if (!written.IsEmpty())
        change.aspects |= DataChange::NotesSaved;
    change.notes = written;
    change.writtenFiles = writtenFiles;
    Tell(change);
}

void NoteDatabase::ClearIndexes()
{
    m_unassigned.Clear();
    m_noSource.Clear();
    m_citing.clear();
    m_fileIndex.Clear();
    m_keyWords->Clear();
    m_categories->Clear();
    m_total = 0;
}

void NoteDatabase::Load(SourceStore& sources, bool cleanUp)
{
    ProgressReporter& progress = Progress();
    progress.Begin(QStringLiteral("Loading Notes Information..."), 20);
    // A batch of changes a stop interrupted (an import) is completed or put back first,
    // so that the load finds all of it or none. A read-only folder is read as it is
    // (every file whole, old or new): the batch is completed by a run that may write.
    if (!m_folder.IsReadOnly())
        FileBatch::Recover(m_folder.Files(), m_folder.BatchJournalPath());
    progress.Step();
    QStringList paths;
    for (const QString& name : NoteFileNames())
        paths.append(m_folder.NoteFilePath(name));
    // A helper thread starts reading the note files while this one loads the sources; it
    // then files each note file's notes in list order.
    ParallelNoteScanner scanner(paths, cleanUp);
    ClearIndexes();
    progress.Step();
    sources.Load();
    progress.Step();
    progress.Step();
    progress.SetMessage(QStringLiteral("Setting Global Info..."));

    NoteIndexLoader loader({*m_categories, *m_keyWords, m_unassigned, m_noSource, m_fileIndex, m_citing});
    FileScannedNotes(scanner, loader);
    // MaxNoteID grows by at least one at every start, so an id issued in a run that
    // ended before its settings were saved is never issued again; MaxAuthorID likewise.
    const qint32 highest = loader.HighestNoteId();
    *m_maxNoteId = highest > *m_maxNoteId ? highest + 1 : *m_maxNoteId + 1;
    sources.RaiseAuthorCounter();
    // Counters that cannot be stored now are stored with the first id issued, whose
    // command then says why it failed.
    static_cast<void>(SaveSettings());
    progress.End();
}

void NoteDatabase::FileScannedNotes(ParallelNoteScanner& scanner, NoteIndexLoader& loader)
{
    ProgressReporter& progress = Progress();
    while (const ScannedNoteFile* file = scanner.Next()) {
        // A file that counts no notes is deleted, as a clean-up before the load would.
        if (file->isEmpty) {
            static_cast<void>(m_folder.Files().Remove(file->path));
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
