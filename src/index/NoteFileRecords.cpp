#include "index/NoteFileRecords.h"

#include "format/TextCodec.h"
#include "index/ByteCoding.h"

#include <algorithm>

namespace {

constexpr NoteFieldUses kIndexedFields = NoteFieldUses::All(FieldUse::Skip)
                                             .With(NoteField::NoteID, FieldUse::Keep)
                                             .With(NoteField::SourceID, FieldUse::Keep)
                                             .With(NoteField::DateAdded, FieldUse::Keep)
                                             .With(NoteField::LastEdited, FieldUse::Keep)
                                             .With(NoteField::PlainText, FieldUse::View)
                                             .With(NoteField::RichText, FieldUse::View)
                                             .With(NoteField::CategoryLevel, FieldUse::Keep)
                                             .With(NoteField::CategoryName, FieldUse::Keep)
                                             .With(NoteField::CategoryParent, FieldUse::Keep);

// What the walk fills; a date field that is no date leaves the mark in place.
struct Keys
{
    qint32 NoteID = 0;
    qint32 SourceID = 0;
    DateTime DateAdded;
    DateTime LastEdited;
    CategoryAssignment Categories;
};

DateTime Unread()
{
    return DateTime::FromDays(-1e12); // never the value of a stored date
}

struct Visitor
{
    NoteFileRecords::Record& record;
    QHash<QByteArray, QString>& names;

    void View(NoteField field, QByteArrayView bytes)
    {
        (field == NoteField::PlainText ? record.plainText : record.richText) = bytes;
    }

    QString Decode(NoteField, QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return QString();
        const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
        const auto found = names.constFind(key);
        if (found != names.cend())
            return *found;
        const QString name = TextCodec::FromFileBytes(bytes);
        names.insert(QByteArray(bytes.data(), bytes.size()), name);
        return name;
    }
};

bool ReadStampOf(const QString& path, FileStamp* stamp)
{
    const std::optional<FileStamp> found = FileStamp::Of(path);
    if (found)
        *stamp = *found;
    return found.has_value();
}

} // namespace

std::optional<FileStamp> NoteFileRecords::Load(const QString& path)
{
    // A stamp that moved while the file was read means it was being written: read again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        FileStamp before;
        FileStamp after;
        if (!ReadStampOf(path, &before) || !m_scanner.LoadFile(path))
            return std::nullopt;
        if (ReadStampOf(path, &after) && after == before)
            return before;
    }
    return std::nullopt;
}

bool NoteFileRecords::Next(Record* record)
{
    NoteTextScanner::Span span;
    if (!m_scanner.Next(&span))
        return false;
    Keys keys;
    keys.DateAdded = Unread();
    keys.LastEdited = Unread();
    record->plainText = {};
    record->richText = {};
    m_scanner.ReadFields<kIndexedFields>(span, keys, Visitor {*record, m_names});

    IndexedDoc& doc = record->keys;
    doc = IndexedDoc();
    doc.noteId = keys.NoteID;
    doc.sourceId = keys.SourceID;
    doc.dateAdded = keys.DateAdded;
    doc.lastEdited = keys.LastEdited;
    if (keys.DateAdded == Unread())
        doc.flags |= IndexedDoc::DateAddedUnread;
    if (keys.LastEdited == Unread())
        doc.flags |= IndexedDoc::LastEditedUnread;
    const QByteArrayView plain = record->plainText;
    doc.textChars = int(plain.size());
    doc.textLines = plain.isEmpty() ? 0 : int(std::count(plain.begin(), plain.end(), '\n')) + 1;
    if (record->richText.isEmpty())
        doc.flags |= IndexedDoc::RichTextEmpty;
    doc.textDigest = ByteCoding::Digest(record->richText, ByteCoding::Digest(plain));
    doc.diskStart = m_scanner.DiskOffset(span.start);
    doc.diskEnd = m_scanner.DiskOffset(span.end);
    record->categories = std::move(keys.Categories);
    return true;
}
