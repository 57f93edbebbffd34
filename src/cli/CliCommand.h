#pragma once

#include "cli/CliArguments.h"
#include "cli/CliOutcome.h"

#include <QString>
#include <QStringList>

class CNotesApp;

// One command of quorvel-cli. A command only reads its arguments, calls one operation of
// the core on the loaded application and turns the result into JSON; it holds no rule of
// its own. The runner parses the arguments before start-up, so a usage error touches
// nothing on disk.
class CliCommand
{
public:
    virtual ~CliCommand() = default;

    virtual QString Name() const = 0;
    // One line for the usage text: "notes [ID...]".
    virtual QString Synopsis() const = 0;

    // Declares the command's options, parses the words after the command name, then
    // lets the command check them. False, with a message, is a usage error.
    bool ParseArguments(const QStringList& words, QString* error);

    // Runs on the started application (before the exit save).
    virtual CliOutcome Run(CNotesApp& app) = 0;

    // Whether the command, with the arguments parsed, stores anything in the data folder
    // (notes, sources, settings, the current list). On a read-only data folder such a
    // command is refused before start-up; one that only reads runs, and what it changes in
    // memory (a search's current list) is not kept. A command counts as writing unless it
    // says otherwise.
    virtual bool WritesDataFolder() const { return true; }

protected:
    virtual void DeclareOptions(CliArguments& arguments) { (void)arguments; }
    // Checks and keeps what Run needs; the default accepts no positional word.
    virtual bool AcceptArguments(const CliArguments& arguments, QString* error);

    const CliArguments& Arguments() const { return m_arguments; }

private:
    CliArguments m_arguments;
};
