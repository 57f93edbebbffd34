#include "store/NoteFileScanner.h"

#include "store/FieldFormat.h"
#include "store/FieldReader.h"
#include "store/FieldScan.h"
#include "store/NoteFormat.h"
#include "store/TextCodec.h"

#include <cstdlib>
#include <cstring>

qint32 NoteFileScanner::ReadInt()
{
    return FieldScan::ReadInt(m_data, m_size, m_pos);
}

double NoteFileScanner::ReadReal()
{
    return FieldScan::ReadReal(m_data, m_size, m_pos);
}

void NoteFileScanner::TextSpan(const char** start, qsizetype* length)
{
    FieldScan::TextSpan(m_data, m_size, m_pos, start, length);
}

void NoteFileScanner::SkipText()
{
    FieldScan::SkipText(m_data, m_size, m_pos);
}

QString NoteFileScanner::ReadText()
{
    const char* start = nullptr;
    qsizetype length = 0;
    TextSpan(&start, &length);
    if (length == 0)
        return QString();
    return TextCodec::FromFileBytes(QByteArray::fromRawData(start, length));
}

QString NoteFileScanner::ReadName()
{
    const char* start = nullptr;
    qsizetype length = 0;
    TextSpan(&start, &length);
    if (length == 0)
        return QString();
    const auto found = m_names.constFind(QByteArray::fromRawData(start, length));
    if (found != m_names.cend())
        return *found;
    const QByteArray key(start, length);
    return *m_names.insert(key, TextCodec::FromFileBytes(key));
}

int NoteFileScanner::Scan(const QByteArray& diskBytes, const Visitor& visit)
{
    m_buffer.Assign(diskBytes);
    return ScanBuffer(visit);
}

int NoteFileScanner::ScanBuffer(const Visitor& visit)
{
    using NoteFormat::VersionAbove;
    m_buffer.FoldLineEnds();
    m_data = m_buffer.Data();
    m_size = m_buffer.Size();
    m_pos = 0;
    double version = ReadReal();
    if (version < 0)
        version = 0; // a head that could not be read
    const bool hasGuidAndAttachments = VersionAbove(version, NoteFormat::kGuidAndAttachmentsAfter);
    const bool hasSpellCheck = VersionAbove(version, NoteFormat::kSpellCheckAfter);
    const bool hasShift = VersionAbove(version, NoteFormat::kAttachmentShiftAfter);
    const bool hasKind = VersionAbove(version, NoteFormat::kAttachmentKindAfter);

    const qint32 count = ReadInt();
    int kept = 0;
    NoteIndexFacts facts;
    for (qint32 i = 0; i < count && m_pos < m_size; ++i) {
        facts.NoteID = ReadInt();
        facts.SourceID = ReadInt();
        SkipText(); // DateAdded
        SkipText(); // LastEdited
        if (hasGuidAndAttachments)
            SkipText(); // NoteGUID
        facts.KeyWords = ReadText();
        SkipText(); // ReservedText
        if (hasSpellCheck)
            ReadInt();
        if (hasGuidAndAttachments) {
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
        SkipText(); // PlainText
        SkipText(); // RichText
        facts.Categories.entries.clear();
        const qint32 levels = ReadInt();
        for (qint32 l = 0; l < levels && m_pos < m_size; ++l) {
            CategoryLevelEntry entry;
            entry.level = ReadInt();
            entry.name = ReadName();
            SkipText(); // the parent name: the path is told by the levels
            facts.Categories.entries.append(std::move(entry));
        }
        if (facts.NoteID > 0) {
            visit(facts);
            ++kept;
        }
    }
    m_data = nullptr;
    m_size = 0;
    return kept;
}

int NoteFileScanner::ScanFile(const QString& path, const Visitor& visit, bool* isEmpty)
{
    const bool read = m_buffer.ReadFile(path);
    if (isEmpty)
        *isEmpty = read && IsEmptyNoteFileHead(m_buffer.Data(), m_buffer.Size());
    return read ? ScanBuffer(visit) : 0;
}

bool NoteFileScanner::IsEmptyNoteFileHead(const char* diskBytes, qsizetype size)
{
    // The head is a Real and an Integer: 36 bytes, well inside the first 64.
    const QByteArray head(diskBytes, qMin<qsizetype>(size, 64));
    FieldReader reader(FieldReader::FromDiskBytes(head));
    reader.ReadReal();
    return head.isEmpty() || reader.ReadInt() == 0;
}
