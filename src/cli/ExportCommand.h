#pragma once

#include "cli/CliCommand.h"

// export: the given notes, or the current list, into an export archive.
class ExportCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("export"); }
    QString Synopsis() const override { return QStringLiteral("export FILE [ID...]"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QString m_file;
    QList<qint32> m_ids;
};
