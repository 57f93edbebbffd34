#pragma once

#include "cli/CliCommand.h"

// delete ID...: deletes the notes as the control bar's delete does (the question answered Yes). An
// id that no note has refuses the whole command.
class DeleteCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("delete"); }
    QString Synopsis() const override { return QStringLiteral("delete ID..."); }
    CliOutcome Run(CNotesApp& app) override;

protected:
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QList<qint32> m_ids;
};
