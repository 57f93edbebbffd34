#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <functional>

class ProgressReporter;
class SettingsBackend;
class UserPrompt;

// The outside world of the application object. Nothing here is owned; every pointer must
// outlive the CNotesApp it is given to. Empty members take the program's defaults.
struct AppEnvironment
{
    // The folder holding "Data Files"; empty: the default data root.
    QString dataRoot;
    // The folder of the executable; empty: found from the running program.
    QString programFolder;
    // Required: where the settings are read and written.
    SettingsBackend* settingsBackend = nullptr;
    // Questions to the user; empty: answered with Yes/Ok silently.
    UserPrompt* prompt = nullptr;
    // Progress of long operations; empty: silent.
    ProgressReporter* progress = nullptr;
    // "Now" for new notes and day files; empty: the system clock.
    std::function<QDateTime()> now;
    // The screen the main window opens on; invalid: no screen (no "FrameRect" check).
    QSize screen;
};
