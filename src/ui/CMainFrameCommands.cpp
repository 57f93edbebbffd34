// The main frame's menu commands: each asks the core to do the work and shows the result.
#include "app/CNotesApp.h"
#include "app/ShippedFiles.h"
#include "editor/CViewImageDlg.h"
#include "editor/widgets/FileDialogs.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/PrintCommands.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "store/NoteDatabase.h"
#include "ui/CChromaToolBar.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"

#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QUrl>

void CMainFrame::OnSavePrint()
{
    PrintCommands::SaveOrPrintCurrentNotes(m_app.CurrentList(), m_app.Sources(), m_app.Database().Folder(),
                                           m_prompt, m_app.Progress());
}

void CMainFrame::OnExport()
{
    if (!ExchangeCommands::CheckCurrentNotesForExport(m_app.CurrentList().Entries(), m_prompt))
        return;
    const QString path = FileDialogs::SaveFileName(this, QStringLiteral("Export Current Notes"),
                                                   FileDialogs::ExportFilter(), QStringLiteral("qvx"));
    if (path.isEmpty())
        return;
    ExchangeCommands::ExportCurrentNotes(m_app.Database(), m_app.Sources(), m_app.CurrentList(), path,
                                         m_prompt, m_app.Progress());
}

void CMainFrame::OnBackup()
{
    const QString path = FileDialogs::SaveFileName(this, QStringLiteral("Backup All Notes"),
                                                   FileDialogs::ExportFilter(), QStringLiteral("qvx"));
    if (path.isEmpty())
        return;
    ExchangeCommands::BackupAllNotes(m_app.Database(), m_app.Sources(), path, m_prompt, m_app.Progress());
}

void CMainFrame::OnDeleteNote()
{
    const int id = m_view->SelectedNoteId();
    if (id <= 0)
        return;
    m_view->DeleteNotePermanently(id);
}

void CMainFrame::OnClearNotes()
{
    m_app.CurrentList().ClearCurrentNotes();
}

void CMainFrame::OnDeleteCurrentNotes()
{
    DeleteCommands::DeleteCurrentNotes(m_app.Database(), m_app.CurrentList(), m_prompt);
}

void CMainFrame::OnAbout()
{
    QMessageBox::about(this, QStringLiteral("About Quorvel"),
                       QStringLiteral("<b>Quorvel</b><br>Version %1<br><br>Brenlow Software, LLC<br><br>"
                                      "Free software under the GNU General Public License, version 2 or "
                                      "(at your option) any later version. It comes with no warranty.")
                           .arg(Settings::RunningVersion()));
}

void CMainFrame::OnUsersManual()
{
    const QString path = ShippedFiles::Find(m_app.ProgramFolder(), ShippedFiles::ManualName());
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void CMainFrame::OnTutorials()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("https://www.brenlowsoftware.com/VideoTutorials.aspx")));
}

void CMainFrame::OnAccessInternet()
{
    CViewImageDlg dialog(m_app.FullPath(QStringLiteral("Data Files\\Online.bmp")), this);
    dialog.exec();
}

void CMainFrame::OnZoomChosen(double factor)
{
    m_app.GetSettings().ZoomLvl = factor;
    m_view->Relayout();
    m_view->setFocus();
}

void CMainFrame::OnSortChosen(int sortId)
{
    m_app.GetSettings().NoteSortID = sortId;
    m_app.CurrentList().Sort(sortId);
    setFocus();
}
