#include "SampleNotesMaker.h"

#include "format/CategoryLevelEntry.h"
#include "format/NoteRecord.h"
#include "format/TextCodec.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfText.h"
#include "richtext/RtfWriter.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A markup sign at position i of text, or an empty text.
QString SignAt(const QString& text, qsizetype i)
{
    for (const QString& sign : {QStringLiteral("**"), QStringLiteral("__"), QStringLiteral("*")}) {
        if (text.mid(i, sign.size()) == sign)
            return sign;
    }
    return {};
}

RichParagraph MarkedParagraph(const QString& text)
{
    RichCharFormat format;
    format.fontFamily = QStringLiteral("Arial");
    format.fontCharset = 0;
    format.sizeHalfPoints = 20;
    RichParagraph paragraph;
    QString run;
    auto flush = [&] {
        if (!run.isEmpty())
            paragraph.runs.append(RichRun {format, run});
        run.clear();
    };
    for (qsizetype i = 0; i < text.size();) {
        const QString sign = SignAt(text, i);
        if (sign.isEmpty()) {
            run += text.at(i++);
            continue;
        }
        flush();
        if (sign == QLatin1String("**"))
            format.bold = !format.bold;
        else if (sign == QLatin1String("__"))
            format.underline = !format.underline;
        else
            format.italic = !format.italic;
        i += sign.size();
    }
    flush();
    return paragraph;
}

// "A/B/C/D" filed as the note editor's four category boxes file it.
void SetCategories(NoteRecord& note, const QString& path)
{
    note.Categories.ResetToDefault();
    QString parent = UnassignedCategoryName();
    const QStringList names = path.split(QLatin1Char('/'));
    for (int level = 0; level < names.size(); ++level) {
        CategoryLevelEntry* entry = note.Categories.FindEntry(level);
        if (!entry)
            break;
        entry->name = names.at(level).trimmed();
        entry->parentName = parent;
        parent = entry->name;
    }
    note.Categories.RebuildPaths();
}

} // namespace

QByteArray MarkedTextToRtf(const QString& text)
{
    RichDocument document;
    for (const QString& line : text.split(QStringLiteral("\\n")))
        document.paragraphs.append(MarkedParagraph(line.trimmed()));
    return RtfWriter::Write(document);
}

SampleNotesMaker::SampleNotesMaker(NoteDatabase& database, SourceStore& sources, QString attachmentFolder)
    : m_database(database)
    , m_sources(sources)
    , m_attachmentFolder(std::move(attachmentFolder))
{
}

bool SampleNotesMaker::AddFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!AddLine(line, error)) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(number).arg(*error);
            return false;
        }
    }
    return true;
}

bool SampleNotesMaker::AddLine(const QString& line, QString* error)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    const QString kind = line.left(colon);
    QStringList parts = line.mid(colon + 1).split(QLatin1Char('|'));
    for (QString& part : parts)
        part = part.trimmed();
    if (kind == QLatin1String("author"))
        return AddAuthor(parts, error);
    if (kind == QLatin1String("source"))
        return AddSource(parts, error);
    if (kind == QLatin1String("note"))
        return AddNote(parts, error);
    *error = QStringLiteral("unknown line kind \"%1\"").arg(kind);
    return false;
}

bool SampleNotesMaker::AddAuthor(const QStringList& parts, QString* error)
{
    if (parts.size() != 4) {
        *error = QStringLiteral("an author has a key and three names");
        return false;
    }
    AuthorRecord author;
    author.FirstName = parts.at(1);
    author.MiddleInitial = parts.at(2);
    author.LastName = parts.at(3);
    FileStatus failure;
    const qint32 id = m_sources.AddAuthor(author, &failure);
    if (id <= 0) {
        *error = failure ? QStringLiteral("an author needs a first or a last name") : failure.Message();
        return false;
    }
    m_authorIds.insert(parts.at(0), id);
    return true;
}

bool SampleNotesMaker::AddSource(const QStringList& parts, QString* error)
{
    SourceRecord source = m_sources.NewSource(1);
    for (const QString& part : parts.mid(1)) {
        const QString name = part.section(QLatin1Char('='), 0, 0);
        const QString value = part.section(QLatin1Char('='), 1);
        bool isIndex = false;
        const int index = name.toInt(&isIndex);
        if (isIndex && index >= 0 && index < kSourceFieldCount) {
            source.Fields[index] = value;
        } else if (name == QLatin1String("type")) {
            source.Type = value.toInt();
        } else if (name == QLatin1String("style")) {
            source.Style = value.toInt();
        } else if (name == QLatin1String("year")) {
            source.Date = DateTime::FromParts(value.toInt(), 1, 1, 0, 0, 0);
            source.DateSet = true;
            source.YearOnly = 1;
        } else if (name == QLatin1String("authors")) {
            for (const QString& key : value.split(QLatin1Char(','))) {
                if (!m_authorIds.contains(key.trimmed())) {
                    *error = QStringLiteral("unknown author \"%1\"").arg(key);
                    return false;
                }
                source.AuthorIds.append(m_authorIds.value(key.trimmed()));
            }
        } else {
            *error = QStringLiteral("unknown source value \"%1\"").arg(part);
            return false;
        }
    }
    if (const FileStatus written = m_sources.AddSource(source); !written) {
        *error = written.Message();
        return false;
    }
    m_sourceIds.insert(parts.at(0), source.SourceId);
    return true;
}

bool SampleNotesMaker::AddNote(const QStringList& parts, QString* error)
{
    if (parts.size() < 4) {
        *error = QStringLiteral("a note has a source, a category path, key words and a text");
        return false;
    }
    const NoteRecord previous;
    NoteRecord note;
    if (parts.at(0) != QLatin1String("-")) {
        const SourceRecord* source = m_sources.FindSource(m_sourceIds.value(parts.at(0), -1));
        if (!source) {
            *error = QStringLiteral("unknown source \"%1\"").arg(parts.at(0));
            return false;
        }
        note.AttachedSource = *source;
        note.SourceID = source->SourceId;
    }
    if (parts.at(1) != QLatin1String("-"))
        SetCategories(note, parts.at(1));
    note.KeyWords = parts.at(2);
    const QByteArray rtf = MarkedTextToRtf(parts.at(3));
    note.RichText = TextCodec::FromFileBytes(rtf);
    note.PlainText = RtfToPlainText(rtf);
    for (const QString& extra : parts.mid(4)) {
        const QFileInfo file(QDir(m_attachmentFolder).filePath(extra.section(QLatin1Char('='), 1)));
        if (!extra.startsWith(QLatin1String("attach=")) || !file.isFile()) {
            *error = QStringLiteral("cannot attach \"%1\"").arg(extra);
            return false;
        }
        AttachmentRecord attachment;
        attachment.Title = file.fileName();
        attachment.OriginalName = file.fileName();
        attachment.SourcePath = file.absoluteFilePath();
        attachment.KindFromExtension();
        note.Attachments.append(attachment);
    }
    if (!NoteEditorSave::SaveFromEditor(m_database, previous, note, error))
        return false;
    m_database.AdjustTotal(1);
    ++m_notes;
    return true;
}
