#include "store/ListedNoteReader.h"

#include "format/TextCodec.h"

#include <algorithm>

namespace {

constexpr NoteFieldUses kListedFields = NoteFieldUses::All(FieldUse::Skip)
                                            .With(NoteField::NoteID, FieldUse::Keep)
                                            .With(NoteField::SourceID, FieldUse::Keep)
                                            .With(NoteField::DateAdded, FieldUse::Keep)
                                            .With(NoteField::LastEdited, FieldUse::Keep)
                                            .With(NoteField::PlainText, FieldUse::View)
                                            .With(NoteField::CategoryLevel, FieldUse::Keep)
                                            .With(NoteField::CategoryName, FieldUse::Keep)
                                            .With(NoteField::CategoryParent, FieldUse::Keep);

// The plain text's shape from its stored bytes; the category names through the reader.
struct ListedVisitor
{
    ListedNote& note;
    ListedNoteReader& reader;

    void View(NoteField, QByteArrayView bytes)
    {
        note.TextChars = int(bytes.size());
        note.TextLines = bytes.isEmpty() ? 0 : int(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    }

    QString Decode(NoteField, QByteArrayView bytes) { return reader.CategoryName(bytes); }
};

} // namespace

ListedNoteReader::ListedNoteReader()
    : m_now(DateTime::CurrentLocal())
{
}

ListedNote ListedNoteReader::Read(const NoteTextScanner& scanner, const NoteTextScanner::Span& span)
{
    ListedNote listed;
    listed.DateAdded = m_now;
    listed.LastEdited = m_now;
    scanner.ReadFields<kListedFields>(span, listed, ListedVisitor {listed, *this});
    return listed;
}

QString ListedNoteReader::CategoryName(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
    const auto found = m_names.constFind(key);
    if (found != m_names.cend())
        return *found;
    const QString name = TextCodec::FromFileBytes(bytes);
    m_names.insert(QByteArray(bytes.data(), bytes.size()), name);
    return name;
}
