#include "cli/IndexCommand.h"

#include "app/CNotesApp.h"
#include "index/SearchIndex.h"
#include "store/NoteDatabase.h"

void IndexCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareFlag(QStringLiteral("rebuild"));
}

bool IndexCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    m_rebuild = arguments.Has(QStringLiteral("rebuild"));
    return CliCommand::AcceptArguments(arguments, error);
}

CliOutcome IndexCommand::Run(CNotesApp& app)
{
    SearchIndex& index = app.Index();
    const QStringList names = app.Database().NoteFileNames();
    int refreshed = 0;
    bool ready = false;
    if (!m_rebuild)
        ready = index.Refresh(names, &refreshed);
    // One that cannot be opened (missing, damaged, another version) is built anew.
    if (!ready) {
        ready = index.Rebuild(names);
        refreshed = int(names.size());
    }
    if (!ready)
        return CliOutcome::Failed(
            QStringLiteral("The search index cannot be written: %1").arg(index.IndexFile()));
    return CliOutcome::Ok(QJsonObject {
        {QStringLiteral("path"), index.IndexFile()},
        {QStringLiteral("notes"), index.NoteCount()},
        {QStringLiteral("files"), index.FileCount()},
        {QStringLiteral("refreshed"), refreshed},
    });
}
