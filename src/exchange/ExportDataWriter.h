#pragma once

#include "format/AuthorRecord.h"
#include "format/DateTime.h"
#include "format/FieldWriter.h"
#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// Writes "_ExpNotes.dat" note by note, so that an export never holds its notes: each
// entry goes to a spool file beside the data file as soon as it is made, and the data
// file is then the head (with the number of entries, known only at the end) followed by
// the entries in the order asked for. Entries may be added in any order, so that each
// note file is read once whatever the order of the list.
//
// Every write goes through the file system given; the first failure is returned and the
// caller drops the folder.
class ExportDataWriter
{
public:
    // Where one entry lies in the spool.
    struct Span
    {
        qint64 offset = -1; // -1: no entry
        qint64 size = 0;
        bool IsValid() const { return offset >= 0; }
    };

    // The spool goes into folder; sources are looked up by id (the first of an id wins).
    // files: what the spool and the data file are written through (not owned).
    ExportDataWriter(FileSystem& files, const QString& folder, const SourceList& sources,
                     const AuthorList& authors);

    // Adds the entry of one note: the note record, then its source in the exchange form.
    FileStatus Add(const NoteRecord& note, Span* span);
    // Writes the data file at path: the head with the number of entries in order, then
    // those entries in that order. The spool is removed.
    FileStatus Finish(const QString& path, const QList<Span>& order, const DateTime& exportTime);

private:
    const QByteArray& SourceBytes(qint32 sourceId);
    FileStatus Flush();
    FileStatus CopyEntries(const QString& path, const QList<Span>& order);

    FileSystem& m_files;
    QString m_spoolPath;
    const SourceList& m_sources;
    const AuthorList& m_authors;
    QHash<qint32, int> m_sourceIndex;
    // Each source's exchange form is the same in every entry that cites it: made once.
    QHash<qint32, QByteArray> m_sourceBytes;
    QByteArray m_clearedDate; // the date in the cleared source's bytes
    FieldWriter m_note;
    QByteArray m_pending; // disk bytes not yet in the spool
    qint64 m_spoolSize = 0; // bytes in the spool, pending ones included
};
