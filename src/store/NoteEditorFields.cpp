#include "store/NoteEditorFields.h"

#include "format/TextCodec.h"
#include "richtext/RtfText.h"
#include "store/SourceStore.h"

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

    bool IsAttachedAlready(const NoteRecord& note, const QString& absolutePath)
    {
        return std::any_of(note.Attachments.begin(), note.Attachments.end(),
                           [&](const AttachmentRecord& a) { return a.SourcePath == absolutePath; });
    }

} // namespace

void ApplyCategoryPath(CategoryAssignment& categories, const QStringList& path)
{
    int level = 0;
    QString parent = UnassignedCategoryName();
    for (; level < kCategoryLevels && level < path.size(); ++level) {
        const QString name = path.at(level).trimmed();
        if (name.isEmpty())
            break;
        CategoryLevelEntry& entry = EntryOfLevel(categories, level);
        if (entry.name != name) {
            categories.ResetBelow(level);
            EntryOfLevel(categories, level).name = name;
        }
        EntryOfLevel(categories, level).parentName = parent;
        parent = name;
    }
    if (level == 0)
        categories.ResetToDefault();
    else
        categories.ResetBelow(level - 1);
    categories.RebuildPaths();
}

QStringList SplitCategoryPath(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('/'));
}

QString CategoryPathError(const QStringList& path)
{
    if (path.size() > kCategoryLevels)
        return QStringLiteral("A category path has at most four levels.");
    return {};
}

void SetPlainText(NoteRecord& note, const QString& plainText)
{
    const QByteArray rtf = PlainTextToRtf(plainText);
    note.RichText = TextCodec::FromFileBytes(rtf);
    // The editor streams both texts out of its control; the plain one is what the
    // control shows of the rich one.
    note.PlainText = RtfToPlainText(rtf);
}

void SetSource(NoteRecord& note, const SourceStore& sources, qint32 sourceId)
{
    const SourceRecord* source = sourceId > 0 ? sources.FindSource(sourceId) : nullptr;
    note.AttachedSource = source ? *source : SourceRecord();
    note.SourceID = source ? source->SourceId : 0;
}

bool AttachFile(NoteRecord& note, const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.isFile() || IsAttachedAlready(note, info.absoluteFilePath())) {
        if (error)
            *error = QStringLiteral("File is already attached, or it is an invalid file.");
        return false;
    }
    AttachmentRecord attachment;
    attachment.Title = info.fileName();
    attachment.OriginalName = info.fileName();
    attachment.SourcePath = info.absoluteFilePath();
    attachment.KindFromExtension();
    note.Attachments.append(attachment);
    return true;
}

bool Apply(NoteRecord& note, const NoteEditorChanges& changes, const SourceStore& sources, QString* error)
{
    if (changes.categoryPath) {
        const QString message = CategoryPathError(*changes.categoryPath);
        if (!message.isEmpty()) {
            *error = message;
            return false;
        }
    }
    if (changes.text)
        SetPlainText(note, *changes.text);
    if (changes.sourceId)
        SetSource(note, sources, *changes.sourceId);
    if (changes.keyWords)
        note.KeyWords = *changes.keyWords;
    if (changes.categoryPath)
        ApplyCategoryPath(note.Categories, *changes.categoryPath);
    for (const QString& path : changes.attachments) {
        if (!AttachFile(note, path, error))
            return false;
    }
    return true;
}

} // namespace NoteEditorFields
