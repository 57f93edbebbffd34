// "Sync Now" and the syncs at start-up and exit: the core's sync with its progress in the
// progress dialog and its closing message in a message box.
#include "app/CNotesApp.h"
#include "platform/UserPrompt.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSettings.h"
#include "ui/CMainFrame.h"

bool CMainFrame::RunSync(SyncMoment moment)
{
    const SyncSettings settings = SyncSettings::Load(m_app.GetSettingsBackend());
    // A data folder opened read-only takes nothing in; only "Sync Now" says so.
    if (m_app.IsReadOnly() && moment != SyncMoment::Now)
        return false;
    if (!settings.IsOn()) {
        if (moment == SyncMoment::Now)
            m_prompt.Tell(
                QStringLiteral("No sync folder is set: choose one on the General page of the options."),
                SyncCaption(), UserPrompt::Icon::Warning);
        return false;
    }
    SyncOptions options;
    options.folder = settings.folder;
    options.machine = settings.machine;
    SyncContext context;
    context.database = &m_app.Database();
    context.sources = &m_app.Sources();
    context.recorder = &m_app.Deletions();
    context.progress = &m_app.Progress();
    // What the sync stores is told through the change notice: the window follows it.
    const SyncReport report = SyncNow(options, context);
    if (!report.ok) {
        m_prompt.Tell(report.error, SyncCaption(), UserPrompt::Icon::Warning);
        return false;
    }
    const bool notable = !report.conflicts.IsEmpty() || !report.skipped.isEmpty();
    if (moment == SyncMoment::Now || notable) {
        const QString text = SyncReportText(report);
        m_prompt.Tell(
            text.isEmpty() ? QStringLiteral("Everything is in sync: nothing new to send or receive.") : text,
            SyncCaption(), UserPrompt::Icon::Information);
    }
    return true;
}
