// The main frame's one listener of the data's changes: each part of the window that shows
// what changed is brought up to date, whoever made the change.
#include "app/CNotesApp.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/categories/CControlBarSheet.h"

#include <QLabel>

void CMainFrame::FollowChange(const DataChange& change)
{
    m_view->FollowChange(change);
    if (change.HasAny(DataChange::ListNotes | DataChange::Total | DataChange::Reloaded))
        ShowCounts();
    // The control bar's page made this list itself and shows it already.
    const bool barsOwn = m_barSetsList && change.aspects == DataChange::ListNotes;
    if (!barsOwn && m_controlBar->isVisible())
        m_controlBar->FollowChange(change);
}

void CMainFrame::ShowCounts()
{
    m_notesInList->ShowText(CurrentNotesList::NotesInListText(m_app.CurrentList().Count()));
    m_totalNotes->ShowText(NoteDatabase::TotalNotesText(m_app.Database().Total()));
}
