#include "ShownFrame.h"
#include "UiFixture.h"
#include "categories/CategoryTree.h"
#include "categories/CategoryTreeEditor.h"
#include "categories/KeyWordList.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "platform/NamePrompt.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/Settings.h"
#include "ui/CMainFrame.h"
#include "ui/CommandIds.h"
#include "ui/categories/CCategoryNameDlg.h"
#include "ui/categories/CCategoryTreeCtrlSel.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CCtrlCategoriesPg.h"
#include "ui/categories/CCtrlKeyWordsPg.h"
#include "ui/categories/CCtrlSourcesPg.h"
#include "ui/categories/CEditCategoriesCtrl.h"
#include "ui/categories/CEditCategoriesDlg.h"
#include "ui/categories/CKeyWordTreeCtrlSel.h"
#include "ui/categories/CShowCtrlBarButton.h"
#include "ui/categories/CSourcesTreeCtrlSel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

NoteRecord Filed(qint32 id, const QString& path, const QString& keyWords = {})
{
    NoteRecord note = UiFixture::MakeNote(id, u"Note %1"_s.arg(id), 14);
    note.KeyWords = keyWords;
    const QStringList names = path.split(u'/', Qt::SkipEmptyParts);
    for (int level = 0; level < names.size(); ++level) {
        note.Categories.entries[level].name = names.at(level);
        note.Categories.entries[level].parentName = level == 0 ? QString() : names.at(level - 1);
    }
    return note;
}

// Art (1001, 1002), Art/Painting (1003), Art/Painting/Oil (1004), Science/Physics
// (1005), one note without a category (1006).
NotesList OrganisedNotes()
{
    return {Filed(1001, u"Art"_s, u"light, colour"_s),
            Filed(1002, u"Art"_s, u"light"_s),
            Filed(1003, u"Art/Painting"_s),
            Filed(1004, u"Art/Painting/Oil"_s),
            Filed(1005, u"Science/Physics"_s, u"quantum"_s),
            Filed(1006, QString())};
}

struct Frame : ShownFrame
{
    Frame()
        : ShownFrame(OrganisedNotes())
    {
        fixture.app->InitInstance();
    }

    CControlBarSheet* Bar() const { return frame->ControlBar(); }
    CCategoryTreeCtrlSel* Categories() const { return Bar()->CategoriesPage()->Tree(); }
    NoteDatabase& Database() const { return fixture.app->Database(); }
    // The current list's ids in ascending order (the order of display is the sort's).
    QList<qint32> Current() const
    {
        QList<qint32> ids = fixture.app->CurrentList().NoteIds().Ids();
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // The id of the category item "A/B" on the bar's page, 0 when not shown.
    qint32 CategoryId(const QString& path) const
    {
        const QStringList names = path.split(u'/');
        const CategoryTree& trees = Categories()->Selection().Trees();
        const CategoryNode* node = nullptr;
        for (int i = 0; i < trees.Count() && !node; ++i) {
            if (trees.Node(i).name == names.first())
                node = &trees.Node(i);
        }
        for (int level = 1; node && level < names.size(); ++level) {
            const CategoryNode* child = nullptr;
            for (int i = 0; i < node->ChildCount() && !child; ++i) {
                if (node->Child(i).name == names.at(level))
                    child = &node->Child(i);
            }
            node = child;
        }
        return node && Categories()->FindItem(node->id) ? node->id : 0;
    }
    QString CategoryText(const QString& path) const
    {
        QTreeWidgetItem* item = Categories()->FindItem(CategoryId(path));
        return item ? item->text(0) : QString();
    }
    QString PathOnDisk(qint32 id) const
    {
        for (const NoteRecord& note : Database().LoadNotesByIds(NoteIdList {id})) {
            QStringList names;
            for (const CategoryLevelEntry& entry : note.Categories.entries) {
                if (entry.name != UnassignedCategoryName())
                    names.append(entry.name);
            }
            return names.join(u'/');
        }
        return u"(missing)"_s;
    }
};

} // namespace

class OrganiseTest : public QObject
{
    Q_OBJECT

private slots:
    // The counts of listed notes on the bar follow a search at once.
    void aSearchRefreshesTheBarsCounts()
    {
        Frame f;
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (0/2) >>"_s);
        f.frame->RunSearch(u"SHOWALL"_s, CommandIds::SearchModeDatabase);
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (2/2) >>"_s);
        QCOMPARE(f.Categories()->FindItem(UNASSIGNED_CATEGORY_ID)->text(0), u"<UNASSIGNED> (1/1)"_s);
    }

    void categoryPageGetsNotesAtEachLevel()
    {
        Frame f;
        QCOMPARE(f.Bar()->Tabs()->currentIndex(), 0);
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (0/2) >>"_s);
        QCOMPARE(f.CategoryText(u"Science"_s), u"Science >>"_s);
        QCOMPARE(f.Categories()->FindItem(UNASSIGNED_CATEGORY_ID)->text(0), u"<UNASSIGNED> (0/1)"_s);

        f.Categories()->RunCommand(2301, f.CategoryId(u"Art"_s)); // only at this level
        QCOMPARE(f.Current(), (QList<qint32> {1001, 1002}));
        QCOMPARE(f.CategoryText(u"Art"_s), u"Art (2/2) >>"_s);
        f.Categories()->RunCommand(2303, f.CategoryId(u"Art"_s)); // all subcategories
        QCOMPARE(f.Current(), (QList<qint32> {1001, 1002, 1003, 1004}));
        QCOMPARE(f.CategoryText(u"Art/Painting/Oil"_s), u"Oil (1/1)"_s);
        f.Categories()->RunCommand(2307, f.CategoryId(u"Art/Painting"_s));
        QCOMPARE(f.Current(), (QList<qint32> {1001, 1002, 1004}));
        QCOMPARE(f.CategoryText(u"Art/Painting"_s), u"Painting (0/1)"_s);

        // A Level 2 category with nothing at Level 1: its icon takes all below it.
        f.Categories()->ClickIcon(f.CategoryId(u"Science"_s));
        QVERIFY(f.Current().contains(1005));
        QCOMPARE(f.frame->NotesInListPane()->text(), u"Notes In List:    4"_s);
        // "Clear All" on the blank area.
        f.Categories()->RunCommand(2311, 0);
        QVERIFY(f.Current().isEmpty());
    }

    void categoryMenusFollowTheRules()
    {
        Frame f;
        CCategoryTreeCtrlSel* tree = f.Categories();
        QCOMPARE(tree->MenuCommands(f.CategoryId(u"Science"_s)),
                 (QList<int> {2303, 0, 2315, 0, 2319, 0, 2323}));
        tree->RunCommand(2301, f.CategoryId(u"Art"_s));
        QCOMPARE(tree->MenuCommands(f.CategoryId(u"Art"_s)),
                 (QList<int> {2303, 0, 2307, 2305, 0, 2313, 2315, 0, 2317, 2319, 0, 2321, 2323}));
        QCOMPARE(tree->MenuCommands(0), (QList<int> {2309, 2311}));
    }

    void countsFollowAddEditAndDelete()
    {
        Frame f;
        f.fixture.app->CurrentList().SetCurrentList(NoteIdList {1005}, 805);
        QCOMPARE(f.CategoryText(u"Science/Physics"_s), u"Physics (1/1)"_s);

        NoteRecord added = Filed(-1, u"Science/Physics"_s, u"quantum"_s);
        QVERIFY(NoteEditorSave::SaveFromEditor(f.Database(), NoteRecord(), added));
        QCOMPARE(f.CategoryText(u"Science/Physics"_s), u"Physics (1/2)"_s);

        const NoteRecord before = f.Database().LoadNotesByIds(NoteIdList {1003}).first();
        NoteRecord edited = before;
        edited.Categories = Filed(0, u"Science/Physics"_s).Categories;
        QVERIFY(NoteEditorSave::SaveFromEditor(f.Database(), before, edited));
        QCOMPARE(f.CategoryText(u"Science/Physics"_s), u"Physics (1/3)"_s);
        // Painting lost its last note of its own; Oil still holds one below it.
        QCOMPARE(f.CategoryText(u"Art/Painting"_s), u"Painting"_s);

        f.Bar()->Tabs()->setCurrentIndex(2);
        CItemTreeCtrlSel* words = f.Bar()->KeyWordsPage()->Tree();
        QCOMPARE(words->ItemAt(words->IndexOf(u"quantum"_s))->text(0), u"quantum (1/2)"_s);
        DeleteCommands::DeleteNotes(f.Database(), f.Database().LoadNotesByIds(NoteIdList {1005}),
                                    f.fixture.prompt);
        QCOMPARE(words->ItemAt(words->IndexOf(u"quantum"_s))->text(0), u"quantum (0/1)"_s);
        QCOMPARE(f.fixture.app->GetSettings().ActIndCtrlBar, 2);

        f.Bar()->Tabs()->setCurrentIndex(1);
        CItemTreeCtrlSel* sources = f.Bar()->SourcesPage()->Tree();
        // No note has a source: the pseudo source holds them all but the deleted one.
        QCOMPARE(sources->ItemAt(sources->IndexOf(u"<NO_SOURCE>"_s))->text(0), u"<NO_SOURCE> (0/6)"_s);
    }

    void keyWordCommandsWriteTheNotes()
    {
        Frame f;
        f.fixture.app->CurrentList().SetCurrentList(NoteIdList {1002, 1003}, 805);
        f.Bar()->Tabs()->setCurrentIndex(2);
        CItemTreeCtrlSel* words = f.Bar()->KeyWordsPage()->Tree();
        words->RunCommand(2505, words->IndexOf(u"colour"_s));
        QCOMPARE(f.Database().LoadNotesByIds(NoteIdList {1003}).first().KeyWords, u", colour,"_s);
        QCOMPARE(f.Database().LoadNotesByIds(NoteIdList {1002}).first().KeyWords, u"light, colour,"_s);
        QCOMPARE(words->ItemAt(words->IndexOf(u"colour"_s))->text(0), u"colour (2/3)"_s);
        words->RunCommand(2507, words->IndexOf(u"light"_s));
        QCOMPARE(f.Database().LoadNotesByIds(NoteIdList {1002}).first().KeyWords, u"colour,"_s);
    }

    void showHideAndShowSourcesBy()
    {
        Frame f;
        Settings& settings = f.fixture.app->GetSettings();
        QVERIFY(f.Bar()->isVisible());
        QCOMPARE(f.Bar()->HideButton()->toolTip(), u"Hide Search Controls"_s);
        QTest::mouseClick(f.frame->ShowCtrlBarButton(), Qt::LeftButton);
        QVERIFY(!f.Bar()->isVisible());
        QCOMPARE(settings.ShowCtrlBar, 0);
        f.frame->RunCommand(CommandIds::ToggleControlBar);
        QVERIFY(f.Bar()->isVisible());
        QCOMPARE(settings.ShowCtrlBar, 1);
        QTest::mouseClick(f.Bar()->HideButton(), Qt::LeftButton);
        QCOMPARE(settings.ShowCtrlBar, 0);

        f.frame->RunCommand(CommandIds::ToggleControlBar);
        f.Bar()->Tabs()->setCurrentIndex(1);
        QComboBox* showBy = f.Bar()->SourcesPage()->ShowBy();
        QCOMPARE(showBy->count(), 3);
        QCOMPARE(showBy->itemText(2), u"Authors"_s);
        QCOMPARE(showBy->itemData(2).toInt(), 20);
        showBy->setCurrentIndex(2);
        emit showBy->activated(2);
        QCOMPARE(settings.CtrlBarSortSrc, 20);
    }

    void renamingInTheTreeDialogRefilesEveryNote()
    {
        Frame f;
        // The user picks Art in the bar, then renames it in the dialog.
        f.Categories()->RunCommand(2301, f.CategoryId(u"Art"_s));
        QCOMPARE(f.Current(), (QList<qint32> {1001, 1002}));

        bool dialogSeen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CEditCategoriesDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialogSeen = true;
            CEditCategoriesCtrl* tree = dialog->Tree();
            QTreeWidgetItem* art = tree->findItems(u"Art (2) >>"_s, Qt::MatchExactly).value(0);
            QVERIFY(art);
            const qint32 artId = CEditCategoriesCtrl::NodeId(art); // the items are rebuilt
            QTimer::singleShot(0, [] {
                auto* name = qobject_cast<CCategoryNameDlg*>(QApplication::activeModalWidget());
                QVERIFY(name);
                QCOMPARE(name->windowTitle(), u"Rename Category"_s);
                QCOMPARE(name->NameField()->text(), u"Art"_s);
                name->NameField()->setText(u" Arts "_s);
                name->accept();
            });
            tree->RunCommand(CEditCategoriesCtrl::RenameCategory, artId);
            QVERIFY(tree->FindItem(artId)->text(0).startsWith(u"Arts (2)"_s));
            dialog->accept();
        });
        f.frame->RunCommand(CommandIds::EditCategoryTrees);
        QVERIFY(dialogSeen);

        QCOMPARE(f.PathOnDisk(1001), u"Arts"_s);
        QCOMPARE(f.PathOnDisk(1003), u"Arts/Painting"_s);
        QCOMPARE(f.PathOnDisk(1004), u"Arts/Painting/Oil"_s);
        QCOMPARE(f.PathOnDisk(1005), u"Science/Physics"_s);
        QCOMPARE(f.CategoryText(u"Arts"_s), u"Arts (2/2) >>"_s);
        QCOMPARE(f.fixture.app->CurrentList().Entries().first().Categories.entries[0].name, u"Arts"_s);
    }

    void theDropIndicatorFramesTheCategoryTheDropFilesUnder()
    {
        Frame f;
        ScriptedPrompt prompt;
        ScriptedNamePrompt names;
        CEditCategoriesDlg dialog(f.Database().Categories(), f.Database().UnassignedNoteIds(), prompt, names);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CEditCategoriesCtrl* tree = dialog.Tree();
        tree->expandAll();
        const auto item = [tree](const QString& startsWith) {
            const QList<QTreeWidgetItem*> found
                = tree->findItems(startsWith, Qt::MatchStartsWith | Qt::MatchRecursive);
            return found.value(0);
        };
        QTreeWidgetItem* oil = item(u"Oil"_s);
        QTreeWidgetItem* science = item(u"Science"_s);
        QVERIFY(oil && science);
        tree->setCurrentItem(oil);
        std::unique_ptr<QMimeData> dragged(tree->model()->mimeData({tree->currentIndex()}));

        // The pointer at the very top edge of "Science": where a list would put a line
        // between two rows. The drop files under Science, and the indicator says so.
        const QRect row = tree->visualItemRect(science);
        const QPoint edge(row.center().x(), row.top() + 1);
        QDragEnterEvent enter(edge, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &enter);
        QDragMoveEvent move(edge, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &move);
        QCOMPARE(tree->DropIndicator(), CEditCategoriesCtrl::ShownDrop::OnCategory);
        const QPoint bottom(row.center().x(), row.bottom() - 1);
        QDragMoveEvent lower(bottom, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &lower);
        QCOMPARE(tree->DropIndicator(), CEditCategoriesCtrl::ShownDrop::OnCategory);

        const qint32 oilId = CEditCategoriesCtrl::NodeId(oil);
        const qint32 scienceId = CEditCategoriesCtrl::NodeId(science);
        QDropEvent drop(edge, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &drop);
        QTRY_VERIFY(tree->FindItem(oilId) && tree->FindItem(oilId)->parent()
                    && CEditCategoriesCtrl::NodeId(tree->FindItem(oilId)->parent()) == scienceId);
        QVERIFY(prompt.History().isEmpty()); // Science has no notes of its own to ask about
    }

    // Thousands of categories: the bar's page and the editing dialog's tree find each
    // item's category through a lookup table, never by walking the trees for it.
    void wideOutlinesAreShownWithoutAWalkPerItem()
    {
        CategoryTree trees;
        const int width = 2000;
        qint32 id = 1;
        for (int i = 0; i < width; ++i) {
            CategoryAssignment path;
            path.entries[0].name = u"Topic %1"_s.arg(i, 4, 10, QLatin1Char('0'));
            trees.FileNote(id++, path);
            path.entries[1].name = u"Sub"_s;
            path.entries[1].parentName = path.entries[0].name;
            trees.FileNote(id++, path);
        }
        const quint64 nodes = 2 * width + 1; // and "<UNASSIGNED>"

        CCategoryTreeCtrlSel bar;
        bar.Build(trees, NoteIdList {}, NoteIdList {1, 2});
        QCOMPARE(bar.topLevelItemCount(), width); // "<UNASSIGNED>" holds nothing: hidden
        QCOMPARE(bar.FindItem(1)->text(0), u"Topic 0000 (1/1) >>"_s);
        QCOMPARE(bar.FindItem(2)->text(0), u"Sub (1/1)"_s);
        const quint64 built = bar.Selection().Trees().NodeVisits();
        QVERIFY2(built <= 3 * nodes, qPrintable(QString::number(built)));
        bar.RunCommand(2309, 0); // Select All
        bar.ClickIcon(3);
        bar.RunCommand(2311, 0); // Clear All
        QVERIFY(bar.Selection().PageNotes().IsEmpty());
        QCOMPARE(bar.FindItem(3)->text(0), u"Topic 0001 (0/1) >>"_s);
        QVERIFY(bar.Selection().Trees().NodeVisits() <= built + 2 * nodes);

        ScriptedPrompt prompt;
        ScriptedNamePrompt names;
        CategoryTree working = CategoryTreeEditor::WorkingCopy(trees, NoteIdList {});
        CategoryTreeEditor editor(working, prompt, names);
        CEditCategoriesCtrl edit(editor);
        QCOMPARE(edit.topLevelItemCount(), width + 1);
        QCOMPARE(edit.FindItem(4)->text(0), u"Sub (1)"_s);
        QVERIFY2(working.NodeVisits() <= 3 * nodes, qPrintable(QString::number(working.NodeVisits())));
    }

    void everyControlHasAnAccessibleName()
    {
        Frame f;
        ScriptedPrompt prompt;
        ScriptedNamePrompt names;
        CEditCategoriesDlg dialog(f.Database().Categories(), f.Database().UnassignedNoteIds(), prompt, names);
        CCategoryNameDlg nameDialog(u"Rename Category"_s, u"Art"_s, true);
        const QList<QWidget*> roots {f.frame->ControlBar(), f.frame->ShowCtrlBarButton(), &dialog,
                                     &nameDialog};
        for (QWidget* root : roots) {
            QList<QWidget*> widgets = root->findChildren<QWidget*>();
            widgets.prepend(root);
            for (QWidget* widget : widgets) {
                const bool control = qobject_cast<QAbstractButton*>(widget)
                    || qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget)
                    || qobject_cast<QTreeWidget*>(widget) || qobject_cast<QTabWidget*>(widget);
                // Parts that Qt builds inside a list or a tab bar carry their own names.
                const QObject* parent = widget->parent();
                if (!control || qobject_cast<const QComboBox*>(parent)
                    || qobject_cast<const QTabBar*>(parent))
                    continue;
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
                if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget)
                    || qobject_cast<QComboBox*>(widget))
                    QVERIFY2(!widget->toolTip().isEmpty(), qPrintable(widget->accessibleName()));
            }
        }
    }
};

QTEST_MAIN(OrganiseTest)
#include "OrganiseTest.moc"
