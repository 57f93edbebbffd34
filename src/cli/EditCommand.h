#pragma once

#include "cli/CliCommand.h"
#include "cli/NoteEditOptions.h"

// edit: an existing note re-saved as the note editor saves it; --source 0 removes the
// source. An id that no note has is refused.
class EditCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("edit"); }
    QString Synopsis() const override
    {
        return QStringLiteral("edit ID [--text T] [--source ID] [--keywords K] [--category A/B/C/D]");
    }
    CliOutcome Run(CNotesApp& app) override;

protected:
    void DeclareOptions(CliArguments& arguments) override { NoteEditOptions::Declare(arguments, false); }
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    qint32 m_id = 0;
    NoteEditOptions m_options;
};
