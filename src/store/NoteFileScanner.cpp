#include "store/NoteFileScanner.h"

#include "store/FieldFormat.h"
#include "store/FieldScan.h"
#include "store/NoteFormat.h"
#include "store/TextCodec.h"

#include <QFile>
#include <cstdlib>
#include <cstring>

void NoteFileScanner::Fold(const QByteArray& diskBytes)
{
    m_buffer = FieldScan::FoldLineEnds(diskBytes);
    m_data = m_buffer.constData();
    m_size = m_buffer.size();
    m_pos = 0;
}

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
    using NoteFormat::VersionAbove;
    Fold(diskBytes);
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
            entry.parentName = ReadName();
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

int NoteFileScanner::ScanFile(const QString& path, const Visitor& visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    m_buffer.clear(); // may share the last file's bytes: released so they are not copied
    const qint64 size = file.size();
    m_fileBytes.resize(size);
    const qint64 got = size > 0 ? file.read(m_fileBytes.data(), size) : 0;
    m_fileBytes.resize(qMax<qint64>(got, 0));
    return Scan(m_fileBytes, visit);
}
