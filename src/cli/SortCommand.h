#pragma once

#include "cli/CliCommand.h"

// sort: stores the sort order ("NoteSortID") and sorts the current list by it.
class SortCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("sort"); }
    QString Synopsis() const override { return QStringLiteral("sort --by SORTID"); }
    CliOutcome Run(CNotesApp& app) override;

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    qint32 m_sortId = 0;
};
