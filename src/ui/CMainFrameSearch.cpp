// The main frame's part of a search: the search itself is the core's, and the window
// follows the list's changes as it follows every other. While the user types, the
// drop-down under the search field shows what the search would find, from the kept
// index, which the frame brings in step in the background at start.
#include "app/CNotesApp.h"
#include "app/ReadOnlyRefusal.h"
#include "editor/CEditNoteDlg.h"
#include "index/SearchIndex.h"
#include "lists/CurrentNotesList.h"
#include "lists/SearchCommands.h"
#include "lists/SearchPreview.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "store/SettingsBackend.h"
#include "store/SourceStore.h"
#include "ui/CChromaToolBar.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CSearchEditBox.h"
#include "ui/CSearchHitsList.h"
#include "ui/CommandIds.h"

#include <QStatusBar>

namespace {

constexpr int kProgressMs = 500;

} // namespace

void CMainFrame::RunSearch(const QString& text, int mode)
{
    m_searchHits->Close();
    if (mode == CommandIds::SearchModeCurrent)
        RunCurrentNotesSearch(text, m_app.Database(), m_app.CurrentList(), m_prompt, &m_app.Index());
    else
        RunDatabaseSearch(text, m_app.Database(), m_app.CurrentList(), m_app.GetSettings().NoteSortID,
                          m_prompt, &m_app.Index());
    m_view->setFocus();
}

bool CMainFrame::InstantSearchOn() const
{
    bool ok = false;
    const int value = m_app.GetSettingsBackend()
                          .Value(Settings::OptionsGroup(), QStringLiteral("InstantSearch"))
                          .toInt(&ok);
    return !ok || value != 0;
}

void CMainFrame::CreateSearchHits()
{
    m_searchHits = new CSearchHitsList(m_searchBar->SearchField(), this);
    m_app.Index().PrepareTermsOnOpen(); // not at a keystroke
    m_searchHits->SetEnabledCheck([this] { return InstantSearchOn(); });
    m_searchHits->SetPreview([this](const QString& text) {
        const bool current = m_searchBar->SearchMode() == CommandIds::SearchModeCurrent;
        return PreviewSearch(text, {m_app.Database(), m_app.Sources(), m_app.CurrentList(), m_app.Index()},
                             current);
    });
    connect(m_searchHits, &CSearchHitsList::NoteChosen, this, &CMainFrame::OpenSearchHit);
    m_indexProgress.setInterval(kProgressMs);
    connect(&m_indexProgress, &QTimer::timeout, this, &CMainFrame::ShowIndexProgress);
}

void CMainFrame::StartSearchIndex()
{
    m_app.Index().StartUpdate(m_app.Database().NoteFileNames());
    m_indexProgress.start();
    ShowIndexProgress();
}

void CMainFrame::ShowIndexProgress()
{
    SearchIndex& index = m_app.Index();
    if (index.CurrentState() != SearchIndex::State::Building) {
        m_indexProgress.stop();
        statusBar()->clearMessage();
        if (m_searchHits->isVisible())
            m_searchHits->Schedule(); // what was typed meanwhile is answered now
        return;
    }
    const auto [done, total] = index.BuildProgress();
    statusBar()->showMessage(
        QStringLiteral("Building the search index: %1 of %2 note files").arg(done).arg(total));
}

void CMainFrame::OpenSearchHit(int noteId)
{
    if (m_app.CurrentList().FindNote(noteId)) {
        EditNote(noteId);
        return;
    }
    if (m_noteEditor || ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return;
    std::optional<NoteRecord> note = m_app.Database().ReadNote(noteId);
    if (!note)
        return;
    NotesList one {*note};
    m_app.Sources().FillAttachedSources(one);
    CEditNoteDlg editor(m_app.Database(), m_app.Sources(), m_app.GetSettings(), m_prompt, one.first(), this);
    RunNoteEditor(editor);
}
