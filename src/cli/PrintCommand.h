#pragma once

#include "cli/CliCommand.h"

// print: writes the print program's "Data Files\PrintPreview.nbf" from the given notes, or from the current
// list.
class PrintCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("print"); }
    QString Synopsis() const override { return QStringLiteral("print [ID...]"); }
    CliOutcome Run(CNotesApp& app) override;
    // The hand-off file is no data: a read-only data folder has it in the runtime folder.
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QList<qint32> m_ids;
};
