#pragma once

#include "format/AttachmentRecord.h"
#include "format/CategoryLevelEntry.h"
#include "format/FieldScan.h"
#include "format/Guid.h"
#include "format/TextCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <cstddef>
#include <type_traits>

class CategoryAssignment;
struct NoteRecord;

// The one walk over the fields of a stored note record. Every reader of note records (the
// full reader, the start-up scan of the indexed fields, the search's scan of the texts)
// walks them here, each with its own choice per field, so the layout and its version
// rules are written once: a new file version is an edit of NoteLayout and of Walk below.

// The fields of a note record in stored order. Attachments stands for the whole list
// (its count and records); the three fields of a category entry are named one by one.
enum class NoteField : quint8
{
    NoteID,
    SourceID,
    DateAdded,
    LastEdited,
    NoteGUID,
    KeyWords,
    ReservedText,
    SpellCheck,
    Attachments,
    PlainText,
    RichText,
    CategoryLevel,
    CategoryName,
    CategoryParent,
};
inline constexpr std::size_t kNoteFieldCount = 14;

// What a walk does with one field. Skip passes over it by its length, decoding nothing.
// Keep decodes it into the record's member of the same name (a category field into the
// entry: level, name, parentName); a field the file's version does not hold is given its
// default. View hands the bytes of a Text or DateTime field to the visitor in place,
// without a copy, valid as long as the walked bytes; a field the version lacks is not
// handed over. An Integer, Boolean or the attachment list is kept or skipped.
enum class FieldUse : quint8
{
    Skip,
    Keep,
    View,
};

// A choice for every field, e.g. NoteFieldUses::All(FieldUse::Skip).With(NoteField::NoteID, FieldUse::Keep).
struct NoteFieldUses
{
    std::array<FieldUse, kNoteFieldCount> uses {};

    static constexpr NoteFieldUses All(FieldUse use)
    {
        NoteFieldUses all;
        all.uses.fill(use);
        return all;
    }
    constexpr NoteFieldUses With(NoteField field, FieldUse use) const
    {
        NoteFieldUses changed = *this;
        changed.uses[static_cast<std::size_t>(field)] = use;
        return changed;
    }
    constexpr FieldUse operator[](NoteField field) const { return uses[static_cast<std::size_t>(field)]; }
};

// Every field decoded: what ReadNoteFile gives.
inline constexpr NoteFieldUses kWholeNoteRecord = NoteFieldUses::All(FieldUse::Keep);

// Which of the fields that came in over the years a file of a given version holds. The
// version is the Real at the head of the file; "above" allows a small margin (a file of
// version 0.95 exactly holds no GUID, one of 0.96 does).
struct NoteLayout
{
    bool guidAndAttachments = true; // NoteGUID and the attachment list: above 0.95
    bool spellCheck = true; // SpellCheck: above 1.1
    bool attachmentShift = true; // each attachment's first Integer: above 0.982
    bool attachmentKind = true; // each attachment's Kind and ShowImage: above 1.02

    static NoteLayout ForVersion(double version);
};

// One attachment record inside a note record: Integer shift, Real scale, Text title,
// stored name and original name, Integer kind, Boolean shown, of which older versions
// lack the shift (read as 0) or the kind and flag (the kind then comes from the original
// name's extension).
AttachmentRecord ReadAttachmentRecord(FieldScan::Cursor& fields, const NoteLayout& layout);
void SkipAttachmentRecord(FieldScan::Cursor& fields, const NoteLayout& layout);

namespace NoteRecordWalk {

// The visitor of a walk that views nothing and decodes texts the usual way.
struct NoVisitor
{
};

// The record member that Keep fills for a field.
template<NoteField F, class Target> constexpr auto& Member(Target& target)
{
    if constexpr (F == NoteField::NoteID)
        return target.NoteID;
    else if constexpr (F == NoteField::SourceID)
        return target.SourceID;
    else if constexpr (F == NoteField::DateAdded)
        return target.DateAdded;
    else if constexpr (F == NoteField::LastEdited)
        return target.LastEdited;
    else if constexpr (F == NoteField::NoteGUID)
        return target.NoteGUID;
    else if constexpr (F == NoteField::KeyWords)
        return target.KeyWords;
    else if constexpr (F == NoteField::ReservedText)
        return target.ReservedText;
    else if constexpr (F == NoteField::SpellCheck)
        return target.SpellCheck;
    else if constexpr (F == NoteField::Attachments)
        return target.Attachments;
    else if constexpr (F == NoteField::PlainText)
        return target.PlainText;
    else if constexpr (F == NoteField::RichText)
        return target.RichText;
    else if constexpr (F == NoteField::CategoryLevel)
        return target.level;
    else if constexpr (F == NoteField::CategoryName)
        return target.name;
    else
        return target.parentName;
}

// One record's walk. Record needs the members of the fields it keeps (NoteRecord has them
// all); Visitor needs View(NoteField, QByteArrayView) when a field is viewed, and may
// offer QString Decode(NoteField, QByteArrayView) to decode kept texts its own way, and
// At(NoteField, qsizetype) to learn where each Text field and the category list start
// in the bytes (for copying stored fields as they are).
template<NoteFieldUses kUses, class Record, class Visitor> class Walk
{
public:
    Walk(FieldScan::Cursor& fields, const NoteLayout& layout, Record& record, Visitor& visitor)
        : m_fields(fields)
        , m_layout(layout)
        , m_record(record)
        , m_visitor(visitor)
    {
    }

    // The stored order of a note record.
    void Run()
    {
        Int<NoteField::NoteID>(m_record);
        Int<NoteField::SourceID>(m_record);
        Time<NoteField::DateAdded>();
        Time<NoteField::LastEdited>();
        Guid();
        Text<NoteField::KeyWords>(m_record);
        Text<NoteField::ReservedText>(m_record);
        SpellCheck();
        Attachments();
        Text<NoteField::PlainText>(m_record);
        Text<NoteField::RichText>(m_record);
        Categories();
    }

    // Integer count, then Integer level, Text name and Text parent name per entry. Kept
    // entries replace the record's list.
    void Categories()
    {
        constexpr bool keep = Kept(NoteField::CategoryLevel) || Kept(NoteField::CategoryName)
            || Kept(NoteField::CategoryParent);
        Mark<NoteField::CategoryLevel>();
        const qint32 count = m_fields.ReadInt();
        if constexpr (keep)
            m_record.Categories.entries.clear();
        for (qint32 i = 0; i < count && !m_fields.AtEnd(); ++i) {
            if constexpr (keep) {
                CategoryLevelEntry entry;
                CategoryEntry(entry);
                m_record.Categories.entries.append(std::move(entry));
            } else {
                CategoryEntry(m_record); // nothing is kept: the record is not touched
            }
        }
    }

private:
    template<class Target> void CategoryEntry(Target& target)
    {
        Int<NoteField::CategoryLevel>(target);
        Text<NoteField::CategoryName>(target);
        Text<NoteField::CategoryParent>(target);
    }

    static constexpr bool Kept(NoteField field) { return kUses[field] == FieldUse::Keep; }

    template<NoteField F, class Target> void Int(Target& target)
    {
        static_assert(kUses[F] != FieldUse::View, "an Integer field is kept or skipped");
        const qint32 value = m_fields.ReadInt();
        if constexpr (Kept(F))
            Member<F>(target) = value;
    }

    // A Text field: its bytes in place, up to its first NUL.
    QByteArrayView Span()
    {
        const char* start = nullptr;
        qsizetype length = 0;
        m_fields.TextSpan(&start, &length);
        return QByteArrayView(start, length);
    }

    template<NoteField F> QString Decode(QByteArrayView bytes)
    {
        if constexpr (requires { m_visitor.Decode(F, bytes); })
            return m_visitor.Decode(F, bytes);
        else
            return bytes.isEmpty() ? QString() : TextCodec::FromFileBytes(bytes);
    }

    template<NoteField F> void Mark()
    {
        if constexpr (requires { m_visitor.At(F, qsizetype(0)); })
            m_visitor.At(F, m_fields.pos);
    }

    template<NoteField F, class Target> void Text(Target& target)
    {
        Mark<F>();
        if constexpr (kUses[F] == FieldUse::Skip) {
            m_fields.SkipText();
        } else {
            const QByteArrayView bytes = Span();
            if constexpr (Kept(F))
                Member<F>(target) = Decode<F>(bytes);
            else
                m_visitor.View(F, bytes);
        }
    }

    // A DateTime is a Text; the value changes only when the text is a whole date-time.
    template<NoteField F> void Time()
    {
        if constexpr (Kept(F)) {
            const QByteArrayView bytes = Span();
            Member<F>(m_record).SetFromFieldText(QByteArray::fromRawData(bytes.data(), bytes.size()));
        } else {
            Text<F>(m_record);
        }
    }

    // A record without a GUID (an old file's, or an empty one) gets a new one at once, so
    // such a note has a new GUID at each load until its file is rewritten.
    void Guid()
    {
        if constexpr (Kept(NoteField::NoteGUID)) {
            QString& guid = m_record.NoteGUID;
            guid.clear();
            if (m_layout.guidAndAttachments)
                Text<NoteField::NoteGUID>(m_record);
            if (guid.isEmpty())
                guid = NewGuidText();
        } else if (m_layout.guidAndAttachments) {
            Text<NoteField::NoteGUID>(m_record);
        }
    }

    void SpellCheck()
    {
        static_assert(kUses[NoteField::SpellCheck] != FieldUse::View, "a Boolean field is kept or skipped");
        if (m_layout.spellCheck) {
            const bool on = m_fields.ReadInt() > 0;
            if constexpr (Kept(NoteField::SpellCheck))
                m_record.SpellCheck = on;
        } else if constexpr (Kept(NoteField::SpellCheck)) {
            m_record.SpellCheck = true;
        }
    }

    void Attachments()
    {
        static_assert(kUses[NoteField::Attachments] != FieldUse::View, "the attachments are kept or skipped");
        constexpr bool keep = Kept(NoteField::Attachments);
        if constexpr (keep)
            m_record.Attachments.clear();
        if (!m_layout.guidAndAttachments)
            return;
        const qint32 count = m_fields.ReadInt();
        // A damaged count stops where the stream ends instead of looping on defaults.
        for (qint32 i = 0; i < count && !m_fields.AtEnd(); ++i) {
            if constexpr (keep)
                m_record.Attachments.append(ReadAttachmentRecord(m_fields, m_layout));
            else
                SkipAttachmentRecord(m_fields, m_layout);
        }
    }

    FieldScan::Cursor& m_fields;
    const NoteLayout& m_layout;
    Record& m_record;
    Visitor& m_visitor;
};

} // namespace NoteRecordWalk

// Walks one record from the cursor's place with the given choices; the cursor ends after
// the record (or at the end of the bytes, for a truncated one).
template<NoteFieldUses kUses, class Record, class Visitor = NoteRecordWalk::NoVisitor>
void WalkNoteRecord(FieldScan::Cursor& fields, const NoteLayout& layout, Record& record,
                    Visitor&& visitor = {})
{
    NoteRecordWalk::Walk<kUses, Record, std::remove_reference_t<Visitor>>(fields, layout, record, visitor)
        .Run();
}

// Every field of one record into a cleared record (NoteRecord()): the full reader.
void ReadNoteRecord(FieldScan::Cursor& fields, const NoteLayout& layout, NoteRecord& record);
// The category list of a note record on its own, replacing the entries of categories.
void ReadCategoryList(FieldScan::Cursor& fields, CategoryAssignment& categories);

// A note file's head and its records, walked in place over the file's logical bytes
// (CR LF folded, cut at Ctrl-Z):
//   Real    format version (a head that cannot be read counts as version 0)
//   Integer number of records N
//   N note records
// It walks exactly N records, or fewer when the bytes end first: each record takes at
// least one byte, so a damaged count cannot make it loop on defaults.
class NoteFileWalker
{
public:
    NoteFileWalker() = default;
    // Reads the head. The bytes must outlive the walker.
    NoteFileWalker(const char* data, qsizetype size);

    double Version() const { return m_version; }
    qint32 Count() const { return m_count; }
    const NoteLayout& Layout() const { return m_layout; }
    // Where the next record starts in the bytes.
    qsizetype Position() const { return m_fields.pos; }
    const char* Data() const { return m_fields.data; }

    bool HasNext() const { return m_walked < m_count && !m_fields.AtEnd(); }
    // Walks the next record (HasNext must hold) with the given choices.
    template<NoteFieldUses kUses, class Record, class Visitor = NoteRecordWalk::NoVisitor>
    void Next(Record& record, Visitor&& visitor = {})
    {
        ++m_walked;
        WalkNoteRecord<kUses>(m_fields, m_layout, record, visitor);
    }
    // Every field of the next record into a cleared record.
    void NextWhole(NoteRecord& record);

    // A record is a stored note when its id is above 0; one never saved (-1) or damaged
    // (0, or a partial id) is dropped by every reader.
    static bool IsKept(qint32 noteId) { return noteId > 0; }

private:
    FieldScan::Cursor m_fields;
    NoteLayout m_layout;
    double m_version = 0.0;
    qint32 m_count = 0;
    qint32 m_walked = 0;
};

// Appends every kept record of the walk, each read whole, in file order.
void AppendKeptNoteRecords(NoteFileWalker& walker, QList<NoteRecord>& notes);
