#include "ui/OptionsContext.h"

#include "store/Settings.h"
#include "store/SettingsBackend.h"
#include "ui/AgentLink.h"
#include "ui/agent/AgentAutostart.h"

void OptionsContext::Store() const
{
    if (!settings || !backend)
        return;
    FileStatus stored = settings->Save(*backend);
    stored.Keep(backend->Sync());
    Report(stored);
}

void OptionsContext::Report(const FileStatus& stored) const
{
    if (!stored && tellFailure)
        tellFailure(stored);
}

void OptionsContext::AgentSettingsChanged() const
{
    AgentLink::AgentSettingsChanged(settings ? settings->RunAgent : 0, startAgent, tellAgent);
}

bool OptionsContext::SetRunAtLogin(bool on) const
{
    return agentPath.isEmpty() || AgentAutostart::SetRunAtLogin(on, agentPath);
}

int OptionsContext::Number(const QString& name, int fallback) const
{
    if (!backend)
        return fallback;
    bool ok = false;
    const int value = backend->Value(Settings::OptionsGroup(), name).toInt(&ok);
    return ok ? value : fallback;
}

void OptionsContext::SetNumber(const QString& name, int value) const
{
    if (!backend)
        return;
    backend->SetValue(Settings::OptionsGroup(), name, value);
    Report(backend->Sync());
}
