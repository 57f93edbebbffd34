#pragma once

#include "cli/CliCommand.h"

// keywords: the key word list in list order, each word with its notes.
class KeywordsCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("keywords"); }
    QString Synopsis() const override { return QStringLiteral("keywords"); }
    CliOutcome Run(CNotesApp& app) override;
};
