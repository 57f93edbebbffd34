// Creating and deleting sources and authors, and writing a bibliography, on a full disk
// or a read-only folder: the failure is handed back (or shown) and the lists and files
// stay as they were.
#include "format/AuthorsFile.h"
#include "format/FileSystem.h"
#include "format/SourcesFile.h"
#include "lists/SourceCommands.h"
#include "platform/UserPrompt.h"
#include "sources/Bibliography.h"
#include "sources/SourceEditing.h"
#include "store/ChangeNotice.h"
#include "store/SourceStore.h"
#include "support/FailingFileSystem.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Kind = FailingFileSystem::Kind;

class SourceEditingFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SourceRecord kept;
        kept.SourceId = 1001;
        kept.SourceGUID = QStringLiteral("{KEPT}");
        kept.Fields[0] = QStringLiteral("Kept");
        sources = {kept};
        authors = {AuthorRecord {3, QStringLiteral("Ada"), {}, QStringLiteral("Byron"), {}, {}}};
        ASSERT_TRUE(folder.CreateFolders());
        ASSERT_TRUE(WriteSourcesFile(FileSystem::Real(), PathOf("Sources.dat"), sources));
        ASSERT_TRUE(WriteAuthorsFile(FileSystem::Real(), PathOf("Authors.dat"), authors));
        sourcesBytes = Bytes("Sources.dat");
        authorsBytes = Bytes("Authors.dat");
        store.Load();
    }
    QString PathOf(const char* name) const
    {
        return QDir(folder.DataFilesFolder()).filePath(QString::fromLatin1(name));
    }
    QByteArray Bytes(const char* name) const
    {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void ExpectUnchanged() const
    {
        EXPECT_EQ(Bytes("Sources.dat"), sourcesBytes);
        EXPECT_EQ(Bytes("Authors.dat"), authorsBytes);
        ASSERT_EQ(sources.size(), 1);
        EXPECT_EQ(sources.at(0).SourceId, 1001);
        ASSERT_EQ(authors.size(), 1);
        EXPECT_EQ(authors.at(0).AuthorId, 3);
        ASSERT_EQ(store.Sources().size(), 1);
        EXPECT_EQ(store.Sources().at(0).SourceId, 1001);
        EXPECT_EQ(store.Authors(), authors);
    }

    QTemporaryDir dir;
    FailingFileSystem failing; // fails only where a test says so
    DataFolder folder {dir.path(), dir.path(), &failing};
    ChangeNotice changes;
    SourceStore store {folder, changes};
    SourceList sources;
    AuthorList authors;
    QByteArray sourcesBytes;
    QByteArray authorsBytes;
};

} // namespace

TEST_F(SourceEditingFailure, NothingIsAddedOrDeletedThatWasNotStored)
{
    failing.Fail(Kind::DiskFull, dir.path());
    const FileStatus added = AddSource(failing, sources, NewSourceRecord(sources, 1), PathOf("Sources.dat"));
    EXPECT_EQ(added.Reason(), QStringLiteral("No space left on device"));
    EXPECT_EQ(added.Path(), PathOf("Sources.dat"));

    qint32 maxAuthorId = 3;
    FileStatus failure;
    EXPECT_EQ(CreateAuthor(failing, authors, QStringLiteral("Max"), {}, QStringLiteral("Planck"), maxAuthorId,
                           PathOf("Authors.dat"), &failure),
              0);
    EXPECT_EQ(maxAuthorId, 3); // the id was not used up
    EXPECT_EQ(failure.Path(), PathOf("Authors.dat"));

    ScriptedPrompt prompt;
    EXPECT_EQ(SourceCommands::DeleteSource(store, 1001, prompt, &failure),
              SourceCommands::DeleteSourceResult::NotWritten);
    EXPECT_EQ(prompt.History().last().caption, FileStatus::Caption());
    EXPECT_EQ(failure.Path(), PathOf("Sources.dat")); // shown, and handed back too
    EXPECT_FALSE(SourceCommands::DeleteAuthor(store, 3, prompt, &failure));
    EXPECT_TRUE(prompt.LastText().contains(QStringLiteral("Authors.dat"))) << qPrintable(prompt.LastText());
    EXPECT_EQ(failure.Path(), PathOf("Authors.dat"));
    ExpectUnchanged();
}

TEST_F(SourceEditingFailure, BibliographyThatCannotBeWrittenSaysWhy)
{
    failing.Fail(Kind::ReadOnly, dir.path());
    FileStatus failure;
    EXPECT_EQ(CreateBibliography(failing, PathOf("Bib.dat"), sources, authors, {1001}, BibliographyOptions(),
                                 &failure),
              -1);
    EXPECT_EQ(failure.Reason(), QStringLiteral("Read-only file system"));
    EXPECT_FALSE(QFile::exists(PathOf("Bib.dat")));
}
