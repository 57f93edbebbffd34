#pragma once

#include "categories/CategoryAssignment.h"

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
    CategoryAssignment Categories;
};

// Reads only the indexed fields of a note file, for the start-up load: ids, key words
// and the category path are decoded, every other field is skipped by its length. It
// keeps exactly the records that ReadNoteFile keeps (ids above 0, a truncated file losing
// its damaged tail) and reads every field the same way, so the two never disagree; it
// only avoids building texts nobody looks at.
class NoteFileScanner
{
public:
    using Visitor = std::function<void(const NoteIndexFacts&)>;

    // Visits each kept record of the file's disk bytes in file order; returns how many.
    int Scan(const QByteArray& diskBytes, const Visitor& visit);
    // The same for a file; a file that cannot be read visits nothing.
    int ScanFile(const QString& path, const Visitor& visit);

private:
    // The logical stream (CR LF folded, cut at Ctrl-Z) in m_buffer, which shares the disk
    // bytes when the file has no carriage returns.
    void Fold(const QByteArray& diskBytes);

    qint32 ReadInt();
    double ReadReal();
    // Skips a Text field; returns where its bytes start and how many are taken.
    void TextSpan(const char** start, qsizetype* length);
    void SkipText();
    QString ReadText();
    // Category names repeat across thousands of notes: each distinct name is decoded once
    // and shared.
    QString ReadName();

    QHash<QByteArray, QString> m_names;
    QByteArray m_buffer;
    QByteArray m_fileBytes;
    const char* m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_pos = 0;
};
