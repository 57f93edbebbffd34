#include "format/NoteRecordWalker.h"

#include "format/CategoryAssignment.h"
#include "format/NoteFormat.h"
#include "format/NoteRecord.h"
#include "format/RecordList.h"
#include "format/Version.h"

NoteLayout NoteLayout::ForVersion(double version)
{
    using Version::IsAbove;
    NoteLayout layout;
    layout.guidAndAttachments = IsAbove(version, NoteFormat::kGuidAndAttachmentsAfter);
    layout.spellCheck = IsAbove(version, NoteFormat::kSpellCheckAfter);
    layout.attachmentShift = IsAbove(version, NoteFormat::kAttachmentShiftAfter);
    layout.attachmentKind = IsAbove(version, NoteFormat::kAttachmentKindAfter);
    return layout;
}

namespace {

QString DecodeText(FieldScan::Cursor& fields)
{
    const char* start = nullptr;
    qsizetype length = 0;
    fields.TextSpan(&start, &length);
    return length == 0 ? QString() : TextCodec::FromFileBytes(QByteArrayView(start, length));
}

} // namespace

AttachmentRecord ReadAttachmentRecord(FieldScan::Cursor& fields, const NoteLayout& layout)
{
    AttachmentRecord attachment;
    attachment.AttachmentValue = layout.attachmentShift ? fields.ReadInt() : 0;
    attachment.ImageScale = fields.ReadReal();
    attachment.Title = DecodeText(fields);
    attachment.StoredName = DecodeText(fields);
    attachment.OriginalName = DecodeText(fields);
    if (layout.attachmentKind) {
        attachment.Kind = fields.ReadInt();
        attachment.ShowImage = fields.ReadInt() > 0;
    } else {
        attachment.ShowImage = true;
        attachment.KindFromExtension();
    }
    return attachment;
}

void SkipAttachmentRecord(FieldScan::Cursor& fields, const NoteLayout& layout)
{
    if (layout.attachmentShift)
        fields.ReadInt();
    fields.ReadReal();
    fields.SkipText();
    fields.SkipText();
    fields.SkipText();
    if (layout.attachmentKind) {
        fields.ReadInt();
        fields.ReadInt();
    }
}

void ReadNoteRecord(FieldScan::Cursor& fields, const NoteLayout& layout, NoteRecord& record)
{
    WalkNoteRecord<kWholeNoteRecord>(fields, layout, record);
}

void ReadCategoryList(FieldScan::Cursor& fields, CategoryAssignment& categories)
{
    struct CategoriesOnly
    {
        CategoryAssignment& Categories;
    } target {categories};
    NoteRecordWalk::NoVisitor none;
    const NoteLayout layout;
    NoteRecordWalk::Walk<kWholeNoteRecord, CategoriesOnly, NoteRecordWalk::NoVisitor>(fields, layout, target,
                                                                                      none)
        .Categories();
}

NoteFileWalker::NoteFileWalker(const char* data, qsizetype size)
    : m_fields {data, size, 0}
{
    // The head follows the rules of every list file; the records are walked here.
    m_version = RecordListReader::ReadableVersion(m_fields.ReadReal());
    m_layout = NoteLayout::ForVersion(m_version);
    m_count = m_fields.ReadInt();
}

void NoteFileWalker::NextWhole(NoteRecord& record)
{
    ++m_walked;
    ReadNoteRecord(m_fields, m_layout, record);
}

void AppendKeptNoteRecords(NoteFileWalker& walker, QList<NoteRecord>& notes)
{
    while (walker.HasNext()) {
        NoteRecord record;
        walker.NextWhole(record);
        if (NoteFileWalker::IsKept(record.NoteID))
            notes.append(std::move(record));
    }
}
