#include "format/NoteFileScanner.h"

#include "format/FieldFormat.h"
#include "format/FieldReader.h"
#include "format/FieldScan.h"
#include "format/NoteFormat.h"
#include "format/TextCodec.h"

#include <cstdlib>
#include <cstring>

QString NoteFileScanner::ReadText()
{
    const char* start = nullptr;
    qsizetype length = 0;
    m_fields.TextSpan(&start, &length);
    if (length == 0)
        return QString();
    return TextCodec::FromFileBytes(QByteArray::fromRawData(start, length));
}

QString NoteFileScanner::ReadName()
{
    const char* start = nullptr;
    qsizetype length = 0;
    m_fields.TextSpan(&start, &length);
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
    m_fields = {m_buffer.Data(), m_buffer.Size(), 0};
    double version = m_fields.ReadReal();
    if (version < 0)
        version = 0; // a head that could not be read
    const bool hasGuidAndAttachments = VersionAbove(version, NoteFormat::kGuidAndAttachmentsAfter);
    const bool hasSpellCheck = VersionAbove(version, NoteFormat::kSpellCheckAfter);
    const bool hasShift = VersionAbove(version, NoteFormat::kAttachmentShiftAfter);
    const bool hasKind = VersionAbove(version, NoteFormat::kAttachmentKindAfter);

    const qint32 count = m_fields.ReadInt();
    int kept = 0;
    NoteIndexFacts facts;
    for (qint32 i = 0; i < count && !m_fields.AtEnd(); ++i) {
        facts.NoteID = m_fields.ReadInt();
        facts.SourceID = m_fields.ReadInt();
        m_fields.SkipText(); // DateAdded
        m_fields.SkipText(); // LastEdited
        if (hasGuidAndAttachments)
            m_fields.SkipText(); // NoteGUID
        facts.KeyWords = ReadText();
        m_fields.SkipText(); // ReservedText
        if (hasSpellCheck)
            m_fields.ReadInt();
        if (hasGuidAndAttachments) {
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
        m_fields.SkipText(); // PlainText
        m_fields.SkipText(); // RichText
        facts.Categories.entries.clear();
        const qint32 levels = m_fields.ReadInt();
        for (qint32 l = 0; l < levels && !m_fields.AtEnd(); ++l) {
            CategoryLevelEntry entry;
            entry.level = m_fields.ReadInt();
            entry.name = ReadName();
            m_fields.SkipText(); // the parent name: the path is told by the levels
            facts.Categories.entries.append(std::move(entry));
        }
        if (facts.NoteID > 0) {
            visit(facts);
            ++kept;
        }
    }
    m_fields = {};
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
