#include "format/NoteRecord.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/Guid.h"
#include "format/NoteFormat.h"

NoteRecord::NoteRecord()
    : DateAdded(DateTime::CurrentLocal())
    , LastEdited(DateAdded)
{
}

void NoteRecord::Write(FieldWriter& writer) const
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
    writer.WriteText(PlainText);
    writer.WriteText(RichText);
    Categories.Write(writer);
}

void NoteRecord::Read(FieldReader& reader, double version)
{
    using NoteFormat::VersionAbove;
    *this = NoteRecord();
    NoteID = reader.ReadInt();
    SourceID = reader.ReadInt();
    reader.ReadTime(DateAdded);
    reader.ReadTime(LastEdited);
    const bool hasGuidAndAttachments = VersionAbove(version, NoteFormat::kGuidAndAttachmentsAfter);
    if (hasGuidAndAttachments)
        NoteGUID = reader.ReadText();
    // Until its file is rewritten, such a note gets a new GUID at every load.
    if (NoteGUID.isEmpty())
        NoteGUID = NewGuidText();
    KeyWords = reader.ReadText();
    ReservedText = reader.ReadText();
    if (VersionAbove(version, NoteFormat::kSpellCheckAfter))
        SpellCheck = reader.ReadBool();
    if (hasGuidAndAttachments) {
        const qint32 count = reader.ReadInt();
        // A damaged count stops where the stream ends instead of looping on defaults.
        for (qint32 i = 0; i < count && !reader.AtEnd(); ++i) {
            AttachmentRecord attachment;
            attachment.Read(reader, version);
            Attachments.append(attachment);
        }
    }
    PlainText = reader.ReadText();
    RichText = reader.ReadText();
    Categories.Read(reader);
}

bool NoteRecord::SameStoredFields(const NoteRecord& other) const
{
    return NoteID == other.NoteID && SourceID == other.SourceID && DateAdded == other.DateAdded
        && LastEdited == other.LastEdited && NoteGUID == other.NoteGUID && KeyWords == other.KeyWords
        && ReservedText == other.ReservedText && SpellCheck == other.SpellCheck
        && Attachments == other.Attachments && PlainText == other.PlainText && RichText == other.RichText
        && Categories == other.Categories;
}
