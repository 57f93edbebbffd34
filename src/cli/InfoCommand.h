#pragma once

#include "cli/CliCommand.h"

// info: the database's counters and indexes after the load: total, id counters, notes without category or
// source, the file index and the current list.
class InfoCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("info"); }
    QString Synopsis() const override { return QStringLiteral("info"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }
};
