// A data folder that cannot be written is opened read-only: start-up reads everything and
// changes nothing, every change is refused with the read-only reason and leaves the disk
// and the database as they were, and export and print write only outside the data folder.
#include "app/CNotesApp.h"
#include "categories/CategoryTree.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "exchange/PrintCommands.h"
#include "format/LastViewListFile.h"
#include "lists/CurrentNotesList.h"
#include "lists/OrganiseCommands.h"
#include "lists/SourceCommands.h"
#include "platform/ProgressReporter.h"
#include "sources/SourceEditor.h"
#include "store/DataFolderLock.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"
#include "store/NoteDatabaseFixture.h"
#include "store/NoteEditorFields.h"
#include "store/NoteEditorSave.h"
#include "store/SourceStore.h"
#include "support/DataRootPicture.h"
#include "support/PrivateRuntime.h"
#include "support/ReadOnlyFolder.h"
#include "support/ScriptedPrompt.h"

#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

class ReadOnlyApp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A source without its GUID (a load of a writable folder stores one), an empty note
        // file (its clean-up deletes it) and a saved current list in a chosen order.
        SourceRecord bare = MakeSource(7, QStringLiteral("Seven"));
        bare.SourceGUID.clear();
        root.WriteSources({bare});
        root.WriteAuthors({AuthorRecord {5, QStringLiteral("Ada"), {}, QStringLiteral("Byron"), {}, {}}});
        root.WriteNotes(QStringLiteral("DAY01032009.dat"),
                        {MakeNote(11, 0, Day(2009, 1, 3), QStringLiteral("red"), {QStringLiteral("Art")}),
                         MakeNote(12, 0, Day(2009, 1, 3), QStringLiteral("blue"))});
        root.WriteNotes(QStringLiteral("SRC0000000007.dat"), {MakeNote(13, 7, Day(2008, 5, 5))});
        root.WriteNotes(QStringLiteral("DAY01012009.dat"), {});
        ASSERT_TRUE(LastViewListFile::Write(
            FileSystem::Real(), root.DataPath(QStringLiteral("LastViewList.dat")), NoteIdList {13, 11}));
        before = DataRootPicture::Files(root.dir.path());
    }

    std::unique_ptr<CNotesApp> Start(bool readOnly)
    {
        AppEnvironment environment;
        environment.dataRoot = root.dir.path();
        environment.programFolder = root.dir.filePath(QStringLiteral("bin"));
        environment.settingsBackend = &settings;
        environment.prompt = &prompt;
        environment.readOnly = readOnly;
        auto app = std::make_unique<CNotesApp>(environment);
        app->InitInstance();
        return app;
    }

    void ExpectDiskUnchanged() const
    {
        EXPECT_EQ(DataRootPicture::Differences(before, DataRootPicture::Files(root.dir.path()))
                      .join(QLatin1Char(' '))
                      .toStdString(),
                  "");
    }

    Root root;
    MemorySettingsBackend settings;
    ScriptedPrompt prompt;
    QMap<QString, QByteArray> before;
};

} // namespace

TEST_F(ReadOnlyApp, StartUpReadsEverythingAndTouchesNothing)
{
    // The folder itself is writable here: only the run's own rule keeps it as it is.
    std::unique_ptr<CNotesApp> app = Start(true);
    EXPECT_TRUE(app->IsReadOnly());
    const NoteDatabase& database = app->Database();
    const SourceStore& sources = app->Sources();
    EXPECT_EQ(database.Total(), 3);
    ASSERT_NE(sources.FindSource(7), nullptr);
    EXPECT_FALSE(sources.FindSource(7)->SourceGUID.isEmpty()); // made for the run
    EXPECT_EQ(sources.Authors().size(), 1);
    EXPECT_EQ(app->CurrentList().NoteIds(), (NoteIdList {13, 11}));
    EXPECT_GT(database.MaxNoteID(), 13); // raised in memory as ever

    // Nothing stored: no setting, no list, not at exit either.
    app->CurrentList().SetCurrentList(NoteIdList {12}, -1);
    const FileStatus refused = app->SaveSettings();
    EXPECT_EQ(refused.Reason(), DataFolder::ReadOnlyReason());
    EXPECT_TRUE(app->ExitInstance().IsOk());
    app.reset();
    EXPECT_EQ(settings.Writes(), QStringList());
    ExpectDiskUnchanged();

    // The same folder opened writable does what the read-only run left undone.
    EXPECT_TRUE(Start(false)->ExitInstance().IsOk());
    EXPECT_FALSE(QFile::exists(root.NotesPath(QStringLiteral("DAY01012009.dat"))));
    EXPECT_NE(DataRootPicture::Files(root.dir.path()).value(QStringLiteral("Data Files/Sources.dat")),
              before.value(QStringLiteral("Data Files/Sources.dat")));
    EXPECT_FALSE(settings.Writes().isEmpty());
}

TEST_F(ReadOnlyApp, AStoppedBatchIsReadAsItIsAndFinishedByARunThatMayWrite)
{
    // An import stopped once its batch was in, before its files took their places: the
    // journal says "done", the new contents wait beside the files they replace or join.
    NoteRecord recoloured
        = MakeNote(11, 0, Day(2009, 1, 3), QStringLiteral("green"), {QStringLiteral("Art")});
    root.WriteNotes(QStringLiteral("DAY01032009.dat.batch~"),
                    {recoloured, MakeNote(12, 0, Day(2009, 1, 3), QStringLiteral("blue"))});
    root.WriteNotes(QStringLiteral("DAY02022009.dat.batch~"), {MakeNote(14, 0, Day(2009, 2, 2))});
    {
        QFile journal(root.DataPath(QStringLiteral("Batch.journal")));
        ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
        journal.write("Quorvel file batch 1\ndone\nfolder Notes\n"
                      "replace Notes/DAY01032009.dat\ncreate Notes/DAY02022009.dat\n");
    }
    before = DataRootPicture::Files(root.dir.path());

    // Read as it is: every note whole (here the old ones), nothing finished or removed.
    std::unique_ptr<CNotesApp> app = Start(true);
    EXPECT_EQ(app->Database().Total(), 3);
    const NotesList read = app->Database().LoadNotesByIds(NoteIdList {11, 14});
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read.first().KeyWords, QStringLiteral("red"));
    EXPECT_TRUE(app->ExitInstance().IsOk());
    app.reset();
    ExpectDiskUnchanged();

    // A run that may write puts the batch's files in place before it loads them.
    app = Start(false);
    EXPECT_EQ(app->Database().Total(), 4);
    const NotesList finished = app->Database().LoadNotesByIds(NoteIdList {11, 14});
    ASSERT_EQ(finished.size(), 2);
    EXPECT_EQ(finished.first().KeyWords, QStringLiteral("green"));
    EXPECT_FALSE(QFile::exists(root.DataPath(QStringLiteral("Batch.journal"))));
    EXPECT_FALSE(QFile::exists(root.NotesPath(QStringLiteral("DAY01032009.dat.batch~"))));
    EXPECT_FALSE(QFile::exists(root.NotesPath(QStringLiteral("DAY02022009.dat.batch~"))));
    EXPECT_TRUE(app->ExitInstance().IsOk());
}

TEST_F(ReadOnlyApp, EveryChangeIsRefusedAndNothingIsStored)
{
    std::unique_ptr<CNotesApp> app = Start(true);
    NoteDatabase& database = app->Database();
    SourceStore& sources = app->Sources();
    const QString databaseBefore = DataRootPicture::Database(database, sources);
    const qint32 maxNoteId = database.MaxNoteID();
    QTemporaryDir outside;
    const QString archive = outside.filePath(QStringLiteral("notes.qvx"));
    ExportContext exportContext;
    exportContext.database = &database;
    exportContext.sources = &sources;
    ASSERT_EQ(ExportAllNotes(archive, exportContext), 3);

    // Each change gives back its failure text; each must name the read-only folder.
    const QList<std::pair<const char*, std::function<QString()>>> changes {
        {"add",
         [&] {
             NoteEditorFields::NoteEditorChanges changes;
             changes.text = QStringLiteral("new");
             QString error;
             return NoteEditorSave::AddNote(database, sources, changes, &error) > 0 ? QString() : error;
         }},
        {"edit",
         [&] {
             NoteEditorFields::NoteEditorChanges changes;
             changes.text = QStringLiteral("changed");
             QString error;
             return NoteEditorSave::EditNote(database, sources, 12, changes, &error) ? QString() : error;
         }},
        {"delete",
         [&] {
             const NoteWriteResult deleted = database.DeleteNotes(database.LoadNotesByIds(NoteIdList {11}));
             return deleted.Ok() ? QString() : deleted.failure.Message();
         }},
        {"source",
         [&] {
             SourceEditor editor(*sources.FindSource(7));
             editor.SetField(0, QStringLiteral("Renamed"));
             SourceRecord saved;
             QString error, caption;
             return SourceCommands::SaveEditedSource(database, sources, editor, &saved, &error, &caption)
                 ? QString()
                 : error;
         }},
        {"categories",
         [&] {
             CategoryTree working = database.Categories();
             working.Clear();
             return OrganiseCommands::SaveCategoryTrees(database, app->CurrentList(), working, -1)
                 .failure.Message();
         }},
        {"key word",
         [&] {
             return OrganiseCommands::AttachKeyWordToCurrentNotes(database, app->CurrentList(),
                                                                  QStringLiteral("green"))
                 .failure.Message();
         }},
        {"key word removed",
         [&] {
             return OrganiseCommands::RemoveKeyWordFromCurrentNotes(database, app->CurrentList(),
                                                                    QStringLiteral("red"))
                 .failure.Message();
         }},
        {"import",
         [&] {
             SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
             ImportContext context;
             context.database = &database;
             context.sources = &sources;
             context.chooser = &chooser;
             ImportReport report;
             return ImportNotes(archive, context, &report) > 0 ? QString() : report.error;
         }},
    };
    for (const auto& [name, change] : changes) {
        const QString failure = change();
        EXPECT_TRUE(failure.endsWith(DataFolder::ReadOnlyReason())) << name << ": " << qPrintable(failure);
        ExpectDiskUnchanged();
        EXPECT_EQ(DataRootPicture::Database(database, sources).toStdString(), databaseBefore.toStdString())
            << name;
    }
    EXPECT_EQ(database.MaxNoteID(), maxNoteId);
    EXPECT_TRUE(prompt.History().isEmpty());
}

TEST_F(ReadOnlyApp, ExportAndPrintWriteOnlyOutsideTheDataFolder)
{
    PrivateRuntime runtime;
    std::unique_ptr<CNotesApp> app = Start(true);
    NoteDatabase& database = app->Database();
    const SourceStore& sources = app->Sources();
    QTemporaryDir outside;
    const QString archive = outside.filePath(QStringLiteral("two.qvx"));
    ExportContext exportContext;
    exportContext.database = &database;
    exportContext.sources = &sources;
    EXPECT_EQ(ExportNotes(NoteIdList {13, 11}, archive, exportContext), 2);
    EXPECT_GT(QFileInfo(archive).size(), 0);

    // The hand-off files go to the user's runtime folder, and the print program is told
    // where.
    const QString handOff = QDir(runtime.dir.path()).filePath(QStringLiteral("quorvel"));
    QString preview;
    ASSERT_TRUE(PrintCommands::WritePrintPreviewFor(database.Folder(), sources,
                                                    database.LoadNotesByIds(NoteIdList {12}), &preview));
    EXPECT_EQ(preview, QDir(handOff).filePath(QStringLiteral("PrintPreview.nbf")));
    EXPECT_TRUE(QFile::exists(preview));
    EXPECT_EQ(QFileInfo(handOff).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
    EXPECT_TRUE(PrintCommands::PreviewCommandLine(database.Folder())
                    .endsWith(QStringLiteral(" \"%1\"").arg(preview)));
    QString started;
    const auto start = [&](const QString& commandLine, const DataFolder&) {
        started = commandLine;
        return true;
    };
    ASSERT_TRUE(PrintCommands::CreateBibliography(database.Folder(), sources, {*sources.FindSource(7)},
                                                  SilentProgress(), start));
    EXPECT_TRUE(
        started.endsWith(QStringLiteral(" \"%1\"").arg(QDir(handOff).filePath(QStringLiteral("Bib.dat")))));
    app->CurrentList().SetCurrentList(NoteIdList {12, 13}, -1);
    ASSERT_TRUE(PrintCommands::SaveOrPrintCurrentNotes(app->CurrentList(), sources, database.Folder(), prompt,
                                                       SilentProgress(), start));
    EXPECT_EQ(started, PrintCommands::PreviewCommandLine(database.Folder()));
    EXPECT_TRUE(app->ExitInstance().IsOk());
    ExpectDiskUnchanged();
}

TEST_F(ReadOnlyApp, AReadOnlyMediumIsFoundAtStartAndOpenedSo)
{
    ReadOnlyFolder readOnly(root.dir.path());
    if (!readOnly.Made())
        GTEST_SKIP() << readOnly.Why();
    DataFolderLock lock(root.dir.path());
    const bool found = lock.Lock(1000) == DataFolderLock::Outcome::ReadOnly;
    EXPECT_TRUE(found) << qPrintable(readOnly.How());
    std::unique_ptr<CNotesApp> app = Start(found);
    EXPECT_EQ(app->Database().Total(), 3);
    EXPECT_EQ(app->CurrentList().NoteIds(), (NoteIdList {13, 11}));
    NoteEditorFields::NoteEditorChanges changes;
    changes.text = QStringLiteral("new");
    QString error;
    EXPECT_LE(NoteEditorSave::AddNote(app->Database(), app->Sources(), changes, &error), 0);
    EXPECT_TRUE(app->ExitInstance().IsOk());
    app.reset();
    readOnly.Undo();
    ExpectDiskUnchanged();
}
