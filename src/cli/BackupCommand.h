#pragma once

#include "cli/CliCommand.h"

// backup: every note of the database into an export archive ("Backup All Notes..." without its file dialog).
class BackupCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("backup"); }
    QString Synopsis() const override { return QStringLiteral("backup FILE"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QString m_file;
};
