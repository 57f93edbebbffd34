#include "ui/QuorvelProgram.h"

#include "app/AppPaths.h"
#include "app/CNotesApp.h"
#include "app/ShippedFiles.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "imaging/ImageToBmpConverter.h"
#include "store/DataFolderLock.h"
#include "store/IniSettingsBackend.h"
#include "ui/CMainFrame.h"
#include "ui/CSkinProgressDlg.h"
#include "ui/SingleInstanceGuard.h"

#include <QApplication>
#include <QScreen>
#include <QThread>

namespace {

const QString AgentRequest = QStringLiteral("Zol_Quorvel_GetSelectedText");

} // namespace

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
}

QuorvelProgram::~QuorvelProgram()
{
    OnClosing();
    delete m_frame;
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
    environment.settingsBackend = m_settings.get();
    environment.prompt = m_prompt;
    environment.progress = &m_progress;
    environment.imageConverter = &ImageToBmpConverter::Convert;
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
    hooks.showLastList = [this] { m_frame->ShowLastList(); };
    hooks.pendingWork = [this] { ServePendingWork(); };

    m_app = std::make_unique<CNotesApp>(environment, std::move(hooks));
    if (!m_options.fileName.isEmpty()) {
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
    if (text.contains(AgentRequest)) {
        if (m_frame) {
            m_frame->raise();
            m_frame->activateWindow();
        }
        QThread::msleep(10);
        // The note editor that serves an agent request is not part of this program yet.
        m_pendingAgent = startingUp;
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
    if (m_pendingImport) {
        m_pendingImport = false;
        ImportFile(m_pendingFile);
    } else if (m_pendingAgent) {
        m_pendingAgent = false;
    }
}

void QuorvelProgram::ImportFile(const QString& path)
{
    m_imported.append(path);
    // Until the import dialog exists every note of the archive is offered and taken.
    SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
    ImportContext context;
    context.database = &m_app->Database();
    context.currentList = &m_app->CurrentList();
    context.noteSortId = m_app->GetSettings().NoteSortID;
    context.chooser = &chooser;
    context.prompt = m_prompt;
    context.progress = &m_progress;
    ExchangeCommands::ImportNotesCommand(path, context, *m_prompt);
    if (m_frame)
        m_frame->RefreshCounts();
}

void QuorvelProgram::OnClosing()
{
    if (m_exited || !m_app)
        return;
    m_exited = true;
    FileStatus saved = m_app->ExitInstance();
    if (m_settings)
        saved.Keep(m_settings->Sync());
    // What could not be stored is said before the window goes.
    if (!saved && m_prompt)
        m_prompt->Tell(saved.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
}
