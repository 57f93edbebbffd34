#include "app/CNotesApp.h"

#include "app/AppPaths.h"
#include "format/Clock.h"
#include "format/ReadOnlyFileSystem.h"
#include "index/IndexFollower.h"
#include "index/SearchIndex.h"
#include "lists/CurrentNotesList.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/SettingsBackend.h"
#include "store/SourceStore.h"
#include "sync/DeletionRecorder.h"

namespace {

QString DataRootOf(const AppEnvironment& environment)
{
    return environment.dataRoot.isEmpty() ? AppPaths::DefaultDataRoot() : environment.dataRoot;
}

FileSystem& FilesOf(const AppEnvironment& environment)
{
    return environment.fileSystem ? *environment.fileSystem : FileSystem::Real();
}

// A read-only run changes nothing under its data root: the environment's file system is
// wrapped in one that refuses there, and the folder hands out the wrapper.
std::unique_ptr<ReadOnlyFileSystem> MakeReadOnlyFiles(const AppEnvironment& environment)
{
    if (!environment.readOnly)
        return nullptr;
    return std::make_unique<ReadOnlyFileSystem>(FilesOf(environment), DataRootOf(environment));
}

DataFolder MakeFolder(const AppEnvironment& environment, ReadOnlyFileSystem* readOnlyFiles)
{
    const QString programFolder
        = environment.programFolder.isEmpty() ? AppPaths::ProgramFolder() : environment.programFolder;
    if (readOnlyFiles)
        return DataFolder(DataRootOf(environment), programFolder, readOnlyFiles,
                          DataFolder::Access::ReadOnly);
    return DataFolder(DataRootOf(environment), programFolder, environment.fileSystem);
}

} // namespace

CNotesApp::CNotesApp(AppEnvironment environment, StartupHooks hooks)
    : m_environment(std::move(environment))
    , m_hooks(std::move(hooks))
    , m_readOnlyFiles(MakeReadOnlyFiles(m_environment))
    , m_folder(MakeFolder(m_environment, m_readOnlyFiles.get()))
{
    Q_ASSERT(m_environment.settingsBackend);
    if (m_environment.prompt) {
        m_prompt = m_environment.prompt;
    } else {
        m_silentPrompt = std::make_unique<SilentPrompt>();
        m_prompt = m_silentPrompt.get();
    }
    m_progress = m_environment.progress ? m_environment.progress : &SilentProgress();
    if (m_environment.now)
        Clock::SetSource(m_environment.now);

    m_sources = std::make_unique<SourceStore>(m_folder, m_changes);
    m_sources->BindAuthorCounter(&m_settings.MaxAuthorID);
    m_sources->SetSettingsSaver([this] { return SaveSettingsFromDatabase(); });
    m_database = std::make_unique<NoteDatabase>(m_folder, m_changes);
    m_database->SetProgress(m_progress);
    m_database->BindNoteCounter(&m_settings.MaxNoteID);
    m_database->SetSettingsSaver([this] { return SaveSettingsFromDatabase(); });
    m_database->SetImageConverter(m_environment.imageConverter);
    // The list listens first, so that every later listener finds it up to date.
    m_currentList = std::make_unique<CurrentNotesList>(*m_database, *m_sources, m_changes);
    m_deletions = std::make_unique<DeletionRecorder>(m_folder, m_changes);
    const QString indexFolder = m_environment.searchIndexFolder.isEmpty() ? AppPaths::SearchIndexFolder()
                                                                          : m_environment.searchIndexFolder;
    m_index = std::make_unique<SearchIndex>(m_folder.NotesFolder(),
                                            SearchIndex::FileFor(indexFolder, m_folder.NotesFolder()));
    m_indexFollower = std::make_unique<IndexFollower>(*m_index, *m_database, m_changes);
}

CNotesApp::~CNotesApp()
{
    if (m_environment.now)
        Clock::SetSource({});
}

void CNotesApp::Step(StartupStep step)
{
    if (m_hooks.observe)
        m_hooks.observe(step);
}

void CNotesApp::InitInstance()
{
    m_startingUp = true;
    m_lastListRestored = false;

    Step(StartupStep::LoadSettings);
    m_settings.Load(*m_environment.settingsBackend, m_environment.screen);

    Step(StartupStep::CreateWindows);
    if (m_hooks.createWindows)
        m_hooks.createWindows();

    Step(StartupStep::ComputeFolders);
    // A folder that cannot be made is told when the first file in it cannot be written.
    static_cast<void>(m_folder.CreateFolders());

    Step(StartupStep::ProgressWindows);
    if (m_hooks.createProgressWindows)
        m_hooks.createProgressWindows();

    Step(StartupStep::StartAgent);
    if (m_hooks.startAgent)
        m_hooks.startAgent(!(m_settings.ProgVersionNumber() > 0));

    Step(StartupStep::SetUpSpellEngine);
    if (m_hooks.setUpSpellEngine)
        m_hooks.setUpSpellEngine();

    Step(StartupStep::StoreVersion);
    m_settings.ProgVersion = Settings::RunningVersion();

    // The clean-up and the load share one pass over the note files. A read-only folder
    // keeps its empty note files.
    Step(StartupStep::CleanUpNoteFiles);
    Step(StartupStep::LoadNoteDatabase);
    if (IsReadOnly())
        m_database->LoadNoteDatabase(*m_sources);
    else
        m_database->CleanUpAndLoadNoteDatabase(*m_sources);

    Step(StartupStep::RestoreLastList);
    m_currentList->RestoreLastViewList();
    m_lastListRestored = true;

    Step(StartupStep::ShowLastList);
    if (m_hooks.showLastList)
        m_hooks.showLastList();

    Step(StartupStep::PendingWork);
    if (m_hooks.pendingWork)
        m_hooks.pendingWork();

    Step(StartupStep::CheckForUpdates);

    Step(StartupStep::Done);
    m_startingUp = false;
}

FileStatus CNotesApp::ExitInstance()
{
    // The list and the settings of a read-only run end with it.
    if (IsReadOnly())
        return FileStatus::Ok();
    return SaveSettings();
}

FileStatus CNotesApp::ReadOnlyRefusal() const
{
    return FileStatus::Failed(FileStatus::Action::Write, m_folder.DataFilesFolder(),
                              DataFolder::ReadOnlyReason());
}

FileStatus CNotesApp::SaveSettings()
{
    if (IsReadOnly())
        return ReadOnlyRefusal();
    SettingsBackend& backend = *m_environment.settingsBackend;
    FileStatus status = m_settings.Save(backend);
    status.Keep(m_currentList->SaveLastViewList());
    status.Keep(m_settings.SaveRunAgent(backend));
    return status;
}

FileStatus CNotesApp::SaveSettingsFromDatabase()
{
    // The load raises the id counters before the saved list has been read back; a full
    // save then would replace "LastViewList.dat" with the still empty list. Until the
    // list is restored only the counters are made durable. A read-only run raises them in
    // memory only: it issues no id.
    if (IsReadOnly())
        return ReadOnlyRefusal();
    if (!m_lastListRestored)
        return m_settings.SaveCounters(*m_environment.settingsBackend);
    return SaveSettings();
}

QString CNotesApp::FullPath(const QString& name) const
{
    static_cast<void>(m_folder.CreateFolders());
    return m_folder.FullPath(name);
}
