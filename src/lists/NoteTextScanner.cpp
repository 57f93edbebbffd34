#include "lists/NoteTextScanner.h"

#include "store/FieldFormat.h"
#include "store/FieldReader.h"
#include "store/FieldScan.h"
#include "store/NoteFormat.h"

#include <QFile>
#include <cstdlib>
#include <cstring>

void NoteTextScanner::Fold(const QByteArray& diskBytes)
{
    m_logical = FieldScan::FoldLineEnds(diskBytes);
}

void NoteTextScanner::Load(const QByteArray& diskBytes)
{
    Fold(diskBytes);
    m_data = m_logical.constData();
    m_size = m_logical.size();
    m_pos = 0;
    m_read = 0;
    m_version = ReadReal();
    if (m_version < 0)
        m_version = 0; // a head that could not be read
    m_count = ReadInt();
}

bool NoteTextScanner::LoadFile(const QString& path)
{
    m_logical.clear(); // so that the file buffer below is not shared, and not copied
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Load(QByteArray());
        m_count = 0;
        return false;
    }
    const qint64 size = file.size();
    m_fileBytes.resize(size);
    const qint64 got = size > 0 ? file.read(m_fileBytes.data(), size) : 0;
    m_fileBytes.resize(qMax<qint64>(got, 0));
    Load(m_fileBytes);
    return true;
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
    FieldReader reader(QByteArray::fromRawData(m_logical.constData() + span.start, span.end - span.start));
    NoteRecord record;
    record.Read(reader, m_version);
    return record;
}
