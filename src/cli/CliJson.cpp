#include "cli/CliJson.h"

#include "format/AttachmentRecord.h"
#include "format/AuthorRecord.h"
#include "format/DateTime.h"
#include "format/NoteFile.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "store/Settings.h"

namespace {

QJsonArray Rect(const StoredRect& rect)
{
    return QJsonArray {rect.left, rect.top, rect.right, rect.bottom};
}

QJsonObject Font(const FontSetting& font)
{
    return QJsonObject {
        {QStringLiteral("Height"), font.Height},
        {QStringLiteral("Weight"), font.Weight},
        {QStringLiteral("Italic"), font.Italic},
        {QStringLiteral("Underline"), font.Underline},
        {QStringLiteral("PitchAndFamily"), font.PitchAndFamily},
        {QStringLiteral("CharSet"), font.CharSet},
        {QStringLiteral("FaceName"), font.FaceName},
        {QStringLiteral("Red"), font.Red},
        {QStringLiteral("Blue"), font.Blue},
        {QStringLiteral("Green"), font.Green},
    };
}

} // namespace

QJsonValue CliJson::Time(const DateTime& value)
{
    return QString::fromLatin1(value.ToFieldText());
}

QJsonArray CliJson::Ids(const NoteIdList& ids)
{
    return Ids(ids.Ids());
}

QJsonArray CliJson::Ids(const QList<qint32>& ids)
{
    QJsonArray array;
    for (qint32 id : ids)
        array.append(id);
    return array;
}

QJsonObject CliJson::Attachment(const AttachmentRecord& attachment)
{
    return QJsonObject {
        {QStringLiteral("shift"), attachment.AttachmentValue},
        {QStringLiteral("scale"), attachment.ImageScale},
        {QStringLiteral("title"), attachment.Title},
        {QStringLiteral("stored_name"), attachment.StoredName},
        {QStringLiteral("original_name"), attachment.OriginalName},
        {QStringLiteral("kind"), attachment.Kind},
        {QStringLiteral("show_image"), attachment.ShowImage},
    };
}

QJsonObject CliJson::Note(const NoteRecord& note)
{
    QJsonArray attachments;
    for (const AttachmentRecord& attachment : note.Attachments)
        attachments.append(Attachment(attachment));
    QJsonArray categories;
    for (const CategoryLevelEntry& entry : note.Categories.entries)
        categories.append(QJsonArray {entry.level, entry.name, entry.parentName});
    return QJsonObject {
        {QStringLiteral("id"), note.NoteID},
        {QStringLiteral("source_id"), note.SourceID},
        {QStringLiteral("date_added"), Time(note.DateAdded)},
        {QStringLiteral("last_edited"), Time(note.LastEdited)},
        {QStringLiteral("guid"), note.NoteGUID},
        {QStringLiteral("key_words"), note.KeyWords},
        {QStringLiteral("reserved_text"), note.ReservedText},
        {QStringLiteral("spell_check"), note.SpellCheck},
        {QStringLiteral("attachments"), attachments},
        {QStringLiteral("plain_text"), note.PlainText},
        {QStringLiteral("rich_text"), note.RichText},
        {QStringLiteral("categories"), categories},
        {QStringLiteral("file"), NoteFileBaseName(note)},
    };
}

QJsonArray CliJson::Notes(const QList<NoteRecord>& notes)
{
    QJsonArray array;
    for (const NoteRecord& note : notes)
        array.append(Note(note));
    return array;
}

QJsonObject CliJson::Source(const SourceRecord& source, const NoteIdList& notes)
{
    return QJsonObject {
        {QStringLiteral("id"), source.SourceId},
        {QStringLiteral("guid"), source.SourceGUID},
        {QStringLiteral("type"), source.Type},
        {QStringLiteral("style"), source.Style},
        {QStringLiteral("indent"), source.IndentSpaces},
        {QStringLiteral("et_al"), source.AuthorsBeforeEtAl},
        {QStringLiteral("author_ids"), Ids(source.AuthorIds)},
        {QStringLiteral("fields"), QJsonArray::fromStringList(source.Fields)},
        {QStringLiteral("year_only"), source.YearOnly},
        {QStringLiteral("date_set"), source.DateSet},
        {QStringLiteral("date"), Time(source.Date)},
        {QStringLiteral("authors_text"), source.AuthorsText},
        {QStringLiteral("notes"), Ids(notes)},
    };
}

QJsonObject CliJson::Author(const AuthorRecord& author)
{
    return QJsonObject {
        {QStringLiteral("id"), author.AuthorId},          {QStringLiteral("first"), author.FirstName},
        {QStringLiteral("middle"), author.MiddleInitial}, {QStringLiteral("last"), author.LastName},
        {QStringLiteral("text4"), author.AuthorText4},    {QStringLiteral("text5"), author.AuthorText5},
    };
}

QJsonObject CliJson::SettingsValues(const Settings& s)
{
    return QJsonObject {
        {QStringLiteral("Maximized"), s.Maximized},
        {QStringLiteral("FrameRect"), Rect(s.FrameRect)},
        {QStringLiteral("ViewSrcRect"), Rect(s.ViewSrcRect)},
        {QStringLiteral("EditNoteRect"), Rect(s.EditNoteRect)},
        {QStringLiteral("ShowSources"), s.ShowSources},
        {QStringLiteral("SourceSize"), s.SourceSize},
        {QStringLiteral("SourceFormat"), s.SourceFormat},
        {QStringLiteral("MaxNoteID"), s.MaxNoteID},
        {QStringLiteral("NoteSortID"), s.NoteSortID},
        {QStringLiteral("ShowCats"), s.ShowCats},
        {QStringLiteral("CatsTop"), s.CatsTop},
        {QStringLiteral("SourceTop"), s.SourceTop},
        {QStringLiteral("ListSelection"), s.ListSelection},
        {QStringLiteral("ProgVersion"), s.ProgVersion},
        {QStringLiteral("ZoomLvl"), Settings::StoredZoom(s.ZoomLvl)},
        {QStringLiteral("ShowCtrlBar"), s.ShowCtrlBar},
        {QStringLiteral("ActIndCtrlBar"), s.ActIndCtrlBar},
        {QStringLiteral("CtrlBarSortSrc"), s.CtrlBarSortSrc},
        {QStringLiteral("MaxAuthorID"), s.MaxAuthorID},
        {QStringLiteral("ShowSrcFilters"), s.ShowSrcFilters},
        {QStringLiteral("CheckForUpdates"), s.CheckForUpdates},
        {QStringLiteral("EnableSpellCheck"), s.EnableSpellCheck},
        {QStringLiteral("szSaveWarning"), s.szSaveWarning},
        {QStringLiteral("MarkBold"), s.MarkBold},
        {QStringLiteral("MarkStrike"), s.MarkStrike},
        {QStringLiteral("MarkItalics"), s.MarkItalics},
        {QStringLiteral("MarkUnderline"), s.MarkUnderline},
        {QStringLiteral("MarkSelColor"), s.MarkSelColor},
        {QStringLiteral("RunAgent"), s.RunAgent},
        {QStringLiteral("ImgTitleFont"), Font(s.ImgTitleFont)},
    };
}
