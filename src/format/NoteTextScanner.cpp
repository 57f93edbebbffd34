#include "format/NoteTextScanner.h"

#include <algorithm>

namespace {

// The id is kept; the two texts are viewed in place; everything else is skipped.
constexpr NoteFieldUses kSearchedFields = NoteFieldUses::All(FieldUse::Skip)
                                              .With(NoteField::NoteID, FieldUse::Keep)
                                              .With(NoteField::PlainText, FieldUse::View)
                                              .With(NoteField::RichText, FieldUse::View);

struct IdOnly
{
    qint32 NoteID = 0;
};

// Hands the viewed texts to a span.
struct SpanTexts
{
    NoteTextScanner::Span& span;

    void View(NoteField field, QByteArrayView bytes)
    {
        if (field == NoteField::PlainText) {
            span.plainText = bytes.data();
            span.plainTextLength = bytes.size();
        } else {
            span.richText = bytes.data();
            span.richTextLength = bytes.size();
        }
    }
};

} // namespace

void NoteTextScanner::Load(const QByteArray& diskBytes)
{
    m_buffer.Assign(diskBytes);
    ReadHead();
}

bool NoteTextScanner::LoadFile(const QString& path)
{
    const bool read = m_buffer.ReadFile(path);
    ReadHead();
    if (!read)
        m_walker = NoteFileWalker();
    return read;
}

void NoteTextScanner::ReadHead()
{
    m_folds.clear();
    m_buffer.FoldLineEnds(&m_folds);
    m_walker = NoteFileWalker(m_buffer.Data(), m_buffer.Size());
}

bool NoteTextScanner::Next(Span* span)
{
    while (m_walker.HasNext()) {
        IdOnly record;
        span->start = m_walker.Position();
        m_walker.Next<kSearchedFields>(record, SpanTexts {*span});
        span->end = m_walker.Position();
        span->noteId = record.NoteID;
        if (NoteFileWalker::IsKept(record.NoteID))
            return true;
    }
    return false;
}

qint64 NoteTextScanner::DiskOffset(qsizetype logical) const
{
    // Each CR dropped before it moved it one byte down.
    return logical + (std::lower_bound(m_folds.begin(), m_folds.end(), logical) - m_folds.begin());
}

bool NoteTextScanner::ScanRecord(const QByteArray& diskBytes, double version, Span* span)
{
    m_buffer.Assign(diskBytes);
    m_buffer.FoldLineEnds();
    m_walker = NoteFileWalker();
    *span = Span();
    FieldScan::Cursor fields {m_buffer.Data(), m_buffer.Size(), 0};
    IdOnly record;
    WalkNoteRecord<kSearchedFields>(fields, NoteLayout::ForVersion(version), record, SpanTexts {*span});
    span->noteId = record.NoteID;
    span->end = fields.pos;
    return fields.pos == m_buffer.Size();
}

NoteRecord NoteTextScanner::ReadRecord(const Span& span) const
{
    // A record reads the same from its own bytes as from the whole stream: every field it
    // holds ends inside them.
    FieldScan::Cursor fields {m_walker.Data(), span.end, span.start};
    NoteRecord record;
    ReadNoteRecord(fields, m_walker.Layout(), record);
    return record;
}

void NoteTextScanner::AppendRemainingRecords(NotesList& notes)
{
    AppendKeptNoteRecords(m_walker, notes);
}
