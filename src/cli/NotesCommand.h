#pragma once

#include "cli/CliCommand.h"

// notes [ID...]: the given notes read from their files (ids no note has are skipped), or every note of every
// note file.
class NotesCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("notes"); }
    QString Synopsis() const override { return QStringLiteral("notes [ID...]"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QList<qint32> m_ids;
};
