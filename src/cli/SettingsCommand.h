#pragma once

#include "cli/CliCommand.h"

// settings: every value of the settings table as loaded, under its stored name.
class SettingsCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("settings"); }
    QString Synopsis() const override { return QStringLiteral("settings"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }
};
