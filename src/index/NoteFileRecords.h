#pragma once

#include "format/CategoryAssignment.h"
#include "format/FileStamp.h"
#include "format/NoteTextScanner.h"
#include "index/IndexedDoc.h"

#include <QHash>
#include <QString>
#include <optional>

// Reads a note file for the search index: each kept record's keys (as the current list
// reads them: ListedNoteReader) and its two texts in place, the file's stamp taken around
// the reading so that a file changing while it is read is read again.
class NoteFileRecords
{
public:
    struct Record
    {
        IndexedDoc keys; // doc and categories not yet numbered
        CategoryAssignment categories;
        QByteArrayView plainText; // the stored bytes, valid until the next Load
        QByteArrayView richText;
    };

    // Reads the file; none when it cannot be read (a missing or unreadable file holds no
    // notes, for the search as for the load).
    std::optional<FileStamp> Load(const QString& path);
    // The next kept record of the loaded file; false after the last.
    bool Next(Record* record);
    // The version at the head of the loaded file.
    double Version() const { return m_scanner.Version(); }

private:
    NoteTextScanner m_scanner;
    QHash<QByteArray, QString> m_names; // category names, each decoded once
};
