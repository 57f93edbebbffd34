#include "store/NoteEditorFields.h"

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

    // A plain document in the form the editor streams out: escapes for the RTF specials,
    // \par per line break, \uN? for every character outside ASCII.
    QString PlainTextToRtfDocument(const QString& text)
    {
        QString rtf
            = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Times New Roman;}}\n"
                             "\\viewkind4\\uc1\\pard\\f0\\fs24 ");
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == '\\' || u == '{' || u == '}') {
                rtf += QLatin1Char('\\');
                rtf += c;
            } else if (u == '\n') {
                rtf += QStringLiteral("\\par\n");
            } else if (u == '\r') {
                continue;
            } else if (u == '\t') {
                rtf += QStringLiteral("\\tab ");
            } else if (u < 0x80) {
                rtf += c;
            } else {
                rtf += QStringLiteral("\\u%1?").arg(static_cast<qint16>(u));
            }
        }
        rtf += QStringLiteral("\\par\n}\n");
        return rtf;
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
    note.RichText = PlainTextToRtfDocument(plainText);
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
