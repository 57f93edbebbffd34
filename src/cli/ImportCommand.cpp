#include "cli/ImportCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "cli/CliOptions.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/ImportNotes.h"
#include "lists/CurrentNotesList.h"

#include <QJsonArray>

void ImportCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("select"));
    arguments.DeclareFlag(QStringLiteral("no-display"));
}

bool ImportCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (!CliOptions::OneFile(arguments, QStringLiteral("import"), &m_file, error))
        return false;
    if (arguments.Has(QStringLiteral("select"))
        && !SelectionRuleChooser::ParseRule(arguments.Value(QStringLiteral("select")), &m_rule)) {
        *error = QStringLiteral("--select takes all, new, changed or none.");
        return false;
    }
    m_display = !arguments.Has(QStringLiteral("no-display"));
    return true;
}

CliOutcome ImportCommand::Run(CNotesApp& app)
{
    SelectionRuleChooser chooser(m_rule, m_display);
    ImportContext context;
    context.database = &app.Database();
    context.sources = &app.Sources();
    context.currentList = &app.CurrentList();
    context.noteSortId = app.GetSettings().NoteSortID;
    context.chooser = &chooser;
    context.prompt = &app.Prompt();
    context.progress = &app.Progress();
    ImportReport report;
    const int result = ImportNotes(m_file, context, &report);

    QJsonArray statuses;
    for (const ImportReport::Status& status : report.statuses) {
        statuses.append(QJsonObject {
            {QStringLiteral("index"), status.index},
            {QStringLiteral("guid"), status.guid},
            {QStringLiteral("status"), ImportComparisonName(status.comparison)},
        });
    }
    QJsonObject document {
        {QStringLiteral("result"), result},
        {QStringLiteral("statuses"), statuses},
        {QStringLiteral("current"), CliJson::Ids(app.CurrentList().NoteIds())},
    };
    if (result >= 0)
        return CliOutcome::Ok(document);
    QString text
        = result == ExchangeFormat::kImportNewerVersion ? ImportNewerVersionText() : ImportFailedText();
    if (!report.error.isEmpty())
        text = report.error;
    document.insert(QStringLiteral("error"), text);
    return {CliOutcome::Failure, document};
}
