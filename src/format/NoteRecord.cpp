#include "format/NoteRecord.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/NoteRecordWalker.h"

NoteRecord::NoteRecord()
    : DateAdded(DateTime::CurrentLocal())
    , LastEdited(DateAdded)
{
}

void NoteRecord::Write(FieldWriter& writer) const
{
    WriteHead(writer);
    writer.WriteText(PlainText);
    writer.WriteText(RichText);
    Categories.Write(writer);
}

void NoteRecord::Write(FieldWriter& writer, QByteArrayView storedTexts) const
{
    WriteHead(writer);
    writer.WriteFields(storedTexts);
    Categories.Write(writer);
}

// The fields before the texts.
void NoteRecord::WriteHead(FieldWriter& writer) const
{
    writer.WriteInt(NoteID);
    writer.WriteInt(SourceID);
    writer.WriteTime(DateAdded);
    writer.WriteTime(LastEdited);
    writer.WriteText(NoteGUID);
    writer.WriteText(KeyWords);
    writer.WriteText(ReservedText);
    writer.WriteBool(SpellCheck);
    writer.WriteInt(static_cast<qint32>(Attachments.size()));
    for (const AttachmentRecord& attachment : Attachments)
        attachment.Write(writer);
}

void NoteRecord::Read(FieldReader& reader, double version)
{
    *this = NoteRecord();
    FieldScan::Cursor fields = reader.Fields();
    ReadNoteRecord(fields, NoteLayout::ForVersion(version), *this);
    reader.SetPosition(fields.pos);
}

bool NoteRecord::SameStoredFields(const NoteRecord& other) const
{
    return NoteID == other.NoteID && SourceID == other.SourceID && DateAdded == other.DateAdded
        && LastEdited == other.LastEdited && NoteGUID == other.NoteGUID && KeyWords == other.KeyWords
        && ReservedText == other.ReservedText && SpellCheck == other.SpellCheck
        && Attachments == other.Attachments && PlainText == other.PlainText && RichText == other.RichText
        && Categories == other.Categories;
}
