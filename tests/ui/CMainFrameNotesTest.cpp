// "Add Note...", "Edit Note" and the agent's note, driven through the main window with
// the editor answered as a user would.
#include "app/CNotesApp.h"
#include "editor/CEditNoteDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/widgets/CCategoryTreeCtrl.h"
#include "lists/CurrentNotesList.h"
#include "platform/UserPrompt.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"
#include "support/ScriptedPrompt.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs act on the note editor as soon as it is up.
void WhenEditorOpens(std::function<void(CEditNoteDlg&)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* editor = qobject_cast<CEditNoteDlg*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        timer->stop();
        timer->deleteLater();
        act(*editor);
    });
    timer->start();
}

void TypeAndSave(CEditNoteDlg& editor, const QString& text)
{
    QTest::keyClicks(editor.TextControl(), text);
    editor.Save();
}

} // namespace

class CMainFrameNotesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    MemorySettingsBackend m_backend;
    ScriptedPrompt m_prompt;
    std::unique_ptr<CNotesApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;

    NoteDatabase& Database() { return m_app->Database(); }
    const ListedNotes& Shown() { return m_app->CurrentList().Entries(); }

    qint32 AddThroughMenu(const QString& text)
    {
        WhenEditorOpens([text](CEditNoteDlg& editor) { TypeAndSave(editor, text); });
        m_frame->Action(CommandIds::AddNote)->trigger();
        return Shown().isEmpty() ? -1 : m_app->CurrentList().Entries().last().NoteID;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_backend = MemorySettingsBackend();
        m_prompt = ScriptedPrompt();
        AppEnvironment environment;
        environment.dataRoot = m_dir->path();
        environment.programFolder = m_dir->filePath(QStringLiteral("bin"));
        environment.settingsBackend = &m_backend;
        environment.prompt = &m_prompt;
        m_app = std::make_unique<CNotesApp>(environment);
        m_app->InitInstance();
        m_app->GetSettings().szSaveWarning = 0;
        m_app->GetSettings().NoteSortID = 805;
        m_frame = std::make_unique<CMainFrame>(*m_app, m_prompt);
        m_frame->resize(900, 700);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanup()
    {
        m_frame.reset();
        m_app.reset();
        m_dir.reset();
    }

    void addNoteSavesIntoTheFileAndTheList()
    {
        QVERIFY(m_frame->Action(CommandIds::AddNote)->isEnabled());
        const qint32 id = AddThroughMenu(QStringLiteral("Written in the editor"));
        QVERIFY(id > 0);
        QCOMPARE(Shown().size(), 1);
        QVERIFY(Shown().first().JustAdded);
        const NotesList stored = Database().LoadNotesByIds(NoteIdList({id}));
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().PlainText, QStringLiteral("Written in the editor"));
        QCOMPARE(Database().Total(), 1);
        QCOMPARE(m_frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    1"));
        QCOMPARE(m_frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    1"));
    }

    void cancelledAddNoteChangesNothing()
    {
        WhenEditorOpens([](CEditNoteDlg& editor) {
            QTest::keyClicks(editor.TextControl(), QStringLiteral("dropped"));
            editor.Cancel();
        });
        m_frame->RunCommand(CommandIds::AddNote);
        QVERIFY(Shown().isEmpty());
        QCOMPARE(Database().Total(), 0);
        QVERIFY(Database().LoadAllNotes().isEmpty());
    }

    void addToTopPlacesTheNewNoteFirst()
    {
        AddThroughMenu(QStringLiteral("older"));
        m_app->GetSettings().NoteSortID = 705;
        AddThroughMenu(QStringLiteral("newer"));
        QCOMPARE(Shown().size(), 2);
        QCOMPARE(m_app->CurrentList().NoteAt(0).PlainText, QStringLiteral("newer"));
        QVERIFY(Shown().first().JustAdded);
        QVERIFY(!Shown().last().JustAdded);
    }

    void theNextNoteStartsFromTheLastOnesCategories()
    {
        WhenEditorOpens([](CEditNoteDlg& editor) {
            CCategoryTreeCtrl* picker = editor.CategoryControl();
            picker->OpenEditor(0);
            picker->Editor()->setEditText(QStringLiteral("History"));
            TypeAndSave(editor, QStringLiteral("first"));
        });
        m_frame->RunCommand(CommandIds::AddNote);
        QString offered;
        WhenEditorOpens([&offered](CEditNoteDlg& editor) {
            offered = editor.CategoryControl()->Assignment().NameAt(0);
            editor.Cancel();
        });
        m_frame->RunCommand(CommandIds::AddNote);
        QCOMPARE(offered, QStringLiteral("History"));

        // A template no longer in the list is forgotten: the list's last note takes its place.
        m_app->CurrentList().ClearCurrentNotes();
        WhenEditorOpens([&offered](CEditNoteDlg& editor) {
            offered = editor.CategoryControl()->Assignment().NameAt(0);
            editor.Cancel();
        });
        m_frame->RunCommand(CommandIds::AddNote);
        QCOMPARE(offered, QStringLiteral("<UNASSIGNED>"));
    }

    void doubleClickEditsTheNoteInPlace()
    {
        const qint32 id = AddThroughMenu(QStringLiteral("before"));
        m_frame->View()->Relayout();
        QTRY_VERIFY(m_frame->View()->NoteRect(0).height() > 0);
        WhenEditorOpens([](CEditNoteDlg& editor) {
            QTextCursor cursor = editor.TextControl()->textCursor();
            cursor.select(QTextCursor::Document);
            editor.TextControl()->setTextCursor(cursor);
            TypeAndSave(editor, QStringLiteral("after"));
        });
        QTest::mouseDClick(m_frame->View()->viewport(), Qt::LeftButton, {},
                           m_frame->View()->NoteRect(0).center());
        QCOMPARE(Shown().size(), 1);
        QCOMPARE(m_app->CurrentList().NoteAt(0).PlainText, QStringLiteral("after"));
        QCOMPARE(Database().LoadNotesByIds(NoteIdList({id})).first().PlainText, QStringLiteral("after"));
        QCOMPARE(Database().Total(), 1);
    }

    void agentTextGoesIntoANewNote()
    {
        QApplication::clipboard()->setText(QStringLiteral("captured words"));
        WhenEditorOpens([](CEditNoteDlg& editor) {
            QTRY_COMPARE(editor.TextControl()->PlainText(), QStringLiteral("captured words"));
            editor.Save();
        });
        m_frame->ServeAgentTextRequest();
        QTRY_COMPARE(Shown().size(), 1);
        QCOMPARE(m_app->CurrentList().NoteAt(0).PlainText, QStringLiteral("captured words"));

        // The flag was used up: the next note starts empty.
        QString text = QStringLiteral("unset");
        WhenEditorOpens([&text](CEditNoteDlg& editor) {
            QTest::qWait(50);
            text = editor.TextControl()->PlainText();
            editor.Cancel();
        });
        m_frame->RunCommand(CommandIds::AddNote);
        QCOMPARE(text, QString());
    }
};

QTEST_MAIN(CMainFrameNotesTest)
#include "CMainFrameNotesTest.moc"
