// The main frame's commands that write notes: "Add Note...", "Edit Note" and the agent's
// request for a note from selected text.
#include "app/CNotesApp.h"
#include "app/ReadOnlyRefusal.h"
#include "editor/CEditNoteDlg.h"
#include "editor/widgets/NoteTextFont.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/NoteTemplate.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "ui/CChromaToolBar.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CZol3StageButton.h"
#include "ui/CommandIds.h"
#include "ui/sources/CViewSourcesDlg.h"

#include <QScopeGuard>

namespace {

constexpr int kAgentTimerMs = 10;

} // namespace

void CMainFrame::ConnectNoteEditing()
{
    m_view->SetEditingAvailable(true);
    connect(m_view, &CNotesView::EditNoteRequested, this, &CMainFrame::EditNote);
    m_addNoteTimer.setSingleShot(true);
    m_addNoteTimer.setInterval(kAgentTimerMs);
    connect(&m_addNoteTimer, &QTimer::timeout, this, &CMainFrame::AddNote);
    if (CZol3StageButton* button = m_searchBar->CommandButton(CommandIds::AddNote))
        button->setEnabled(true);
    // "choose source" opens "View Sources" in picking mode with the note's source marked.
    m_chooseSource = [this](QWidget* parent, qint32 currentSourceId) -> std::optional<qint32> {
        const qint32 chosen = CViewSourcesDlg::PickSource(
            m_app.Database(), m_app.Sources(), m_app.GetSettings(), m_prompt, currentSourceId, parent);
        return chosen > 0 ? std::optional<qint32>(chosen) : std::nullopt;
    };
}

NoteTextFont CMainFrame::EditTextFont() const
{
    return NoteTextFont::Load(const_cast<CNotesApp&>(m_app).GetSettingsBackend());
}

bool CMainFrame::RunNoteEditor(CEditNoteDlg& editor)
{
    editor.SetTextFont(EditTextFont());
    editor.SetSettingsSaver([this] { return m_app.SaveSettings(); });
    if (m_chooseSource)
        editor.SetSourceChooser(m_chooseSource);
    m_noteEditor = &editor;
    const auto forget = qScopeGuard([this] { m_noteEditor = nullptr; });
    return editor.exec() == QDialog::Accepted;
}

void CMainFrame::AddNote()
{
    m_addNoteTimer.stop();
    if (m_noteEditor || ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return;
    NoteDatabase& database = m_app.Database();
    m_templateNote = NoteTemplate::Choose(m_templateNote, m_app.CurrentList().Entries());
    NoteRecord note = NoteTemplate::NewNote(m_templateNote);
    if (note.SourceID > 0) {
        NotesList one {note};
        m_app.Sources().FillAttachedSources(one);
        note = one.first();
    }
    CEditNoteDlg editor(database, m_app.Sources(), m_app.GetSettings(), m_prompt, note, this);
    // Text the agent captured goes into the new note as soon as the editor is up.
    if (std::exchange(m_pendingAgentText, false))
        QTimer::singleShot(0, &editor, &CEditNoteDlg::PasteClipboard);
    if (!RunNoteEditor(editor))
        return;
    m_templateNote = editor.Record();
    m_app.CurrentList().AddSavedNote(editor.Record(), m_app.GetSettings().NoteSortID);
}

void CMainFrame::EditNote(int noteId)
{
    if (m_noteEditor || noteId <= 0 || ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return;
    NoteDatabase& database = m_app.Database();
    const std::optional<NoteRecord> shown = m_app.CurrentList().FindNote(noteId);
    if (!shown)
        return;
    NotesList one {*shown};
    m_app.Sources().FillAttachedSources(one);
    CEditNoteDlg editor(database, m_app.Sources(), m_app.GetSettings(), m_prompt, one.first(), this);
    if (!RunNoteEditor(editor))
        return;
    // The saved note replaced its keys in the list; its place follows them.
    m_app.CurrentList().Sort(m_app.GetSettings().NoteSortID);
}

void CMainFrame::ServeAgentTextRequest()
{
    if (m_noteEditor) {
        m_noteEditor->PasteClipboard();
        return;
    }
    m_pendingAgentText = true;
    m_addNoteTimer.start();
}
