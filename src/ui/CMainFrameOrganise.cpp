// The main frame's side of organising notes: the control bar with its show/hide strip,
// its commands on the notes of an item, and the "Edit Category Trees" dialog.
#include "app/CNotesApp.h"
#include "app/ReadOnlyRefusal.h"
#include "categories/CategoryTree.h"
#include "editor/widgets/FileDialogs.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/PrintCommands.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "lists/OrganiseCommands.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"
#include "ui/categories/CCategoryNameDlg.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CEditCategoriesDlg.h"
#include "ui/categories/CShowCtrlBarButton.h"
#include "ui/categories/ControlBarSignals.h"

#include <QDockWidget>
#include <QHBoxLayout>
#include <QScopedValueRollback>

namespace {

// What could not be written stays as it was on disk; the user is told which files.
void TellUnwritten(const NoteWriteResult& result, UserPrompt& prompt)
{
    if (result.Ok())
        return;
    QString text = result.failure.Message();
    if (result.failedFiles.size() > 1)
        text
            += QStringLiteral("\n\nThese note files could not be written and keep their previous contents:\n")
            + result.failedFiles.join(QLatin1Char('\n'));
    prompt.Tell(text, FileStatus::Caption(), UserPrompt::Icon::Warning);
}

} // namespace

void CMainFrame::CreateControlBar()
{
    Settings& settings = m_app.GetSettings();
    auto* holder = new QWidget(this);
    holder->setObjectName(QStringLiteral("controlBarHolder"));
    m_showBarButton = new CShowCtrlBarButton(holder);
    m_controlBar
        = new CControlBarSheet(m_app.Database(), m_app.Sources(), m_app.CurrentList(), settings, holder);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_showBarButton);
    layout->addWidget(m_controlBar, 1);

    m_controlDock = new QDockWidget(QStringLiteral("Search Controls"), this);
    m_controlDock->setObjectName(QStringLiteral("controlBarDock"));
    m_controlDock->setAccessibleName(QStringLiteral("Search Controls"));
    m_controlDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_controlDock->setTitleBarWidget(new QWidget(m_controlDock));
    m_controlDock->setWidget(holder);
    addDockWidget(Qt::LeftDockWidgetArea, m_controlDock);

    const bool shown = settings.ShowCtrlBar != 0;
    m_controlBar->setVisible(shown);
    m_showBarButton->SetBarShown(shown);

    connect(m_showBarButton, &CZol3StageButton::Command, this, &CMainFrame::RunCommand);
    connect(m_controlBar, &CControlBarSheet::HideRequested, this,
            [this] { RunCommand(CommandIds::ToggleControlBar); });
    connect(m_controlBar, &CControlBarSheet::PageNotesChanged, this, &CMainFrame::OnControlBarNotes);
    connect(m_controlBar, &CControlBarSheet::OutputRequested, this, &CMainFrame::OnControlBarOutput);
    connect(m_controlBar, &CControlBarSheet::KeyWordCommand, this, &CMainFrame::OnKeyWordCommand);
}

void CMainFrame::OnToggleControlBar()
{
    Settings& settings = m_app.GetSettings();
    const bool show = !m_controlBar->isVisible();
    settings.ShowCtrlBar = show ? 1 : 0;
    m_controlBar->setVisible(show);
    m_showBarButton->SetBarShown(show);
    // The dock keeps the width it had unless told otherwise.
    const int width = show ? m_showBarButton->sizeHint().width() + m_controlBar->sizeHint().width()
                           : m_showBarButton->sizeHint().width();
    resizeDocks({m_controlDock}, {width}, Qt::Horizontal);
    if (show)
        m_controlBar->ShowStoredPage();
    m_relayoutTimer.start();
}

void CMainFrame::OnEditCategoryTrees()
{
    NoteDatabase& database = m_app.Database();
    DialogNamePrompt names(this);
    CEditCategoriesDlg dialog(database.Categories(), database.UnassignedNoteIds(), m_prompt, names, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const NoteWriteResult result = OrganiseCommands::SaveCategoryTrees(
        database, m_app.CurrentList(), dialog.TakeWorkingTrees(), m_app.GetSettings().NoteSortID);
    TellUnwritten(result, m_prompt);
}

void CMainFrame::OnControlBarNotes(const NoteIdList& ids)
{
    const QScopedValueRollback barSetsList(m_barSetsList, true);
    m_app.CurrentList().SetCurrentList(ids, m_app.GetSettings().NoteSortID);
}

void CMainFrame::OnControlBarOutput(int output, const NoteIdList& ids)
{
    NoteDatabase& database = m_app.Database();
    if (output == ControlBarOutput::Export) {
        // The export reads the notes itself, a note file at a time.
        const QString path = FileDialogs::SaveFileName(this, QStringLiteral("Export Notes"),
                                                       FileDialogs::ExportFilter(), QStringLiteral("qvx"));
        if (!path.isEmpty())
            ExchangeCommands::ExportSelectedNotes(database, m_app.Sources(), ids, path, m_prompt,
                                                  m_app.Progress());
        return;
    }
    const NotesList notes = database.LoadNotesByIds(ids);
    if (output == ControlBarOutput::Print) {
        ProgressReporter& progress = m_app.Progress();
        progress.Notify(QStringLiteral("Preparing Preview...."));
        const FileStatus written
            = PrintCommands::WritePrintPreviewFor(database.Folder(), m_app.Sources(), notes);
        progress.End();
        // The print program would show an older file as if it were this one.
        if (!written) {
            m_prompt.Tell(written.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
            return;
        }
        PrintCommands::StartDetached(PrintCommands::PreviewCommandLine(database.Folder()), database.Folder());
    } else if (output == ControlBarOutput::Delete) {
        if (ReadOnlyRefusal::Refuse(database.Folder(), m_prompt))
            return;
        DeleteCommands::DeleteNotes(database, notes, m_prompt);
    }
}

void CMainFrame::OnKeyWordCommand(const QString& word, bool attach)
{
    if (ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return;
    NoteDatabase& database = m_app.Database();
    CurrentNotesList& current = m_app.CurrentList();
    const NoteWriteResult result = attach
        ? OrganiseCommands::AttachKeyWordToCurrentNotes(database, current, word)
        : OrganiseCommands::RemoveKeyWordFromCurrentNotes(database, current, word);
    TellUnwritten(result, m_prompt);
}
