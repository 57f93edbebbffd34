#include "lists/NoteTextScanner.h"

#include "store/FieldFormat.h"
#include "store/FieldReader.h"
#include "store/FieldScan.h"
#include "store/NoteFormat.h"

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
    m_data = m_buffer.Data();
    m_size = m_buffer.Size();
    m_pos = 0;
    m_read = 0;
    m_version = ReadReal();
    if (m_version < 0)
        m_version = 0; // a head that could not be read
    m_count = ReadInt();
}

qint32 NoteTextScanner::ReadInt()
{
    return FieldScan::ReadInt(m_data, m_size, m_pos);
}

double NoteTextScanner::ReadReal()
{
    return FieldScan::ReadReal(m_data, m_size, m_pos);
}

void NoteTextScanner::TextSpan(const char** start, qsizetype* length)
{
    FieldScan::TextSpan(m_data, m_size, m_pos, start, length);
}

void NoteTextScanner::SkipText()
{
    FieldScan::SkipText(m_data, m_size, m_pos);
}

bool NoteTextScanner::ReadOneRecord(Span* span)
{
    using NoteFormat::VersionAbove;
    const bool hasGuidAndAttachments = VersionAbove(m_version, NoteFormat::kGuidAndAttachmentsAfter);
    span->start = m_pos;
    span->noteId = ReadInt();
    ReadInt(); // SourceID
    SkipText(); // DateAdded
    SkipText(); // LastEdited
    if (hasGuidAndAttachments)
        SkipText(); // NoteGUID
    SkipText(); // KeyWords
    SkipText(); // ReservedText
    if (VersionAbove(m_version, NoteFormat::kSpellCheckAfter))
        ReadInt();
    if (hasGuidAndAttachments) {
        const bool hasShift = VersionAbove(m_version, NoteFormat::kAttachmentShiftAfter);
        const bool hasKind = VersionAbove(m_version, NoteFormat::kAttachmentKindAfter);
        const qint32 attachments = ReadInt();
        for (qint32 a = 0; a < attachments && m_pos < m_size; ++a) {
            if (hasShift)
                ReadInt();
            ReadReal();
            SkipText(); // Title
            SkipText(); // StoredName
            SkipText(); // OriginalName
            if (hasKind) {
                ReadInt();
                ReadInt();
            }
        }
    }
    TextSpan(&span->plainText, &span->plainTextLength);
    const char* richText = nullptr;
    TextSpan(&richText, &span->richTextLength);
    const qint32 levels = ReadInt();
    for (qint32 level = 0; level < levels && m_pos < m_size; ++level) {
        ReadInt();
        SkipText();
        SkipText();
    }
    span->end = m_pos;
    return span->noteId > 0;
}

bool NoteTextScanner::Next(Span* span)
{
    while (m_read < m_count && m_pos < m_size) {
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
    FieldReader reader(QByteArray::fromRawData(m_data + span.start, span.end - span.start));
    NoteRecord record;
    record.Read(reader, m_version);
    return record;
}
