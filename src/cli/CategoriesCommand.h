#pragma once

#include "cli/CliCommand.h"

// categories: the category trees in tree order and the notes without a category.
class CategoriesCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("categories"); }
    QString Synopsis() const override { return QStringLiteral("categories"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }
};
