#include "cli/SourcesCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"

CliOutcome SourcesCommand::Run(CNotesApp& app)
{
    QJsonArray sources;
    for (const SourceRecord& source : app.Database().Sources())
        sources.append(CliJson::Source(source));
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("sources"), sources}});
}
