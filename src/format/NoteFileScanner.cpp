#include "format/NoteFileScanner.h"

#include "format/FieldReader.h"
#include "format/TextCodec.h"

namespace {

// Ids, source, key words and each category entry's level and name.
constexpr NoteFieldUses kIndexedFields = NoteFieldUses::All(FieldUse::Skip)
                                             .With(NoteField::NoteID, FieldUse::Keep)
                                             .With(NoteField::SourceID, FieldUse::Keep)
                                             .With(NoteField::KeyWords, FieldUse::Keep)
                                             .With(NoteField::CategoryLevel, FieldUse::Keep)
                                             .With(NoteField::CategoryName, FieldUse::Keep);

} // namespace

QString NoteFileScanner::NameDecoder::Decode(NoteField field, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (field != NoteField::CategoryName)
        return TextCodec::FromFileBytes(bytes);
    const auto found = m_names.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (found != m_names.cend())
        return *found;
    const QByteArray key(bytes.data(), bytes.size());
    return *m_names.insert(key, TextCodec::FromFileBytes(key));
}

int NoteFileScanner::Scan(const QByteArray& diskBytes, const Visitor& visit)
{
    m_buffer.Assign(diskBytes);
    return ScanBuffer(visit);
}

int NoteFileScanner::ScanBuffer(const Visitor& visit)
{
    m_buffer.FoldLineEnds();
    NoteFileWalker walker(m_buffer.Data(), m_buffer.Size());
    int kept = 0;
    while (walker.HasNext()) {
        walker.Next<kIndexedFields>(m_facts, m_names);
        if (NoteFileWalker::IsKept(m_facts.NoteID)) {
            visit(m_facts);
            ++kept;
        }
    }
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
    const QByteArray head = FieldReader::FromDiskBytes(QByteArray(diskBytes, qMin<qsizetype>(size, 64)));
    return size == 0 || NoteFileWalker(head.constData(), head.size()).Count() == 0;
}
