#include "cli/InfoCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QFileInfo>

CliOutcome InfoCommand::Run(CNotesApp& app)
{
    const NoteDatabase& database = app.Database();
    QJsonArray files;
    for (const NoteFileEntry& entry : database.FileIndex().Entries()) {
        files.append(QJsonObject {
            {QStringLiteral("file"), QFileInfo(entry.path).fileName()},
            {QStringLiteral("ids"), CliJson::Ids(entry.ids)},
        });
    }
    return CliOutcome::Ok(QJsonObject {
        {QStringLiteral("total"), database.Total()},
        {QStringLiteral("max_note_id"), database.MaxNoteID()},
        {QStringLiteral("max_author_id"), app.Sources().MaxAuthorID()},
        {QStringLiteral("unassigned"), CliJson::Ids(database.UnassignedNoteIds())},
        {QStringLiteral("no_source"), CliJson::Ids(database.NoSourceNoteIds())},
        {QStringLiteral("files"), files},
        {QStringLiteral("current"), CliJson::Ids(app.CurrentList().NoteIds())},
    });
}
