#include "cli/AuthorsCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"

CliOutcome AuthorsCommand::Run(CNotesApp& app)
{
    QJsonArray authors;
    for (const AuthorRecord& author : app.Database().Authors())
        authors.append(CliJson::Author(author));
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("authors"), authors}});
}
