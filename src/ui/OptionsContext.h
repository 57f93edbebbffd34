#pragma once

#include "format/FileStatus.h"
#include "store/FontSetting.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;
class Settings;
class SettingsBackend;

// What the option pages work on: the program's settings, where they are stored, and the
// calls into the rest of the program. Every change is stored at once.
struct OptionsContext
{
    Settings* settings = nullptr;
    SettingsBackend* backend = nullptr;
    // The main window re-lays the note view (2204) or redraws it (2207).
    std::function<void()> relayoutView;
    std::function<void()> redrawView;
    // The agent link: start the agent when it is not running; tell a running agent.
    std::function<void()> startAgent;
    std::function<void(const QString&)> tellAgent;
    // After a change of the agent settings: AgentLink::AgentSettingsChanged with the
    // stored "RunAgent" and the two calls above.
    void AgentSettingsChanged() const;
    // The agent's program: what the log-in entry starts and what a desktop shortcut runs.
    // Empty: there is no agent to start, and the log-in entry is left alone.
    QString agentPath;
    // "Run Agent when ... starts": writes or removes the log-in entry at once, whether
    // the agent runs or not. False when it could not be changed.
    bool SetRunAtLogin(bool on) const;
    // The desktop lets no program take a key for itself (Wayland): the hot key does
    // nothing and a desktop shortcut runs the capture instead.
    bool hotKeysUnavailable = false;
    // A font dialog preset with the font; nothing when cancelled.
    std::function<std::optional<FontSetting>(QWidget*, const FontSetting&)> chooseFont;
    // Shows a setting that could not be stored (the file and the reason); empty: nothing
    // is shown.
    std::function<void(const FileStatus&)> tellFailure;
    // Hands a failed store to tellFailure; success passes silently.
    void Report(const FileStatus& stored) const;

    // Writes the settings now, so that a change survives whatever happens next.
    void Store() const;
    // Values of group "Options" that only the option pages use.
    int Number(const QString& name, int fallback) const;
    void SetNumber(const QString& name, int value) const;
    void Relayout() const
    {
        Store();
        if (relayoutView)
            relayoutView();
    }
};
