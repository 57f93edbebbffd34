// "Import Notes..." from the main window: an archive of the same database lists every
// note as the same, a note changed since shows as older with its differences, and the
// category override re-files the notes that are imported.
#include "UiFixture.h"
#include "editor/widgets/FileDialogs.h"
#include "exchange/ImportSession.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "ui/CMainFrame.h"
#include "ui/CommandIds.h"
#include "ui/categories/CCategoryTreeCtrlSel.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CCtrlCategoriesPg.h"
#include "ui/exchange/CCategoryTreeCtrlImp.h"
#include "ui/exchange/CImportDifferencesDlg.h"
#include "ui/exchange/CImportListCtrl.h"
#include "ui/exchange/CImportNotesDlg.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

NotesList FiledNotes()
{
    NotesList notes = UiFixture::ThreeNotes();
    for (int i = 0; i < notes.size(); ++i)
        notes[i].NoteGUID = QStringLiteral("{00000000-0000-0000-0000-00000000000%1}").arg(i + 1);
    notes[0].Categories.entries[0].name = QStringLiteral("Art");
    notes[0].Categories.RebuildPaths();
    return notes;
}

struct Statuses
{
    QStringList texts;
    QList<int> images;
};

} // namespace

class ImportArchiveTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<UiFixture::App> m_fixture;
    std::unique_ptr<CMainFrame> m_frame;
    QList<QList<QStringList>> m_reports;
    QList<QList<int>> m_highlighted;

    NoteDatabase& Database() { return m_fixture->app->Database(); }

    QString Backup()
    {
        const QString path = m_fixture->dir.filePath(QStringLiteral("backup.qvx"));
        FileDialogs::SetNextFileName(path);
        m_frame->RunCommand(CommandIds::BackupNotes);
        return path;
    }

    // Imports through the menu with act working the dialog; returns what it listed.
    Statuses Import(const QString& archive, std::function<void(CImportNotesDlg&)> act)
    {
        Statuses seen;
        m_frame->SetImportDialogRunner([this, &seen, act](QDialog& shown) {
            if (auto* differences = qobject_cast<CImportDifferencesDlg*>(&shown)) {
                QList<QStringList> rows;
                QTreeWidget* list = differences->List();
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    rows.append({list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1),
                                 list->topLevelItem(i)->text(2)});
                m_reports.append(rows);
                differences->resize(1200, 700);
                differences->show();
                m_highlighted.append(differences->HighlightChangedLines());
                return int(QDialog::Rejected);
            }
            auto* dialog = qobject_cast<CImportNotesDlg*>(&shown);
            if (!dialog)
                return int(QDialog::Rejected);
            for (int row = 0; row < dialog->List()->RowCount(); ++row) {
                seen.texts.append(dialog->List()->topLevelItem(row)->text(0));
                seen.images.append(dialog->List()->CheckImage(row));
            }
            act(*dialog);
            return dialog->result();
        });
        FileDialogs::SetNextFileName(archive);
        m_frame->RunCommand(CommandIds::ImportNotes);
        return seen;
    }

private slots:
    void init()
    {
        m_reports.clear();
        m_highlighted.clear();
        m_fixture = std::make_unique<UiFixture::App>(StartupHooks {}, FiledNotes());
        m_fixture->app->InitInstance();
        m_frame = std::make_unique<CMainFrame>(*m_fixture->app, m_fixture->prompt);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanup()
    {
        m_frame.reset();
        m_fixture.reset();
        FileDialogs::ClearNextFileName();
    }

    void archiveOfTheSameDatabaseListsEveryNoteAsSame()
    {
        QVERIFY(m_frame->Action(CommandIds::ImportNotes)->isEnabled());
        const QString archive = Backup();
        const Statuses seen = Import(archive, [](CImportNotesDlg& dialog) { dialog.Import(); });
        QCOMPARE(seen.texts,
                 QStringList({QStringLiteral(" 1. - EXISTS (same)"), QStringLiteral(" 2. - EXISTS (same)"),
                              QStringLiteral(" 3. - EXISTS (same)")}));
        QCOMPARE(seen.images, QList<int>({5, 5, 5}));
        QCOMPARE(m_fixture->prompt.LastText(),
                 QStringLiteral("All  *3*  of your notes have been successfully imported!"));
        QCOMPARE(Database().Total(), 3);
    }

    void cancellingImportsNothingAndSaysNothing()
    {
        const QString archive = Backup();
        const int before = int(m_fixture->prompt.History().size());
        Import(archive, [](CImportNotesDlg& dialog) { dialog.reject(); });
        QCOMPARE(int(m_fixture->prompt.History().size()), before);
    }

    void noteChangedSinceShowsAsOlderWithItsDifferences()
    {
        const QString archive = Backup();
        NotesList stored = Database().LoadAllNotes();
        NoteRecord previous;
        for (const NoteRecord& note : stored) {
            if (note.NoteID == 1002)
                previous = note;
        }
        NoteRecord edited = previous;
        edited.PlainText = QStringLiteral("Only apple here, and a pear");
        edited.RichText = QStringLiteral(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Only apple here, and a pear\\par}");
        QVERIFY(NoteEditorSave::SaveFromEditor(Database(), previous, edited));

        const Statuses seen = Import(archive, [](CImportNotesDlg& dialog) {
            for (int row = 0; row < dialog.List()->RowCount(); ++row)
                dialog.ShowDifferences(row); // refused for the same notes
            dialog.reject();
        });
        int older = 0;
        int same = 0;
        for (int i = 0; i < seen.texts.size(); ++i) {
            older += seen.texts.at(i).endsWith(QLatin1String("EXISTS (older)")) ? 1 : 0;
            same += seen.texts.at(i).endsWith(QLatin1String("EXISTS (same)")) ? 1 : 0;
        }
        QCOMPARE(older, 1);
        QCOMPARE(same, 2);
        // One report, for the older note: its dates and its text differ.
        QCOMPARE(m_reports.size(), 1);
        const QList<QStringList>& rows = m_reports.first();
        QCOMPARE(rows.at(0).at(0), QStringLiteral("Date Last Modified:"));
        QCOMPARE(rows.at(0).at(1), QStringLiteral("08/15/2008  -  10:00:00 AM"));
        QCOMPARE(rows.at(1),
                 QStringList({QStringLiteral("Text Changed:"), QStringLiteral("15 characters"),
                              QStringLiteral("27 characters")}));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(m_highlighted, QList<QList<int>>({{0}}));
        // Nothing was imported: the database keeps the edited note.
        QCOMPARE(Database().LoadNotesByIds(NoteIdList({1002})).first().PlainText,
                 QStringLiteral("Only apple here, and a pear"));
    }

    void overrideRefilesTheImportedNotes()
    {
        const QString archive = Backup();
        const Statuses seen = Import(archive, [](CImportNotesDlg& dialog) {
            QVERIFY(dialog.Override()->Choose(0, QStringLiteral("Art")));
            dialog.Button(1110)->click();
            dialog.Import();
        });
        QCOMPARE(seen.texts.size(), 3);
        const NotesList stored = Database().LoadAllNotes();
        QCOMPARE(stored.size(), 3);
        for (const NoteRecord& note : stored)
            QCOMPARE(note.Categories.NameAt(0), QStringLiteral("Art"));
        QCOMPARE(Database().Total(), 3);
        // The control bar shows the category the notes came in under.
        const CategoryTree& shown = m_frame->ControlBar()->CategoriesPage()->Tree()->Selection().Trees();
        bool artShown = false;
        for (int i = 0; i < shown.Count(); ++i)
            artShown = artShown || shown.Node(i).name == QStringLiteral("Art");
        QVERIFY(artShown);
    }
};

QTEST_MAIN(ImportArchiveTest)
#include "ImportArchiveTest.moc"
