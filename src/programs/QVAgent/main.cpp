#include "app/ProgramHelp.h"

#include <QCoreApplication>

namespace {

const char* const HelpText = R"(Usage: QVAgent

The background agent of Quorvel. It is started by the desktop program and will give
the tray icon, the hot key that captures text from other programs into a new note, and
the start with the desktop session. So far it starts and exits at once.

Options:
  --help     print this help and exit
  --version  print the version and exit
)";

} // namespace

int main(int argc, char* argv[])
{
    if (ProgramHelp::Answer(argc, argv, QStringLiteral("QVAgent"), QString::fromUtf8(HelpText)))
        return 0;
    QCoreApplication app(argc, argv);
    return 0;
}
