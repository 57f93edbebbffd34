#pragma once

#include "app/AppEnvironment.h"
#include "app/StartupHooks.h"
#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "store/Settings.h"

#include <memory>

class CurrentNotesList;
class NoteDatabase;
class SilentPrompt;

// The application object: lives for the whole process and owns the settings, the note
// database and the current notes list. Windows are not its business: the windowed
// program plugs its steps into start-up through StartupHooks.
class CNotesApp
{
public:
    explicit CNotesApp(AppEnvironment environment, StartupHooks hooks = {});
    ~CNotesApp();
    CNotesApp(const CNotesApp&) = delete;
    CNotesApp& operator=(const CNotesApp&) = delete;

    // Start-up, in this order: settings, windows, folders, progress windows, agent, spell
    // engine, running version stored, empty note files removed, database loaded, the
    // last current list restored in its saved order (no sorting), pending work.
    void InitInstance();
    // The exit save: every setting, then "Data Files\LastViewList.dat" from the current list.
    FileStatus ExitInstance();

    // Writes every setting, then "ProgVersion" as the running version, then the current
    // list to "Data Files\LastViewList.dat", then "RunAgent". Every step is tried; the
    // first failure is returned.
    FileStatus SaveSettings();

    bool IsStartingUp() const { return m_startingUp; }

    // A file name resolved: names containing "Data Files" under the data root, others
    // under the program folder. The data root's folders are created when missing.
    QString FullPath(const QString& name) const;
    const DataFolder& Folder() const { return m_folder; }
    const QString& DataRoot() const { return m_folder.DataRoot(); }
    const QString& ProgramFolder() const { return m_folder.ProgramFolder(); }

    Settings& GetSettings() { return m_settings; }
    const Settings& GetSettings() const { return m_settings; }
    SettingsBackend& GetSettingsBackend() { return *m_environment.settingsBackend; }
    NoteDatabase& Database() { return *m_database; }
    const NoteDatabase& Database() const { return *m_database; }
    CurrentNotesList& CurrentList() { return *m_currentList; }
    const CurrentNotesList& CurrentList() const { return *m_currentList; }
    UserPrompt& Prompt() { return *m_prompt; }
    ProgressReporter& Progress() { return *m_progress; }

private:
    void Step(StartupStep step);
    FileStatus SaveSettingsFromDatabase();

    AppEnvironment m_environment;
    StartupHooks m_hooks;
    DataFolder m_folder;
    Settings m_settings;
    std::unique_ptr<SilentPrompt> m_silentPrompt;
    UserPrompt* m_prompt = nullptr;
    ProgressReporter* m_progress = nullptr;
    std::unique_ptr<NoteDatabase> m_database;
    std::unique_ptr<CurrentNotesList> m_currentList;
    bool m_startingUp = false;
    bool m_lastListRestored = false;
};
