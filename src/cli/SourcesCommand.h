#pragma once

#include "cli/CliCommand.h"

// sources: every source, in the database's order.
class SourcesCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("sources"); }
    QString Synopsis() const override { return QStringLiteral("sources"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }
};
