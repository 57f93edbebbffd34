#pragma once

#include "cli/CliCommand.h"

// current [--set ID...]: the current list; with --set it is first made to hold those notes under the sort
// order in force.
class CurrentCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("current"); }
    QString Synopsis() const override { return QStringLiteral("current [--set ID...]"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return m_set; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    bool m_set = false;
    QList<qint32> m_ids;
};
