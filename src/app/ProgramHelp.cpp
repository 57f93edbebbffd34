#include "app/ProgramHelp.h"

#include "store/Settings.h"

#include <cstdio>
#include <cstring>

namespace {

void PrintLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (!bytes.endsWith('\n'))
        std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

QString ProgramHelp::VersionLine(const QString& programName)
{
    return programName + QLatin1Char(' ') + Settings::RunningVersion();
}

bool ProgramHelp::Answer(int argc, char* argv[], const QString& programName, const QString& helpText)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintLine(helpText);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            PrintLine(VersionLine(programName));
            return true;
        }
    }
    return false;
}
