#pragma once

#include "cli/CliCommand.h"

// authors: every author, in the database's order.
class AuthorsCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("authors"); }
    QString Synopsis() const override { return QStringLiteral("authors"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }
};
