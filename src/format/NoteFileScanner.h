#pragma once

#include "format/CategoryAssignment.h"
#include "format/NoteRecordWalker.h"
#include "format/ReusedFileBuffer.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>

// What the database indexes of one stored note.
struct NoteIndexFacts
{
    qint32 NoteID = 0;
    qint32 SourceID = 0;
    QString KeyWords;
    // The level and name of each entry; parent names are not read (the trees are built
    // from the levels), so each entry keeps the default one.
    CategoryAssignment Categories;
};

// Reads only the indexed fields of a note file, for the start-up load: ids, key words
// and the category path are decoded, every other field is skipped by its length. It is
// the walk of ReadNoteFile (NoteFileWalker) with other choices per field, so the two keep
// the same records and read the same values; it only avoids building texts nobody looks
// at.
class NoteFileScanner
{
public:
    using Visitor = std::function<void(const NoteIndexFacts&)>;

    // Visits each kept record of the file's disk bytes in file order; returns how many.
    int Scan(const QByteArray& diskBytes, const Visitor& visit);
    // The same for a file; a file that cannot be read visits nothing. When isEmpty is
    // given, it tells whether the file's head counts no notes (see IsEmptyNoteFileHead).
    int ScanFile(const QString& path, const Visitor& visit, bool* isEmpty = nullptr);

    // The start-up's clean-up rule, judged on a file's first 64 disk bytes as the
    // original clean-up read them: a file without bytes, or whose count is 0, holds no
    // notes.
    static bool IsEmptyNoteFileHead(const char* diskBytes, qsizetype size);

private:
    // Category names repeat across thousands of notes: each distinct name is decoded once
    // and shared.
    class NameDecoder
    {
    public:
        QString Decode(NoteField field, QByteArrayView bytes);

    private:
        QHash<QByteArray, QString> m_names;
    };

    int ScanBuffer(const Visitor& visit);

    NameDecoder m_names;
    ReusedFileBuffer m_buffer;
    NoteIndexFacts m_facts; // one record's at a time, its lists keeping their capacity
};
