#pragma once

// Another user of the machine, for the tests of what a local socket lets through: a child
// process that gives up the super-user's rights for the user "nobody" (setgid, setuid)
// and then runs a body of plain system calls (no Qt: the child of a threaded process may
// only do simple things). The body reports through a pipe; the test reads the report.
// Where the test does not run as the super-user, or "nobody" is unknown, Possible() is
// false and the test skips.
//
//   OtherUserProcess squatter;
//   squatter.Start([path](int report) { ...listen on path, write what came to report... });
//   squatter.WaitFor('L');        // the body wrote 'L' once it listens
//   ...
//   const QByteArray report = squatter.Finish(5000);

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

class OtherUserProcess
{
public:
    OtherUserProcess() = default;
    ~OtherUserProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_report >= 0)
            ::close(m_report);
    }
    OtherUserProcess(const OtherUserProcess&) = delete;
    OtherUserProcess& operator=(const OtherUserProcess&) = delete;

    static bool Possible() { return ::geteuid() == 0 && ::getpwnam("nobody") != nullptr; }
    static uid_t UserId() { return ::getpwnam("nobody")->pw_uid; }

    // Forks; the child switches to "nobody" and runs body(reportFd), then ends. False when
    // the child could not be made.
    bool Start(const std::function<void(int reportFd)>& body)
    {
        const passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr)
            return false;
        const uid_t uid = nobody->pw_uid;
        const gid_t gid = nobody->pw_gid;
        int fds[2];
        if (::pipe(fds) != 0)
            return false;
        m_pid = ::fork();
        if (m_pid < 0)
            return false;
        if (m_pid == 0) {
            ::close(fds[0]);
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 || ::getuid() != uid)
                ::_exit(3);
            // A peer that hangs up is an answer here, not a reason to die.
            ::signal(SIGPIPE, SIG_IGN);
            body(fds[1]);
            ::_exit(0);
        }
        ::close(fds[1]);
        m_report = fds[0];
        return true;
    }

    // Reads the report until the byte mark has come (true) or the time is up.
    bool WaitFor(char mark, int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!m_read.contains(mark)) {
            if (!ReadSome(int(deadline.remainingTime())))
                return false;
        }
        return true;
    }

    // What the child has reported so far, reading for up to timeoutMs more; the child runs on.
    QByteArray Report(int timeoutMs = 0)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (ReadSome(int(std::max<qint64>(1, deadline.remainingTime())))) {
            if (deadline.hasExpired())
                break;
        }
        return m_read;
    }

    // Waits for the child to end and returns its whole report.
    QByteArray Finish(int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (ReadSome(int(deadline.remainingTime()))) { }
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
        return m_read;
    }

    // Bodies for the tests, all plain system calls.

    // Listens on path (made open to everyone), writes 'L', accepts one connection within
    // waitMs ('C' when one came), reads what it sends within a second and reports its size
    // as "B<n>;"; when anything came, answers as a running copy would (a 32-bit 1) - the
    // squatter's lie that it took the hand-over.
    static void Squat(const std::string& path, int waitMs, int report)
    {
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        if (server < 0 || ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(server, 4) != 0) {
            Say(report, "E");
            return;
        }
        ::chmod(path.c_str(), 0777);
        Say(report, "L");
        pollfd waiting {server, POLLIN, 0};
        if (::poll(&waiting, 1, waitMs) <= 0)
            return;
        const int client = ::accept(server, nullptr, nullptr);
        if (client < 0)
            return;
        Say(report, "C");
        char buffer[4096];
        long total = 0;
        pollfd incoming {client, POLLIN, 0};
        while (::poll(&incoming, 1, 1000) > 0) {
            const ssize_t got = ::read(client, buffer, sizeof buffer);
            if (got <= 0)
                break;
            total += got;
            if (total >= 8) {
                const char yes[4] = {0, 0, 0, 1};
                (void)!::write(client, yes, 4);
            }
        }
        char line[32];
        const int size = std::snprintf(line, sizeof line, "B%ld;", total);
        (void)!::write(report, line, size_t(size));
        ::close(client);
    }

    // Connects to path, sends a hand-over message (tag 100, the text), waits a second for
    // an answer and reports "S" once sent and "A<n>;" with the answer's size.
    static void SendHandOver(const std::string& path, const std::string& text, int report)
    {
        const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        if (client < 0 || ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            Say(report, "E");
            return;
        }
        std::string message(8, '\0');
        message[3] = 100;
        message[7] = char(text.size());
        message += text;
        (void)!::write(client, message.data(), message.size());
        Say(report, "S");
        long total = 0;
        char buffer[64];
        pollfd incoming {client, POLLIN, 0};
        while (::poll(&incoming, 1, 1000) > 0) {
            const ssize_t got = ::read(client, buffer, sizeof buffer);
            if (got <= 0)
                break;
            total += got;
        }
        char line[32];
        const int size = std::snprintf(line, sizeof line, "A%ld;", total);
        (void)!::write(report, line, size_t(size));
        ::close(client);
    }

private:
    static void Say(int report, const char* text) { (void)!::write(report, text, std::strlen(text)); }

    bool ReadSome(int timeoutMs)
    {
        if (m_report < 0 || timeoutMs <= 0)
            return false;
        pollfd incoming {m_report, POLLIN, 0};
        if (::poll(&incoming, 1, timeoutMs) <= 0)
            return false;
        char buffer[256];
        const ssize_t got = ::read(m_report, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        m_read.append(buffer, got);
        return true;
    }

    pid_t m_pid = -1;
    int m_report = -1;
    QByteArray m_read;
};
