#pragma once

#include "format/NoteRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class FieldWriter;

// The records of one note file as stored, to be written into the file again (or into
// another) among other records: a record of a file in the current layout is copied as
// its bytes stand, without decoding its texts and encoding them again. A record of an
// older layout is read whole and written in the current one, as is the file's last record
// (whether it was cut short by the end of the file cannot be told from its bytes alone;
// read whole, it is written back complete). The records are the ones every reader keeps
// (NoteID above 0), in file order.
class StoredNoteRecords
{
public:
    // A file that cannot be read holds no records.
    static StoredNoteRecords Read(const QString& path);
    // From a file's logical bytes (CR LF folded, cut at Ctrl-Z).
    static StoredNoteRecords FromLogicalBytes(QByteArray logicalBytes);

    int Count() const { return static_cast<int>(m_records.size()); }
    qint32 IdAt(int index) const { return m_records.at(index).id; }
    // Appends record index, as a note file holds it, to writer.
    void WriteRecord(int index, FieldWriter& writer) const;

private:
    struct Record
    {
        qint32 id = 0;
        qsizetype start = 0; // its bytes in m_logical, when copied as they stand
        qsizetype end = 0;
        std::optional<NoteRecord> decoded; // otherwise
    };

    QByteArray m_logical;
    QList<Record> m_records;
};
