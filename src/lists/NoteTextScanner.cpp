#include "lists/NoteTextScanner.h"

#include "format/FieldFormat.h"
#include "format/FieldReader.h"
#include "format/FieldScan.h"
#include "format/NoteFormat.h"

#include <cstdlib>
#include <cstring>

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
        m_count = 0;
    return read;
}

void NoteTextScanner::ReadHead()
{
    m_buffer.FoldLineEnds();
    m_fields = {m_buffer.Data(), m_buffer.Size(), 0};
    m_read = 0;
    m_version = m_fields.ReadReal();
    if (m_version < 0)
        m_version = 0; // a head that could not be read
    m_count = m_fields.ReadInt();
}

bool NoteTextScanner::ReadOneRecord(Span* span)
{
    using NoteFormat::VersionAbove;
    const bool hasGuidAndAttachments = VersionAbove(m_version, NoteFormat::kGuidAndAttachmentsAfter);
    span->start = m_fields.pos;
    span->noteId = m_fields.ReadInt();
    m_fields.ReadInt(); // SourceID
    m_fields.SkipText(); // DateAdded
    m_fields.SkipText(); // LastEdited
    if (hasGuidAndAttachments)
        m_fields.SkipText(); // NoteGUID
    m_fields.SkipText(); // KeyWords
    m_fields.SkipText(); // ReservedText
    if (VersionAbove(m_version, NoteFormat::kSpellCheckAfter))
        m_fields.ReadInt();
    if (hasGuidAndAttachments) {
        const bool hasShift = VersionAbove(m_version, NoteFormat::kAttachmentShiftAfter);
        const bool hasKind = VersionAbove(m_version, NoteFormat::kAttachmentKindAfter);
        const qint32 attachments = m_fields.ReadInt();
        for (qint32 a = 0; a < attachments && !m_fields.AtEnd(); ++a) {
            if (hasShift)
                m_fields.ReadInt();
            m_fields.ReadReal();
            m_fields.SkipText(); // Title
            m_fields.SkipText(); // StoredName
            m_fields.SkipText(); // OriginalName
            if (hasKind) {
                m_fields.ReadInt();
                m_fields.ReadInt();
            }
        }
    }
    m_fields.TextSpan(&span->plainText, &span->plainTextLength);
    const char* richText = nullptr;
    m_fields.TextSpan(&richText, &span->richTextLength);
    const qint32 levels = m_fields.ReadInt();
    for (qint32 level = 0; level < levels && !m_fields.AtEnd(); ++level) {
        m_fields.ReadInt();
        m_fields.SkipText();
        m_fields.SkipText();
    }
    span->end = m_fields.pos;
    return span->noteId > 0;
}

bool NoteTextScanner::Next(Span* span)
{
    while (m_read < m_count && !m_fields.AtEnd()) {
        ++m_read;
        if (ReadOneRecord(span))
            return true;
    }
    return false;
}

NoteRecord NoteTextScanner::ReadRecord(const Span& span) const
{
    // A record reads the same from its own bytes as from the whole stream: every field
    // it holds ends inside them. The reader copies what it keeps, so the bytes are lent.
    FieldReader reader(QByteArray::fromRawData(m_fields.data + span.start, span.end - span.start));
    NoteRecord record;
    record.Read(reader, m_version);
    return record;
}
