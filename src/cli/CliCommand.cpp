#include "cli/CliCommand.h"

bool CliCommand::ParseArguments(const QStringList& words, QString* error)
{
    m_arguments = CliArguments();
    DeclareOptions(m_arguments);
    return m_arguments.Parse(words, error) && AcceptArguments(m_arguments, error);
}

bool CliCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (arguments.Positional().isEmpty())
        return true;
    *error = QStringLiteral("Unexpected argument: %1").arg(arguments.Positional().first());
    return false;
}
