#pragma once

#include "cli/CliCommand.h"
#include "exchange/ImportChooser.h"

// import: an export archive imported with the import dialog replaced by a selection rule.
class ImportCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("import"); }
    QString Synopsis() const override
    {
        return QStringLiteral("import FILE [--select all|new|changed|none] [--no-display]");
    }
    CliOutcome Run(CNotesApp& app) override;

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QString m_file;
    SelectionRuleChooser::Rule m_rule = SelectionRuleChooser::Rule::All;
    bool m_display = true;
};
