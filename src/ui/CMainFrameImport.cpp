// "Import Notes...": an archive chosen, dropped or handed over goes through the import
// dialog, where the user picks the notes to take.
#include "app/CNotesApp.h"
#include "app/ReadOnlyRefusal.h"
#include "editor/widgets/FileDialogs.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/ImportNotes.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "ui/CMainFrame.h"
#include "ui/exchange/CImportNotesDlg.h"

void CMainFrame::OnImportNotes()
{
    const QString path
        = FileDialogs::OpenFileName(this, QStringLiteral("Import Notes"), FileDialogs::ExportFilter());
    if (!path.isEmpty())
        ImportArchive(path);
}

int CMainFrame::ImportArchive(const QString& path)
{
    // Archives dropped or handed over from another copy as well as chosen from the menu.
    if (ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return ExchangeFormat::kImportCancelled;
    NoteDatabase& database = m_app.Database();
    ImportDialogContext dialogContext;
    dialogContext.trees = &database.Categories();
    dialogContext.sources = &m_app.Sources().Sources();
    dialogContext.authors = &m_app.Sources().Authors();
    dialogContext.tempFolder = database.Folder().FullPath(ExchangeFormat::ImportTempName());
    dialogContext.textFont = EditTextFont();
    dialogContext.prompt = &m_prompt;
    dialogContext.progress = &m_app.Progress();
    dialogContext.runDialog = m_runImportDialog;
    ImportDialogChooser chooser(dialogContext, this);

    ImportContext context;
    context.database = &database;
    context.sources = &m_app.Sources();
    context.currentList = &m_app.CurrentList();
    context.noteSortId = m_app.GetSettings().NoteSortID;
    context.chooser = &chooser;
    context.prompt = &m_prompt;
    context.progress = &m_app.Progress();
    return ExchangeCommands::ImportNotesCommand(path, context, m_prompt);
}
