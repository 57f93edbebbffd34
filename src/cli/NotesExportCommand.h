#pragma once

#include "cli/CliCommand.h"

// notes-export --format markdown DIR [ID...]: "Export Current Notes as Markdown..." of the
// given notes (the current list when none is given) into DIR.
class NotesExportCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("notes-export"); }
    QString Synopsis() const override { return QStringLiteral("notes-export --format markdown DIR [ID...]"); }
    CliOutcome Run(CNotesApp& app) override;
    // Reads the notes; the Markdown files go into DIR, outside the data folder.
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QString m_folder;
    QList<qint32> m_ids;
};
