#include "store/NoteFileScanner.h"

#include "store/FieldFormat.h"
#include "store/NoteFormat.h"
#include "store/TextCodec.h"

#include <QFile>
#include <cstdlib>
#include <cstring>

void NoteFileScanner::Fold(const QByteArray& diskBytes)
{
    const char* disk = diskBytes.constData();
    qsizetype end = diskBytes.size();
    if (const void* stop = std::memchr(disk, FieldFormat::kEndOfStream, static_cast<size_t>(end)))
        end = static_cast<const char*>(stop) - disk;
    m_pos = 0;
    const void* firstReturn = std::memchr(disk, '\r', static_cast<size_t>(end));
    if (!firstReturn) {
        m_data = disk;
        m_size = end;
        return;
    }
    // Copy the runs between carriage returns in blocks; a CR is dropped only when a line
    // feed follows it inside the stream.
    m_buffer.resize(end);
    char* out = m_buffer.data();
    qsizetype written = 0;
    qsizetype from = 0;
    const char* cr = static_cast<const char*>(firstReturn);
    while (cr) {
        const qsizetype at = cr - disk;
        std::memcpy(out + written, disk + from, static_cast<size_t>(at - from));
        written += at - from;
        from = at;
        if (at + 1 < end && disk[at + 1] == '\n')
            from = at + 1; // drop the CR
        else {
            out[written++] = '\r';
            from = at + 1;
        }
        cr = static_cast<const char*>(std::memchr(disk + at + 1, '\r', static_cast<size_t>(end - at - 1)));
    }
    std::memcpy(out + written, disk + from, static_cast<size_t>(end - from));
    written += end - from;
    m_data = out;
    m_size = written;
}

qint32 NoteFileScanner::ReadInt()
{
    if (m_pos >= m_size)
        return FieldFormat::kMissingInt;
    // Like fgets: at most the field's width, stopping after a line feed.
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

double NoteFileScanner::ReadReal()
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

void NoteFileScanner::TextSpan(const char** start, qsizetype* length)
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

void NoteFileScanner::SkipText()
{
    const qint32 declared = ReadInt();
    if (declared > 0)
        m_pos += qMin<qsizetype>(declared, m_size - m_pos);
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
    const qint64 size = file.size();
    m_fileBytes.resize(size);
    const qint64 got = size > 0 ? file.read(m_fileBytes.data(), size) : 0;
    m_fileBytes.resize(qMax<qint64>(got, 0));
    return Scan(m_fileBytes, visit);
}
