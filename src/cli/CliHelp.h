#pragma once

#include <QString>

class CliCommand;

// The readable usage of quorvel-cli (not JSON): the program's, with a line per command,
// and each command's own. The man page is made from the same texts.
namespace CliHelp {

QString ProgramUsage();
QString CommandUsage(const CliCommand& command);
// One line on what a command does; empty for a command without one.
QString Summary(const QString& commandName);

} // namespace CliHelp
