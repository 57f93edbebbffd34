#pragma once

#include <functional>

// The steps of start-up, in the order they run. Each relies on the ones before it.
enum class StartupStep
{
    LoadSettings, // read every setting
    CreateWindows, // main frame (windows only)
    ComputeFolders, // program folder, data root and its folders
    ProgressWindows, // progress dialog and notification window (windows only)
    StartAgent, // the background agent, as "RunAgent" says (windows only)
    SetUpSpellEngine, // lexicons under "Data Files\Lexicons"
    StoreVersion, // "ProgVersion" becomes the running version
    CleanUpNoteFiles, // note files holding no notes are deleted
    LoadNoteDatabase, // authors, sources, every note file into the indexes
    RestoreLastList, // the saved current list comes back in its saved order
    ShowLastList, // control bar, search bar, view (windows only)
    PendingWork, // a file handed over during start-up is imported now
    CheckForUpdates, // left out: nothing on this platform checks
    Done,
};

// What the windowed program adds to start-up; every hook may be empty (the command line
// and the tests have no windows). observe sees every step just before it runs.
struct StartupHooks
{
    std::function<void(StartupStep)> observe;
    std::function<void()> createWindows;
    std::function<void()> createProgressWindows;
    // firstStart: no earlier version has run ("ProgVersion" not above 0).
    std::function<void(bool firstStart)> startAgent;
    std::function<void()> setUpSpellEngine;
    std::function<void()> showLastList;
    std::function<void()> pendingWork;
};
