// The window follows every change of the data by itself: after a note is saved, moved or
// deleted, after sources, authors, category trees or key words change, and after the
// current list changes, the view, the two count panes and the control bar's active page
// show it, whoever made the change and without anything asking the window to refresh.
#include "ShownFrame.h"
#include "UiFixture.h"
#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"
#include "editor/CEditNoteDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "format/AuthorsFile.h"
#include "format/SourcesFile.h"
#include "lists/CurrentNotesList.h"
#include "lists/OrganiseCommands.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"
#include "ui/categories/CCategoryTreeCtrlSel.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CCtrlCategoriesPg.h"
#include "ui/categories/CCtrlKeyWordsPg.h"
#include "ui/categories/CCtrlSourcesPg.h"
#include "ui/categories/CKeyWordTreeCtrlSel.h"
#include "ui/categories/CSourcesTreeCtrlSel.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

NoteRecord Filed(qint32 id, const QString& path, const QString& keyWords = {}, qint32 sourceId = 0)
{
    NoteRecord note = UiFixture::MakeNote(id, u"Note %1"_s.arg(id), 14);
    note.KeyWords = keyWords;
    note.SourceID = sourceId;
    const QStringList names = path.split(u'/', Qt::SkipEmptyParts);
    for (int level = 0; level < names.size(); ++level) {
        note.Categories.entries[level].name = names.at(level);
        note.Categories.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
    }
    return note;
}

// Art (1001, 1002), Art/Painting (1003), Science (1004, citing "Optics" by Ada Byron),
// one note without a category (1005).
NotesList Notes()
{
    return {Filed(1001, u"Art"_s, u"light"_s), Filed(1002, u"Art"_s, u"light"_s),
            Filed(1003, u"Art/Painting"_s), Filed(1004, u"Science"_s, u"quantum"_s, 7),
            Filed(1005, QString())};
}

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

struct Frame : ShownFrame
{
    Frame()
        : ShownFrame(Notes())
    {
        SourceRecord optics;
        optics.SourceId = 7;
        optics.SourceGUID = u"{SRC-7}"_s;
        optics.Type = 1; // a book: its authors make a label
        optics.Fields[0] = u"Optics"_s;
        optics.AuthorIds = {3};
        const DataFolder folder(fixture.dir.path(), fixture.dir.path());
        if (!WriteSourcesFile(FileSystem::Real(), folder.SourcesFilePath(), {optics})
            || !WriteAuthorsFile(FileSystem::Real(), folder.AuthorsFilePath(),
                                 {AuthorRecord {3, u"Ada"_s, {}, u"Byron"_s, {}, {}}}))
            qFatal("the test's sources could not be written");
        fixture.app->InitInstance();
        fixture.app->GetSettings().szSaveWarning = 0;
        fixture.app->GetSettings().NoteSortID = 805;
    }

    CNotesApp& App() const { return *fixture.app; }
    NoteDatabase& Database() const { return fixture.app->Database(); }
    CControlBarSheet* Bar() const { return frame->ControlBar(); }
    void ShowPage(int index) const { Bar()->Tabs()->setCurrentIndex(index); }

    // The text of the first item with that label on the active item page (key words or
    // sources), empty when there is none.
    QString ItemText(CItemTreeCtrlSel* tree, const QString& label) const
    {
        const int index = tree->IndexOf(label);
        return index < 0 ? QString() : tree->ItemAt(index)->text(0);
    }
    QString KeyWordText(const QString& word) const { return ItemText(Bar()->KeyWordsPage()->Tree(), word); }
    QString SourceText(const QString& label) const { return ItemText(Bar()->SourcesPage()->Tree(), label); }
    QString CategoryText(const QString& name) const
    {
        CCategoryTreeCtrlSel* tree = Bar()->CategoriesPage()->Tree();
        const CategoryTree& trees = tree->Selection().Trees();
        for (int i = 0; i < trees.Count(); ++i) {
            if (trees.Node(i).name == name) {
                QTreeWidgetItem* item = tree->FindItem(trees.Node(i).id);
                return item ? item->text(0) : QString();
            }
        }
        return QString();
    }
    // Whether a top-level item of the sources page shows text.
    bool SourcesPageShows(const QString& text) const
    {
        QTreeWidget* tree = Bar()->SourcesPage()->Tree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            if (tree->topLevelItem(i)->text(0).contains(text))
                return true;
        }
        return false;
    }
    QString NotesInList() const { return frame->NotesInListPane()->text(); }
    QString TotalSaved() const { return frame->TotalNotesPane()->text(); }
};

} // namespace

class WindowFollowsChangesTest : public QObject
{
    Q_OBJECT

private slots:
    // "Add Note..." and "Edit Note" save through the editor: the bar's active page shows
    // the new key word and the counts at once.
    void editorSavesReachTheControlBar()
    {
        Frame f;
        f.ShowPage(2);
        QCOMPARE(f.KeyWordText(u"light"_s), u"light (0/2)"_s);
        WhenEditorOpens([](CEditNoteDlg& editor) {
            QTest::keyClicks(editor.TextControl(), u"A new thought"_s);
            editor.KeyWordsEdit()->setText(u"fresh, light"_s);
            editor.Save();
        });
        f.frame->RunCommand(CommandIds::AddNote);
        QCOMPARE(f.KeyWordText(u"fresh"_s), u"fresh (1/1)"_s);
        QCOMPARE(f.KeyWordText(u"light"_s), u"light (1/3)"_s);
        QCOMPARE(f.NotesInList(), u"Notes In List:    1"_s);
        QCOMPARE(f.TotalSaved(), u"Total Notes Saved:    6"_s);

        // Editing a listed note: its key word moves to another one.
        f.App().CurrentList().SetCurrentList(NoteIdList {1001}, 805);
        WhenEditorOpens([](CEditNoteDlg& editor) {
            editor.KeyWordsEdit()->setText(u"shade"_s);
            editor.Save();
        });
        f.frame->EditNote(1001);
        QCOMPARE(f.KeyWordText(u"shade"_s), u"shade (1/1)"_s);
        QCOMPARE(f.KeyWordText(u"light"_s), u"light (0/2)"_s);
    }

    // A saved note that moves to another source's note file changes the source page's
    // counts; a deleted note leaves the view, both counts and the bar.
    void movedAndDeletedNotesReachEveryPart()
    {
        Frame f;
        f.ShowPage(1);
        f.App().CurrentList().SetCurrentList(NoteIdList {1001, 1004}, 805);
        QCOMPARE(f.SourceText(u"Optics"_s), u"Optics (1/1)"_s);
        QCOMPARE(f.SourceText(u"<NO_SOURCE>"_s), u"<NO_SOURCE> (1/4)"_s);

        const NoteRecord before = f.Database().LoadNotesByIds(NoteIdList {1001}).first();
        NoteRecord moved = before;
        moved.SourceID = 7;
        QVERIFY(NoteEditorSave::SaveFromEditor(f.Database(), before, moved));
        QCOMPARE(f.SourceText(u"Optics"_s), u"Optics (2/2)"_s);
        QCOMPARE(f.SourceText(u"<NO_SOURCE>"_s), u"<NO_SOURCE> (0/3)"_s);

        f.frame->View()->DeleteNotePermanently(1004);
        QCOMPARE(f.App().CurrentList().NoteIds(), NoteIdList {1001});
        QCOMPARE(f.frame->View()->TotalHeight(), f.frame->View()->NoteRect(0).height());
        QCOMPARE(f.NotesInList(), u"Notes In List:    1"_s);
        QCOMPARE(f.TotalSaved(), u"Total Notes Saved:    4"_s);
        QCOMPARE(f.SourceText(u"Optics"_s), u"Optics (1/1)"_s);
    }

    // Sources and authors edited anywhere (here the way "View Sources" edits them) show
    // on the sources page at once, by title and by author.
    void sourceAndAuthorEditsReachTheSourcesPage()
    {
        Frame f;
        f.ShowPage(1);
        QCOMPARE(f.SourceText(u"Optics"_s), u"Optics (0/1)"_s);
        SourceRecord renamed = *f.App().Sources().FindSource(7);
        renamed.Fields[0] = u"Opticks"_s;
        QCOMPARE(f.App().Sources().UpdateSource(renamed), SourceStore::Update::Stored);
        QCOMPARE(f.SourceText(u"Opticks"_s), u"Opticks (0/1)"_s);
        QVERIFY(f.SourceText(u"Optics"_s).isEmpty());

        QComboBox* showBy = f.Bar()->SourcesPage()->ShowBy();
        showBy->setCurrentIndex(2);
        emit showBy->activated(2);
        QCOMPARE(f.App().GetSettings().CtrlBarSortSrc, 20);
        QVERIFY(f.SourcesPageShows(u"Byron"_s));
        QVERIFY(f.App().Sources().RenameAuthor(3, u"Ada"_s, {}, u"Lovelace"_s));
        QVERIFY(!f.SourcesPageShows(u"Byron"_s));
        QVERIFY(f.SourcesPageShows(u"Lovelace"_s));
    }

    // Category trees saved and key words attached over the current list: the categories
    // page and the key words page follow, and so does the view's layout.
    void categoryAndKeyWordCommandsReachTheirPages()
    {
        Frame f;
        f.App().CurrentList().SetCurrentList(NoteIdList {1001, 1003}, 805);
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (1/2) >>"_s);
        CategoryTree working
            = CategoryTreeEditor::WorkingCopy(f.Database().Categories(), f.Database().UnassignedNoteIds());
        for (int i = 0; i < working.Count(); ++i) {
            if (working.Node(i).name == u"Art"_s)
                working.Node(i).name = u"Arts"_s;
        }
        const NoteWriteResult saved = OrganiseCommands::SaveCategoryTrees(f.Database(), f.App().CurrentList(),
                                                                          std::move(working), 805);
        QVERIFY(saved.Ok());
        QCOMPARE(f.CategoryText(u"Arts"_s), u"Arts (1/2) >>"_s);
        QVERIFY(f.CategoryText(u"Art"_s).isEmpty());

        f.ShowPage(2);
        QVERIFY(f.KeyWordText(u"marked"_s).isEmpty());
        QVERIFY(
            OrganiseCommands::AttachKeyWordToCurrentNotes(f.Database(), f.App().CurrentList(), u"marked"_s)
                .Ok());
        QCOMPARE(f.KeyWordText(u"marked"_s), u"marked (2/2)"_s);
    }

    // The current list changed by any command (here "Clear Current Notes" and a list set
    // from outside the bar): the count pane and the bar's counts follow.
    void currentListChangesReachTheCountsAndTheBar()
    {
        Frame f;
        f.App().CurrentList().SetCurrentList(NoteIdList {1001, 1002, 1005}, 805);
        QCOMPARE(f.NotesInList(), u"Notes In List:    3"_s);
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (2/2) >>"_s);
        QVERIFY(f.frame->View()->TotalHeight() > 0);

        f.frame->RunCommand(CommandIds::ClearNotes);
        QCOMPARE(f.NotesInList(), u"Notes In List:    0"_s);
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (0/2) >>"_s);
        QCOMPARE(f.frame->View()->TotalHeight(), 0);
        QCOMPARE(f.TotalSaved(), u"Total Notes Saved:    5"_s);
    }

    // A listener of the window's own: each change reaches it once, after the files are
    // stored, naming the notes and files; several listeners hear it in turn.
    void everyListenerHearsEachChangeOnce()
    {
        Frame f;
        QList<DataChange> heard;
        ChangeNotice::Subscription kept
            = f.App().Changes().Subscribe([&heard](const DataChange& change) { heard.append(change); });
        const NoteRecord before = f.Database().LoadNotesByIds(NoteIdList {1002}).first();
        NoteRecord edited = before;
        edited.KeyWords = u"dark"_s;
        QVERIFY(NoteEditorSave::SaveFromEditor(f.Database(), before, edited));
        QCOMPARE(heard.size(), 1);
        QVERIFY(heard.first().Has(DataChange::NotesSaved));
        QCOMPARE(heard.first().notes, NoteIdList {1002});
        QCOMPARE(heard.first().writtenFiles.size(), 1);
        // The window heard it too: the key word is on its page.
        f.ShowPage(2);
        QCOMPARE(f.KeyWordText(u"dark"_s), u"dark (0/1)"_s);
        kept.Cancel();
        NoteRecord back = before;
        QVERIFY(NoteEditorSave::SaveFromEditor(f.Database(), edited, back));
        QCOMPARE(heard.size(), 1);
    }
};

QTEST_MAIN(WindowFollowsChangesTest)
#include "WindowFollowsChangesTest.moc"
