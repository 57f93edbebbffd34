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

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QList<qint32> m_ids;
};
