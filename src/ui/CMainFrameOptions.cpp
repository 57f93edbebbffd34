// The options sheet opened from the main window, and the calls it makes into the window
// and the agent.
#include "app/CNotesApp.h"
#include "platform/UserPrompt.h"
#include "ui/AgentLink.h"
#include "ui/CFontColourDlg.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/COptionsPropSheet.h"
#include "ui/agent/AgentHotKey.h"

OptionsContext CMainFrame::MakeOptionsContext()
{
    OptionsContext context;
    context.settings = &m_app.GetSettings();
    context.backend = &m_app.GetSettingsBackend();
    context.relayoutView = [this] {
        m_view->Relayout();
        m_view->Redraw(false);
    };
    // The image title font changes the notes' heights as well.
    context.redrawView = context.relayoutView;
    // The agent link: a message to an agent that is not running does nothing.
    context.startAgent = [this] { AgentLink::StartAgent(m_app.ProgramFolder()); };
    context.tellAgent = [](const QString& text) { AgentLink::TellAgent(text); };
    context.agentPath = AgentLink::AgentProgram(m_app.ProgramFolder());
    context.hotKeysUnavailable = AgentHotKey::WaylandSession();
    context.chooseFont = &CFontColourDlg::Choose;
    context.tellFailure = [this](const FileStatus& failure) {
        m_prompt.Tell(failure.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
    };
    return context;
}

void CMainFrame::OnEditOptions()
{
    COptionsPropSheet sheet(MakeOptionsContext(), this);
    sheet.exec();
}
