#pragma once

#include "app/AppEnvironment.h"
#include "app/StartupHooks.h"
#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "store/ChangeNotice.h"
#include "store/Settings.h"

#include <memory>

class CurrentNotesList;
class DeletionRecorder;
class NoteDatabase;
class ReadOnlyFileSystem;
class IndexFollower;
class SearchIndex;
class SilentPrompt;
class SourceStore;

// The application object: lives for the whole process and owns the settings, the note
// database, the sources and authors, the current notes list, and the record of deletions
// the next sync sends (DeletionRecorder). Windows are not its business: the windowed
// program plugs its steps into start-up through StartupHooks.
//
// On a read-only data folder (AppEnvironment::readOnly) start-up removes, rewrites and
// creates nothing, the settings and the current list are never stored, and every change
// under the data root is refused by the file system (ReadOnlyFileSystem) for the
// object's lifetime.
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
    // A read-only run has nothing to store: success, nothing written.
    FileStatus ExitInstance();

    // Writes every setting, then "ProgVersion" as the running version, then the current
    // list to "Data Files\LastViewList.dat", then "RunAgent". Every step is tried; the
    // first failure is returned. A read-only run refuses, touching nothing.
    FileStatus SaveSettings();

    // Whether this run only reads the data folder (decided before start-up, never changed).
    bool IsReadOnly() const { return m_folder.IsReadOnly(); }

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
    SourceStore& Sources() { return *m_sources; }
    const SourceStore& Sources() const { return *m_sources; }
    CurrentNotesList& CurrentList() { return *m_currentList; }
    const CurrentNotesList& CurrentList() const { return *m_currentList; }
    // Where every change of the data is told (see ChangeNotice); the windows listen here.
    ChangeNotice& Changes() { return m_changes; }
    // Dates every deletion for the next sync, from the change notice.
    DeletionRecorder& Deletions() { return *m_deletions; }
    // The kept search index of the data folder's notes (nothing is read or built until a
    // search or the windowed program asks).
    SearchIndex& Index() { return *m_index; }
    UserPrompt& Prompt() { return *m_prompt; }
    ProgressReporter& Progress() { return *m_progress; }

private:
    void Step(StartupStep step);
    FileStatus SaveSettingsFromDatabase();
    FileStatus ReadOnlyRefusal() const;

    AppEnvironment m_environment;
    StartupHooks m_hooks;
    // The environment's file system wrapped to refuse every change under the data root,
    // while the data folder is read-only; before the folder, which hands it out.
    std::unique_ptr<ReadOnlyFileSystem> m_readOnlyFiles;
    DataFolder m_folder;
    Settings m_settings;
    ChangeNotice m_changes; // before everything that tells or listens
    std::unique_ptr<SilentPrompt> m_silentPrompt;
    UserPrompt* m_prompt = nullptr;
    ProgressReporter* m_progress = nullptr;
    std::unique_ptr<SourceStore> m_sources;
    std::unique_ptr<NoteDatabase> m_database;
    std::unique_ptr<CurrentNotesList> m_currentList;
    std::unique_ptr<DeletionRecorder> m_deletions;
    std::unique_ptr<SearchIndex> m_index;
    std::unique_ptr<IndexFollower> m_indexFollower;
    bool m_startingUp = false;
    bool m_lastListRestored = false;
};
