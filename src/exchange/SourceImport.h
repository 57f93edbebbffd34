#pragma once

#include "exchange/SourceFiles.h"
#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/SourceRecord.h"
#include "sources/SourceMapping.h"
#include "store/SourceBatch.h"

#include <QList>
#include <QString>

class ProgressReporter;
class SourceStore;

// One entry of a file being imported, as the "Import Sources" list shows it.
struct SourceImportEntry
{
    enum class Status
    {
        New,
        Duplicate, // of a stored source, or of an entry earlier in the file
        Skipped, // damaged, or without a title: reason says why
    };

    int index = 0; // 1-based position in the file
    QString key;
    int type = 0; // the source type it becomes; 0 when skipped
    QString title; // a chapter of a book: "Chapter, in Book" (SourceImport::EntryTitle)
    QString authors; // "Smith, John M.; Doe, Jane"
    QString year;
    Status status = Status::New;
    QString reason; // skipped: why; duplicate: which source it repeats
    qint32 duplicateOf = 0; // the stored source's id (0 for an earlier entry)
    bool selected = false;
    qint32 createdId = 0; // the id of the source made from it, once stored
    MappedSource mapped;

    // "new", "duplicate", "skipped".
    QString StatusName() const;
};

// The import of sources from an outside bibliography file: the file is read and every
// entry mapped (sources/SourceMapping.h) and compared with the stored sources
// (sources/SourceDuplicates.h); the entries to take are chosen (new ones at first);
// Store() adds the chosen ones with their authors in one step. The same operation serves
// the "Import Sources" dialog, a dropped file and the command line.
class SourceImport
{
public:
    // Reads and maps the file. False, with the message in error and no entries, when the
    // file cannot be read or is not of its format. Progress: "Reading sources..." and a
    // step per entry.
    bool Open(const QString& path, SourceFileFormat format, const SourceList& stored,
              const AuthorList& authors, ProgressReporter& progress, QString* error);
    // The same from bytes already read (fileName names them in messages).
    bool OpenBytes(const QByteArray& bytes, const QString& fileName, SourceFileFormat format,
                   const SourceList& stored, const AuthorList& authors, ProgressReporter& progress,
                   QString* error);

    const QList<SourceImportEntry>& Entries() const { return m_entries; }
    // Choosing entries: a skipped entry is never chosen.
    void SetSelected(int row, bool selected);
    void SelectAll();
    void SelectNone();
    void SelectNew();
    int SelectedCount() const;

    // The chosen entries as a batch: each author found among the stored ones by all five
    // names, as the import of notes finds them, else made new once for the batch.
    SourceBatch Batch(const AuthorList& stored, qint32 style) const;

    // Stores the chosen entries in the source store (SourceStore::AddSourceBatch, which
    // tells the change); sets each entry's createdId. created and authorsCreated receive
    // the new ids in order. On a failure nothing is stored.
    FileStatus Store(SourceStore& store, qint32 style, QList<qint32>* created, QList<qint32>* authorsCreated);

    // "12 sources and 7 authors were imported." for the closing message.
    static QString DoneMessage(int sources, int authors);
    static QString Caption() { return QStringLiteral("Import Sources"); }
    // The title an entry is listed by: the source's title; for a chapter of a book,
    // "Chapter, in Book".
    static QString EntryTitle(const SourceRecord& source);

private:
    QList<SourceImportEntry> m_entries;
};
