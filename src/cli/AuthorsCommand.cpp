#include "cli/AuthorsCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "store/SourceStore.h"

CliOutcome AuthorsCommand::Run(CNotesApp& app)
{
    QJsonArray authors;
    for (const AuthorRecord& author : app.Sources().Authors())
        authors.append(CliJson::Author(author));
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("authors"), authors}});
}
