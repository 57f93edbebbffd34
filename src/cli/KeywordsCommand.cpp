#include "cli/KeywordsCommand.h"

#include "app/CNotesApp.h"
#include "categories/KeyWordList.h"
#include "store/NoteDatabase.h"

CliOutcome KeywordsCommand::Run(CNotesApp& app)
{
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("keywords"), app.Database().KeyWords().ToJson()}});
}
