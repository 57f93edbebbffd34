// Ids, creating and deleting sources and authors with their questions, the copies notes
// carry, and the cite and bibliography operations.
#include "sources/SourceEditing.h"

#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "lists/SourceCommands.h"
#include "sources/AttachedSources.h"
#include "sources/Bibliography.h"
#include "sources/CitationReport.h"
#include "sources/QtPrinters.h"
#include "sources/SourceLookup.h"
#include "sources/SourceNames.h"
#include "store/ChangeNotice.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

namespace {

SourceRecord WithId(qint32 id)
{
    SourceRecord s;
    s.SourceId = id;
    return s;
}

SourceRecord Titled(qint32 id, const QString& title, int style = CitationStyle::GenericByTitle)
{
    SourceRecord s = WithId(id);
    s.Style = style;
    s.Type = SourceType::Book;
    s.Fields[0] = title;
    return s;
}

class SourceEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::setlocale(LC_ALL, "C");
        ASSERT_TRUE(m_dir.isValid());
    }
    QString PathOf(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    static QByteArray LoadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SourceEditingTest, IdsAndLookups)
{
    EXPECT_EQ(NextSourceId({WithId(3), WithId(1005), WithId(1002)}), 1006);
    EXPECT_EQ(NextSourceId({WithId(7)}), 1001);
    EXPECT_EQ(NextSourceId({}), 1001);

    qint32 maxAuthorId = 1;
    EXPECT_EQ(NextAuthorId(maxAuthorId), 2);
    EXPECT_EQ(maxAuthorId, 2);

    SourceList sources = {Titled(5, QStringLiteral("first")), Titled(5, QStringLiteral("second")), WithId(6)};
    ASSERT_NE(FindSource(sources, 5), nullptr);
    EXPECT_EQ(FindSource(sources, 5)->Fields[0], QStringLiteral("first"));
    EXPECT_EQ(FindSource(sources, 9), nullptr);
    EXPECT_EQ(AttachedSourceFor(sources, 6).SourceId, 6);
    const SourceRecord fresh = AttachedSourceFor(sources, 42);
    EXPECT_EQ(fresh.SourceId, -1);
    EXPECT_EQ(fresh.Style, 1);
    EXPECT_EQ(fresh.Fields.size(), 15);
    EXPECT_EQ(FindAuthor({{4, {}, {}, QStringLiteral("A"), {}, {}}}, 4)->LastName, QStringLiteral("A"));
    EXPECT_EQ(FindAuthor({}, 4), nullptr);
}

TEST_F(SourceEditingTest, CreatingSources)
{
    SourceList sources = {WithId(1004)};
    const SourceRecord fresh = NewSourceRecord(sources, CitationStyle::Mla);
    EXPECT_EQ(fresh.SourceId, 1005);
    EXPECT_EQ(fresh.Style, CitationStyle::Mla);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\{[0-9A-F-]+[0-9a-f-]+[0-9A-F-]+\\}$"))
                    .match(fresh.SourceGUID)
                    .hasMatch());
    ASSERT_TRUE(AddSource(FileSystem::Real(), sources, fresh, PathOf("Sources.dat")));
    EXPECT_EQ(sources.size(), 2);
    EXPECT_EQ(LoadSourcesFile(PathOf("Sources.dat")).size(), 2);
}

TEST_F(SourceEditingTest, DeletingSources)
{
    // Source 1001 has a note in its note file, 1002 none.
    const DataFolder folder(m_dir.path(), m_dir.path());
    ASSERT_TRUE(folder.CreateFolders());
    const QString sourcesPath = folder.FullPath(QStringLiteral("Data Files\\Sources.dat"));
    SourceRecord first = WithId(1001);
    first.SourceGUID = QStringLiteral("{1}");
    SourceRecord second = WithId(1002);
    second.SourceGUID = QStringLiteral("{2}");
    ASSERT_TRUE(WriteSourcesFile(FileSystem::Real(), sourcesPath, {first, second}));
    NoteRecord note;
    note.NoteID = 1002;
    note.SourceID = 1001;
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), folder.FullPath(SourceNoteFileName(1001)), {note}));
    ChangeNotice changes;
    SourceStore sources(folder, changes);
    sources.Load();
    const QByteArray stored = LoadBytes(sourcesPath);
    ScriptedPrompt prompt;

    EXPECT_EQ(SourceCommands::DeleteSource(sources, 1001, prompt),
              SourceCommands::DeleteSourceResult::HasNotes);
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History()[0].text,
              QStringLiteral("This source has notes tied to it, you may not delete it."));
    EXPECT_EQ(prompt.History()[0].caption, QStringLiteral("Notes Attached!"));
    EXPECT_EQ(prompt.History()[0].buttons, UserPrompt::Buttons::Ok);
    EXPECT_EQ(LoadBytes(sourcesPath), stored);

    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_EQ(SourceCommands::DeleteSource(sources, 1002, prompt),
              SourceCommands::DeleteSourceResult::Declined);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Do you wish to delete this source?"));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Delete Source?"));
    EXPECT_EQ(prompt.History().last().icon, UserPrompt::Icon::Question);
    EXPECT_EQ(sources.Sources().size(), 2);

    EXPECT_EQ(SourceCommands::DeleteSource(sources, 1002, prompt),
              SourceCommands::DeleteSourceResult::Deleted);
    ASSERT_EQ(sources.Sources().size(), 1);
    EXPECT_EQ(LoadSourcesFile(sourcesPath).size(), 1);
    EXPECT_EQ(SourceCommands::DeleteSource(sources, 7, prompt), SourceCommands::DeleteSourceResult::NotFound);
}

TEST_F(SourceEditingTest, SourceNoteFiles)
{
    EXPECT_EQ(SourceNoteFileName(12), QStringLiteral("Data Files\\Notes\\SRC0000000012.dat"));
    EXPECT_FALSE(NoteFileHasNotes(PathOf("SRC0000000012.dat")));
    NoteRecord note;
    note.NoteID = 1002;
    note.SourceID = 12;
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), PathOf("SRC0000000012.dat"), {note}));
    EXPECT_TRUE(NoteFileHasNotes(PathOf("SRC0000000012.dat")));
}

TEST_F(SourceEditingTest, CreatingAndDeletingAuthors)
{
    const DataFolder folder(m_dir.path(), m_dir.path());
    ASSERT_TRUE(folder.CreateFolders());
    const QString authorsPath = folder.FullPath(QStringLiteral("Data Files\\Authors.dat"));
    AuthorList authors;
    qint32 maxAuthorId = 1;
    EXPECT_EQ(CreateAuthor(FileSystem::Real(), authors, QStringLiteral("  "), QStringLiteral("Q"), QString(),
                           maxAuthorId, authorsPath),
              0);
    EXPECT_TRUE(authors.isEmpty());
    EXPECT_EQ(maxAuthorId, 1);

    const qint32 id = CreateAuthor(FileSystem::Real(), authors, QStringLiteral(" John "),
                                   QStringLiteral("M "), QStringLiteral(" Smith"), maxAuthorId, authorsPath);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(maxAuthorId, 2);
    ASSERT_EQ(authors.size(), 1);
    EXPECT_EQ(authors[0].FirstName, QStringLiteral("John"));
    EXPECT_EQ(authors[0].LastName, QStringLiteral("Smith"));
    EXPECT_EQ(LoadAuthorsFile(authorsPath), authors);

    ChangeNotice changes;
    SourceStore store(folder, changes);
    store.Load();
    ScriptedPrompt prompt;
    prompt.SetNextAnswer(UserPrompt::Answer::No);
    EXPECT_FALSE(SourceCommands::DeleteAuthor(store, id, prompt));
    EXPECT_EQ(prompt.LastText(),
              QStringLiteral("Deleting *Smith, John M.* will remove it from any sources that "
                             "contain it.  Do you wish to continue?"));
    EXPECT_EQ(prompt.History().last().caption, QStringLiteral("Delete Author?"));
    EXPECT_EQ(store.Authors().size(), 1);

    // A source naming the author keeps the id until it is formatted.
    SourceList sources = {Titled(1001, QStringLiteral("T"))};
    sources[0].AuthorIds = {id};
    ASSERT_TRUE(WriteSourcesFile(FileSystem::Real(), PathOf("Sources.dat"), sources));
    EXPECT_TRUE(SourceCommands::DeleteAuthor(store, id, prompt));
    EXPECT_TRUE(LoadAuthorsFile(authorsPath).isEmpty());
    EXPECT_EQ(LoadSourcesFile(PathOf("Sources.dat"))[0].AuthorIds, (QList<qint32> {id}));
}

TEST_F(SourceEditingTest, CiteReportsTextMarksAndLayout)
{
    const AuthorList authors = {{1, QStringLiteral("Ann"), {}, QStringLiteral("Lee"), {}, {}}};
    SourceRecord s = Titled(1001, QStringLiteral("Long Title Here"), CitationStyle::GenericByAuthor);
    s.AuthorIds = {1};
    s.IndentSpaces = 2;
    s.DateSet = true;
    s.Date = DateTime::FromParts(2001, 2, 3, 0, 0, 0);
    const SourceList sources = {s, Titled(1002, QStringLiteral("Other"))};

    const QList<CitationReport> all = CiteSources(sources, authors, {}, std::nullopt, std::nullopt);
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].Id, 1001);
    EXPECT_EQ(all[0].Text, QStringLiteral("Lee A. Long Title Here. 2001. "));
    EXPECT_EQ(all[0].AuthorsText, QStringLiteral("Lee A."));
    EXPECT_EQ(all[0].DateText, QStringLiteral("2001"));
    EXPECT_EQ(all[0].MarkKinds, (QList<qint32> {1}));
    EXPECT_EQ(all[0].MarkStarts, (QList<qint32> {7}));
    EXPECT_EQ(all[0].MarkEnds, (QList<qint32> {21}));
    EXPECT_FALSE(all[0].Layout.has_value());

    const QList<CitationReport> some
        = CiteSources(sources, authors, {1002, 77, 1001}, CitationStyle::Mla, 12);
    ASSERT_EQ(some.size(), 2);
    EXPECT_EQ(some[0].Id, 1002);
    EXPECT_EQ(some[1].Text, QStringLiteral("Lee, Ann. Long Title Here. 2001. "));
    ASSERT_TRUE(some[1].Layout.has_value());
    EXPECT_EQ(some[1].Layout->Text, QStringLiteral("Lee, Ann.\n  Long Title\n  Here.\n  2001."));
    // The original list is not touched.
    EXPECT_TRUE(sources[0].CitationText.isEmpty());
}

TEST_F(SourceEditingTest, BibliographyOrderAndCommonFormatting)
{
    const SourceList sources = {Titled(1001, QStringLiteral("beta")), Titled(1002, QStringLiteral("alpha")),
                                Titled(1003, QStringLiteral("gamma"))};
    BibliographyOptions unsorted;
    unsorted.Sorted = false;
    SourceList chosen = SelectBibliographySources(sources, {}, {1003, 1001, 1003, 5}, unsorted);
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[0].SourceId, 1003);
    EXPECT_EQ(chosen[1].SourceId, 1001);

    BibliographyOptions common;
    common.Common = CommonFormatting {CitationStyle::Apa, 12, 0};
    chosen = SelectBibliographySources(sources, {}, {1001, 1002}, common);
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[0].SourceId, 1002);
    EXPECT_EQ(chosen[0].Style, CitationStyle::Apa);
    EXPECT_EQ(chosen[0].IndentSpaces, 10);
    EXPECT_EQ(chosen[0].AuthorsBeforeEtAl, 1);
    EXPECT_EQ(chosen[0].CitationText, QStringLiteral("alpha. "));

    EXPECT_EQ(CreateBibliography(FileSystem::Real(), PathOf("Bib.dat"), sources, {}, {}, common), 0);
    EXPECT_FALSE(QFile::exists(PathOf("Bib.dat")));
    EXPECT_EQ(CreateBibliography(FileSystem::Real(), PathOf("Bib.dat"), sources, {}, {1003, 1002},
                                 BibliographyOptions()),
              2);
    QFile bib(PathOf("Bib.dat"));
    ASSERT_TRUE(bib.open(QIODevice::ReadOnly));
    FieldReader reader(FieldReader::FromDiskBytes(bib.readAll()));
    EXPECT_EQ(reader.ReadText(), QStringLiteral("1.34"));
    EXPECT_EQ(reader.ReadInt(), 2);
    reader.ReadText();
    EXPECT_EQ(reader.ReadInt(), 1002); // sorted: alpha first
}

TEST_F(SourceEditingTest, NotesGetCopiesOfTheirSources)
{
    ASSERT_TRUE(
        WriteSourcesFile(FileSystem::Real(), PathOf("Sources.dat"), {Titled(1001, QStringLiteral("Kept"))}));
    NotesList notes(3);
    notes[0].SourceID = 1001;
    notes[1].SourceID = 1999; // no such source
    notes[1].AttachedSource.SourceId = 55;
    notes[2].SourceID = 0; // no source: left as it was
    notes[2].AttachedSource.SourceId = 66;
    FillAttachedSources(notes, PathOf("Sources.dat"));
    EXPECT_EQ(notes[0].AttachedSource.Fields[0], QStringLiteral("Kept"));
    EXPECT_EQ(notes[1].AttachedSource.SourceId, -1);
    EXPECT_EQ(notes[2].AttachedSource.SourceId, 66);
}
