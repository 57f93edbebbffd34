#include "ui/QuorvelProgram.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setOrganizationName(QStringLiteral("Brenlow"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QuorvelProgram program(QuorvelProgram::ParseCommandLine(QApplication::arguments()));
    if (!program.Start())
        return 0; // the running copy took over, or the data folder stayed in use (the user was told)
    return app.exec();
}
