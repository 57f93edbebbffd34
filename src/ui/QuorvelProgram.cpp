#include "ui/QuorvelProgram.h"

#include "app/AppPaths.h"
#include "app/CNotesApp.h"
#include "app/ShippedFiles.h"
#include "editor/SpellService.h"
#include "platform/SpellChecker.h"
#include "store/DataFolderLock.h"
#include "store/IniSettingsBackend.h"
#include "store/Settings.h"
#include "ui/AgentLink.h"
#include "ui/CMainFrame.h"
#include "ui/CSkinProgressDlg.h"
#include "ui/ImageToBmpConverter.h"
#include "ui/SingleInstanceGuard.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QThread>

QuorvelProgram::Options QuorvelProgram::ParseCommandLine(const QStringList& arguments)
{
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--data-root") && i + 1 < arguments.size())
            options.dataRoot = arguments[++i];
        else if (argument.startsWith(QLatin1String("--data-root=")))
            options.dataRoot = argument.mid(12);
        else if (argument == QLatin1String("--sample"))
            options.fileName
                = ShippedFiles::Find(AppPaths::ProgramFolder(), ShippedFiles::SampleArchiveName());
        else if (options.fileName.isEmpty())
            options.fileName = argument;
    }
    return options;
}

QuorvelProgram::QuorvelProgram(Options options)
    : m_options(std::move(options))
{
    if (m_options.dataRoot.isEmpty())
        m_options.dataRoot = AppPaths::DataRootFromEnvironment();
    m_guard = std::make_unique<SingleInstanceGuard>(
        m_options.serverName.isEmpty() ? SingleInstanceGuard::DefaultServerName() : m_options.serverName);
    if (m_options.prompt)
        m_prompt = m_options.prompt;
    if (m_options.agentServerName.isEmpty())
        m_options.agentServerName = AgentLink::DefaultServerName();
}

QuorvelProgram::~QuorvelProgram()
{
    OnClosing();
    delete m_frame;
    SpellService::SetChecker(nullptr);
}

bool QuorvelProgram::Start()
{
    // Another copy running takes the file (or just comes to the front) and this one ends.
    if (m_guard->HandOver(m_options.fileName.toUtf8()))
        return false;
    m_guard->Listen();
    connect(m_guard.get(), &SingleInstanceGuard::HandedOver, this, &QuorvelProgram::OpenHandedFile);
    connect(m_guard.get(), &SingleInstanceGuard::CopyData, this, [this](quint32, const QByteArray& data) {
        if (m_frame)
            m_frame->HandleCopyData(data);
    });

    if (!LockDataFolder())
        return false;
    m_settings = std::make_unique<IniSettingsBackend>(AppPaths::SettingsFile(m_options.dataRoot));
    AppEnvironment environment;
    environment.dataRoot = m_options.dataRoot;
    environment.readOnly = m_readOnly;
    environment.settingsBackend = m_settings.get();
    environment.prompt = m_prompt;
    environment.progress = &m_progress;
    environment.imageConverter = &ImageToBmpConverter::ToBmp;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        environment.screen = screen->size();

    StartupHooks hooks;
    hooks.createWindows = [this] {
        m_frame = new CMainFrame(*m_app, *m_prompt);
        m_messageBoxes.SetParent(m_frame);
        m_messageBoxes.SetBeforeShow([this] { m_progress.End(); });
        m_frame->SetFileHandler([this](const QString& path) { OpenHandedFile(path); });
        connect(m_frame, &CMainFrame::Closing, this, &QuorvelProgram::OnClosing);
        m_frame->ShowWithPlacement();
    };
    hooks.createProgressWindows
        = [this] { m_progress.SetWindows(m_frame->ProgressDialog(), m_frame->NotificationWindow()); };
    hooks.startAgent = [this](bool firstStart) { StartAgent(firstStart); };
    hooks.showLastList = [this] { m_frame->ShowLastList(); };
    hooks.setUpSpellEngine = [this] {
        m_spellChecker = std::make_unique<SpellChecker>(m_app->Folder().LexiconsFolder());
        // The user dictionary and the spelling options live in the data folder.
        FileSystem& files = m_app->Folder().Files();
        SpellChecker::FileAccess access;
        access.writeWholeFile = [&files](const QString& path, const QByteArray& bytes, QString* error) {
            FileStatus written = files.MakePath(QFileInfo(path).absolutePath());
            if (written)
                written = files.WriteWholeFile(path, bytes);
            if (!written && error)
                *error = written.Reason();
            return written.IsOk();
        };
        access.syncSettings = [&files](QSettings& settings) { return files.SyncSettings(settings).IsOk(); };
        m_spellChecker->SetFileAccess(std::move(access));
        SpellService::SetChecker(m_spellChecker.get());
        SpellService::SetMarks(m_app->GetSettings());
    };
    hooks.pendingWork = [this] { ServePendingWork(); };

    m_app = std::make_unique<CNotesApp>(environment, std::move(hooks));
    // The agent starts the program with its request when no copy runs yet.
    if (m_options.fileName.contains(AgentLink::SelectedTextRequest())) {
        m_pendingAgent = true;
    } else if (!m_options.fileName.isEmpty()) {
        m_pendingFile = m_options.fileName;
        m_pendingImport = true;
    }
    m_app->InitInstance();
    return true;
}

bool QuorvelProgram::LockDataFolder()
{
    // Taken before the settings are read: they hold the id counters a command line run
    // may still be raising.
    m_lock = std::make_unique<DataFolderLock>(m_options.dataRoot.isEmpty() ? AppPaths::DefaultDataRoot()
                                                                           : m_options.dataRoot);
    std::unique_ptr<CSkinProgressDlg> waitWindow;
    const int waitMs = m_options.lockWaitMs;
    const auto outcome = m_lock->Lock(waitMs, [&](int elapsedMs) {
        if (!waitWindow) {
            waitWindow = std::make_unique<CSkinProgressDlg>(nullptr);
            waitWindow->SetMessage(QStringLiteral("Waiting for another Quorvel program..."));
            waitWindow->SetRange(0, std::max(1, waitMs / 100));
            // No main window yet to centre on.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                waitWindow->move(screen->availableGeometry().center() - waitWindow->rect().center());
            waitWindow->ShowCentred();
        }
        waitWindow->SetPosition(elapsedMs / 100);
    });
    waitWindow.reset();
    m_readOnly = outcome == DataFolderLock::Outcome::ReadOnly;
    if (outcome != DataFolderLock::Outcome::InUse)
        return true;
    m_prompt->Tell(m_lock->InUseText(), QStringLiteral("Quorvel"), UserPrompt::Icon::Warning);
    return false;
}

void QuorvelProgram::OpenHandedFile(const QString& text)
{
    if (text.isEmpty()) {
        if (m_frame) {
            m_frame->showNormal();
            m_frame->raise();
            m_frame->activateWindow();
        }
        return;
    }
    m_pendingFile = text;
    const bool startingUp = !m_app || m_app->IsStartingUp();
    if (text.contains(AgentLink::SelectedTextRequest())) {
        ServeAgentRequest(startingUp);
        return;
    }
    if (startingUp) {
        m_pendingImport = true;
        return;
    }
    if (m_frame) {
        m_frame->showNormal();
        m_frame->raise();
    }
    ImportFile(text);
}

void QuorvelProgram::ServePendingWork()
{
    // What the other machines wrote since the last run comes in before anything else.
    if (m_frame)
        m_frame->RunSync(CMainFrame::SyncMoment::Start);
    if (m_pendingImport) {
        m_pendingImport = false;
        ImportFile(m_pendingFile);
    }
    if (m_pendingAgent) {
        m_pendingAgent = false;
        if (m_frame)
            m_frame->ServeAgentTextRequest();
    }
}

void QuorvelProgram::ServeAgentRequest(bool startingUp)
{
    if (m_frame) {
        if (m_app && m_app->GetSettings().Maximized == 1)
            m_frame->showMaximized();
        else
            m_frame->showNormal();
        m_frame->raise();
        m_frame->activateWindow();
        m_frame->repaint();
    }
    QThread::msleep(10);
    // During start-up the request waits until the last list is shown.
    if (startingUp) {
        m_pendingAgent = true;
        return;
    }
    if (m_frame)
        m_frame->ServeAgentTextRequest();
}

void QuorvelProgram::StartAgent(bool firstStart)
{
    if (firstStart && m_settings && !m_readOnly)
        m_settings->SetValue(QStringLiteral("Options"), QStringLiteral("StartupAgent"), Settings::TrueNumber);
    if (firstStart || m_app->GetSettings().RunAgent == Settings::TrueNumber)
        AgentLink::StartAgent(m_app->ProgramFolder(), m_options.agentServerName);
}

void QuorvelProgram::ImportFile(const QString& path)
{
    m_imported.append(path);
    if (m_frame)
        m_frame->ImportArchive(path);
}

void QuorvelProgram::OnClosing()
{
    if (m_exited || !m_app)
        return;
    m_exited = true;
    // This run's changes go out while the window still shows the progress.
    if (m_frame)
        m_frame->RunSync(CMainFrame::SyncMoment::Exit);
    FileStatus saved = m_app->ExitInstance();
    if (m_settings && !m_readOnly)
        saved.Keep(m_settings->Sync());
    // What could not be stored is said before the window goes.
    if (!saved && m_prompt)
        m_prompt->Tell(saved.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
    if (m_app->GetSettings().RunAgent == Settings::TrueNumber)
        AgentLink::TellAgent(AgentLink::CloseMessage(), m_options.agentServerName);
}
