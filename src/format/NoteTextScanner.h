#pragma once

#include "format/NoteRecord.h"
#include "format/NoteRecordWalker.h"
#include "format/ReusedFileBuffer.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Walks the records of a note file for the search without decoding them: for each record
// it gives the note id, where the record lies in the file's logical stream and the bytes
// of its PlainText, so that a note whose text cannot match is passed over for the cost of
// skipping its fields. Only a note that may match is read whole (ReadRecord).
//
// It is the walk of ReadNoteFile (NoteFileWalker) with the texts viewed in place and the
// rest skipped, so it keeps the same records, and a note read here equals the one
// ReadNoteFile gives.
class NoteTextScanner
{
public:
    struct Span
    {
        qint32 noteId = 0;
        qsizetype start = 0; // the record's bytes in the logical stream
        qsizetype end = 0;
        const char* plainText = nullptr; // up to its first NUL byte
        qsizetype plainTextLength = 0;
        const char* richText = nullptr; // up to its first NUL byte
        qsizetype richTextLength = 0;
    };

    // Takes a file's disk bytes (CR LF folded, cut at Ctrl-Z) and reads its head.
    void Load(const QByteArray& diskBytes);
    // The same for a file; false, with nothing to walk, when it cannot be read.
    bool LoadFile(const QString& path);

    // The next kept record; false after the last one.
    bool Next(Span* span);
    // Where a place in the loaded file's logical stream is in its disk bytes: a record's
    // disk bytes run from the place of its start to that of its end, a CR LF whole.
    qint64 DiskOffset(qsizetype logical) const;
    // The version at the head of the loaded file.
    double Version() const { return m_walker.Version(); }
    // Walks one record from its own disk bytes, as DiskOffset places them in a file of that
    // version, without the rest of the file; false when they are not one whole record.
    // The span's texts stay valid until the next load.
    bool ScanRecord(const QByteArray& diskBytes, double version, Span* span);
    // The whole record of a span of the loaded file.
    NoteRecord ReadRecord(const Span& span) const;
    // The record's logical bytes as the file holds them, valid while the file is loaded.
    QByteArrayView RecordBytes(const Span& span) const
    {
        return {m_walker.Data() + span.start, span.end - span.start};
    }
    // The fields of a span that kUses chooses, into any record that has their members
    // (see WalkNoteRecord).
    template<NoteFieldUses kUses, class Record, class Visitor>
    void ReadFields(const Span& span, Record& record, Visitor&& visitor) const
    {
        FieldScan::Cursor fields {m_walker.Data(), span.end, span.start};
        WalkNoteRecord<kUses>(fields, m_walker.Layout(), record, visitor);
    }
    // Every kept record not yet walked, each read whole, in file order.
    void AppendRemainingRecords(NotesList& notes);

private:
    // Reads the head of the logical bytes now in m_buffer.
    void ReadHead();

    ReusedFileBuffer m_buffer;
    std::vector<qsizetype> m_folds; // where each LF that lost its CR stands
    NoteFileWalker m_walker;
};
