#pragma once

#include "cli/CliCommand.h"

// search: the search bar's run over the database, or over the current list with --current;
// --ids-only leaves out the highlighted texts, which are then never made. The matches come
// from the kept search index when it can answer; --scan reads every note file instead (the
// reference the index is held to).
class SearchCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("search"); }
    QString Synopsis() const override
    {
        return QStringLiteral("search [--current] [--ids-only] [--scan] QUERY");
    }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    bool m_current = false;
    bool m_idsOnly = false;
    bool m_scan = false;
    QString m_query;
};
