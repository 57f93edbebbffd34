// "Sync Now" in the File menu and the "Sync" group of the options: the window runs the
// core's sync, shows the notes that came in and says what happened.
#include "UiFixture.h"
#include "lists/CurrentNotesList.h"
#include "store/IniSettingsBackend.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/Settings.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSettings.h"
#include "ui/CMainFrame.h"
#include "ui/COptionsPropSheet.h"
#include "ui/CSyncOptionsBox.h"
#include "ui/CommandIds.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>

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

// Another machine that wrote two notes into the sync folder.
void OtherMachineWrites(const QString& syncFolder)
{
    QTemporaryDir root;
    DataFolder folder(root.path(), root.path());
    folder.CreateFolders();
    NoteDatabase database(folder);
    database.LoadNoteDatabase();
    for (const char* text : {"From the laptop", "Also from the laptop"}) {
        NoteEditorFields::NoteEditorChanges changes;
        changes.text = QString::fromUtf8(text);
        QString error;
        QVERIFY(NoteEditorSave::AddNote(database, changes, &error) > 0);
    }
    SyncOptions options;
    options.folder = syncFolder;
    options.machine = QStringLiteral("laptop");
    SyncContext context;
    context.database = &database;
    QVERIFY(SyncNow(options, context).ok);
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
