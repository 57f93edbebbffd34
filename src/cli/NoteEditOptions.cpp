#include "cli/NoteEditOptions.h"

#include "cli/CliArguments.h"

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
        m_changes.text = arguments.Value(QStringLiteral("text"));
    if (arguments.Has(QStringLiteral("source"))) {
        qint32 id = 0;
        if (!arguments.IntValue(QStringLiteral("source"), &id, error))
            return false;
        m_changes.sourceId = id;
    }
    if (arguments.Has(QStringLiteral("keywords")))
        m_changes.keyWords = arguments.Value(QStringLiteral("keywords"));
    if (arguments.Has(QStringLiteral("category"))) {
        const QStringList path
            = NoteEditorFields::SplitCategoryPath(arguments.Value(QStringLiteral("category")));
        const QString message = NoteEditorFields::CategoryPathError(path);
        if (!message.isEmpty()) {
            *error = message; // a path too deep for the picker is a usage error
            return false;
        }
        m_changes.categoryPath = path;
    }
    m_changes.attachments = arguments.Values(QStringLiteral("attach"));
    return true;
}
