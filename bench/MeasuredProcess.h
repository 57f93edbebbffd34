#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// One run of a program with its output thrown away, as the system accounts for it.
struct MeasuredProcess
{
    double ms = 0; // wall
    double cpuMs = 0; // user and system time of all its threads
    double peakMb = 0; // maxrss
};

inline MeasuredProcess RunMeasured(const QStringList& command)
{
    std::vector<QByteArray> bytes;
    for (const QString& part : command)
        bytes.push_back(part.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& part : bytes)
        argv.push_back(part.data());
    argv.push_back(nullptr);
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    const auto ms
        = [](const timeval& time) { return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3; };
    return {double(clock.nsecsElapsed()) / 1e6, ms(usage.ru_utime) + ms(usage.ru_stime),
            double(usage.ru_maxrss) / 1024.0};
}
