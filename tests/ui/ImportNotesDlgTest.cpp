// The import dialog: the statuses it lists, which rows it hands back, the category
// override, the note viewer's save and the differences report.
#include "categories/CategoryTree.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/widgets/CCategoryTreeCtrl.h"
#include "exchange/ImportSession.h"
#include "format/NoteIdList.h"
#include "platform/ProgressReporter.h"
#include "sources/SourceNames.h"
#include "support/ScriptedPrompt.h"
#include "ui/exchange/CCategoryTreeCtrlImp.h"
#include "ui/exchange/CEditImpNoteDlg.h"
#include "ui/exchange/CImportDifferencesDlg.h"
#include "ui/exchange/CImportListCtrl.h"
#include "ui/exchange/CImportNotesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTreeWidget>
#include <cmath>

namespace {

QString Rtf(const QString& body)
{
    return QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ") + body + QStringLiteral("}");
}

NoteRecord Note(const QString& guid, const QString& text, const DateTime& edited)
{
    NoteRecord note;
    note.NoteID = 1;
    note.NoteGUID = guid;
    note.PlainText = text;
    note.RichText = Rtf(text + QStringLiteral("\\par"));
    note.LastEdited = edited;
    return note;
}

void File(NoteRecord& note, const QString& level1, const QString& level2 = QString())
{
    note.Categories.entries[0].name = level1;
    if (!level2.isEmpty())
        note.Categories.entries[1].name = level2;
    note.Categories.RebuildPaths();
}

DateTime Day(int day, int hour = 10, int minute = 0)
{
    return DateTime::FromParts(2009, 3, day, hour, minute, 0);
}

// Incoming: a new note, one newer, one older and one the same as the database's.
ImportSession FourStates()
{
    const NotesList database = {Note(QStringLiteral("{B}"), QStringLiteral("b"), Day(10)),
                                Note(QStringLiteral("{C}"), QStringLiteral("c"), Day(10)),
                                Note(QStringLiteral("{D}"), QStringLiteral("d"), Day(10))};
    const NotesList incoming = {Note(QStringLiteral("{A}"), QStringLiteral("a"), Day(1)),
                                Note(QStringLiteral("{B}"), QStringLiteral("b"), Day(12)),
                                Note(QStringLiteral("{C}"), QStringLiteral("c"), Day(8)),
                                Note(QStringLiteral("{D}"), QStringLiteral("d"), Day(10))};
    return ImportSession(incoming, database);
}

// Keeps every message shown in the progress and notification windows.
struct RecordedProgress : ProgressReporter
{
    QStringList messages;
    bool shown = false;
    void Notify(const QString& text) override
    {
        messages.append(text);
        shown = true;
    }
    void End() override { shown = false; }
};

// A note citing a journal article that comes with its author, as an archive brings it.
NoteRecord CitingNote()
{
    NoteRecord note = Note(QStringLiteral("{S}"), QStringLiteral("cited"), Day(5));
    note.SourceID = 7;
    SourceRecord& source = note.AttachedSource;
    source.SourceId = 7;
    source.SourceGUID = QStringLiteral("{SOURCE-7}");
    source.Type = SourceType::JournalArticle;
    source.Style = 0; // "Generic by Title"
    source.Fields[0] = QStringLiteral("Cell Growth");
    source.Fields[1] = QStringLiteral("Nature Today");
    AuthorRecord author;
    author.AuthorId = 3;
    author.FirstName = QStringLiteral("Jane");
    author.LastName = QStringLiteral("Smith");
    source.AuthorIds = {3};
    source.EmbeddedAuthors = {author};
    source.CitationText = QStringLiteral("Cell Growth"); // no marks travel in an archive
    return note;
}

// The WCAG contrast ratio of two colours (1 to 21).
double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel
            = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double x = luminance(a);
    const double y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QStringList Statuses(const CImportListCtrl* list)
{
    QStringList texts;
    for (int row = 0; row < list->RowCount(); ++row)
        texts.append(list->topLevelItem(row)->text(0));
    return texts;
}

QList<int> Images(const CImportListCtrl* list)
{
    QList<int> images;
    for (int row = 0; row < list->RowCount(); ++row)
        images.append(list->CheckImage(row));
    return images;
}

void ClickCheck(CImportListCtrl* list, int row)
{
    const QRect rect = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 8, rect.center().y()));
}

} // namespace

class ImportNotesDlgTest : public QObject
{
    Q_OBJECT

    ScriptedPrompt m_prompt;

    ImportDialogContext Context(const CategoryTree* trees = nullptr)
    {
        ImportDialogContext context;
        context.trees = trees;
        context.prompt = &m_prompt;
        return context;
    }

private slots:
    void init() { m_prompt = ScriptedPrompt(); }

    void listsEveryStateNumberedAndSelected()
    {
        ImportSession session = FourStates();
        CImportNotesDlg dialog(session, Context());
        const CImportListCtrl* list = dialog.List();
        QCOMPARE(
            Statuses(list),
            QStringList({QStringLiteral(" 1. - <NEW NOTE>"), QStringLiteral(" 2. - EXISTS (newer)"),
                         QStringLiteral(" 3. - EXISTS (older)"), QStringLiteral(" 4. - EXISTS (same)")}));
        QCOMPARE(Images(list), QList<int>({2, 3, 4, 5}));
        QVERIFY(dialog.ShowSameBox()->isChecked());
        QVERIFY(dialog.DisplayImportedBox()->isChecked());
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("  Selection/Status"));
        QCOMPARE(list->headerItem()->text(6), QStringLiteral("Attachments"));
        QCOMPARE(list->columnWidth(0), 175);
        QCOMPARE(list->columnWidth(1), 220);
    }

    void hidingSameNotesRefillsAndSelectsEveryRow()
    {
        ImportSession session = FourStates();
        CImportNotesDlg dialog(session, Context());
        CImportListCtrl* list = dialog.List();
        list->SetAllChecked(false);
        dialog.ShowSameBox()->setChecked(false);
        // The numbers stay the places in the import list.
        QCOMPARE(Statuses(list),
                 QStringList({QStringLiteral(" 1. - <NEW NOTE>"), QStringLiteral(" 2. - EXISTS (newer)"),
                              QStringLiteral(" 3. - EXISTS (older)")}));
        QCOMPARE(Images(list), QList<int>({2, 3, 4}));
        list->SetAllChecked(false);
        dialog.ShowSameBox()->setChecked(true);
        QCOMPARE(Images(list), QList<int>({2, 3, 4, 5}));
    }

    void statusTextDecidesTheSelectedImage()
    {
        QCOMPARE(CImportListCtrl::ImageForStatus(QStringLiteral(" 7. - <NEW NOTE>")), 2);
        QCOMPARE(CImportListCtrl::ImageForStatus(QStringLiteral(" 7. - EXISTS (newer)")), 3);
        QCOMPARE(CImportListCtrl::ImageForStatus(QStringLiteral(" 7. - EXISTS (older)")), 4);
        QCOMPARE(CImportListCtrl::ImageForStatus(QStringLiteral(" 7. - EXISTS (same)")), 5);
    }

    void importHandsBackTheCheckedRowsInOrder()
    {
        ImportSession session = FourStates();
        CImportNotesDlg dialog(session, Context());
        dialog.resize(1000, 600);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.Button(5)->click(); // Select none
        QCOMPARE(Images(dialog.List()), QList<int>({1, 1, 1, 1}));

        QVERIFY(!dialog.Import());
        QCOMPARE(m_prompt.History().size(), 1);
        QCOMPARE(m_prompt.History().first().text, QStringLiteral("There are no notes selected to import."));
        QCOMPARE(m_prompt.History().first().caption, QStringLiteral("Invalid Notes"));
        QCOMPARE(m_prompt.History().first().icon, UserPrompt::Icon::Warning);
        QVERIFY(dialog.isVisible());

        ClickCheck(dialog.List(), 3);
        ClickCheck(dialog.List(), 1);
        QCOMPARE(Images(dialog.List()), QList<int>({1, 3, 1, 5}));
        ClickCheck(dialog.List(), 3); // a second click clears it again
        ClickCheck(dialog.List(), 2);
        QCOMPARE(Images(dialog.List()), QList<int>({1, 3, 4, 1}));
        QVERIFY(dialog.Import());
        QCOMPARE(dialog.Chosen(), QList<int>({1, 2}));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void chooserPassesTheChoiceAndTheDisplayFlag()
    {
        ImportSession session = FourStates();
        ImportDialogContext context = Context();
        context.runDialog = [](QDialog& shown) {
            auto& dialog = static_cast<CImportNotesDlg&>(shown);
            dialog.ShowSameBox()->setChecked(false);
            dialog.DisplayImportedBox()->setChecked(false);
            dialog.Import();
            return dialog.result();
        };
        ImportDialogChooser chooser(context, nullptr);
        ImportChoice choice;
        QVERIFY(chooser.Choose(session, &choice));
        QCOMPARE(choice.selected, QList<int>({0, 1, 2}));
        QVERIFY(!choice.displayImported);

        context.runDialog = [](QDialog& shown) {
            shown.reject();
            return shown.result();
        };
        ImportDialogChooser cancelling(context, nullptr);
        QVERIFY(!cancelling.Choose(session, &choice));
    }

    void overrideRefilesOnlyCheckedRows()
    {
        NotesList database = {Note(QStringLiteral("{S}"), QStringLiteral("s"), Day(10))};
        NotesList incoming = {Note(QStringLiteral("{S}"), QStringLiteral("s"), Day(10)),
                              Note(QStringLiteral("{N}"), QStringLiteral("n"), Day(2))};
        File(incoming[0], QStringLiteral("Art"), QStringLiteral("Painting"));
        File(incoming[1], QStringLiteral("Art"), QStringLiteral("Sculpture"));
        CategoryTree trees;
        NoteIdList unassigned;
        NoteRecord science = Note(QStringLiteral("{X}"), QStringLiteral("x"), Day(1));
        File(science, QStringLiteral("Science"), QStringLiteral("Physics"));
        trees.AddNoteAtLoad(5, science.Categories, unassigned);
        ImportSession session(incoming, database);
        CImportNotesDlg dialog(session, Context(&trees));

        CCategoryTreeCtrlImp* override = dialog.Override();
        QCOMPARE(override->LevelBox(0)->itemText(0), QStringLiteral("<DO NOT MODIFY>"));
        QVERIFY(override->LevelBox(0)->findText(QStringLiteral("<SET UNASSIGNED>")) >= 0);
        QVERIFY(override->Choose(0, QStringLiteral("Science")));
        QVERIFY(override->Choose(1, QStringLiteral("Physics")));
        QCOMPARE(override->Choices(),
                 QStringList({QStringLiteral("Science"), QStringLiteral("Physics"),
                              QStringLiteral("<DO NOT MODIFY>"), QStringLiteral("<DO NOT MODIFY>")}));

        ClickCheck(dialog.List(), 1); // only the same note stays checked
        const DateTime before = DateTime::CurrentLocal();
        dialog.Button(1110)->click();
        const NoteRecord& moved = session.Items().at(0).note;
        QCOMPARE(moved.Categories.NameAt(0), QStringLiteral("Science"));
        QCOMPARE(moved.Categories.NameAt(1), QStringLiteral("Physics"));
        QVERIFY(moved.LastEdited.Days() >= before.Days());
        QCOMPARE(dialog.List()->topLevelItem(0)->text(0), QStringLiteral(" 1. - EXISTS (newer)"));
        QCOMPARE(dialog.List()->topLevelItem(0)->text(2), QStringLiteral("Science"));
        QCOMPARE(dialog.List()->topLevelItem(0)->text(3), QStringLiteral("Physics"));
        QCOMPARE(dialog.List()->CheckImage(0), 3);
        // The unchecked row keeps its categories and status.
        QCOMPARE(session.Items().at(1).note.Categories.NameAt(1), QStringLiteral("Sculpture"));
        QCOMPARE(dialog.List()->topLevelItem(1)->text(3), QStringLiteral("Sculpture"));

        // "<SET UNASSIGNED>" at level 1 leaves nothing below to choose and unfiles the note.
        QVERIFY(override->Choose(0, QStringLiteral("<SET UNASSIGNED>")));
        QVERIFY(!override->LevelBox(1)->isEnabled());
        dialog.Button(1110)->click();
        QCOMPARE(session.Items().at(0).note.Categories.NameAt(0), QStringLiteral("<UNASSIGNED>"));
        QCOMPARE(session.Items().at(0).note.Categories.NameAt(1), QStringLiteral("<UNASSIGNED>"));
    }

    void savedEditReplacesTheNoteAndMakesItNewer()
    {
        ImportSession session = FourStates();
        ImportDialogContext context = Context();
        int shown = 0;
        context.runDialog = [&shown](QDialog& dialog) {
            auto& editor = static_cast<CEditImpNoteDlg&>(dialog);
            ++shown;
            if (shown == 1) {
                editor.TextBox()->clear();
                if (editor.Save())
                    return int(QDialog::Accepted);
                editor.TextBox()->setPlainText(QStringLiteral("rewritten"));
            }
            editor.KeyWordsBox()->setText(QStringLiteral("  alpha, beta  "));
            editor.CategoryTreeBox()->TakeName(0, QStringLiteral("History"));
            return editor.Save() ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        CImportNotesDlg dialog(session, context);
        dialog.EditRow(3); // the same note
        QCOMPARE(m_prompt.History().size(), 1);
        QCOMPARE(m_prompt.History().first().text, QStringLiteral("Note must contain some text."));
        QCOMPARE(m_prompt.History().first().caption, QStringLiteral("No Text In Note"));
        const NoteRecord& edited = session.Items().at(3).note;
        QCOMPARE(edited.PlainText, QStringLiteral("rewritten"));
        QCOMPARE(edited.KeyWords, QStringLiteral("alpha, beta"));
        QVERIFY(edited.RichText.startsWith(QLatin1String("{\\rtf1")));
        QCOMPARE(
            dialog.List()->topLevelItem(3)->text(0),
            QStringLiteral(" 4. - EXISTS (same)").replace(QLatin1String("same"), QLatin1String("newer")));
        QCOMPARE(dialog.List()->CheckImage(3), 3);
        // The row shows the categories chosen in the viewer.
        QCOMPARE(edited.Categories.NameAt(0), QStringLiteral("History"));
        QCOMPARE(dialog.List()->topLevelItem(3)->text(2), QStringLiteral("History"));
    }

    void differencesOnlyForNewerAndOlderRows()
    {
        ImportSession session = FourStates();
        ImportDialogContext context = Context();
        QStringList titles;
        context.runDialog = [&titles](QDialog& dialog) {
            titles.append(dialog.windowTitle());
            return int(QDialog::Rejected);
        };
        CImportNotesDlg dialog(session, context);
        QVERIFY(!dialog.ShowDifferences(0)); // new
        QVERIFY(dialog.ShowDifferences(1));
        QVERIFY(dialog.ShowDifferences(2));
        QVERIFY(!dialog.ShowDifferences(3)); // same
        dialog.List()->SetChecked(1, false);
        QVERIFY(!dialog.ShowDifferences(1)); // unchecked: image 1
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles.first(), QStringLiteral("Import Note and Database Note Difference Overview"));
    }

    void differencesReportRowsSentenceAndChangedLines()
    {
        NoteRecord incoming = Note(QStringLiteral("{G}"), QStringLiteral("x"), Day(12, 13, 5));
        incoming.RichText = Rtf(QStringLiteral("First line\\par Second line\\par Third line\\par Fourth"));
        incoming.PlainText = QStringLiteral("First line\nSecond line\nThird line\nFourth");
        incoming.KeyWords = QStringLiteral("alpha");
        NoteRecord database = Note(QStringLiteral("{G}"), QStringLiteral("x"), Day(10, 10, 0));
        database.RichText = Rtf(QStringLiteral("First line\\par Second LINE\\par Third line"));
        database.PlainText = QStringLiteral("First line\nSecond LINE\nThird line");
        database.KeyWords = QStringLiteral("beta");

        CImportDifferencesDlg report(incoming, database, {}, {});
        report.resize(1200, 700);
        report.show();
        QVERIFY(QTest::qWaitForWindowExposed(&report));
        const QTreeWidget* list = report.List();
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Difference"));
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Date Last Modified:"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("03/12/2009  -  01:05:00 PM"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("03/10/2009  -  10:00:00 AM"));
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("Text Changed:"));
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("40 characters"));
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("33 characters"));
        QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("Key Words Changed:"));
        QCOMPARE(list->topLevelItem(2)->text(1), QStringLiteral("alpha"));
        QCOMPARE(list->topLevelItem(2)->text(2), QStringLiteral("beta"));
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->columnWidth(0), 170);
        QCOMPARE(report.AgeSentence()->text(),
                 QStringLiteral("The import note is 2 days, 3 hours, and 5 minutes NEWER than the same note "
                                "currently in the database."));

        QCOMPARE(CImportDifferencesDlg::VisibleLines(report.ImportText()).size(), 4);
        // The second line differs and the fourth has no counterpart.
        QCOMPARE(report.HighlightChangedLines(), QList<int>({1, 3}));
        QCOMPARE(report.ImportText()->extraSelections().size(), 2);
        QCOMPARE(report.ImportText()->extraSelections().first().cursor.selectedText(),
                 QStringLiteral("Second line"));
        QVERIFY(report.DatabaseText()->extraSelections().isEmpty());
    }

    void viewerShowsTheCitationAndSavesWithItsMessage()
    {
        ImportSession session({CitingNote()}, {});
        ImportDialogContext context = Context();
        RecordedProgress progress;
        context.progress = &progress;
        QString citation;
        bool italic = false;
        context.runDialog = [&](QDialog& dialog) {
            auto& viewer = static_cast<CEditImpNoteDlg&>(dialog);
            citation = viewer.SourceBox()->toPlainText();
            for (QTextBlock block = viewer.SourceBox()->document()->begin(); block.isValid();
                 block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it)
                    italic = italic || it.fragment().charFormat().fontItalic();
            }
            return viewer.Save() ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        CImportNotesDlg dialog(session, context);
        dialog.EditRow(0);
        // The citation, formatted with the author it came with, not the bare title.
        QVERIFY2(citation.startsWith(QLatin1String("Cell Growth")), qPrintable(citation));
        QVERIFY2(citation.contains(QLatin1String("Smith")), qPrintable(citation));
        QVERIFY2(citation.contains(QLatin1String("Nature Today")), qPrintable(citation));
        QVERIFY(italic);
        QCOMPARE(progress.messages, QStringList {QStringLiteral("Saving Information....")});
        QVERIFY(!progress.shown);

        // A note without a source shows an empty box.
        ImportSession plain = FourStates();
        context.runDialog = [&](QDialog& dialog) {
            citation = static_cast<CEditImpNoteDlg&>(dialog).SourceBox()->toPlainText();
            return int(QDialog::Rejected);
        };
        CImportNotesDlg other(plain, context);
        other.EditRow(0);
        QVERIFY(citation.isEmpty());
    }

    void selectedRowsTextStaysReadable()
    {
        NoteRecord first = Note(QStringLiteral("{E}"), QStringLiteral("e"), Day(2));
        NoteRecord second = Note(QStringLiteral("{F}"), QStringLiteral("f"), Day(3));
        File(first, QStringLiteral("Sculpture"));
        File(second, QStringLiteral("Sculpture"));
        ImportSession session({first, second}, {});
        CImportNotesDlg dialog(session, Context());
        dialog.resize(900, 500);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        CImportListCtrl* list = dialog.List();
        for (bool focused : {true, false}) {
            if (focused)
                list->setFocus();
            else
                dialog.ShowSameBox()->setFocus();
            list->setCurrentItem(list->topLevelItem(1));
            const QRect row = list->visualItemRect(list->topLevelItem(1)).adjusted(2, 2, -2, -2);
            // Column 2 holds the category name: its background and its darkest or lightest text.
            const QImage picture = list->viewport()->grab().toImage();
            const int left = list->header()->sectionPosition(2) + 2;
            const int right = left + list->header()->sectionSize(2) - 4;
            const QColor background = picture.pixelColor(right - 2, row.center().y());
            double best = 1.0;
            for (int x = left; x < right; ++x) {
                for (int y = row.top(); y <= row.bottom(); ++y)
                    best = std::max(best, Contrast(picture.pixelColor(x, y), background));
            }
            QVERIFY2(best >= 3.0,
                     qPrintable(QStringLiteral("contrast %1 (focused %2)").arg(best).arg(focused)));
        }
    }

    void everyControlHasAnAccessibleName()
    {
        ImportSession session = FourStates();
        CImportNotesDlg dialog(session, Context());
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)
                || qobject_cast<QTreeWidget*>(widget))
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
    }
};

QTEST_MAIN(ImportNotesDlgTest)
#include "ImportNotesDlgTest.moc"
