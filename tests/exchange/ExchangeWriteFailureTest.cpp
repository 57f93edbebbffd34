// Export, backup and import on a full disk or a read-only folder (through the file-system
// seam), and the import of a truncated data file.

#include "ExchangeFixture.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "format/FieldWriter.h"
#include "format/FileBatch.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/SourceExchange.h"
#include "support/DataRootPicture.h"
#include "support/FailingFileSystem.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace exchange_test;
using Kind = FailingFileSystem::Kind;

namespace {

const QString kKept = QStringLiteral("{KEEP0000-0000-0000-0000-000000000001}");
const QString kNew = QStringLiteral("{NEW00000-0000-0000-0000-000000000002}");
const QString kSourceGuid = QStringLiteral("{5005CE00-0000-0000-0000-000000000009}");

class ExchangeWriteFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The database: one note with an attachment, which the archive replaces.
        NoteRecord kept = MakeNote(1001, kKept, QStringLiteral("old text"));
        kept.Attachments = {MakeAttachment(QStringLiteral("0000003.jpg"), QStringLiteral("Old"))};
        root.WriteImage(QStringLiteral("0000003.jpg"), QByteArrayLiteral("old picture"));
        root.Load({kept}, {}, {MakeAuthor(4, QStringLiteral("Ada"), QStringLiteral("Byron"))});

        // The archive: that note newer and with another attachment, and a new note whose
        // source and author are new too.
        DataRoot from;
        NoteRecord newer
            = MakeNote(1001, kKept, QStringLiteral("new text"), 0, DateTime::FromParts(2020, 1, 1, 0, 0, 0));
        newer.Attachments = {MakeAttachment(QStringLiteral("0000008.png"), QStringLiteral("New"))};
        from.WriteImage(QStringLiteral("0000008.png"), QByteArrayLiteral("new picture"));
        const NoteRecord cited = MakeNote(1002, kNew, QStringLiteral("cites a new source"), 1001);
        from.Load({newer, cited}, {MakeSource(1001, kSourceGuid, QStringLiteral("Opticks"), {2})},
                  {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton"))});
        archive = outside.filePath(QStringLiteral("in.qvx"));
        ExportContext context;
        context.database = from.database.get();
        context.sources = from.sourceStore.get();
        ASSERT_EQ(ExportNotes({newer.NoteID, cited.NoteID}, archive, context), 2);

        filesBefore = DataRootPicture::Files(root.dir.path());
        databaseBefore = DataRootPicture::Database(*root.database, *root.sourceStore);
    }

    int Import(ImportReport* report)
    {
        SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
        ImportContext context;
        context.database = root.database.get();
        context.sources = root.sourceStore.get();
        context.chooser = &chooser;
        context.prompt = &prompt;
        return ImportNotes(archive, context, report);
    }
    void ExpectNothingChanged(const char* what) const
    {
        EXPECT_EQ(DataRootPicture::Differences(filesBefore, DataRootPicture::Files(root.dir.path()))
                      .join(QLatin1Char(' '))
                      .toStdString(),
                  "")
            << what;
        EXPECT_EQ(DataRootPicture::Database(*root.database, *root.sourceStore).toStdString(),
                  databaseBefore.toStdString())
            << what;
    }

    DataRoot root;
    QTemporaryDir outside;
    QString archive;
    ScriptedPrompt prompt;
    FailingFileSystem& failing = root.failing;
    QMap<QString, QByteArray> filesBefore;
    QString databaseBefore;
};

} // namespace

TEST_F(ExchangeWriteFailure, ImportThatCannotStoreAFileIntegratesNothing)
{
    const struct
    {
        const char* what;
        Kind kind;
        QString path;
    } cases[] = {
        {"notes folder full", Kind::DiskFull, root.folder.NotesFolder()},
        {"sources read-only", Kind::ReadOnly, root.Path(QStringLiteral("Data Files\\Sources.dat"))},
        // The authors' new contents are written beside the file before they take its place.
        {"authors full", Kind::DiskFull,
         FileBatch::StagedName(root.Path(QStringLiteral("Data Files\\Authors.dat")))},
        // A full disk still renames: a read-only folder stops the replaced file leaving.
        {"attachments read-only", Kind::ReadOnly, root.folder.ImagesFolder()},
        {"data root read-only", Kind::ReadOnly, root.folder.DataFilesFolder()},
    };
    for (const auto& c : cases) {
        failing.Heal();
        failing.Fail(c.kind, c.path);
        ImportReport report;
        EXPECT_EQ(Import(&report), -1) << c.what;
        EXPECT_TRUE(report.notStored) << c.what;
        EXPECT_TRUE(report.error.contains(FailingFileSystem::ReasonOf(c.kind))) << qPrintable(report.error);
        // Once the notes were chosen, the message says that none of them came in.
        if (c.path != root.folder.DataFilesFolder())
            EXPECT_TRUE(report.error.endsWith(QStringLiteral("None of the 2 chosen notes were imported.")))
                << qPrintable(report.error);
        EXPECT_EQ(prompt.History().last().caption, FileStatus::Caption()) << c.what;
        EXPECT_TRUE(report.importedIds.IsEmpty());
        ExpectNothingChanged(c.what);
    }
}

TEST_F(ExchangeWriteFailure, ImportWhoseSettingsCannotBeSavedIntegratesNothing)
{
    root.database->SetSettingsSaver([] {
        return FileStatus::FromErrno(FileStatus::Action::Write, QStringLiteral("/x/Quorvel.ini"), ENOSPC);
    });
    ImportReport report;
    EXPECT_EQ(Import(&report), -1);
    EXPECT_TRUE(report.error.contains(QStringLiteral("Quorvel.ini"))) << qPrintable(report.error);
    ExpectNothingChanged("settings");
}

TEST_F(ExchangeWriteFailure, TheSameImportSucceedsOnceTheDiskHasRoom)
{
    ImportReport report;
    EXPECT_EQ(Import(&report), 2);
    EXPECT_EQ(root.database->Total(), 2);
    // The replaced note's attachment went; the folder where it waited is gone too.
    EXPECT_TRUE(root.ReadImage(QStringLiteral("0000003.jpg")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(root.Path(QStringLiteral("Data Files\\ImportReplaced"))));
    const NotesList notes = root.database->LoadNotesByIds(report.importedIds);
    ASSERT_EQ(notes.size(), 2);
    EXPECT_EQ(notes[0].PlainText, QStringLiteral("new text"));
    EXPECT_EQ(root.ReadImage(notes[0].Attachments.at(0).StoredName), QByteArrayLiteral("new picture"));
}

TEST_F(ExchangeWriteFailure, ExportAndBackupReportTheFileAndLeaveNoArchive)
{
    const QString target = outside.filePath(QStringLiteral("out.qvx"));
    // The data file in "Data Files\ExportTemp", then the archive's own folder.
    const std::pair<Kind, QString> cases[]
        = {{Kind::DiskFull, root.Path(QStringLiteral("Data Files\\ExportTemp"))},
           {Kind::ReadOnly, outside.path()}};
    for (const auto& [kind, path] : cases) {
        failing.Heal();
        failing.Fail(kind, path);
        QString error;
        EXPECT_EQ(ExchangeCommands::ExportNotesOf(*root.database, *root.sourceStore, NoteIdList {1001},
                                                  target, &prompt, SilentProgress(), &error),
                  -1);
        EXPECT_TRUE(error.endsWith(FailingFileSystem::ReasonOf(kind))) << qPrintable(error);
        EXPECT_FALSE(QFileInfo::exists(target));
        EXPECT_EQ(prompt.LastText(), error);
    }
    failing.Heal();
    failing.Fail(Kind::ReadOnly, root.folder.DataFilesFolder());
    QString error;
    EXPECT_EQ(ExchangeCommands::BackupAllNotes(*root.database, *root.sourceStore, target, prompt,
                                               SilentProgress(), &error),
              -1);
    EXPECT_TRUE(error.contains(QStringLiteral("ExportTemp"))) << qPrintable(error);
    // The file's failure, then the command's own failure message.
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Backup Failed"));
    EXPECT_FALSE(QFileInfo::exists(target));
    ExpectNothingChanged("export");
}

TEST_F(ExchangeWriteFailure, TruncatedDataFileImportsTheNotesBeforeItsDamagedTail)
{
    FieldWriter writer;
    writer.WriteReal(1.34);
    writer.WriteTime(DateTime::FromParts(2020, 1, 2, 3, 4, 5));
    writer.WriteInt(3);
    QList<qsizetype> ends;
    for (int i = 1; i <= 3; ++i) {
        MakeNote(i, QStringLiteral("{T%1}").arg(i), QStringLiteral("truncated file, note %1").arg(i))
            .Write(writer);
        SourceRecord cleared;
        WriteSourceExchange(writer, cleared, {});
        ends.append(writer.LogicalBytes().size());
    }
    // Cut in the middle of the third entry: the first two come in whole, the third not at all.
    const QByteArray cut = writer.LogicalBytes().left((ends[1] + ends[2]) / 2);
    {
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", cut);
        ASSERT_TRUE(builder.Close());
    }
    ImportReport report;
    EXPECT_EQ(Import(&report), 2);
    const NotesList imported = root.database->LoadNotesByIds(report.importedIds);
    ASSERT_EQ(imported.size(), 2);
    EXPECT_EQ(imported[0].PlainText, QStringLiteral("truncated file, note 1"));
    EXPECT_EQ(imported[1].PlainText, QStringLiteral("truncated file, note 2"));
    EXPECT_EQ(root.database->Total(), 3);
}
