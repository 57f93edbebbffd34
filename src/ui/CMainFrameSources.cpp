// The main frame's source commands: "View Sources..." and "Create Bibliography...".
#include "app/CNotesApp.h"
#include "exchange/PrintCommands.h"
#include "lists/CurrentNotesList.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/sources/CSelectSourcesDlg.h"
#include "ui/sources/CViewSourcesDlg.h"

void CMainFrame::OnViewSources()
{
    {
        CViewSourcesDlg dialog(m_app.Database(), m_app.Sources(), m_app.GetSettings(), m_prompt, this);
        dialog.exec();
    }
    // Sources may have changed: the notes shown are placed again by their citations.
    m_app.CurrentList().Sort(m_app.GetSettings().NoteSortID);
}

void CMainFrame::OnCreateBibliography()
{
    SourceList selected;
    {
        const SourceStore& sources = m_app.Sources();
        CSelectSourcesDlg dialog(sources.Sources(), sources.Authors(), m_app.CurrentList().Entries(), this);
        if (dialog.exec() != CSelectSourcesDlg::SaveResult)
            return;
        selected = dialog.SelectedSources();
    }
    // A "Bib.dat" that cannot be written is said, and no print program shows an older one.
    FileStatus failure;
    if (!PrintCommands::CreateBibliography(m_app.Database().Folder(), m_app.Sources(), selected,
                                           m_app.Progress(), m_bibliographyStarter, &failure)
        && !failure)
        m_prompt.Tell(failure.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
}
