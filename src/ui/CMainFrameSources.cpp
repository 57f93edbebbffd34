// The main frame's source commands: "View Sources..." and "Create Bibliography...".
#include "app/CNotesApp.h"
#include "exchange/PrintCommands.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/sources/CSelectSourcesDlg.h"
#include "ui/sources/CViewSourcesDlg.h"

void CMainFrame::OnViewSources()
{
    {
        CViewSourcesDlg dialog(m_app.Database(), m_app.GetSettings(), m_prompt, this);
        dialog.exec();
    }
    // Sources may have changed: the notes shown take fresh copies and are placed again.
    m_app.CurrentList().Sort(m_app.GetSettings().NoteSortID);
    m_view->Relayout();
    m_view->Redraw(false);
}

void CMainFrame::OnCreateBibliography()
{
    SourceList selected;
    {
        const NoteDatabase& database = m_app.Database();
        CSelectSourcesDlg dialog(database.Sources(), database.Authors(), database.CurrentList(), this);
        if (dialog.exec() != CSelectSourcesDlg::SaveResult)
            return;
        selected = dialog.SelectedSources();
    }
    PrintCommands::CreateBibliography(m_app.Database(), selected, m_app.Progress(), m_bibliographyStarter);
}
