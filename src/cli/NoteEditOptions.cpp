#include "cli/NoteEditOptions.h"

#include "cli/CliArguments.h"
#include "format/CategoryLevelEntry.h"
#include "format/NoteRecord.h"
#include "format/TextCodec.h"
#include "richtext/RtfText.h"
#include "store/NoteDatabase.h"

#include <QFileInfo>

namespace {

constexpr int kLevels = 4;

} // namespace

void NoteEditOptions::Declare(CliArguments& arguments, bool withAttachments)
{
    arguments.DeclareValue(QStringLiteral("text"));
    arguments.DeclareValue(QStringLiteral("source"));
    arguments.DeclareValue(QStringLiteral("keywords"));
    arguments.DeclareValue(QStringLiteral("category"));
    if (withAttachments)
        arguments.DeclareValue(QStringLiteral("attach"));
}

bool NoteEditOptions::Accept(const CliArguments& arguments, QString* error)
{
    if (arguments.Has(QStringLiteral("text")))
        m_text = arguments.Value(QStringLiteral("text"));
    if (arguments.Has(QStringLiteral("source"))) {
        qint32 id = 0;
        if (!arguments.IntValue(QStringLiteral("source"), &id, error))
            return false;
        m_sourceId = id;
    }
    if (arguments.Has(QStringLiteral("keywords")))
        m_keyWords = arguments.Value(QStringLiteral("keywords"));
    if (arguments.Has(QStringLiteral("category"))) {
        const QStringList names = arguments.Value(QStringLiteral("category")).split(QLatin1Char('/'));
        if (names.size() > kLevels) {
            *error = QStringLiteral("A category path has at most four levels.");
            return false;
        }
        m_categories = names;
    }
    m_attachments = arguments.Values(QStringLiteral("attach"));
    return true;
}

bool NoteEditOptions::ApplyTo(NoteRecord& note, const NoteDatabase& database, QString* error) const
{
    if (m_text) {
        const QByteArray rtf = PlainTextToRtf(*m_text);
        note.RichText = TextCodec::FromFileBytes(rtf);
        // The editor streams both texts out of its control; the plain one is what the
        // control shows of the rich one.
        note.PlainText = RtfToPlainText(rtf);
    }
    if (m_sourceId) {
        const SourceRecord* source = *m_sourceId > 0 ? database.FindSource(*m_sourceId) : nullptr;
        note.AttachedSource = source ? *source : SourceRecord();
        note.SourceID = source ? source->SourceId : 0;
    }
    if (m_keyWords)
        note.KeyWords = *m_keyWords;
    if (m_categories) {
        note.Categories.ResetToDefault();
        // Each level names its parent; a blank name leaves the level unassigned.
        QString parent = UnassignedCategoryName();
        for (int level = 0; level < m_categories->size(); ++level) {
            CategoryLevelEntry* entry = note.Categories.FindEntry(level);
            const QString name = m_categories->at(level).trimmed();
            if (!entry || name.isEmpty())
                break;
            entry->name = name;
            entry->parentName = parent;
            parent = name;
        }
        note.Categories.RebuildPaths();
    }
    for (const QString& path : m_attachments) {
        const QFileInfo file(path);
        if (!file.isFile()) {
            *error = QStringLiteral("File is already attached, or it is an invalid file.");
            return false;
        }
        AttachmentRecord attachment;
        attachment.Title = file.fileName();
        attachment.OriginalName = file.fileName();
        attachment.SourcePath = file.absoluteFilePath();
        attachment.KindFromExtension();
        note.Attachments.append(attachment);
    }
    return true;
}
