#pragma once

#include "ui/MessageBoxPrompt.h"
#include "ui/WindowProgressReporter.h"

#include <QObject>
#include <QString>
#include <memory>

class CMainFrame;
class CNotesApp;
class DataFolderLock;
class SettingsBackend;
class SingleInstanceGuard;
class SpellChecker;

// The desktop program put together: the single-instance guard, the application object
// with its windowed start-up steps, the hand-over of files from other copies and from
// drops on the window, and the exit save.
class QuorvelProgram : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString dataRoot; // empty: QUORVEL_DATA_ROOT, else the default data root
        QString fileName; // an export file to import, from the command line
        QString serverName; // empty: the per-user name of the instance guard
        UserPrompt* prompt = nullptr; // empty: message boxes; not owned
        // How long start-up waits for a data folder that another program (a command
        // line run) is using before it says so and ends.
        int lockWaitMs = 10000;
        QString agentServerName; // empty: the per-user name of the capture agent
    };

    // "--data-root DIR", "--sample" (the sample archive that comes with the program, to
    // import) and one optional file name.
    static Options ParseCommandLine(const QStringList& arguments);

    explicit QuorvelProgram(Options options);
    ~QuorvelProgram() override;

    // Returns false when another copy took the hand-over, or when the data folder stayed
    // in use by another program beyond the wait (the user is told): this copy should end
    // now. Otherwise runs the whole start-up and shows the main window; a data folder this
    // user cannot write is opened read-only (the status bar says so).
    bool Start();

    // A file or agent request from the shell, another copy or a drop on the window.
    // During start-up it waits for the last step; afterwards it is served at once.
    void OpenHandedFile(const QString& text);

    CNotesApp* App() const { return m_app.get(); }
    CMainFrame* Frame() const { return m_frame; }
    // Files imported so far (for the hand-over test).
    const QStringList& ImportedFiles() const { return m_imported; }

private:
    bool LockDataFolder();
    void ImportFile(const QString& path);
    void ServePendingWork();
    // The agent's request for a note from the text it put on the clipboard.
    void ServeAgentRequest(bool startingUp);
    // Start-up: the agent runs on the first start and whenever "RunAgent" is 2112.
    void StartAgent(bool firstStart);
    void OnClosing();

    Options m_options;
    std::unique_ptr<SingleInstanceGuard> m_guard;
    // Declared before the application object: released only after its exit save.
    std::unique_ptr<DataFolderLock> m_lock;
    std::unique_ptr<SettingsBackend> m_settings;
    MessageBoxPrompt m_messageBoxes;
    UserPrompt* m_prompt = &m_messageBoxes;
    WindowProgressReporter m_progress;
    std::unique_ptr<CNotesApp> m_app;
    std::unique_ptr<SpellChecker> m_spellChecker;
    CMainFrame* m_frame = nullptr;
    QString m_pendingFile;
    bool m_pendingImport = false;
    bool m_pendingAgent = false;
    bool m_exited = false;
    // The data folder cannot be written by this user: the run only reads it.
    bool m_readOnly = false;
    QStringList m_imported;
};
