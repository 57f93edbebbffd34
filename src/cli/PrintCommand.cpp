#include "cli/PrintCommand.h"

#include "app/CNotesApp.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/PrintCommands.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"

void PrintCommand::DeclareOptions(CliArguments& arguments)
{
    (void)arguments;
}

bool PrintCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    return arguments.PositionalIds(&m_ids, error);
}

CliOutcome PrintCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    const NotesList notes
        = m_ids.isEmpty() ? app.CurrentList().LoadAllNotes() : database.LoadNotesByIds(NoteIdList(m_ids));
    QString path;
    if (const FileStatus written
        = PrintCommands::WritePrintPreviewFor(database.Folder(), app.Sources(), notes, &path);
        !written)
        return CliOutcome::Failed(written.Message());
    return CliOutcome::Ok(
        QJsonObject {{QStringLiteral("file"), path}, {QStringLiteral("count"), int(notes.size())}});
}
