// "Sync Now" in the File menu and the "Sync" group of the options: the window runs the
// core's sync, shows the notes that came in and says what happened.
#include "UiFixture.h"
#include "lists/CurrentNotesList.h"
#include "store/IniSettingsBackend.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "sync/DeletionRecorder.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSettings.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/COptionsPropSheet.h"
#include "ui/CSyncOptionsBox.h"
#include "ui/CommandIds.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CCtrlKeyWordsPg.h"
#include "ui/categories/CKeyWordTreeCtrlSel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidgetItem>
#include <algorithm>

namespace {

struct FrameFixture
{
    std::unique_ptr<CMainFrame> frame;
    UiFixture::App fixture;

    FrameFixture()
        : fixture([this] {
            StartupHooks hooks;
            hooks.createWindows = [this] {
                frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
                frame->show();
            };
            hooks.showLastList = [this] { frame->ShowLastList(); };
            return hooks;
        }())
    {
        fixture.app->InitInstance();
    }
    ~FrameFixture() { frame.reset(); }
};

// Another machine with its own data folder, syncing through the same folder as the window.
class OtherMachine
{
public:
    OtherMachine()
        : m_folder(m_root.path(), m_root.path())
        , m_sources(m_folder, m_changes)
        , m_database(m_folder, m_changes)
        , m_recorder(m_folder, m_changes)
    {
        static_cast<void>(m_folder.CreateFolders());
        m_sources.BindAuthorCounter(&m_maxAuthorId);
        m_database.BindNoteCounter(&m_maxNoteId);
        m_database.LoadNoteDatabase(m_sources);
    }

    NoteDatabase& Database() { return m_database; }

    bool Add(const QString& text)
    {
        NoteEditorFields::NoteEditorChanges changes;
        changes.text = text;
        QString error;
        return NoteEditorSave::AddNote(m_database, m_sources, changes, &error) > 0;
    }
    // The note whose text is text; none when there is none.
    std::optional<NoteRecord> Find(const QString& text) const
    {
        for (const NoteRecord& note : m_database.LoadAllNotes()) {
            if (note.PlainText == text)
                return note;
        }
        return std::nullopt;
    }
    bool Edit(const QString& text, const QString& newText, const QString& keyWords)
    {
        const std::optional<NoteRecord> note = Find(text);
        if (!note)
            return false;
        NoteEditorFields::NoteEditorChanges changes;
        changes.text = newText;
        changes.keyWords = keyWords;
        QString error;
        return NoteEditorSave::EditNote(m_database, m_sources, note->NoteID, changes, &error);
    }
    bool Delete(const QString& text)
    {
        const std::optional<NoteRecord> note = Find(text);
        return note && m_database.DeleteNotes(NotesList {*note}).changed.Count() == 1;
    }
    bool Sync(const QString& syncFolder)
    {
        SyncOptions options;
        options.folder = syncFolder;
        options.machine = QStringLiteral("laptop");
        SyncContext context;
        context.database = &m_database;
        context.sources = &m_sources;
        context.recorder = &m_recorder;
        return SyncNow(options, context).ok;
    }

private:
    QTemporaryDir m_root;
    DataFolder m_folder;
    qint32 m_maxNoteId = 1000;
    qint32 m_maxAuthorId = 1;
    ChangeNotice m_changes;
    SourceStore m_sources;
    NoteDatabase m_database;
    DeletionRecorder m_recorder;
};

// Another machine that wrote two notes into the sync folder.
void OtherMachineWrites(const QString& syncFolder)
{
    OtherMachine laptop;
    QVERIFY(laptop.Add(QStringLiteral("From the laptop")));
    QVERIFY(laptop.Add(QStringLiteral("Also from the laptop")));
    QVERIFY(laptop.Sync(syncFolder));
}

} // namespace

class SyncCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void syncNowStandsInTheFileMenu()
    {
        FrameFixture f;
        QAction* action = f.frame->findChild<QAction*>(QStringLiteral("actionSyncNow"));
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("Sync Now"));
        QCOMPARE(f.frame->Action(CommandIds::SyncNow), action);
        auto* file = f.frame->menuBar()->findChild<QMenu*>(QStringLiteral("menuFile"));
        QVERIFY(file->actions().contains(action));
    }

    void withoutASyncFolderItSaysWhereToSetOne()
    {
        FrameFixture f;
        f.frame->RunCommand(CommandIds::SyncNow);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("No sync folder is set: choose one on the General page of the options."));
        QCOMPARE(f.fixture.prompt.History().last().caption, QStringLiteral("Sync"));
    }

    void syncNowBringsTheOtherMachinesNotesIn()
    {
        QTemporaryDir shared;
        OtherMachineWrites(shared.path());
        FrameFixture f;
        f.fixture.settings.SetValue(QStringLiteral("Options"), QStringLiteral("SyncFolder"), shared.path());
        f.fixture.settings.SetValue(QStringLiteral("Options"), QStringLiteral("SyncMachine"),
                                    QStringLiteral("desk"));
        f.frame->RunCommand(CommandIds::SyncNow);
        QCOMPARE(f.fixture.prompt.History().last().caption, QStringLiteral("Sync"));
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Sent 3 notes, received 2 notes, deleted 0 notes."));
        QCOMPARE(f.frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    5"));
        QVERIFY(QFileInfo(QDir(shared.path()).filePath(QStringLiteral("desk/Index.txt"))).isFile());

        f.frame->RunCommand(CommandIds::SyncNow);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Everything is in sync: nothing new to send or receive."));
        // The start-up sync speaks only when there is something to look at.
        const qsizetype shown = f.fixture.prompt.History().size();
        QVERIFY(f.frame->RunSync(CMainFrame::SyncMoment::Start));
        QCOMPARE(f.fixture.prompt.History().size(), shown);
    }

    // What a sync deletes and takes in is told through the change notice: the list, the
    // counts and the key words page follow it, with nothing asking the window to refresh.
    void theWindowFollowsWhatASyncStores()
    {
        QTemporaryDir shared;
        FrameFixture f;
        f.fixture.settings.SetValue(QStringLiteral("Options"), QStringLiteral("SyncFolder"), shared.path());
        f.fixture.settings.SetValue(QStringLiteral("Options"), QStringLiteral("SyncMachine"),
                                    QStringLiteral("desk"));
        f.frame->RunCommand(CommandIds::SyncNow);
        OtherMachine laptop;
        QVERIFY(laptop.Sync(shared.path()));
        QVERIFY(laptop.Edit(QStringLiteral("Only apple here"),
                            QStringLiteral("Only pear here,\nand a second line"), QStringLiteral("fruit")));
        QVERIFY(laptop.Delete(QStringLiteral("Nothing of interest")));
        QVERIFY(laptop.Sync(shared.path()));
        const NoteRecord edited = *laptop.Find(QStringLiteral("Only pear here,\nand a second line"));

        CNotesApp& app = *f.fixture.app;
        QVERIFY(app.CurrentList().SetCurrentList(NoteIdList {1001, 1002, 1003}, -1));
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    3"));
        f.frame->ControlBar()->Tabs()->setCurrentIndex(2);
        QList<DataChange> heard;
        const ChangeNotice::Subscription listening
            = app.Changes().Subscribe([&heard](const DataChange& change) { heard.append(change); });

        f.frame->RunCommand(CommandIds::SyncNow);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Sent 0 notes, received 1 note, deleted 1 note."));
        QCOMPARE(app.CurrentList().NoteIds(), (NoteIdList {1001, 1002}));
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    2"));
        QCOMPARE(f.frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    2"));
        const ListedNote& listed = app.CurrentList().Entries().at(1);
        QCOMPARE(listed.LastEdited, edited.LastEdited);
        QCOMPARE(listed.TextLines, 2);
        CItemTreeCtrlSel* words = f.frame->ControlBar()->KeyWordsPage()->Tree();
        QVERIFY(words->IndexOf(QStringLiteral("fruit")) >= 0);
        QCOMPARE(words->ItemAt(words->IndexOf(QStringLiteral("fruit")))->text(0),
                 QStringLiteral("fruit (1/1)"));
        // The deletion told as one, by the note's id and GUID; the note taken in by its id.
        const auto deletion = std::find_if(heard.cbegin(), heard.cend(), [](const DataChange& change) {
            return change.Has(DataChange::NotesDeleted);
        });
        QVERIFY(deletion != heard.cend());
        QCOMPARE(deletion->deleted.size(), 1);
        QCOMPARE(deletion->deleted.first().id, 1003);
        QVERIFY(!deletion->deleted.first().guid.isEmpty());
        const auto reload = std::find_if(heard.cbegin(), heard.cend(), [](const DataChange& change) {
            return change.Has(DataChange::Reloaded);
        });
        QVERIFY(reload != heard.cend());
        QCOMPARE(reload->notes, NoteIdList {1002});
        QVERIFY(reload->Has(DataChange::NotesSaved));
        QCOMPARE(reload->writtenFiles.size(), 1);
    }

    void theOptionsStoreTheFolderAndTheMachine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quorvel.ini"));
        IniSettingsBackend backend(path);
        Settings settings;
        OptionsContext context;
        context.settings = &settings;
        context.backend = &backend;
        COptionsPropSheet sheet(context);
        sheet.show();
        auto* box = sheet.findChild<CSyncOptionsBox*>();
        QVERIFY(box);
        // This machine's name starts as the host name; an empty folder is sync off, and the
        // folder's accessible name says so as it changes.
        QCOMPARE(box->Machine()->text(), SyncSettings::DefaultMachineName());
        QCOMPARE(box->Folder()->text(), QString());
        auto* state = box->findChild<QLabel*>(QStringLiteral("syncState"));
        QCOMPARE(state->text(), QStringLiteral("Sync is off: no sync folder is set."));
        QCOMPARE(box->Folder()->accessibleName(), QStringLiteral("Sync folder: empty, sync is off"));
        box->Folder()->setText(QStringLiteral("/srv/shared/Quorvel"));
        emit box->Folder()->editingFinished();
        box->Machine()->setText(QStringLiteral("  laptop "));
        emit box->Machine()->editingFinished();
        QCOMPARE(box->Folder()->accessibleName(), QStringLiteral("Sync folder: sync is on"));
        QVERIFY(state->text().startsWith(QStringLiteral("Sync is on")));
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Options/SyncFolder")).toString(),
                 QStringLiteral("/srv/shared/Quorvel"));
        QCOMPARE(file.value(QStringLiteral("Options/SyncMachine")).toString(), QStringLiteral("laptop"));
        box->SetFolderChooser([](QWidget*, const QString&) { return QStringLiteral("/mnt/sync"); });
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("syncBrowse")), Qt::LeftButton);
        QSettings again(path, QSettings::IniFormat);
        QCOMPARE(again.value(QStringLiteral("Options/SyncFolder")).toString(), QStringLiteral("/mnt/sync"));
        // A name wiped out goes back to the host name.
        box->Machine()->clear();
        emit box->Machine()->editingFinished();
        QCOMPARE(box->Machine()->text(), SyncSettings::DefaultMachineName());
    }

    // A folder or name that cannot be stored is told, naming the settings file.
    void aSettingThatCannotBeStoredIsTold()
    {
        struct FullDisk : MemorySettingsBackend
        {
            FileStatus Sync() override
            {
                return FileStatus::Failed(FileStatus::Action::Write, QStringLiteral("/home/a/Quorvel.ini"),
                                          QStringLiteral("No space left on device"));
            }
        } backend;
        Settings settings;
        OptionsContext context;
        context.settings = &settings;
        context.backend = &backend;
        QList<FileStatus> told;
        context.tellFailure = [&told](const FileStatus& failure) { told.append(failure); };
        COptionsPropSheet sheet(context);
        auto* box = sheet.findChild<CSyncOptionsBox*>();
        box->Folder()->setText(QStringLiteral("/mnt/sync"));
        emit box->Folder()->editingFinished();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().Path(), QStringLiteral("/home/a/Quorvel.ini"));
    }

    // What the options page stores, the next "Sync Now" takes: the folder, and the machine's
    // name as the name of its subfolder.
    void syncNowTakesWhatTheOptionsPageStored()
    {
        QTemporaryDir shared;
        FrameFixture f;
        OptionsContext context;
        context.settings = &f.fixture.app->GetSettings();
        context.backend = &f.fixture.settings;
        COptionsPropSheet sheet(context);
        auto* box = sheet.findChild<CSyncOptionsBox*>();
        box->Folder()->setText(shared.path());
        emit box->Folder()->editingFinished();
        box->Machine()->setText(QStringLiteral("study"));
        emit box->Machine()->editingFinished();
        f.frame->RunCommand(CommandIds::SyncNow);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Sent 3 notes, received 0 notes, deleted 0 notes."));
        QVERIFY(QFileInfo(QDir(shared.path()).filePath(QStringLiteral("study/Index.txt"))).isFile());
        // Emptied, the folder turns sync off again.
        box->Folder()->clear();
        emit box->Folder()->editingFinished();
        f.frame->RunCommand(CommandIds::SyncNow);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("No sync folder is set: choose one on the General page of the options."));
    }
};

QTEST_MAIN(SyncCommandTest)
#include "SyncCommandTest.moc"
