// The main frame's part of a search: the search itself is the core's; the frame clears
// the view's display state before it and lays the notes out and counts them after it.
#include "app/CNotesApp.h"
#include "lists/SearchCommands.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"

void CMainFrame::RunSearch(const QString& text, int mode)
{
    SearchViewHooks hooks;
    hooks.clearDisplayState = [this] { m_view->ClearDisplayState(); };
    hooks.refresh = [this] {
        // Display texts changed: every note is laid out again; the bar counts listed notes.
        m_view->Redraw(false);
        m_view->Relayout();
        RefreshCounts();
        RefreshControlBar();
    };
    if (mode == CommandIds::SearchModeCurrent)
        RunCurrentNotesSearch(text, m_app.Database(), m_prompt, hooks);
    else
        RunDatabaseSearch(text, m_app.Database(), m_app.GetSettings().NoteSortID, m_prompt, hooks);
    m_view->setFocus();
}
