#include "UiFixture.h"
#include "editor/widgets/FileDialogs.h"
#include "lists/CurrentNotesList.h"
#include "lists/NoteMatcher.h"
#include "store/NoteDatabase.h"
#include "ui/CChromaToolBar.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CSearchEditBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace {

// The frame over a started application, as the desktop program builds it.
struct FrameFixture
{
    std::unique_ptr<CMainFrame> frame;
    UiFixture::App fixture;

    FrameFixture()
        : fixture([this] {
            StartupHooks hooks;
            hooks.createWindows = [this] {
                frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
                frame->resize(1100, 700);
                frame->show();
            };
            hooks.showLastList = [this] { frame->ShowLastList(); };
            return hooks;
        }())
    {
        fixture.app->InitInstance();
    }
    ~FrameFixture() { frame.reset(); }

    void ShowNotes(const QList<qint32>& ids)
    {
        fixture.app->CurrentList().SetCurrentList(NoteIdList(ids), 805);
    }
};

} // namespace

using namespace Qt::Literals::StringLiterals;

class MainFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void menuItemsTextsAndStates()
    {
        FrameFixture f;
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("<Quorvel> - Ver. 1.34 - Brenlow Software, LLC"));
        struct Item
        {
            int id;
            const char* name;
            const char* text;
            bool enabled;
        };
        const Item items[] = {
            {32782, "actionSavePrintNotes", "Save/Print Current Notes...", true},
            {32826, "actionCreateBibliography", "Create Bibliography...", true},
            {32787, "actionExportNotes", "Export Current Notes...", true},
            {32828, "actionBackupNotes", "Backup All Notes...", true},
            {32830, "actionImportNotes", "Import Notes...", true},
            {57665, "actionExit", "E&xit", true},
            {32776, "actionEditOptions", "Edit Options...", true},
            {32774, "actionAddNote", "Add Note...", true},
            {32780, "actionDeleteNote", "Delete Note", false},
            {32823, "actionClearNotes", "Clear Current Notes", true},
            {32839, "actionDeleteCurrentNotes", "Delete Current Notes", true},
            {32778, "actionViewSources", "View Sources...", true},
            {32789, "actionEditCategoryTrees", "Edit Category Trees...", true},
            {57664, "actionAbout", "&About Quorvel...", true},
            {32855, "actionUsersManual", "User's Manual (.pdf)...", true},
            {32857, "actionTutorialVideos", "View Online Tutorial Videos...", true},
        };
        for (const Item& item : items) {
            QAction* action = f.frame->findChild<QAction*>(QLatin1String(item.name));
            QVERIFY2(action, item.name);
            QCOMPARE(action->text(), QLatin1String(item.text));
            QCOMPARE(action->isEnabled(), item.enabled);
            QCOMPARE(f.frame->Action(item.id), action);
        }
        QStringList menus;
        for (QAction* menu : f.frame->menuBar()->actions())
            menus.append(menu->text());
        QCOMPARE(menus,
                 QStringList(
                     {u"&File"_s, u"&Options"_s, u"&Notes"_s, u"&Sources"_s, u"&Categories"_s, u"&Help"_s}));
    }

    void statusBarShowsTheCounts()
    {
        FrameFixture f;
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    0"));
        QCOMPARE(f.frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    3"));
        f.ShowNotes({1001, 1003});
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    2"));
        f.frame->RunCommand(32823); // "Clear Current Notes"
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    0"));
        QCOMPARE(f.frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    3"));
    }

    void deleteNoteAsksFirst()
    {
        FrameFixture f;
        f.ShowNotes({1001, 1002});
        QAction* deleteNote = f.frame->Action(32780);
        QVERIFY(!deleteNote->isEnabled());
        // Clicking a note selects it and enables "Delete Note".
        CNotesView* view = f.frame->View();
        QTRY_VERIFY(view->NoteRect(0).height() > 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->NoteRect(0).center());
        QCOMPARE(view->SelectedNoteId(), 1001);
        QVERIFY(deleteNote->isEnabled());

        f.fixture.prompt.SetNextAnswer(UserPrompt::Answer::No);
        f.frame->RunCommand(32780);
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("Do you wish to permanently delete this note?"));
        QCOMPARE(f.fixture.prompt.History().last().caption, QStringLiteral("Delete Note?"));
        QCOMPARE(f.fixture.prompt.History().last().buttons, UserPrompt::Buttons::YesNo);
        QCOMPARE(f.fixture.app->CurrentList().Count(), 2);

        f.fixture.prompt.SetNextAnswer(UserPrompt::Answer::Yes);
        f.frame->RunCommand(32780);
        QCOMPARE(f.fixture.app->CurrentList().Count(), 1);
        QCOMPARE(f.frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    2"));
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    1"));
        QVERIFY(!deleteNote->isEnabled());
    }

    void deleteCurrentNotesUsesTheCount()
    {
        FrameFixture f;
        f.ShowNotes({1001, 1002, 1003});
        f.fixture.prompt.SetNextAnswer(UserPrompt::Answer::No);
        f.frame->RunCommand(32839);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Do you wish to permanently delete all 3 current notes?"));
        QCOMPARE(f.fixture.app->CurrentList().Count(), 3);
        f.frame->RunCommand(32839);
        QCOMPARE(f.fixture.app->CurrentList().Count(), 0);
        QCOMPARE(f.frame->TotalNotesPane()->text(), QStringLiteral("Total Notes Saved:    0"));
    }

    void exportAndPrintRefuseAnEmptyList()
    {
        FrameFixture f;
        f.frame->RunCommand(32787);
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("There are no notes in the current list."));
        QCOMPARE(f.fixture.prompt.History().last().caption, QStringLiteral("Invalid Notes"));
        f.frame->RunCommand(32782);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Unable to save, there are no notes in the current list."));
    }

    void exportWritesTheChosenFile()
    {
        FrameFixture f;
        f.ShowNotes({1001, 1002});
        const QString path = f.fixture.dir.filePath(QStringLiteral("out.qvx"));
        FileDialogs::SetNextFileName(path);
        f.frame->RunCommand(32787);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("All  *2*  of your current notes have been successfully exported!"));
        // A cancelled dialog does nothing.
        const int shown = f.fixture.prompt.History().size();
        FileDialogs::SetNextFileName(QString());
        f.frame->RunCommand(32828);
        QCOMPARE(f.fixture.prompt.History().size(), shown);
    }

    void searchFromTheFieldFillsTheView()
    {
        FrameFixture f;
        CSearchEditBox* field = f.frame->SearchBar()->SearchField();
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(field, &in);
        QTest::keyClicks(field, QStringLiteral("apple"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("Your search returned  *2*  results."));
        QCOMPARE(f.fixture.prompt.History().last().caption, QStringLiteral("Finished Search!"));
        QCOMPARE(f.fixture.app->CurrentList().Count(), 2);
        QCOMPARE(f.frame->NotesInListPane()->text(), QStringLiteral("Notes In List:    2"));
        // Both found notes are laid out in the view, one below the other, with their hits.
        CNotesView* view = f.frame->View();
        QTRY_VERIFY(view->NoteRect(1).top() >= view->NoteRect(0).bottom());
        QVERIFY(!HighlightedText(f.fixture.app->CurrentList().NoteAt(0)).isEmpty());

        // Within the current notes: nothing is added.
        f.frame->SearchBar()->SetSearchMode(24);
        field->setText(QStringLiteral("pear"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("Your search returned  *1*  results."));
        QCOMPARE(f.fixture.app->CurrentList().Count(), 2);
    }

    void sortAndZoomListsChangeTheSettings()
    {
        FrameFixture f;
        f.ShowNotes({1002, 1001, 1003});
        QComboBox* sort = f.frame->SearchBar()->SortList();
        const int newestFirst = sort->findText(QStringLiteral("Date Added: Present to Past"));
        sort->setCurrentIndex(newestFirst);
        emit sort->activated(newestFirst);
        QCOMPARE(f.fixture.app->GetSettings().NoteSortID, 801);
        QList<qint32> ids;
        for (const ListedNote& note : f.fixture.app->CurrentList().Entries())
            ids.append(note.NoteID);
        QCOMPARE(ids, QList<qint32>({1003, 1002, 1001}));

        QComboBox* zoom = f.frame->SearchBar()->ZoomList();
        const int large = zoom->findText(QStringLiteral("150%"));
        zoom->setCurrentIndex(large);
        emit zoom->activated(large);
        QCOMPARE(f.fixture.app->GetSettings().ZoomLvl, 1.5);
    }

    void noteMenuOffersTheNoteCommands()
    {
        FrameFixture f;
        f.ShowNotes({1001});
        CNotesView* view = f.frame->View();
        QTRY_VERIFY(view->NoteRect(0).height() > 0);
        QStringList texts;
        QTimer::singleShot(0, [&texts] {
            QWidget* popup = QApplication::activePopupWidget();
            if (auto* menu = qobject_cast<QMenu*>(popup)) {
                for (QAction* action : menu->actions())
                    texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
                menu->close();
            }
        });
        const QPoint inside = view->NoteRect(0).center();
        QContextMenuEvent onNote(QContextMenuEvent::Mouse, inside, view->viewport()->mapToGlobal(inside));
        QApplication::sendEvent(view->viewport(), &onNote);
        QCOMPARE(texts,
                 QStringList({u"Edit Note"_s, u"Remove From Current List"_s, u"Copy Citation"_s, u"-"_s,
                              u"Delete Note Permanently"_s}));

        // Empty space below the last note: no menu.
        texts.clear();
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                shown = true;
                popup->close();
            }
        });
        const QPoint below(inside.x(), view->NoteRect(0).bottom() + 40);
        QContextMenuEvent onEmpty(QContextMenuEvent::Mouse, below, view->viewport()->mapToGlobal(below));
        QApplication::sendEvent(view->viewport(), &onEmpty);
        QApplication::processEvents();
        QVERIFY(!shown);
    }

    void closeMessageClosesTheWindow()
    {
        FrameFixture f;
        QVERIFY(!f.frame->HandleCopyData("something else"));
        QVERIFY(f.frame->isVisible());
        QVERIFY(f.frame->HandleCopyData("ZOLCLOSEQUORVEL"));
        QVERIFY(!f.frame->isVisible());
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
