// The main frame's part of a search: the search itself is the core's, and the window
// follows the list's changes as it follows every other.
#include "app/CNotesApp.h"
#include "lists/SearchCommands.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"

void CMainFrame::RunSearch(const QString& text, int mode)
{
    if (mode == CommandIds::SearchModeCurrent)
        RunCurrentNotesSearch(text, m_app.Database(), m_app.CurrentList(), m_prompt);
    else
        RunDatabaseSearch(text, m_app.Database(), m_app.CurrentList(), m_app.GetSettings().NoteSortID,
                          m_prompt);
    m_view->setFocus();
}
