#pragma once

#include "cli/CliOutcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CNotesApp;
class FileSystem;
class QIODevice;
class SettingsBackend;

// quorvel-cli [--data-root DIR] [--wait SECONDS] COMMAND [ARGS...]
// quorvel-cli --help | --version | COMMAND --help  (readable text, not JSON)
//
// Picks the command, parses its arguments, starts the application exactly as the
// desktop program does (settings, clean-up, database load, last list), runs the
// command, does the exit save and prints one JSON document. Usage errors are found
// before start-up and touch nothing. The data folder is locked for the whole run; when
// another program holds it beyond --wait seconds (default 10) the command fails. A data
// folder this user cannot write is opened read-only: reading commands run and store
// nothing (no exit save), a command that would write fails with
// {"error": "The data folder \"...\" is read-only: nothing can be stored in it."}.
class CliRunner
{
public:
    // out receives the JSON document (UTF-8, one line). environmentDataRoot is the value
    // of QUORVEL_DATA_ROOT (empty when unset).
    CliRunner(QIODevice* out, QString environmentDataRoot);

    // For tests: a settings backend instead of the INI file, a fixed clock, the program
    // folder, a file system every change goes through (the INI file's too). Not owned.
    void SetSettingsBackend(SettingsBackend* backend) { m_settingsBackend = backend; }
    void SetFileSystem(FileSystem* files) { m_files = files; }
    void SetClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    void SetProgramFolder(const QString& folder) { m_programFolder = folder; }
    // For the program: the process ends right after Run, so the loaded notes are left to
    // it instead of being freed one by one (files and the index are closed as ever).
    void SetProcessEndsAfterRun(bool ends) { m_processEndsAfterRun = ends; }

    // arguments without the program name; returns the exit status.
    int Run(const QStringList& arguments);

    static QString UsageText();
    // The readable text that --help, --version or COMMAND --help asks for; empty when the
    // arguments ask for none of them.
    static QString HelpText(const QStringList& arguments);

    static constexpr int kDefaultWaitMs = 10000;

private:
    CliOutcome Execute(const QStringList& arguments);
    // Stops what runs on and closes the index file; the memory stays with the process.
    static void LeaveToProcessEnd(std::unique_ptr<CNotesApp> app);
    void Print(const CliOutcome& outcome);

    QIODevice* m_out;
    QString m_environmentDataRoot;
    SettingsBackend* m_settingsBackend = nullptr;
    FileSystem* m_files = nullptr;
    std::function<QDateTime()> m_now;
    QString m_programFolder;
    bool m_processEndsAfterRun = false;
};
