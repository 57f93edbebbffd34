// The main frame's source commands: "View Sources...", "Create Bibliography...", "Import
// Sources..." and "Export Current Notes as Markdown...".
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
#include "ui/sources/LibraryCommands.h"

void CMainFrame::OnViewSources()
{
    {
        CViewSourcesDlg dialog(m_app.Database(), m_app.Sources(), m_app.GetSettings(), m_prompt, this);
        m_library->SetDialogRunner(m_runImportDialog);
        dialog.SetLibrary(m_library.get());
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
        dialog.SetPrompt(&m_prompt);
        dialog.SetFiles(&m_app.Folder().Files());
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

bool CMainFrame::ImportSourceFile(const QString& path)
{
    m_library->SetDialogRunner(m_runImportDialog);
    // The control bar and an open "View Sources" follow the change the import tells.
    return m_library->ImportSources(path);
}

void CMainFrame::OnExportNotesMarkdown()
{
    m_library->ExportCurrentNotesAsMarkdown();
}
