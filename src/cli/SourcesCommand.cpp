#include "cli/SourcesCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

CliOutcome SourcesCommand::Run(CNotesApp& app)
{
    QJsonArray sources;
    for (const SourceRecord& source : app.Sources().Sources())
        sources.append(CliJson::Source(source, app.Database().NotesCiting(source.SourceId)));
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("sources"), sources}});
}
