#include "exchange/MarkdownExport.h"

#include "exchange/SourceExport.h"
#include "format/CategoryLevelEntry.h"
#include "format/FileSystem.h"
#include "platform/ProgressReporter.h"
#include "richtext/MarkdownText.h"
#include "sources/CitationKeys.h"
#include "sources/SourceDuplicates.h"

#include <QDir>
#include <QSet>

// Helpers of this file, named so that no other file of the library sees them.
namespace MarkdownExportDetail {

QString Quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    escaped.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString QuotedList(const QStringList& items)
{
    QStringList quoted;
    for (const QString& item : items)
        quoted.append(Quoted(item));
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString IsoDate(const DateTime& value)
{
    // The stored time is the user's own clock time, without a zone.
    return value.IsValid() ? value.ToQDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) : QString();
}

// "Science/Physics/Optics": the assigned levels from the first.
QString CategoryPath(const NoteRecord& note)
{
    QStringList names;
    for (int level = 0; level < 4; ++level) {
        const QString name = note.Categories.NameAt(level);
        if (name.isEmpty() || name == UnassignedCategoryName())
            break;
        names.append(name);
    }
    return names.join(QLatin1Char('/'));
}

QStringList KeyWords(const NoteRecord& note)
{
    QStringList words;
    for (const QString& word : note.KeyWords.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!word.trimmed().isEmpty())
            words.append(word.trimmed());
    }
    return words;
}

QString FrontMatter(const NoteRecord& note, const QString& key)
{
    const QString path = CategoryPath(note);
    QStringList lines {QStringLiteral("---"),
                       QStringLiteral("id: %1").arg(note.NoteID),
                       QStringLiteral("guid: ") + Quoted(note.NoteGUID),
                       QStringLiteral("date_added: ") + IsoDate(note.DateAdded),
                       QStringLiteral("last_edited: ") + IsoDate(note.LastEdited),
                       QStringLiteral("categories: ")
                           + QuotedList(path.isEmpty() ? QStringList() : QStringList {path}),
                       QStringLiteral("key_words: ") + QuotedList(KeyWords(note))};
    if (!key.isEmpty())
        lines.append(QStringLiteral("source: ") + Quoted(key));
    lines.append(QStringLiteral("---"));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool IsImage(const AttachmentRecord& attachment)
{
    static const QStringList images {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                     QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("svg"),
                                     QStringLiteral("webp")};
    return images.contains(FileExtension(attachment.StoredName).toLower());
}

// Copies the note's attachments into folder/name/ and gives the Markdown links to them.
FileStatus CopyAttachments(const NoteRecord& note, const QString& folder, const QString& name,
                           const DataFolder& data, QStringList* links)
{
    if (note.Attachments.isEmpty())
        return FileStatus::Ok();
    FileSystem& files = data.Files();
    const QString target = QDir(folder).filePath(name);
    if (FileStatus made = files.MakePath(target); !made)
        return made;
    QSet<QString> used;
    for (const AttachmentRecord& attachment : note.Attachments) {
        QString fileName = QFileInfo(attachment.OriginalName).fileName();
        if (fileName.isEmpty() || used.contains(fileName.toLower()))
            fileName = attachment.StoredName;
        used.insert(fileName.toLower());
        const QString copy = QDir(target).filePath(fileName);
        // No earlier copy is as good as a removed one; one that stays makes the copy fail.
        static_cast<void>(files.Remove(copy));
        if (FileStatus copied = files.Copy(AttachmentPath(attachment, data), copy); !copied)
            return copied;
        const QString title = attachment.Title.isEmpty() ? fileName : attachment.Title;
        links->append(QStringLiteral("%1[%2](<%3/%4>)")
                          .arg(IsImage(attachment) ? QStringLiteral("!") : QString(), title, name, fileName));
    }
    return FileStatus::Ok();
}

} // namespace MarkdownExportDetail

QString MarkdownNoteName(const NoteRecord& note)
{
    using namespace MarkdownExportDetail;
    QStringList words;
    for (const QString& word :
         SourceDuplicates::Folded(note.PlainText).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString clean;
        for (const QChar c : word) {
            if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit())
                clean += c;
        }
        if (!clean.isEmpty())
            words.append(clean);
        if (words.size() == 6)
            break;
    }
    const QString slug = words.join(QLatin1Char('-')).left(50);
    return slug.isEmpty() ? QString::number(note.NoteID)
                          : QString::number(note.NoteID) + QLatin1Char('-') + slug;
}

MarkdownExportResult ExportNotesAsMarkdown(const QString& folder, const NotesList& notes,
                                           const SourceList& sources, const AuthorList& authors,
                                           const DataFolder& data, ProgressReporter& progress)
{
    using namespace MarkdownExportDetail;
    MarkdownExportResult result;
    FileSystem& files = data.Files();
    result.status = files.MakePath(folder);
    if (!result.status)
        return result;
    const QHash<qint32, QString> keys = CitationKeys(sources, authors);
    QList<qint32> cited;
    progress.Begin(QStringLiteral("Exporting notes...."), int(notes.size()));
    for (const NoteRecord& note : notes) {
        const QString key = note.SourceID > 0 ? keys.value(note.SourceID) : QString();
        if (!key.isEmpty() && !cited.contains(note.SourceID))
            cited.append(note.SourceID);
        const QString name = MarkdownNoteName(note);
        QStringList links;
        result.status = CopyAttachments(note, folder, name, data, &links);
        if (!result.status)
            break;
        QString text = FrontMatter(note, key) + QLatin1Char('\n') + MarkdownFromRtf(note.RichText);
        if (!key.isEmpty())
            text += QStringLiteral("\n\n[@") + key + QLatin1Char(']');
        if (!links.isEmpty())
            text += QStringLiteral("\n\n") + links.join(QStringLiteral("\n\n"));
        result.status
            = files.WriteWholeFile(QDir(folder).filePath(name + QStringLiteral(".md")), text.toUtf8() + '\n');
        if (!result.status)
            break;
        ++result.count;
        progress.Step();
    }
    if (result.status) {
        result.bibPath = QDir(folder).filePath(QStringLiteral("references.bib"));
        const BibEntries entries = cited.isEmpty() ? BibEntries() : SourceEntries(sources, authors, cited);
        result.status = WriteSourceFile(files, result.bibPath, entries, SourceFileFormat::BibLaTeX);
    }
    progress.End();
    return result;
}
