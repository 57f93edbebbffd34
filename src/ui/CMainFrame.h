#pragma once

#include "editor/CEditNoteDlg.h"
#include "format/NoteRecord.h"
#include "store/ChangeNotice.h"
#include "ui/OptionsContext.h"
#include "ui/StatusPane.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>

class CChromaToolBar;
class CControlBarSheet;
class CSearchHitsList;
class CShowCtrlBarButton;
class NoteIdList;
class QDockWidget;
class DataFolder;
class CNotesApp;
class CNotesView;
class CNotificationDlg;
class CSkinProgressDlg;
class LibraryCommands;
class QAction;
class QLabel;
class UserPrompt;
struct NoteTextFont;

// The main window: the menu, the search bar, the note list view and the status bar. It
// routes the menu commands to the core operations that do the work and shows their
// results; it keeps the window placement for the settings and lays the view out again
// shortly after the window stops changing size.
//
// What the window shows follows the data through one listener (CMainFrameChanges.cpp):
// whatever changes notes, sources, categories, key words or the current list, and from
// wherever (a command, a dialog, the editor, an import), the view, the counts and the
// control bar's active page learn of it there. No command refreshes them itself.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    CMainFrame(CNotesApp& app, UserPrompt& prompt, QWidget* parent = nullptr);
    ~CMainFrame() override;

    static QString WindowTitle();

    // Runs a menu command by its id, as the menu item or a search-bar button would.
    void RunCommand(int commandId);
    QAction* Action(int commandId) const { return m_actions.value(commandId); }

    CNotesView* View() const { return m_view; }
    CChromaToolBar* SearchBar() const { return m_searchBar; }
    CSkinProgressDlg* ProgressDialog() const { return m_progressDlg; }
    CNotificationDlg* NotificationWindow() const { return m_notification; }
    StatusPane* NotesInListPane() const { return m_notesInList; }
    StatusPane* TotalNotesPane() const { return m_totalNotes; }
    CControlBarSheet* ControlBar() const { return m_controlBar; }
    CShowCtrlBarButton* ShowCtrlBarButton() const { return m_showBarButton; }

    // The last step of start-up: the search bar shows the zoom and sort in force and the
    // view, which already shows the list, takes the focus.
    void ShowLastList();
    // Applies the saved placement; the window is shown maximised when the settings say so.
    void ShowWithPlacement();

    // A data-copy message with a tag other than the hand-over tag. True when handled: a
    // text containing "ZOLCLOSEQUORVEL" closes the window as "E&xit" does.
    bool HandleCopyData(const QByteArray& data);

    // Where a file handed over or dropped on the window goes.
    void SetFileHandler(std::function<void(const QString&)> handler) { m_fileHandler = std::move(handler); }

    // Imports an archive through the import dialog (CMainFrameImport.cpp); the result of
    // the import: notes imported, 0 cancelled, below 0 failed.
    int ImportArchive(const QString& path);
    // "Import Sources..." of a bibliography file (asked for when path is empty; a dropped
    // file comes here too) through the "Import Sources" dialog. True when sources were stored.
    bool ImportSourceFile(const QString& path = QString());
    // Runs the import dialog and its sub-dialogs instead of exec(), for tests.
    void SetImportDialogRunner(std::function<int(QDialog&)> runner) { m_runImportDialog = std::move(runner); }

    // A sync through the sync folder (CMainFrameSync.cpp) when one is set: "Sync Now", and
    // the syncs at start-up and at exit, which speak only of conflicts, skipped files and
    // failures. Returns whether a sync ran and succeeded.
    enum class SyncMoment
    {
        Now,
        Start,
        Exit
    };
    bool RunSync(SyncMoment moment);

    // The search of the search bar; mode 11 the whole database, 24 the current notes.
    void RunSearch(const QString& text, int mode);
    // The drop-down of hits under the search field (CMainFrameSearch.cpp).
    CSearchHitsList* SearchHits() const { return m_searchHits; }
    // Brings the kept search index in step in the background, its progress in the status
    // bar; the last step of start-up.
    void StartSearchIndex();
    // "Show hits while typing in the search box" (value "InstantSearch", on by default).
    bool InstantSearchOn() const;

    // Writing notes (CMainFrameNotes.cpp). "Add Note...": the editor on a new note made
    // from the template; a saved note joins the current list by the sort order.
    void AddNote();
    // "Edit Note" and a double-click: the editor on the note of the current list.
    void EditNote(int noteId);
    // The agent's request to make a note from the text it put on the clipboard: pasted
    // into the open editor, or into a new note opened by timer 105.
    void ServeAgentTextRequest();
    // The source selection the editor's "choose source" button opens.
    void SetSourceChooser(CEditNoteDlg::SourceChooser chooser) { m_chooseSource = std::move(chooser); }
    // The open note editor, or null.
    CEditNoteDlg* NoteEditor() const { return m_noteEditor; }
    const NoteRecord& TemplateNote() const { return m_templateNote; }
    // How "Create Bibliography..." starts the print program; tests replace it.
    void SetBibliographyStarter(std::function<bool(const QString&, const DataFolder&)> start)
    {
        m_bibliographyStarter = std::move(start);
    }

signals:
    void Closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The one listener of the data's changes (CMainFrameChanges.cpp).
    void FollowChange(const DataChange& change);
    void ShowCounts();
    void CreateMenus();
    QAction* AddCommand(QMenu* menu, int commandId, const QString& text, const char* objectName,
                        bool enabled = true);
    void StoreFrameRect();
    void ConnectNoteEditing();
    // Runs the editor modally; true when the note was saved.
    bool RunNoteEditor(CEditNoteDlg& editor);
    NoteTextFont EditTextFont() const;

    void OnSavePrint();
    void OnExport();
    void OnBackup();
    void OnDeleteNote();
    void OnClearNotes();
    void OnDeleteCurrentNotes();
    void OnImportNotes();
    void OnAbout();
    // The options sheet (CMainFrameOptions.cpp).
    void OnEditOptions();
    OptionsContext MakeOptionsContext();
    void OnUsersManual();
    void OnOpenSampleNotes();
    void OnTutorials();
    void OnAccessInternet();
    void OnViewSources();
    void OnCreateBibliography();
    void OnExportNotesMarkdown();
    void OnZoomChosen(double factor);
    void OnSortChosen(int sortId);
    void CreateSearchHits();
    void ShowIndexProgress();
    // A hit chosen in the drop-down: the editor on that note, listed or not.
    void OpenSearchHit(int noteId);

    // The control bar and the category editor (CMainFrameOrganise.cpp).
    void CreateControlBar();
    void OnToggleControlBar();
    void OnEditCategoryTrees();
    void OnControlBarNotes(const NoteIdList& ids);
    void OnControlBarOutput(int output, const NoteIdList& ids);
    void OnKeyWordCommand(const QString& word, bool attach);

    CNotesApp& m_app;
    UserPrompt& m_prompt;
    CChromaToolBar* m_searchBar = nullptr;
    CNotesView* m_view = nullptr;
    StatusPane* m_notesInList = nullptr;
    StatusPane* m_totalNotes = nullptr;
    CSkinProgressDlg* m_progressDlg = nullptr;
    CNotificationDlg* m_notification = nullptr;
    QHash<int, QAction*> m_actions;
    QDockWidget* m_controlDock = nullptr;
    CControlBarSheet* m_controlBar = nullptr;
    CShowCtrlBarButton* m_showBarButton = nullptr;
    QTimer m_relayoutTimer;
    CSearchHitsList* m_searchHits = nullptr;
    QTimer m_indexProgress;
    std::function<void(const QString&)> m_fileHandler;

    NoteRecord m_templateNote;
    bool m_pendingAgentText = false;
    QTimer m_addNoteTimer; // timer 105
    CEditNoteDlg* m_noteEditor = nullptr;
    CEditNoteDlg::SourceChooser m_chooseSource;
    // Set while the control bar's own page notes become the current list: the page shows
    // that change already.
    bool m_barSetsList = false;
    ChangeNotice::Subscription m_following; // last: stops before the members go
    std::function<bool(const QString&, const DataFolder&)> m_bibliographyStarter;
    std::function<int(QDialog&)> m_runImportDialog;
    std::unique_ptr<LibraryCommands> m_library;
};
