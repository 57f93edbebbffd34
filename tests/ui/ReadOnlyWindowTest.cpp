// The window on a data folder that cannot be written: the status bar says so, reading,
// searching, exporting and printing work, and every command that would store something is
// turned down with one message before any dialog opens, leaving disk and list as they were.
#include "UiFixture.h"
#include "app/ReadOnlyRefusal.h"
#include "editor/widgets/FileDialogs.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "support/DataRootPicture.h"
#include "support/PrivateRuntime.h"
#include "support/ReadOnlyFolder.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"
#include "ui/QuorvelProgram.h"
#include "ui/sources/CViewSourcesDlg.h"
#include "ui/sources/LibraryCommands.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QUuid>

namespace {

// The frame over a started application whose data folder is (taken as) read-only.
struct Frame
{
    QTemporaryDir dir;
    MemorySettingsBackend settings;
    ScriptedPrompt prompt;
    std::unique_ptr<CNotesApp> app;
    std::unique_ptr<CMainFrame> frame;

    explicit Frame(bool readOnly)
    {
        UiFixture::WriteNotes(dir.path(), UiFixture::ThreeNotes());
        AppEnvironment environment;
        environment.dataRoot = dir.path();
        environment.programFolder = dir.path();
        environment.settingsBackend = &settings;
        environment.prompt = &prompt;
        environment.readOnly = readOnly;
        StartupHooks hooks;
        hooks.createWindows = [this] {
            frame = std::make_unique<CMainFrame>(*app, prompt);
            frame->resize(1000, 700);
            frame->show();
        };
        hooks.showLastList = [this] { frame->ShowLastList(); };
        app = std::make_unique<CNotesApp>(environment, std::move(hooks));
        app->InitInstance();
    }
    ~Frame() { frame.reset(); }

    QString ReadOnlyText() const { return app->Folder().ReadOnlyText(); }
};

// Closes whatever modal window opens and counts it: a refused command opens none.
struct ModalCounter
{
    int opened = 0;
    QTimer timer;
    ModalCounter()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++opened;
                modal->close();
            }
        });
        timer.start();
    }
};

} // namespace

class ReadOnlyWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void statusBarSaysTheFolderIsReadOnly()
    {
        Frame readOnly(true);
        auto* pane = readOnly.frame->statusBar()->findChild<QLabel*>(QStringLiteral("readOnlyPane"));
        QVERIFY(pane);
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->text(), QStringLiteral("Read-Only"));
        QCOMPARE(pane->accessibleName(), QStringLiteral("Data folder: read-only"));
        QVERIFY(pane->toolTip().startsWith(readOnly.ReadOnlyText()));

        Frame writable(false);
        QVERIFY(!writable.frame->findChild<QLabel*>(QStringLiteral("readOnlyPane")));
    }

    void commandsThatWouldStoreAreTurnedDownBeforeAnyDialog()
    {
        Frame f(true);
        f.app->CurrentList().SetCurrentList(NoteIdList {1001, 1002}, 805);
        const auto filesBefore = DataRootPicture::Files(f.dir.path());
        const QString databaseBefore = DataRootPicture::Database(f.app->Database(), f.app->Sources());
        const NoteIdList listBefore = f.app->CurrentList().NoteIds();
        ModalCounter modals;
        using namespace CommandIds;
        for (const int id : {AddNote, DeleteCurrentNotes, ImportNotes, EditOptions, EditCategoryTrees,
                             OpenSampleNotes, ImportSources})
            f.frame->RunCommand(id);
        f.frame->View()->SelectNote(1001);
        f.frame->RunCommand(DeleteNote);
        f.frame->View()->DeleteNotePermanently(1002);
        f.frame->EditNote(1001);
        QCOMPARE(f.frame->ImportArchive(f.dir.filePath(QStringLiteral("dropped.qvx"))), 0);
        f.frame->ServeAgentTextRequest(); // a new note from the agent, through timer 105
        // A bibliography file dropped on the window is refused before it is read.
        QMimeData bibliography;
        bibliography.setUrls(
            {QUrl::fromLocalFile(QStringLiteral(QUORVEL_TEST_DATA "/bibliography/library.bib"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &bibliography, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.frame.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &bibliography, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.frame.get(), &drop);
        // So is one dropped on "View Sources", and its "Import Sources..." button.
        LibraryCommands library(*f.app, f.prompt, f.frame.get());
        CViewSourcesDlg view(f.app->Database(), f.app->Sources(), f.app->GetSettings(), f.prompt);
        view.SetLibrary(&library);
        view.show();
        QDragEnterEvent enterView(QPoint(10, 10), Qt::CopyAction, &bibliography, Qt::LeftButton,
                                  Qt::NoModifier);
        QApplication::sendEvent(&view, &enterView);
        QVERIFY(enterView.isAccepted());
        QDropEvent dropOnView(QPointF(10, 10), Qt::CopyAction, &bibliography, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &dropOnView);
        view.findChild<QPushButton*>(QStringLiteral("importSources"))->click();
        QTRY_COMPARE(f.prompt.History().size(), 15);
        QTest::qWait(100);

        QCOMPARE(f.prompt.History().size(), 15);
        for (const ScriptedPrompt::Shown& shown : f.prompt.History()) {
            QCOMPARE(shown.text, f.ReadOnlyText());
            QCOMPARE(shown.caption, QStringLiteral("Read-Only Data Folder"));
            QCOMPARE(shown.icon, UserPrompt::Icon::Warning);
            QCOMPARE(shown.buttons, UserPrompt::Buttons::Ok);
        }
        QCOMPARE(modals.opened, 0);
        QVERIFY(!f.frame->NoteEditor());
        QCOMPARE(f.app->CurrentList().NoteIds(), listBefore);
        QCOMPARE(DataRootPicture::Database(f.app->Database(), f.app->Sources()), databaseBefore);
        QCOMPARE(DataRootPicture::Differences(filesBefore, DataRootPicture::Files(f.dir.path())),
                 QStringList());
        QCOMPARE(f.frame->TotalNotesPane()->text(), NoteDatabase::TotalNotesText(3));
    }

    void readingSearchingExportingAndPrintingWork()
    {
        PrivateRuntime runtime;
        Frame f(true);
        const auto filesBefore = DataRootPicture::Files(f.dir.path());
        f.frame->RunSearch(QStringLiteral("apple"), CommandIds::SearchModeDatabase);
        QCOMPARE(f.app->CurrentList().NoteIds(), (NoteIdList {1001, 1002}));
        QTemporaryDir outside;
        const QString archive = outside.filePath(QStringLiteral("apples.qvx"));
        FileDialogs::SetNextFileName(archive);
        f.frame->RunCommand(CommandIds::ExportNotes);
        QVERIFY(QFileInfo(archive).size() > 0);
        // The search's and the export's results, as on any folder.
        QCOMPARE(f.prompt.History().size(), 2);
        QCOMPARE(f.prompt.History().last().text,
                 QStringLiteral("All  *2*  of your current notes have been successfully exported!"));
        // The print program (missing here) is handed a file in the runtime folder.
        f.frame->RunCommand(CommandIds::SavePrintNotes);
        QVERIFY(QFile::exists(runtime.dir.filePath(QStringLiteral("quorvel/PrintPreview.nbf"))));
        QCOMPARE(f.prompt.History().size(), 2);
        f.frame->close();
        QVERIFY(f.app->ExitInstance().IsOk());
        QCOMPARE(f.settings.Writes(), QStringList());
        QCOMPARE(DataRootPicture::Differences(filesBefore, DataRootPicture::Files(f.dir.path())),
                 QStringList());
    }

    void programOpensAFolderItCannotWriteReadOnly()
    {
        QTemporaryDir root;
        UiFixture::WriteNotes(root.path(), UiFixture::ThreeNotes());
        ReadOnlyFolder readOnly(root.path());
        if (!readOnly.Made())
            QSKIP(readOnly.Why());
        const auto filesBefore = DataRootPicture::Files(root.path());
        ScriptedPrompt prompt;
        {
            QuorvelProgram::Options options;
            options.dataRoot = root.path();
            options.serverName
                = QStringLiteral("ZolQuorvelTest") + QUuid::createUuid().toString(QUuid::Id128);
            options.prompt = &prompt;
            options.lockWaitMs = 60000; // a read-only folder is never waited for
            QuorvelProgram program(options);
            QElapsedTimer timer;
            timer.start();
            QVERIFY(program.Start());
            QVERIFY(timer.elapsed() < 30000);
            QVERIFY(program.App()->IsReadOnly());
            QCOMPARE(program.Frame()->TotalNotesPane()->text(), NoteDatabase::TotalNotesText(3));
            QVERIFY(program.Frame()->findChild<QLabel*>(QStringLiteral("readOnlyPane"))->isVisible());
            program.Frame()->RunCommand(CommandIds::AddNote);
            QCOMPARE(prompt.History().size(), 1);
            QCOMPARE(prompt.LastText(), program.App()->Folder().ReadOnlyText());
            program.Frame()->close();
        }
        // The exit stored nothing and said nothing more.
        QCOMPARE(prompt.History().size(), 1);
        readOnly.Undo();
        QCOMPARE(DataRootPicture::Differences(filesBefore, DataRootPicture::Files(root.path())),
                 QStringList());
    }
};

QTEST_MAIN(ReadOnlyWindowTest)
#include "ReadOnlyWindowTest.moc"
