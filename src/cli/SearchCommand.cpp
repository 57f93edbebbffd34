#include "cli/SearchCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "index/SearchIndex.h"
#include "lists/CurrentNotesList.h"
#include "lists/NoteMatcher.h"
#include "lists/SearchCommands.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"

void SearchCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareFlag(QStringLiteral("current"));
    arguments.DeclareFlag(QStringLiteral("ids-only"));
    arguments.DeclareFlag(QStringLiteral("scan"));
}

bool SearchCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    (void)error;
    m_current = arguments.Has(QStringLiteral("current"));
    m_idsOnly = arguments.Has(QStringLiteral("ids-only"));
    m_scan = arguments.Has(QStringLiteral("scan"));
    m_query = arguments.Positional().join(QLatin1Char(' '));
    return true;
}

CliOutcome SearchCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    // The messages the search shows are collected: the invalid-query text is the error.
    SilentPrompt prompt;
    SearchIndex* index = m_scan ? nullptr : &app.Index();
    const SearchRun run = m_current
        ? RunCurrentNotesSearch(m_query, database, app.CurrentList(), prompt, index)
        : RunDatabaseSearch(m_query, database, app.CurrentList(), app.GetSettings().NoteSortID, prompt,
                            index);
    if (!run.ran && !m_query.trimmed().isEmpty())
        return CliOutcome::Failed(prompt.LastText());

    QJsonObject result {
        {QStringLiteral("count"), run.count},
        {QStringLiteral("matches"), CliJson::Ids(run.matches)},
        {QStringLiteral("current"), CliJson::Ids(app.CurrentList().NoteIds())},
    };
    // The highlighted copies are made here, only when they are printed.
    if (!m_idsOnly) {
        QJsonObject highlighted;
        const CurrentNotesList& current = app.CurrentList();
        for (int i = 0; i < current.Count(); ++i) {
            if (current.Entries().at(i).Highlight) {
                const NoteRecord note = current.NoteAt(i);
                highlighted.insert(QString::number(note.NoteID), HighlightedText(note));
            }
        }
        result.insert(QStringLiteral("highlighted"), highlighted);
    }
    return CliOutcome::Ok(result);
}
