#include "cli/SourceCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliOptions.h"
#include "lists/SourceCommands.h"
#include "platform/UserPrompt.h"
#include "sources/SourceEditing.h"
#include "sources/SourceEditor.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QDate>

namespace {

// "View Sources" asks before it deletes; here the question is answered yes, and the
// last text shown is kept so that a refusal can be reported as the error.
class YesPrompt : public UserPrompt
{
public:
    QString lastText;
    Answer Ask(const QString& text, const QString&, Buttons buttons, Icon) override
    {
        lastText = text;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
};

} // namespace

void SourceCommand::DeclareOptions(CliArguments& arguments)
{
    for (const char* name :
         {"type", "style", "indent", "et-al", "date", "field", "author", "format", "select"})
        arguments.DeclareValue(QString::fromLatin1(name));
    arguments.DeclareFlag(QStringLiteral("year-only"));
}

bool SourceCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    const QStringList& words = arguments.Positional();
    m_action = words.value(0);
    if (m_action == QLatin1String("import"))
        return m_import.Accept(arguments, error);
    if (m_action == QLatin1String("export"))
        return m_export.Accept(arguments, error);
    const int idWords = m_action == QLatin1String("add") ? 0 : 1;
    if (m_action != QLatin1String("add") && m_action != QLatin1String("edit")
        && m_action != QLatin1String("delete")) {
        *error = QStringLiteral("source needs add, edit, delete, import or export.");
        return false;
    }
    if (words.size() != 1 + idWords) {
        *error = idWords ? QStringLiteral("source %1 needs one source id.").arg(m_action)
                         : QStringLiteral("Unexpected argument: %1").arg(words.value(1));
        return false;
    }
    if (idWords) {
        QList<qint32> ids;
        if (!arguments.PositionalIds(&ids, error, 1))
            return false;
        m_id = ids.first();
    }
    if (m_action == QLatin1String("delete"))
        return true;
    return AcceptEditOptions(arguments, error);
}

bool SourceCommand::AcceptEditOptions(const CliArguments& arguments, QString* error)
{
    if (!CliOptions::OptionalInt(arguments, QStringLiteral("type"), &m_type, error)
        || !CliOptions::OptionalInt(arguments, QStringLiteral("style"), &m_style, error)
        || !CliOptions::OptionalInt(arguments, QStringLiteral("indent"), &m_indent, error)
        || !CliOptions::OptionalInt(arguments, QStringLiteral("et-al"), &m_etAl, error))
        return false;
    if (m_action == QLatin1String("add") && !m_type) {
        *error = QStringLiteral("source add needs --type.");
        return false;
    }
    if (arguments.Has(QStringLiteral("date"))) {
        m_date = QDate::fromString(arguments.Value(QStringLiteral("date")), Qt::ISODate);
        if (!m_date->isValid()) {
            *error = QStringLiteral("--date needs YYYY-MM-DD.");
            return false;
        }
    }
    m_yearOnly = arguments.Has(QStringLiteral("year-only"));
    for (const QString& field : arguments.Values(QStringLiteral("field"))) {
        const int equals = field.indexOf(QLatin1Char('='));
        bool ok = false;
        const int index = field.left(equals).toInt(&ok);
        if (equals < 0 || !ok || index < 0 || index >= kSourceFieldCount) {
            *error = QStringLiteral("--field needs K=TEXT with K from 0 to 14.");
            return false;
        }
        m_fields.append({index, field.mid(equals + 1)});
    }
    if (arguments.Has(QStringLiteral("author"))) {
        m_authors.emplace();
        for (const QString& names : arguments.Values(QStringLiteral("author"))) {
            const QStringList parts = names.split(QLatin1Char('/'));
            if (parts.size() != 3) {
                *error = QStringLiteral("--author needs FIRST/MIDDLE/LAST.");
                return false;
            }
            m_authors->append({parts[0], parts[1], parts[2]});
        }
    }
    return true;
}

CliOutcome SourceCommand::Run(CNotesApp& app)
{
    if (m_action == QLatin1String("import"))
        return m_import.Run(app);
    if (m_action == QLatin1String("export"))
        return m_export.Run(app);
    return m_action == QLatin1String("delete") ? RunDelete(app) : RunSave(app);
}

bool SourceCommand::ApplyOptions(SourceEditor& editor, SourceStore& sources, QString* error) const
{
    if (m_type)
        editor.SetType(*m_type);
    if (m_style)
        editor.SetStyle(*m_style);
    if (m_indent)
        editor.SetIndentSpaces(*m_indent);
    if (m_etAl)
        editor.SetAuthorsBeforeEtAl(*m_etAl);
    if (m_date)
        editor.SetDate(DateTime::FromParts(m_date->year(), m_date->month(), m_date->day(), 0, 0, 0));
    editor.SetYearOnly(m_yearOnly);
    for (const auto& [index, text] : m_fields)
        editor.SetField(index, text);
    if (!m_authors)
        return true;
    QList<qint32> ids;
    for (const AuthorNames& names : *m_authors) {
        qint32 id = FindAuthorByNames(sources.Authors(), names.first, names.middle, names.last);
        FileStatus failure;
        if (id <= 0)
            id = sources.AddAuthor(AuthorRecord {-1, names.first, names.middle, names.last, {}, {}},
                                   &failure);
        if (!failure) {
            *error = failure.Message();
            return false;
        }
        if (id <= 0) {
            *error = QStringLiteral("An author needs a first or a last name.");
            return false;
        }
        if (!ids.contains(id))
            ids.append(id);
    }
    editor.SetAuthorOrder(ids);
    return true;
}

CliOutcome SourceCommand::RunSave(CNotesApp& app)
{
    SourceStore& sources = app.Sources();
    SourceRecord opened;
    if (m_action == QLatin1String("add")) {
        opened = sources.NewSource(app.GetSettings().SourceFormat);
    } else if (const SourceRecord* stored = sources.FindSource(m_id)) {
        opened = *stored;
    } else {
        return CliOutcome::Failed(QStringLiteral("No source has the id %1.").arg(m_id));
    }
    SourceEditor editor(opened);
    QString error, caption;
    if (!ApplyOptions(editor, sources, &error))
        return CliOutcome::Failed(error);
    SourceRecord saved;
    if (!SourceCommands::SaveEditedSource(app.Database(), sources, editor, &saved, &error, &caption))
        return CliOutcome::Failed(error);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("id"), saved.SourceId}});
}

CliOutcome SourceCommand::RunDelete(CNotesApp& app)
{
    if (!app.Sources().FindSource(m_id))
        return CliOutcome::Failed(QStringLiteral("No source has the id %1.").arg(m_id));
    YesPrompt prompt;
    FileStatus failure;
    if (SourceCommands::DeleteSource(app.Sources(), m_id, prompt, &failure)
        != SourceCommands::DeleteSourceResult::Deleted)
        return CliOutcome::Failed(failure ? prompt.lastText : failure.Message());
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("deleted"), m_id}});
}
