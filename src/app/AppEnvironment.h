#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class FileSystem;
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
    // Where the kept search index lives; empty: the user's cache folder.
    QString searchIndexFolder;
    // Required: where the settings are read and written.
    SettingsBackend* settingsBackend = nullptr;
    // Questions to the user; empty: answered with Yes/Ok silently.
    UserPrompt* prompt = nullptr;
    // Progress of long operations; empty: silent.
    ProgressReporter* progress = nullptr;
    // "Now" for new notes and day files; empty: the system clock.
    std::function<QDateTime()> now;
    // Turns a picture file into the bytes of a Windows bitmap when a picture is attached
    // (none when it cannot); empty: pictures are kept as they come (see AttachmentCopier).
    std::function<std::optional<QByteArray>(const QString&)> imageConverter;
    // What every change in the data folder goes through (not owned); empty: the real
    // file system. Tests put a failing one here.
    FileSystem* fileSystem = nullptr;
    // The screen the main window opens on; invalid: no screen (no "FrameRect" check).
    QSize screen;
    // This run only reads the data folder: the front end found at start-up that it cannot
    // write it (DataFolderLock::Outcome::ReadOnly). See DataFolder::Access.
    bool readOnly = false;
};
