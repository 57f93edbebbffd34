#pragma once

#include "cli/CliCommand.h"

// sync: "Sync Now" without its window: this machine's changes into its subfolder of the
// sync folder, the other machines' applied.
class SyncCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("sync"); }
    QString Synopsis() const override { return QStringLiteral("sync [--folder DIR] [--machine NAME]"); }
    CliOutcome Run(CNotesApp& app) override;

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QString m_folder;
    QString m_machine;
};
