#include "cli/CategoriesCommand.h"

#include "app/CNotesApp.h"
#include "categories/CategoryTree.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"

CliOutcome CategoriesCommand::Run(CNotesApp& app)
{
    const NoteDatabase& database = app.Database();
    return CliOutcome::Ok(QJsonObject {
        {QStringLiteral("trees"), database.Categories().ToJson()},
        {QStringLiteral("unassigned"), CliJson::Ids(database.UnassignedNoteIds())},
    });
}
