#pragma once

#include "cli/CliCommand.h"

// index: brings the kept search index up to date with the note files, reading again only
// those whose stamps changed (--rebuild: every one, into a new index).
class IndexCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("index"); }
    QString Synopsis() const override { return QStringLiteral("index [--rebuild]"); }
    CliOutcome Run(CNotesApp& app) override;

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    bool m_rebuild = false;
};
