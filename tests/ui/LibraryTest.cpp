// The library commands in the windows: a bibliography file dropped on the main window goes
// through "Import Sources", the sources appear in "View Sources", a citation reaches the
// clipboard with its marks, the bibliography dialog copies and exports, and the current
// notes go out as Markdown.
#include "UiFixture.h"
#include "editor/widgets/FileDialogs.h"
#include "lists/CurrentNotesList.h"
#include "store/SourceStore.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CCtrlSourcesPg.h"
#include "ui/categories/CSourcesTreeCtrlSel.h"
#include "ui/sources/CImportSourcesDlg.h"
#include "ui/sources/CSelectSourcesDlg.h"
#include "ui/sources/CSourcesListWnd.h"
#include "ui/sources/CViewSourcesDlg.h"
#include "ui/sources/LibraryCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QString Data(const char* name)
{
    return QStringLiteral(QUORVEL_TEST_DATA "/bibliography/") + QString::fromLatin1(name);
}

struct FrameFixture
{
    std::unique_ptr<CMainFrame> frame;
    UiFixture::App fixture;

    FrameFixture()
        : fixture([this] {
            StartupHooks hooks;
            hooks.createWindows = [this] {
                frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
                frame->resize(1000, 700);
                frame->show();
            };
            hooks.showLastList = [this] { frame->ShowLastList(); };
            return hooks;
        }())
    {
        fixture.app->InitInstance();
    }
    ~FrameFixture() { frame.reset(); }

    SourceStore& Sources() { return fixture.app->Sources(); }
    // Whether a top-level item of the control bar's sources page shows text.
    bool SourcesPageShows(const QString& text) const
    {
        QTreeWidget* tree = frame->ControlBar()->SourcesPage()->Tree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            if (tree->topLevelItem(i)->text(0).contains(text))
                return true;
        }
        return false;
    }

    void Drop(QWidget* target, const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
};

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT
private slots:
    void dropImportsThroughTheDialogAndViewSourcesShowsThem()
    {
        FrameFixture f;
        QStringList seen;
        f.frame->SetImportDialogRunner([&](QDialog& dialog) {
            auto* import = qobject_cast<CImportSourcesDlg*>(&dialog);
            if (!import)
                return int(QDialog::Rejected);
            QTreeWidget* list = import->List();
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                seen.append(list->topLevelItem(row)->text(0));
            // Untick the first entry, as a user would.
            list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
            seen.append(import->CountText());
            seen.append(list->accessibleName());
            import->ImportButton()->click();
            return dialog.result();
        });
        // The sources page of the control bar and an open "View Sources" show what the
        // import stores, told by the import itself.
        f.frame->ControlBar()->Tabs()->setCurrentIndex(1);
        QVERIFY(f.frame->ControlBar()->isVisible());
        QVERIFY(!f.SourcesPageShows(QStringLiteral("The TeXbook")));
        CViewSourcesDlg view(f.fixture.app->Database(), f.Sources(), f.fixture.app->GetSettings(),
                             f.fixture.prompt);
        QCOMPARE(view.List()->Sources().size(), 0);
        QCOMPARE(view.TitleFilter()->count(), 1); // "<-ALL TITLES->" alone
        f.Drop(f.frame.get(), Data("library.bib"));
        QCOMPARE(seen.size(), 14);
        QCOMPARE(seen.first(), QStringLiteral(" 1. - NEW"));
        QCOMPARE(seen.at(12), QStringLiteral("12 entries, 11 chosen"));
        QCOMPARE(seen.at(13), QStringLiteral("Sources To Import: 12 entries, 11 chosen"));
        QCOMPARE(f.Sources().Sources().size(), 11);
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("11 sources and 10 new authors were imported."));

        QVERIFY(f.SourcesPageShows(QStringLiteral("The TeXbook")));
        QCOMPARE(view.List()->Sources().size(), 11);
        QCOMPARE(view.TitleFilter()->count(), 11); // two chapters name one book
        QVERIFY(view.TitleFilter()->findText(QStringLiteral("The TeXbook")) > 0);

        // Its Copy Citation puts the marks on the clipboard.
        QPushButton* copy = view.findChild<QPushButton*>(QStringLiteral("copyCitation"));
        QVERIFY(copy);
        copy->click();
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("You must select a source to copy."));
        qint32 knuth = 0;
        for (const SourceRecord& source : f.Sources().Sources())
            if (source.Fields[0] == QLatin1String("The TeXbook"))
                knuth = source.SourceId;
        view.List()->SelectSource(knuth);
        copy->click();
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        QVERIFY(clip);
        QCOMPARE(clip->text(),
                 QStringLiteral("Knuth DE. The TeXbook. 2nd ed. Reading, Mass.: Addison-Wesley, 1984."));
        QVERIFY2(clip->html().contains(QLatin1String("<i>The TeXbook</i>")), qPrintable(clip->html()));
        QVERIFY(clip->data(QStringLiteral("text/rtf")).contains("{\\i The TeXbook}"));
    }

    void aFileNotOfItsFormatIsRefusedByName()
    {
        FrameFixture f;
        f.frame->SetImportDialogRunner([](QDialog&) { return int(QDialog::Accepted); });
        FileDialogs::SetNextFileName(
            Data("damaged.bib").replace(QLatin1String("damaged.bib"), QLatin1String("nothing.bib")));
        f.frame->RunCommand(32902);
        QVERIFY(f.fixture.prompt.LastText().startsWith(QLatin1String("Could not read")));
        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("notes.bib"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Just some words, no entries.\n");
        file.close();
        f.frame->ImportSourceFile(text);
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral(
                     "\"notes.bib\" is not a BibTeX file: no entry such as \"@article{key, title = {...}}\" "
                     "was found."));
        QVERIFY(f.Sources().Sources().isEmpty());
    }

    void bibliographyDialogCopiesAndExportsItsList()
    {
        FrameFixture f;
        f.frame->SetImportDialogRunner([](QDialog& dialog) {
            static_cast<CImportSourcesDlg&>(dialog).ImportButton()->click();
            return dialog.result();
        });
        f.frame->ImportSourceFile(Data("items.json"));
        QCOMPARE(f.Sources().Sources().size(), 6);
        CSelectSourcesDlg dialog(f.Sources().Sources(), f.Sources().Authors(),
                                 f.fixture.app->CurrentList().Entries());
        dialog.SetPrompt(&f.fixture.prompt);
        // Nothing selected yet: nothing to copy or export.
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("copyBibliography"))->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("exportSources"))->isEnabled());
        dialog.MoveSource(1001, 1140);
        dialog.MoveSource(1002, 1140);
        dialog.findChild<QPushButton*>(QStringLiteral("copyBibliography"))->click();
        const QString text = QApplication::clipboard()->mimeData()->text();
        QCOMPARE(text.count(QLatin1Char('\n')), 1);
        QVERIFY2(text.contains(QLatin1String("Darwin")) && text.contains(QLatin1String("Hawking")),
                 qPrintable(text));

        QTemporaryDir dir;
        LibraryCommands::SetNextExportFormat(SourceFileFormat::BibLaTeX);
        FileDialogs::SetNextFileName(dir.filePath(QStringLiteral("bib.bib")));
        dialog.findChild<QPushButton*>(QStringLiteral("exportSources"))->click();
        QCOMPARE(f.fixture.prompt.LastText(), QStringLiteral("2 sources were written to \"bib.bib\"."));
        QFile written(dir.filePath(QStringLiteral("bib.bib")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY2(bytes.contains("@book{darwin1859,") && bytes.contains("@article{hawking1974,"),
                 bytes.constData());
    }

    void notesGoOutAsMarkdownAndTheNoteMenuCopiesACitation()
    {
        FrameFixture f;
        f.frame->RunCommand(32903); // an empty list is refused
        QCOMPARE(f.fixture.prompt.LastText(),
                 QStringLiteral("Unable to export, there are no notes in the current list."));
        f.fixture.app->CurrentList().SetCurrentList(NoteIdList(QList<qint32> {1001, 1002}), 805);
        QTemporaryDir dir;
        FileDialogs::SetNextFileName(dir.path());
        f.frame->RunCommand(32903);
        QVERIFY2(f.fixture.prompt.LastText().startsWith(QLatin1String("2 notes were written to")),
                 qPrintable(f.fixture.prompt.LastText()));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("1001-apple-pie-with-pear.md"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("references.bib"))));
        QVERIFY(f.frame->Action(32903));
        QCOMPARE(f.frame->Action(32902)->text(), QStringLiteral("Import Sources..."));
        QCOMPARE(f.frame->Action(32903)->text(), QStringLiteral("Export Current Notes as Markdown..."));
    }
};

QTEST_MAIN(LibraryTest)
#include "LibraryTest.moc"
