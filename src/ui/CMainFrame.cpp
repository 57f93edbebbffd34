#include "ui/CMainFrame.h"

#include "app/CNotesApp.h"
#include "app/ReadOnlyRefusal.h"
#include "exchange/PrintCommands.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "ui/CChromaToolBar.h"
#include "ui/CNotesView.h"
#include "ui/CNotificationDlg.h"
#include "ui/CSkinProgressDlg.h"
#include "ui/CZol3StageButton.h"
#include "ui/CommandIds.h"
#include "ui/CommandStatusTexts.h"
#include "ui/StatusPane.h"
#include "ui/sources/LibraryCommands.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

// The two count panes are as wide as their texts padded with 30 and 41 blanks.
int PaneWidth(const QFontMetrics& metrics, const QString& sample, int blanks)
{
    return metrics.horizontalAdvance(sample + QString(blanks, QLatin1Char(' ')));
}

// The menu commands that store something in the data folder; a read-only folder refuses
// them before their dialogs open.
bool WritesDataFolder(int commandId)
{
    using namespace CommandIds;
    return commandId == CommandIds::AddNote || commandId == DeleteNote || commandId == DeleteCurrentNotes
        || commandId == ImportNotes || commandId == EditOptions || commandId == EditCategoryTrees
        || commandId == OpenSampleNotes;
}

// Shown only while the data folder is read-only: the state, and what that means.
QLabel* ReadOnlyPane(const DataFolder& folder, QWidget* parent)
{
    auto* pane = new QLabel(QStringLiteral("Read-Only"), parent);
    pane->setObjectName(QStringLiteral("readOnlyPane"));
    pane->setAccessibleName(QStringLiteral("Data folder: read-only"));
    pane->setToolTip(folder.ReadOnlyText()
                     + QStringLiteral("\nNotes can be read, searched, printed and exported."));
    return pane;
}

} // namespace

CMainFrame::CMainFrame(CNotesApp& app, UserPrompt& prompt, QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_prompt(prompt)
    , m_bibliographyStarter(PrintCommands::StartDetached)
    , m_library(std::make_unique<LibraryCommands>(app, prompt, this))
{
    setObjectName(QStringLiteral("ZolQuorvel"));
    setWindowTitle(WindowTitle());
    setWindowIcon(
        QIcon(SkinBitmaps::Make(SkinBitmaps::Glyph::AddNote, SkinBitmaps::State::Normal, QSize(64, 64))));
    setAcceptDrops(true);

    m_searchBar = new CChromaToolBar(this);
    auto* bar = new QToolBar(QStringLiteral("Quorvel SearchBar"), this);
    bar->setObjectName(QStringLiteral("searchToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setStyleSheet(QStringLiteral("QToolBar { border: 0; padding: 0; spacing: 0; }"));
    bar->addWidget(m_searchBar);
    addToolBar(Qt::TopToolBarArea, bar);

    m_view = new CNotesView(app.Database(), app.CurrentList(), app.GetSettings(), prompt, this);
    m_view->setAccessibleName(QStringLiteral("Current Notes"));
    m_view->setToolTip(QStringLiteral("The current notes; right-click a note for its commands"));
    setCentralWidget(m_view);

    m_notesInList = new StatusPane(QStringLiteral("Notes In List"),
                                   QStringLiteral("How many notes the current list shows"), this);
    m_notesInList->setObjectName(QStringLiteral("notesInListPane"));
    m_totalNotes = new StatusPane(QStringLiteral("Total Notes Saved"),
                                  QStringLiteral("How many notes are saved in all"), this);
    m_totalNotes->setObjectName(QStringLiteral("totalNotesPane"));
    const QFontMetrics metrics(m_notesInList->font());
    m_notesInList->setMinimumWidth(PaneWidth(metrics, CurrentNotesList::NotesInListText(0), 30));
    m_totalNotes->setMinimumWidth(PaneWidth(metrics, NoteDatabase::TotalNotesText(0), 41));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addPermanentWidget(m_notesInList);
    statusBar()->addPermanentWidget(m_totalNotes);
    if (app.IsReadOnly())
        statusBar()->addPermanentWidget(ReadOnlyPane(app.Folder(), this));

    m_progressDlg = new CSkinProgressDlg(this);
    m_notification = new CNotificationDlg(this);

    CreateMenus();
    CreateControlBar();

    m_relayoutTimer.setSingleShot(true);
    m_relayoutTimer.setInterval(120);
    connect(&m_relayoutTimer, &QTimer::timeout, m_view, &CNotesView::Relayout);

    connect(m_searchBar, &CChromaToolBar::Command, this, &CMainFrame::RunCommand);
    connect(m_searchBar, &CChromaToolBar::ZoomChosen, this, &CMainFrame::OnZoomChosen);
    connect(m_searchBar, &CChromaToolBar::SortChosen, this, &CMainFrame::OnSortChosen);
    connect(m_searchBar, &CChromaToolBar::SearchRequested, this, &CMainFrame::RunSearch);
    CreateSearchHits();
    connect(m_view, &CNotesView::NoteSelected, this,
            [this](bool selected) { m_actions.value(CommandIds::DeleteNote)->setEnabled(selected); });
    ConnectNoteEditing();
    ShowCounts();
    m_following = app.Changes().Subscribe([this](const DataChange& change) { FollowChange(change); });
}

CMainFrame::~CMainFrame()
{
    m_following.Cancel();
}

QString CMainFrame::WindowTitle()
{
    return QStringLiteral("<%1> - Ver. %2%3 - Brenlow Software, LLC")
        .arg(QStringLiteral("Quorvel"), Settings::RunningVersion(), QString());
}

QAction* CMainFrame::AddCommand(QMenu* menu, int commandId, const QString& text, const char* objectName,
                                bool enabled)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    action->setData(commandId);
    action->setStatusTip(CommandStatusText(commandId));
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    m_actions.insert(commandId, action);
    return action;
}

void CMainFrame::CreateMenus()
{
    using namespace CommandIds;
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    AddCommand(file, SavePrintNotes, QStringLiteral("Save/Print Current Notes..."), "actionSavePrintNotes");
    AddCommand(file, CreateBibliography, QStringLiteral("Create Bibliography..."),
               "actionCreateBibliography");
    file->addSeparator();
    AddCommand(file, ExportNotes, QStringLiteral("Export Current Notes..."), "actionExportNotes");
    AddCommand(file, ExportNotesMarkdown, QStringLiteral("Export Current Notes as Markdown..."),
               "actionExportNotesMarkdown");
    AddCommand(file, BackupNotes, QStringLiteral("Backup All Notes..."), "actionBackupNotes");
    AddCommand(file, ImportNotes, QStringLiteral("Import Notes..."), "actionImportNotes");
    AddCommand(file, CommandIds::SyncNow, QStringLiteral("Sync Now"), "actionSyncNow");
    file->addSeparator();
    AddCommand(file, Exit, QStringLiteral("E&xit"), "actionExit");

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("menuOptions"));
    AddCommand(options, EditOptions, QStringLiteral("Edit Options..."), "actionEditOptions");

    QMenu* notes = menuBar()->addMenu(QStringLiteral("&Notes"));
    notes->setObjectName(QStringLiteral("menuNotes"));
    AddCommand(notes, CommandIds::AddNote, QStringLiteral("Add Note..."), "actionAddNote");
    // Enabled by the view while a note is selected.
    AddCommand(notes, DeleteNote, QStringLiteral("Delete Note"), "actionDeleteNote", false);
    notes->addSeparator();
    AddCommand(notes, ClearNotes, QStringLiteral("Clear Current Notes"), "actionClearNotes");
    AddCommand(notes, DeleteCurrentNotes, QStringLiteral("Delete Current Notes"), "actionDeleteCurrentNotes");

    QMenu* sources = menuBar()->addMenu(QStringLiteral("&Sources"));
    sources->setObjectName(QStringLiteral("menuSources"));
    AddCommand(sources, ViewSources, QStringLiteral("View Sources..."), "actionViewSources");
    AddCommand(sources, CommandIds::ImportSources, QStringLiteral("Import Sources..."),
               "actionImportSources");

    QMenu* categories = menuBar()->addMenu(QStringLiteral("&Categories"));
    categories->setObjectName(QStringLiteral("menuCategories"));
    AddCommand(categories, EditCategoryTrees, QStringLiteral("Edit Category Trees..."),
               "actionEditCategoryTrees");

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    AddCommand(help, About, QStringLiteral("&About Quorvel..."), "actionAbout");
    // Nothing on this platform checks for a newer version.
    AddCommand(help, CheckForUpdates, QStringLiteral("Check for program updates...."),
               "actionCheckForUpdates", false);
    help->addSeparator();
    AddCommand(help, UsersManual, QStringLiteral("User's Manual (.pdf)..."), "actionUsersManual");
    AddCommand(help, OpenSampleNotes, QStringLiteral("Open Sample Notes..."), "actionOpenSampleNotes");
    AddCommand(help, TutorialVideos, QStringLiteral("View Online Tutorial Videos..."),
               "actionTutorialVideos");

    // The search bar's own buttons for the disabled commands follow their menu items.
    for (QAction* action : std::as_const(m_actions)) {
        if (CZol3StageButton* button = m_searchBar->CommandButton(action->data().toInt())) {
            button->setEnabled(action->isEnabled());
            button->setStatusTip(action->statusTip());
        }
    }
}

void CMainFrame::RunCommand(int commandId)
{
    using namespace CommandIds;
    if (QAction* action = m_actions.value(commandId); action && !action->isEnabled())
        return;
    if (WritesDataFolder(commandId) && ReadOnlyRefusal::Refuse(m_app.Folder(), m_prompt))
        return;
    switch (commandId) {
    case SavePrintNotes:
        return OnSavePrint();
    case CreateBibliography:
        return OnCreateBibliography();
    case ViewSources:
        return OnViewSources();
    case ExportNotes:
        return OnExport();
    case BackupNotes:
        return OnBackup();
    case ImportNotes:
        return OnImportNotes();
    case CommandIds::ImportSources:
        ImportSourceFile();
        return;
    case ExportNotesMarkdown:
        return OnExportNotesMarkdown();
    case CommandIds::SyncNow:
        RunSync(SyncMoment::Now);
        return;
    case Exit:
        close();
        return;
    case CommandIds::AddNote:
        return AddNote();
    case DeleteNote:
        return OnDeleteNote();
    case ClearNotes:
        return OnClearNotes();
    case DeleteCurrentNotes:
        return OnDeleteCurrentNotes();
    case About:
        return OnAbout();
    case EditOptions:
        return OnEditOptions();
    case UsersManual:
        return OnUsersManual();
    case OpenSampleNotes:
        return OnOpenSampleNotes();
    case TutorialVideos:
        return OnTutorials();
    case GoSearch:
        return m_searchBar->RunSearch();
    case SearchDropdown:
        return m_searchBar->ShowModeMenu();
    case AccessInternet:
        return OnAccessInternet();
    case EditCategoryTrees:
        return OnEditCategoryTrees();
    case ToggleControlBar:
        return OnToggleControlBar();
    default:
        return;
    }
}

void CMainFrame::ShowLastList()
{
    const Settings& settings = m_app.GetSettings();
    m_searchBar->SetZoom(settings.ZoomLvl);
    m_searchBar->SetSort(settings.NoteSortID);
    m_view->setFocus();
    StartSearchIndex();
}

void CMainFrame::ShowWithPlacement()
{
    const StoredRect& rect = m_app.GetSettings().FrameRect;
    if (!rect.IsNull())
        setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    else
        resize(1100, 780);
    if (m_app.GetSettings().Maximized == 1)
        showMaximized();
    else
        show();
}

void CMainFrame::StoreFrameRect()
{
    if (!isVisible() || isMaximized() || isMinimized() || isFullScreen())
        return;
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    StoredRect& stored = m_app.GetSettings().FrameRect;
    stored.left = r.left();
    stored.top = r.top();
    stored.right = r.right() + 1;
    stored.bottom = r.bottom() + 1;
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    StoreFrameRect();
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    StoreFrameRect();
    m_relayoutTimer.start();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    emit Closing();
    event->accept();
}

bool CMainFrame::HandleCopyData(const QByteArray& data)
{
    if (!data.contains("ZOLCLOSEQUORVEL"))
        return false;
    close();
    return true;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()
            && (url.toLocalFile().endsWith(QLatin1String(".qvx"), Qt::CaseInsensitive)
                || LibraryCommands::IsBibliographyFile(url.toLocalFile()))) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QLatin1String(".qvx"), Qt::CaseInsensitive) && m_fileHandler) {
            event->acceptProposedAction();
            m_fileHandler(path);
            return;
        }
        if (LibraryCommands::IsBibliographyFile(path)) {
            event->acceptProposedAction();
            ImportSourceFile(path);
            return;
        }
    }
}
