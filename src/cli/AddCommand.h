#pragma once

#include "cli/CliCommand.h"
#include "cli/NoteEditOptions.h"

// add: a new note saved exactly as the note editor saves one, its rich text made from the
// plain text.
class AddCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("add"); }
    QString Synopsis() const override
    {
        return QStringLiteral(
            "add --text T [--source ID] [--keywords K] [--category A/B/C/D] [--attach PATH]...");
    }
    CliOutcome Run(CNotesApp& app) override;

protected:
    void DeclareOptions(CliArguments& arguments) override { NoteEditOptions::Declare(arguments, true); }
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    NoteEditOptions m_options;
};
