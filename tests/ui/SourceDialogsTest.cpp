#include "UiFixture.h"
#include "exchange/PrintCommands.h"
#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/SourcesFile.h"
#include "lists/CurrentNotesList.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceNames.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "ui/CMainFrame.h"
#include "ui/CommandIds.h"
#include "ui/RenderedNote.h"
#include "ui/sources/CEditSourceDlg.h"
#include "ui/sources/CSelectSourcesDlg.h"
#include "ui/sources/CSourcePreviewWnd.h"
#include "ui/sources/CSourcesListWnd.h"
#include "ui/sources/CSourcesSelWnd.h"
#include "ui/sources/CViewSourcesDlg.h"
#include "ui/sources/CitationPainter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {

SourceRecord Book(qint32 id, const char* title, int style)
{
    SourceRecord source;
    source.SourceId = id;
    source.SourceGUID = QStringLiteral("{GUID-%1}").arg(id);
    source.Style = style;
    source.Type = SourceType::Book;
    source.Fields[0] = QString::fromLatin1(title);
    source.Fields[1] = QStringLiteral("Harbor Press");
    return source;
}

AppEnvironment Environment(UiFixture::App& app)
{
    AppEnvironment environment;
    environment.dataRoot = app.dir.path();
    environment.programFolder = app.dir.path();
    environment.settingsBackend = &app.settings;
    environment.prompt = &app.prompt;
    return environment;
}

// Notes 1001 and 1002 cite source 1001; 1002 and 1003 are cited by none.
struct SourcesFixture
{
    std::unique_ptr<UiFixture::App> f;

    explicit SourcesFixture(const std::function<StartupHooks(UiFixture::App&)>& hooks = {})
    {
        NotesList notes = UiFixture::ThreeNotes();
        notes[0].SourceID = 1001;
        notes[1].SourceID = 1001;
        f = std::make_unique<UiFixture::App>(StartupHooks {}, notes);
        if (hooks) {
            // The frame is made at the step of start-up that makes the windows.
            UiFixture::App* app = f.get();
            f->app = std::make_unique<CNotesApp>(Environment(*app), hooks(*app));
        }
        const DataFolder folder(f->dir.path(), f->dir.path());
        static_cast<void>(WriteSourcesFile(
            FileSystem::Real(), folder.FullPath(QStringLiteral("Data Files\\Sources.dat")),
            {Book(1001, "Zebra Days", 1), Book(1002, "Apple Orchards", 9), Book(1003, "Mango Trees", 1)}));
        f->app->InitInstance();
    }
    NoteDatabase& Db() { return f->app->Database(); }
    SourceStore& Src() { return f->app->Sources(); }
    QString Path(const char* name) const { return f->app->FullPath(QString::fromLatin1(name)); }
};

void DoubleClickItem(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    QVERIFY(item);
    const QPoint centre = list->visualItemRect(item).center();
    // A double-click is a press, a release and a double-click press on the same item.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void DoubleClickSource(CSourcesListWnd* list, qint32 sourceId)
{
    for (int i = 0; i < list->Sources().size(); ++i) {
        if (list->Sources()[i].SourceId == sourceId) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->SourceRect(i).center());
            return;
        }
    }
    QFAIL("source not shown");
}

// Runs act on the dialog of type T once it is shown (modal dialogs run their own loop).
template<typename T> void WhenShown(std::function<void(T*)> act)
{
    QTimer::singleShot(10, [act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible())
                return act(dialog);
        }
        WhenShown<T>(act);
    });
}

// Types into a number box as a user does: select what it shows, type, press Enter.
void TypeInto(QSpinBox* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

QList<qint32> Ids(const SourceList& sources)
{
    QList<qint32> ids;
    for (const SourceRecord& source : sources)
        ids.append(source.SourceId);
    return ids;
}

} // namespace

class SourceDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void newSourceWithNewAuthorsIsStored()
    {
        SourcesFixture s;
        CEditSourceDlg dialog(s.Db(), s.Src(), s.f->prompt, s.Src().NewSource(1), true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.UpdateAuthorButton()->isEnabled());
        // Two authors made with "Add New", then moved into the source in this order.
        QTest::keyClicks(dialog.FirstEdit(), QStringLiteral(" Jane "));
        QTest::keyClicks(dialog.LastEdit(), QStringLiteral("Doe"));
        QTest::mouseClick(dialog.AddAuthorButton(), Qt::LeftButton);
        // The new author is selected, its names shown; a fresh name starts with no selection.
        QCOMPARE(dialog.LastEdit()->text(), QStringLiteral("Doe"));
        QVERIFY(dialog.UpdateAuthorButton()->isEnabled());
        dialog.AvailableAuthors()->clearSelection();
        QVERIFY(dialog.FirstEdit()->text().isEmpty());
        QTest::keyClicks(dialog.FirstEdit(), QStringLiteral("John"));
        QTest::keyClicks(dialog.MiddleEdit(), QStringLiteral("M"));
        QTest::keyClicks(dialog.LastEdit(), QStringLiteral("Smith"));
        QTest::mouseClick(dialog.AddAuthorButton(), Qt::LeftButton);
        const AuthorList authors = LoadAuthorsFile(s.Path("Data Files\\Authors.dat"));
        QCOMPARE(authors.size(), 2);
        QCOMPARE(authors[0].FirstName, QStringLiteral("Jane"));
        QCOMPARE(dialog.AvailableAuthors()->count(), 2);
        // The left list is alphabetical: "Doe, Jane" before "Smith, John M.".
        QCOMPARE(dialog.AvailableAuthors()->item(1)->text(), QStringLiteral("Smith, John M."));
        DoubleClickItem(dialog.AvailableAuthors(), 1);
        DoubleClickItem(dialog.AvailableAuthors(), 0);
        QCOMPARE(dialog.SourceAuthors()->count(), 2);
        QCOMPARE(dialog.AvailableAuthors()->count(), 0);

        QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
        QCOMPARE(s.f->prompt.LastText(), QStringLiteral("Source must have a title."));
        QCOMPARE(s.f->prompt.History().last().caption, QStringLiteral("No Title"));
        QVERIFY(dialog.isVisible());

        QTest::keyClicks(dialog.TitleEdit(), QStringLiteral("Engines"));
        QVERIFY(dialog.Preview()->Source().CitationText.contains(QStringLiteral("Engines")));
        QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SourceList stored = LoadSourcesFile(s.Path("Data Files\\Sources.dat"));
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored.last().SourceId, 1004);
        QCOMPARE(stored.last().Fields[0], QStringLiteral("Engines"));
        QCOMPARE(stored.last().AuthorIds, QList<qint32>({authors[1].AuthorId, authors[0].AuthorId}));
    }

    void numbersTypedOutsideTheirRangeShowAndKeepTheBound()
    {
        SourcesFixture s;
        // "Edit Source": 12 spaces of indent become 10, no author before "et al" becomes 1.
        CEditSourceDlg dialog(s.Db(), s.Src(), s.f->prompt, *s.Src().FindSource(1001), false);
        dialog.show();
        auto* indent = dialog.findChild<QSpinBox*>(QStringLiteral("indentSpaces"));
        auto* etAl = dialog.findChild<QSpinBox*>(QStringLiteral("authorsBeforeEtAl"));
        QVERIFY(indent && etAl);
        TypeInto(indent, QStringLiteral("12"));
        QCOMPARE(indent->text(), QStringLiteral("10"));
        TypeInto(etAl, QStringLiteral("0"));
        QCOMPARE(etAl->text(), QStringLiteral("1"));
        // The arrows never leave the range.
        QTest::keyClick(indent, Qt::Key_Up);
        QCOMPARE(indent->value(), 10);
        QTest::keyClick(etAl, Qt::Key_Down);
        QCOMPARE(etAl->value(), 1);
        dialog.Save();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(s.Src().FindSource(1001)->IndentSpaces, 10);
        QCOMPARE(s.Src().FindSource(1001)->AuthorsBeforeEtAl, 1);
        QCOMPARE(LoadSourcesFile(s.Path("Data Files\\Sources.dat")).first().IndentSpaces, 10);

        // The bibliography's common formatting takes the bounds as shown too.
        CSelectSourcesDlg bibliography(s.Src().Sources(), s.Src().Authors(), {});
        bibliography.show();
        bibliography.SelectAll();
        QTest::mouseClick(bibliography.CommonBox(), Qt::LeftButton);
        TypeInto(bibliography.IndentSpin(), QStringLiteral("25"));
        QCOMPARE(bibliography.IndentSpin()->text(), QStringLiteral("10"));
        TypeInto(bibliography.EtAlSpin(), QStringLiteral("40"));
        QCOMPARE(bibliography.EtAlSpin()->text(), QStringLiteral("15"));
        QCOMPARE(bibliography.SelectedSources().size(), 3);
        for (const SourceRecord& source : bibliography.SelectedSources()) {
            QCOMPARE(source.IndentSpaces, 10);
            QCOMPARE(source.AuthorsBeforeEtAl, 15);
        }
    }

    void typeChangeRelabelsAndStampsNotes()
    {
        SourcesFixture s;
        CEditSourceDlg dialog(s.Db(), s.Src(), s.f->prompt, *s.Src().FindSource(1001), false);
        QCOMPARE(dialog.FieldLabel(7)->text(), QStringLiteral("Chapter:"));
        QVERIFY(!dialog.YearOnlyBox()->isEnabled());
        const int journal = dialog.TypeList()->findText(QStringLiteral("Journal Article"));
        dialog.TypeList()->setCurrentIndex(journal);
        emit dialog.TypeList()->activated(journal);
        QCOMPARE(dialog.FieldLabel(7)->text(), QStringLiteral("URL:"));
        QVERIFY(!dialog.FieldEdit(6)->isEnabled());
        QCOMPARE(dialog.FieldEdit(6)->accessibleName().isEmpty(), false);
        dialog.Save();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SourceRecord* saved = s.Src().FindSource(1001);
        QCOMPARE(saved->Type, int(SourceType::JournalArticle));
        QVERIFY(saved->SourceGUID != QStringLiteral("{GUID-1001}"));
        const NotesList notes = s.Db().LoadNotesByIds(NoteIdList({1001, 1002, 1003}));
        QCOMPARE(notes.size(), 3);
        QVERIFY(notes[0].LastEdited.Year() > 2008);
        QVERIFY(notes[1].LastEdited.Year() > 2008);
        QCOMPARE(notes[2].LastEdited.Year(), 2008); // cites nothing
    }

    void deletionFollowsTheRules()
    {
        SourcesFixture s;
        CViewSourcesDlg dialog(s.Db(), s.Src(), s.f->app->GetSettings(), s.f->prompt);
        dialog.show();
        // Sorted by citation: Apple, Mango, Zebra.
        QCOMPARE(Ids(dialog.List()->Sources()), QList<qint32>({1002, 1003, 1001}));
        dialog.DeleteSelected();
        QCOMPARE(s.f->prompt.LastText(), QStringLiteral("You must select a source to delete."));
        QCOMPARE(s.f->prompt.History().last().caption, QStringLiteral("Source not selected"));
        dialog.List()->SelectSource(1001);
        dialog.DeleteSelected();
        QCOMPARE(s.f->prompt.LastText(),
                 QStringLiteral("This source has notes tied to it, you may not delete it."));
        QCOMPARE(s.f->prompt.History().last().caption, QStringLiteral("Notes Attached!"));
        dialog.List()->SelectSource(1003);
        s.f->prompt.SetNextAnswer(UserPrompt::Answer::No);
        dialog.DeleteSelected();
        QCOMPARE(s.f->prompt.LastText(), QStringLiteral("Do you wish to delete this source?"));
        QCOMPARE(dialog.List()->Sources().size(), 3);
        dialog.DeleteSelected(); // answered Yes
        QCOMPARE(Ids(dialog.List()->Sources()), QList<qint32>({1002, 1001}));
        QCOMPARE(Ids(LoadSourcesFile(s.Path("Data Files\\Sources.dat"))), QList<qint32>({1001, 1002}));
        // The filters list what is left; a filter narrows the list.
        QCOMPARE(dialog.TitleFilter()->count(), 3);
        QCOMPARE(dialog.TitleFilter()->itemText(0), QStringLiteral("<-ALL TITLES->"));
        dialog.TitleFilter()->setCurrentIndex(dialog.TitleFilter()->findText(QStringLiteral("Zebra Days")));
        emit dialog.TitleFilter()->activated(dialog.TitleFilter()->currentIndex());
        QCOMPARE(Ids(dialog.List()->Sources()), QList<qint32>({1001}));
        QCOMPARE(dialog.FiltersButton()->text(), QStringLiteral("Hide Filters"));
        QTest::mouseClick(dialog.FiltersButton(), Qt::LeftButton);
        QCOMPARE(dialog.FiltersButton()->text(), QStringLiteral("Show Filters"));
        QCOMPARE(s.f->app->GetSettings().ShowSrcFilters, 0);
        QVERIFY(s.f->app->GetSettings().ViewSrcRect.IsNull());
        dialog.hide(); // closing remembers the size
        QCOMPARE(s.f->app->GetSettings().ViewSrcRect.Width(), dialog.width());
    }

    void pickerHandsTheChosenIdBack()
    {
        SourcesFixture s;
        {
            CViewSourcesDlg dialog(s.Db(), s.Src(), s.f->app->GetSettings(), s.f->prompt);
            dialog.SetPickingMode(1003);
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Source"));
            QCOMPARE(dialog.ConfirmButton()->text(), QStringLiteral("SELECT"));
            QCOMPARE(dialog.List()->SelectedSourceId(), 1003); // the note's source is marked
            DoubleClickSource(dialog.List(), 1002);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.ChosenSourceId(), 1002);
        }
        // The editor's call: "SELECT" takes the marked source.
        WhenShown<CViewSourcesDlg>([](CViewSourcesDlg* dialog) { dialog->ConfirmButton()->click(); });
        QCOMPARE(CViewSourcesDlg::PickSource(s.Db(), s.Src(), s.f->app->GetSettings(), s.f->prompt, 1001),
                 1001);
        WhenShown<CViewSourcesDlg>([](CViewSourcesDlg* dialog) { dialog->close(); });
        QCOMPARE(CViewSourcesDlg::PickSource(s.Db(), s.Src(), s.f->app->GetSettings(), s.f->prompt, 1001),
                 -1);
    }

    void bibliographyOfThreeSourcesInTwoStyles()
    {
        SourcesFixture s;
        s.f->app->CurrentList().SetCurrentList(NoteIdList({1001, 1002, 1003}), 805);
        CSelectSourcesDlg dialog(s.Src().Sources(), s.Src().Authors(), s.f->app->CurrentList().Entries());
        dialog.show();
        QCOMPARE(Ids(dialog.AvailableList()->Sources()), QList<qint32>({1002, 1003, 1001}));
        QVERIFY(!dialog.StyleList()->isEnabled());
        // Sorting off: the order of selection is the bibliography's.
        dialog.SortBox()->setChecked(false);
        DoubleClickSource(dialog.AvailableList(), 1001);
        DoubleClickSource(dialog.AvailableList(), 1002);
        DoubleClickSource(dialog.AvailableList(), 1003);
        QCOMPARE(Ids(dialog.SelectedList()->Sources()), QList<qint32>({1001, 1002, 1003}));
        QVERIFY(dialog.AvailableList()->Sources().isEmpty());

        QString commandLine;
        auto start = [&commandLine](const QString& line, const DataFolder&) {
            commandLine = line;
            return true;
        };
        QVERIFY(PrintCommands::CreateBibliography(s.Db().Folder(), s.Src(), dialog.SelectedSources(),
                                                  s.f->app->Progress(), start));
        const QString bib = s.Path("Data Files\\Bib.dat");
        QCOMPARE(
            commandLine,
            QStringLiteral("\"%1\" \"%2\"").arg(PrintCommands::PrintProgramPath(s.f->app->Folder()), bib));
        FieldReader reader = FieldReader::FromFile(bib);
        QCOMPARE(reader.ReadText(), QStringLiteral("1.34"));
        QCOMPARE(reader.ReadInt(), 3);
        const int styles[] = {1, 9, 1}; // each in its own style: two styles
        const qint32 order[] = {1001, 1002, 1003};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(reader.ReadText(), QStringLiteral("{GUID-%1}").arg(order[i]));
            QCOMPARE(reader.ReadInt(), order[i]);
            reader.ReadText(); // AuthorsText
            QCOMPARE(reader.ReadInt(), styles[i]);
            QCOMPARE(reader.ReadInt(), int(SourceType::Book));
            QCOMPARE(reader.ReadInt(), 3);
            QCOMPARE(reader.ReadInt(), 6);
            QCOMPARE(reader.ReadInt(), 0); // no authors
            QCOMPARE(reader.ReadInt(), 15);
            QStringList fields;
            for (int f = 0; f < 15; ++f)
                fields.append(reader.ReadText());
            QCOMPARE(fields[0], s.Src().FindSource(order[i])->Fields[0]);
            const QString citation = reader.ReadText();
            QVERIFY(citation.contains(fields[0]));
            const int kinds = reader.ReadInt();
            for (int k = 0; k < kinds; ++k)
                reader.ReadInt();
            QCOMPARE(reader.ReadInt(), kinds);
            for (int k = 0; k < kinds; ++k)
                reader.ReadInt();
            QCOMPARE(reader.ReadInt(), kinds);
            for (int k = 0; k < kinds; ++k)
                reader.ReadInt();
        }
        QVERIFY(reader.AtEnd());

        // One style for all, indent clamped; back to each source's own style afterwards.
        QTest::mouseClick(dialog.CommonBox(), Qt::LeftButton);
        QVERIFY(!dialog.IndividualBox()->isChecked());
        QVERIFY(dialog.StyleList()->isEnabled());
        const int oxford = dialog.StyleList()->findText(QStringLiteral("Oxford Style"));
        dialog.StyleList()->setCurrentIndex(oxford);
        emit dialog.StyleList()->activated(oxford);
        dialog.IndentSpin()->setValue(12);
        QCOMPARE(dialog.IndentSpin()->value(), 10);
        for (const SourceRecord& source : dialog.SelectedSources()) {
            QCOMPARE(source.Style, int(CitationStyle::Oxford));
            QCOMPARE(source.IndentSpaces, 10);
        }
        QTest::mouseClick(dialog.IndividualBox(), Qt::LeftButton);
        QCOMPARE(dialog.SelectedSources().at(1).Style, 9);
        QCOMPARE(s.Src().FindSource(1002)->Style, 9); // the database is never changed

        // A double-click in the Selected list puts the source back.
        DoubleClickSource(dialog.SelectedList(), 1002);
        QCOMPARE(Ids(dialog.SelectedList()->Sources()), QList<qint32>({1001, 1003}));
        QCOMPARE(Ids(dialog.AvailableList()->Sources()), QList<qint32>({1002}));
        dialog.ClearAll();
        dialog.SelectCurrentNotesSources(); // the current list's notes cite 1001 only
        QCOMPARE(dialog.SelectedIds(), QList<qint32>({1001}));
    }

    void noteSourceLineFollowsTheCoreLayout()
    {
        SourcesFixture s;
        NoteRecord note = s.Db().LoadNotesByIds(NoteIdList({1001})).value(0);
        NotesList list {note};
        s.Src().FillAttachedSources(list);
        note = list.first();
        note.AttachedSource.IndentSpaces = 5;
        note.AttachedSource.Fields[0]
            = QStringLiteral("A title long enough to wrap over several lines of a narrow note");
        FormatCitation(note.AttachedSource, s.Src().Authors());
        NoteViewOptions options;
        options.sourceSize = 15;
        const int width = 300;
        const RenderedNote rendered(note, options, width, s.f->app->Folder());
        const CitationPainter painter(15);
        const int inner = width - 2 * (RenderedNote::OuterMargin + RenderedNote::Padding);
        const CitationLayout expected = LayoutCitation(note.AttachedSource, inner / painter.CharWidth());
        QCOMPARE(rendered.SourceLayout().Text, expected.Text);
        QVERIFY(expected.Text.contains(QStringLiteral("\n     "))); // wrapped, indented by five
        QCOMPARE(rendered.SourceLayout().MarkStarts, expected.MarkStarts);
        QCOMPARE(rendered.SourceRect().height(), painter.Height(expected));

        // The four variants of the drawing rule.
        QCOMPARE(painter.Variant(0).weight(), 480);
        QCOMPARE(painter.Variant(1).weight(), 540);
        QVERIFY(painter.Variant(1).italic());
        QCOMPARE(painter.Variant(2).weight(), 800);
        QCOMPARE(painter.Variant(3).weight(), 460);
        QVERIFY(painter.Variant(3).underline());
        CitationLayout marked;
        marked.Text = QStringLiteral("abcdef");
        marked.MarkKinds = {2, 1};
        marked.MarkStarts = {1, 0};
        marked.MarkEnds = {2, 4};
        QCOMPARE(CitationPainter::KindAt(marked, 0), 1);
        QCOMPARE(CitationPainter::KindAt(marked, 1), 2); // the first mark covering it wins
        QCOMPARE(CitationPainter::KindAt(marked, 5), 0);
        // An underlined title wrapped with a hanging indent: the indent is drawn unmarked,
        // the words on either side of the break stay underlined.
        CitationLayout wrapped;
        wrapped.Text = QStringLiteral("Ab Cd\n   Ef g");
        wrapped.MarkKinds = {3};
        wrapped.MarkStarts = {0};
        wrapped.MarkEnds = {10};
        QCOMPARE(CitationPainter::DrawnKindAt(wrapped, 2), 3); // a blank between words
        QCOMPARE(CitationPainter::DrawnKindAt(wrapped, 4), 3);
        for (int indent = 6; indent <= 8; ++indent)
            QCOMPARE(CitationPainter::DrawnKindAt(wrapped, indent), 0);
        QCOMPARE(CitationPainter::DrawnKindAt(wrapped, 9), 3);
        QCOMPARE(CitationPainter::DrawnKindAt(wrapped, 12), 0); // past the mark
    }

    void mainFrameCommands()
    {
        std::unique_ptr<CMainFrame> frame;
        SourcesFixture s([&frame](UiFixture::App& app) {
            StartupHooks hooks;
            hooks.createWindows
                = [&frame, &app] { frame = std::make_unique<CMainFrame>(*app.app, app.prompt); };
            return hooks;
        });
        const auto closeFrameFirst = qScopeGuard([&frame] { frame.reset(); }); // it refers to the application
        s.f->app->CurrentList().SetCurrentList(NoteIdList({1001, 1003}), 805);
        QString commandLine;
        frame->SetBibliographyStarter([&commandLine](const QString& line, const DataFolder&) {
            commandLine = line;
            return true;
        });
        WhenShown<CSelectSourcesDlg>([](CSelectSourcesDlg* dialog) {
            dialog->SelectCurrentNotesSources();
            dialog->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        });
        frame->RunCommand(CommandIds::CreateBibliography);
        QVERIFY(commandLine.endsWith(QStringLiteral("Bib.dat\"")));
        FieldReader reader = FieldReader::FromFile(s.Path("Data Files\\Bib.dat"));
        QCOMPARE(reader.ReadText(), QStringLiteral("1.34"));
        QCOMPARE(reader.ReadInt(), 1); // the one source the current notes cite

        // After "View Sources..." the notes shown carry the sources as they now are.
        WhenShown<CViewSourcesDlg>([&s](CViewSourcesDlg* dialog) {
            SourceRecord renamed = *s.Src().FindSource(1001);
            renamed.Fields[0] = QStringLiteral("Renamed");
            QCOMPARE(s.Src().UpdateSource(renamed), SourceStore::Update::Stored);
            dialog->close();
        });
        frame->RunCommand(CommandIds::ViewSources);
        QCOMPARE(s.f->app->CurrentList().NoteAt(0).AttachedSource.Fields[0], QStringLiteral("Renamed"));
    }

    void everyControlHasAName()
    {
        SourcesFixture s;
        CEditSourceDlg edit(s.Db(), s.Src(), s.f->prompt, *s.Src().FindSource(1001), false);
        CViewSourcesDlg view(s.Db(), s.Src(), s.f->app->GetSettings(), s.f->prompt);
        CSelectSourcesDlg select(s.Src().Sources(), s.Src().Authors(), {});
        for (QWidget* dialog :
             {static_cast<QWidget*>(&edit), static_cast<QWidget*>(&view), static_cast<QWidget*>(&select)}) {
            for (QWidget* control : dialog->findChildren<QWidget*>()) {
                const bool interactive = qobject_cast<QAbstractButton*>(control)
                    || qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control)
                    || qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QAbstractItemView*>(control)
                    || qobject_cast<CSourcesListWnd*>(control);
                if (control->window() != dialog)
                    continue; // drop-down lists and pop-ups are Qt's own
                if (!interactive || qobject_cast<QLineEdit*>(control->parentWidget())
                    || control->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                if (qobject_cast<QComboBox*>(control->parentWidget())
                    || qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
                    continue;
                const QString what
                    = QString::fromLatin1(control->metaObject()->className()) + u' ' + control->objectName();
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(what));
            }
        }
    }
};

QTEST_MAIN(SourceDialogsTest)
#include "SourceDialogsTest.moc"
