#pragma once

#include "cli/CliCommand.h"

// index: brings the kept search index up to date with the note files, reading again only
// those whose stamps changed (--rebuild: every one, into a new index). The index lives in
// the cache folder, never among the data files, so a read-only data folder is indexed too.
class IndexCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("index"); }
    QString Synopsis() const override { return QStringLiteral("index [--rebuild]"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    bool m_rebuild = false;
};
