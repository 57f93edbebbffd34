#include "store/NoteEditorFields.h"

#include "format/TextCodec.h"
#include "richtext/RtfText.h"

#include <QFileInfo>

namespace NoteEditorFields {

namespace {

    CategoryLevelEntry& EntryOfLevel(CategoryAssignment& categories, int level)
    {
        if (CategoryLevelEntry* entry = categories.FindEntry(level))
            return *entry;
        CategoryLevelEntry entry;
        entry.level = level;
        categories.entries.append(entry);
        return categories.entries.last();
    }

} // namespace

void ApplyCategoryPath(CategoryAssignment& categories, const QStringList& path)
{
    int level = 0;
    for (; level < 4 && level < path.size(); ++level) {
        const QString name = path.at(level).trimmed();
        if (name.isEmpty())
            break;
        CategoryLevelEntry& entry = EntryOfLevel(categories, level);
        if (entry.name != name) {
            categories.ResetBelow(level);
            EntryOfLevel(categories, level).name = name;
        }
    }
    if (level == 0)
        categories.ResetToDefault();
    else
        categories.ResetBelow(level - 1);
}

QStringList SplitCategoryPath(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('/'));
}

void SetPlainText(NoteRecord& note, const QString& plainText)
{
    note.PlainText = plainText;
    note.RichText = TextCodec::FromFileBytes(PlainTextToRtf(plainText));
}

void AttachFile(NoteRecord& note, const QString& path)
{
    AttachmentRecord attachment;
    const QFileInfo info(path);
    attachment.Title = info.fileName();
    attachment.OriginalName = info.fileName();
    attachment.SourcePath = info.absoluteFilePath();
    attachment.KindFromExtension();
    note.Attachments.append(attachment);
}

} // namespace NoteEditorFields
