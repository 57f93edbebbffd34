#pragma once

#include <QString>

// What every program of the package answers to --help and --version, as Unix programs do:
// the usage on standard output and exit status 0, before any window or data is touched.
namespace ProgramHelp {

// "NAME 1.34": the one place the programs' version line is made.
QString VersionLine(const QString& programName);

// Scans the arguments (argv[0] excluded) for "--help"/"-h" or "--version" and prints
// helpText or the version line. True when it answered: the program should end with 0.
// Runs before the application object exists, so a program with windows answers without
// a display.
bool Answer(int argc, char* argv[], const QString& programName, const QString& helpText);

} // namespace ProgramHelp
