// The export writes its data file note by note, reading one note file at a time: what
// it writes must be exactly what the whole list written at once gives, in the list's
// order, whatever the order of the note files.

#include "ExchangeFixture.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ExportDataFile.h"
#include "exchange/ExportNotes.h"
#include "format/Clock.h"
#include "format/FieldWriter.h"
#include "platform/ProgressReporter.h"
#include "support/FailingFileSystem.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

struct ArchiveEntry
{
    QString name;
    QByteArray bytes;
};

// The entries in the archive's own order.
QList<ArchiveEntry> ReadArchive(const QString& path)
{
    QList<ArchiveEntry> entries;
    int code = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (zip == nullptr)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, zip_uint64_t(i), 0, &stat);
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
        zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        entries.append({QString::fromUtf8(stat.name), bytes});
    }
    zip_discard(zip);
    return entries;
}

class StreamedExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetSource([] { return QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7)); });
        // Three note files: two days and a source's file. Texts carry line feeds (CR LF
        // on disk) and one is longer than the pieces the data file is written in.
        NoteRecord a = MakeNote(1001, QStringLiteral("{A}"), QStringLiteral("first\nday one"));
        a.Attachments = {MakeAttachment(QStringLiteral("0000005.jpg"), QStringLiteral("Photo"))};
        NoteRecord b = MakeNote(1002, QStringLiteral("{B}"), QStringLiteral("cites\nthe source"), 1001);
        b.Attachments = {MakeAttachment(QStringLiteral("0000006.png"), QStringLiteral("Chart")),
                         MakeAttachment(QStringLiteral("0000007.txt"), QStringLiteral("Missing"))};
        NoteRecord c = MakeNote(1003, QStringLiteral("{C}"),
                                QString(3 << 20, QLatin1Char('x')) + QStringLiteral("\nend"));
        c.DateAdded = DateTime::FromParts(2009, 1, 2, 9, 0, 0);
        NoteRecord d = MakeNote(1004, QStringLiteral("{D}"), QStringLiteral("day one again"));
        NoteRecord e = MakeNote(1005, QStringLiteral("{E}"), QStringLiteral("unknown source"), 4242);
        e.DateAdded = c.DateAdded;
        root.WriteImage(QStringLiteral("0000005.jpg"), QByteArrayLiteral("jpeg"));
        root.WriteImage(QStringLiteral("0000006.png"), QByteArrayLiteral("png"));
        root.Load({a, b, c, d, e},
                  {MakeSource(1001, QStringLiteral("{S}"), QStringLiteral("Optics"), {2, 3})},
                  {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton")),
                   MakeAuthor(3, QStringLiteral("Robert"), QStringLiteral("Hooke"))});
    }
    void TearDown() override { Clock::SetSource({}); }

    // The data file as the whole list written at once gives it.
    QByteArray WholeDataFile(const NotesList& notes) const
    {
        FieldWriter writer;
        WriteExportData(writer, notes, LoadSourcesFile(root.Path(QStringLiteral("Data Files\\Sources.dat"))),
                        root.sourceStore->Authors(), DateTime::CurrentLocal());
        return writer.DiskBytes();
    }
    static QStringList Names(const QList<ArchiveEntry>& entries)
    {
        QStringList names;
        for (const ArchiveEntry& entry : entries)
            names.append(entry.name);
        return names;
    }

    DataRoot root;
    QTemporaryDir outside;
};

} // namespace

TEST_F(StreamedExport, ListOrderAcrossNoteFilesGivesTheWholeListsBytes)
{
    // Back and forth between the files, one id twice and one that no note has.
    const NoteIdList ids {1003, 1002, 1001, 1005, 9999, 1004, 1002};
    const QString archive = outside.filePath(QStringLiteral("list.qvx"));
    EXPECT_EQ(ExchangeCommands::ExportNotesOf(*root.database, *root.sourceStore, ids, archive, nullptr,
                                              SilentProgress()),
              6);
    const QList<ArchiveEntry> entries = ReadArchive(archive);
    // The data file first, then the attached files in list order, each once; the missing
    // one is left out.
    EXPECT_EQ(Names(entries),
              (QStringList {QStringLiteral("_ExpNotes.dat"), QStringLiteral("0000006.png"),
                            QStringLiteral("0000005.jpg")}));
    ASSERT_FALSE(entries.isEmpty());
    const NotesList inOrder = root.database->LoadNotesByIds(ids);
    ASSERT_EQ(inOrder.size(), 6);
    EXPECT_TRUE(entries.at(0).bytes == WholeDataFile(inOrder));
    EXPECT_FALSE(QFileInfo::exists(root.Path(QStringLiteral("Data Files\\ExportTemp"))));
}

TEST_F(StreamedExport, BackupGivesEveryNoteFileInListingOrder)
{
    const QString archive = outside.filePath(QStringLiteral("all.qvx"));
    ScriptedPrompt prompt;
    EXPECT_EQ(ExchangeCommands::BackupAllNotes(*root.database, *root.sourceStore, archive, prompt,
                                               SilentProgress()),
              5);
    const QList<ArchiveEntry> entries = ReadArchive(archive);
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.at(0).name, QStringLiteral("_ExpNotes.dat"));
    EXPECT_TRUE(entries.at(0).bytes == WholeDataFile(root.database->LoadAllNotes()));
    EXPECT_EQ(prompt.LastText(), QStringLiteral("All  *5*  of your notes have been successfully backed up!"));
}

TEST_F(StreamedExport, DataFileThatCannotBeWrittenLeavesNoArchive)
{
    const QString temp = root.Path(QStringLiteral("Data Files\\ExportTemp"));
    const QString archive = outside.filePath(QStringLiteral("full.qvx"));
    FailingFileSystem& failing = root.failing;
    // The data file itself, then the spool its entries wait in.
    for (const QString& name : {QStringLiteral("_ExpNotes.dat"), QStringLiteral("_ExpNotes.spool")}) {
        failing.Heal();
        failing.FailFile(FailingFileSystem::Kind::DiskFull, QDir(temp).filePath(name));
        QString error;
        EXPECT_EQ(ExchangeCommands::ExportNotesOf(*root.database, *root.sourceStore, NoteIdList {1001, 1003},
                                                  archive, nullptr, SilentProgress(), &error),
                  -1);
        EXPECT_TRUE(error.contains(name)) << qPrintable(error);
        EXPECT_TRUE(error.endsWith(FailingFileSystem::ReasonOf(FailingFileSystem::Kind::DiskFull)))
            << qPrintable(error);
        EXPECT_FALSE(QFileInfo::exists(archive));
        EXPECT_FALSE(QFileInfo::exists(temp));
    }
}

TEST_F(StreamedExport, SelectionWithoutStoredNotesWritesNothing)
{
    const QString archive = outside.filePath(QStringLiteral("none.qvx"));
    ScriptedPrompt prompt;
    EXPECT_EQ(ExchangeCommands::ExportSelectedNotes(*root.database, *root.sourceStore,
                                                    NoteIdList {9998, 9999}, archive, prompt,
                                                    SilentProgress()),
              0);
    EXPECT_FALSE(QFileInfo::exists(archive));
    EXPECT_TRUE(prompt.History().isEmpty());
    // One stored note among them is enough: it alone is written.
    EXPECT_EQ(ExchangeCommands::ExportSelectedNotes(*root.database, *root.sourceStore,
                                                    NoteIdList {9999, 1004}, archive, prompt,
                                                    SilentProgress()),
              1);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Your  *1*  notes have been successfully exported!"));
}
