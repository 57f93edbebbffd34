#include "cli/SettingsCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"

CliOutcome SettingsCommand::Run(CNotesApp& app)
{
    return CliOutcome::Ok(CliJson::SettingsValues(app.GetSettings()));
}
