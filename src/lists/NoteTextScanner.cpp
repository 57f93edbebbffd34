#include "lists/NoteTextScanner.h"

#include "store/FieldFormat.h"
#include "store/FieldReader.h"
#include "store/NoteFormat.h"

#include <QFile>
#include <cstdlib>
#include <cstring>

void NoteTextScanner::Fold(const QByteArray& diskBytes)
{
    const char* disk = diskBytes.constData();
    qsizetype end = diskBytes.size();
    if (const void* stop = std::memchr(disk, FieldFormat::kEndOfStream, static_cast<size_t>(end)))
        end = static_cast<const char*>(stop) - disk;
    const char* cr = static_cast<const char*>(std::memchr(disk, '\r', static_cast<size_t>(end)));
    if (!cr) {
        m_logical = diskBytes; // shared, not copied
        m_logical.truncate(end);
        return;
    }
    // Runs between carriage returns are copied whole; a CR goes only before a line feed.
    m_logical.resize(end);
    char* out = m_logical.data();
    qsizetype written = 0;
    qsizetype from = 0;
    while (cr) {
        const qsizetype at = cr - disk;
        const bool dropped = at + 1 < end && disk[at + 1] == '\n';
        const qsizetype upTo = dropped ? at : at + 1;
        std::memcpy(out + written, disk + from, static_cast<size_t>(upTo - from));
        written += upTo - from;
        from = at + 1;
        cr = static_cast<const char*>(std::memchr(disk + from, '\r', static_cast<size_t>(end - from)));
    }
    std::memcpy(out + written, disk + from, static_cast<size_t>(end - from));
    written += end - from;
    m_logical.truncate(written);
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
    if (m_pos >= m_size)
        return FieldFormat::kMissingInt;
    // Like fgets: at most the field's width, stopping after a line feed; then atol.
    char digits[FieldFormat::kIntWidth + 1];
    const qsizetype available = qMin<qsizetype>(FieldFormat::kIntWidth, m_size - m_pos);
    qsizetype length = 0;
    while (length < available) {
        const char c = m_data[m_pos + length];
        digits[length++] = c;
        if (c == '\n')
            break;
    }
    digits[length] = '\0';
    m_pos += length;
    return static_cast<qint32>(std::atol(digits));
}

double NoteTextScanner::ReadReal()
{
    if (m_pos >= m_size)
        return FieldFormat::kMissingReal;
    char digits[FieldFormat::kRealWidth + 1];
    const qsizetype available = qMin<qsizetype>(FieldFormat::kRealWidth, m_size - m_pos);
    qsizetype length = 0;
    while (length < available) {
        const char c = m_data[m_pos + length];
        digits[length++] = c;
        if (c == '\n')
            break;
    }
    digits[length] = '\0';
    m_pos += length;
    return std::atof(digits);
}

void NoteTextScanner::TextSpan(const char** start, qsizetype* length)
{
    const qint32 declared = ReadInt();
    *start = m_data + m_pos;
    *length = 0;
    if (declared <= 0)
        return;
    const qsizetype taken = qMin<qsizetype>(declared, m_size - m_pos);
    m_pos += taken;
    // The text ends at its first NUL byte, as a C string would.
    const void* nul = std::memchr(*start, '\0', static_cast<size_t>(taken));
    *length = nul ? static_cast<const char*>(nul) - *start : taken;
}

void NoteTextScanner::SkipText()
{
    const qint32 declared = ReadInt();
    if (declared > 0)
        m_pos += qMin<qsizetype>(declared, m_size - m_pos);
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
