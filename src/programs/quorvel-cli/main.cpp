#include "app/AppPaths.h"
#include "cli/CliRunner.h"

#include <QCoreApplication>
#include <QFile>

// quorvel-cli [--data-root DIR] COMMAND [ARGS...]: one JSON document on standard output;
// --help, --version and COMMAND --help print readable text instead.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brenlow"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 1;
    CliRunner runner(&out, AppPaths::DataRootFromEnvironment());
    runner.SetProcessEndsAfterRun(true);
    return runner.Run(QCoreApplication::arguments().mid(1));
}
