#include "app/ProgramHelp.h"
#include "ui/QuorvelProgram.h"

#include <QApplication>

namespace {

const char* const HelpText = R"(Usage: quorvel [--data-root DIR] [--sample] [FILE.qvx]

The desktop program of Quorvel: write research notes, tie each to a bibliographic
source, file it under categories and key words, attach files; find, sort, cite,
export, back up, import and print notes. Only one copy runs per user: a second start
hands its file to the running copy and brings that window to the front.

Options:
  --data-root DIR  the folder that holds "Data Files"; QUORVEL_DATA_ROOT also names it;
                   the default is $XDG_DATA_HOME/Brenlow Software/Quorvel
  --sample         import the sample notes that come with the program
  --help           print this help and exit
  --version        print the version and exit

Arguments:
  FILE.qvx         an export or backup archive to import

Files:
  ~/.config/Brenlow/Quorvel.ini  the settings (DIR/Quorvel.ini with --data-root)
)";

} // namespace

int main(int argc, char* argv[])
{
    if (ProgramHelp::Answer(argc, argv, QStringLiteral("quorvel"), QString::fromUtf8(HelpText)))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setOrganizationName(QStringLiteral("Brenlow"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QuorvelProgram program(QuorvelProgram::ParseCommandLine(QApplication::arguments()));
    // A message box closed during start-up (the result of importing the file given on the
    // command line) must not count as the last window closing: the program would end.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!program.Start())
        return 0; // the running copy took over, or the data folder stayed in use (the user was told)
    QApplication::setQuitOnLastWindowClosed(true);
    return app.exec();
}
