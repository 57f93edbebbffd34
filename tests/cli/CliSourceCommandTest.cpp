// source add|edit|delete: the "Edit Source" form and the deletion of "View Sources"
// without windows.
#include "CliFixture.h"
#include "format/AuthorsFile.h"
#include "format/SourcesFile.h"

#include <QJsonArray>

namespace {

class CliSourceCommandTest : public CliFixture
{
protected:
    SourceList StoredSources() const
    {
        return LoadSourcesFile(m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat")));
    }
    AuthorList StoredAuthors() const
    {
        return LoadAuthorsFile(m_folder.FullPath(QStringLiteral("Data Files\\Authors.dat")));
    }
};

} // namespace

TEST_F(CliSourceCommandTest, AddWithTwoNewAuthors)
{
    const Result added = Run(
        {QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"), QStringLiteral("2"),
         QStringLiteral("--style"), QStringLiteral("9"), QStringLiteral("--date"),
         QStringLiteral("2007-03-05"), QStringLiteral("--field"), QStringLiteral("0= Engines of Thought "),
         QStringLiteral("--field"), QStringLiteral("8=editors of a book"), QStringLiteral("--field"),
         QStringLiteral("7=http://x.invalid"), QStringLiteral("--author"), QStringLiteral("John/M/Smith"),
         QStringLiteral("--author"), QStringLiteral("Jane//Doe")});
    ASSERT_EQ(added.exitCode, 0) << added.output.constData();
    EXPECT_EQ(added.json, Json(R"({"id": 1001})"));

    const AuthorList authors = StoredAuthors();
    ASSERT_EQ(authors.size(), 2);
    EXPECT_EQ(authors[0].LastName, QStringLiteral("Smith"));
    EXPECT_EQ(authors[0].MiddleInitial, QStringLiteral("M"));
    EXPECT_EQ(authors[1].FirstName, QStringLiteral("Jane"));
    EXPECT_NE(authors[0].AuthorId, authors[1].AuthorId);

    const SourceList sources = StoredSources();
    ASSERT_EQ(sources.size(), 1);
    const SourceRecord& s = sources[0];
    EXPECT_EQ(s.SourceId, 1001);
    EXPECT_EQ(s.Type, 2);
    EXPECT_EQ(s.Style, 9);
    EXPECT_EQ(s.AuthorIds, QList<qint32>({authors[0].AuthorId, authors[1].AuthorId}));
    EXPECT_EQ(s.Fields[0], QStringLiteral("Engines of Thought"));
    EXPECT_EQ(s.Fields[7], QStringLiteral("http://x.invalid"));
    EXPECT_TRUE(s.Fields[8].isEmpty()); // a journal article has no editors
    EXPECT_TRUE(s.DateSet);
    EXPECT_EQ(s.YearOnly, 0);
    EXPECT_EQ(s.Date.Year(), 2007);
    EXPECT_FALSE(s.AuthorsText.isEmpty()); // formatted as the form's preview formats it
    EXPECT_TRUE(s.SourceGUID.startsWith(QLatin1Char('{')));

    // The same names again find the stored authors instead of making new ones.
    const Result second = Run({QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"),
                               QStringLiteral("1"), QStringLiteral("--field"), QStringLiteral("0=Other"),
                               QStringLiteral("--author"), QStringLiteral("Jane//Doe")});
    EXPECT_EQ(second.json, Json(R"({"id": 1002})"));
    EXPECT_EQ(StoredAuthors().size(), 2);
    EXPECT_EQ(StoredSources().at(1).AuthorIds, QList<qint32>({authors[1].AuthorId}));
    EXPECT_EQ(StoredSources().at(1).YearOnly, 1); // books use the year only
}

TEST_F(CliSourceCommandTest, TitleRequiredAndUsage)
{
    const Result untitled = Run({QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"),
                                 QStringLiteral("1"), QStringLiteral("--field"), QStringLiteral("0=   ")});
    EXPECT_EQ(untitled.exitCode, 1);
    EXPECT_EQ(untitled.json, Json(R"({"error": "Source must have a title."})"));
    EXPECT_TRUE(StoredSources().isEmpty());
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("add")}).exitCode, 2); // --type needed
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("rename"), QStringLiteral("1")}).exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"),
                   QStringLiteral("1"), QStringLiteral("--field"), QStringLiteral("15=x")})
                  .exitCode,
              2);
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("edit"), QStringLiteral("1234")}).exitCode, 1);
}

TEST_F(CliSourceCommandTest, TypeChangeStampsCitingNotes)
{
    SourceRecord book;
    book.SourceId = 1001;
    book.SourceGUID = QStringLiteral("{OLD}");
    book.Fields[0] = QStringLiteral("Title");
    book.Fields[6] = QStringLiteral("Boston");
    ASSERT_TRUE(WriteSourcesFile(FileSystem::Real(),
                                 m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), {book}));
    Write({Note(1002, 1001, 14, "cites the book")});
    Write({Note(1003, 0, 15, "cites nothing")});

    // Same type: no new GUID, no stamp.
    Result edited = Run({QStringLiteral("source"), QStringLiteral("edit"), QStringLiteral("1001"),
                         QStringLiteral("--field"), QStringLiteral("4=10-20")});
    ASSERT_EQ(edited.exitCode, 0);
    EXPECT_EQ(StoredSources().at(0).SourceGUID, QStringLiteral("{OLD}"));
    EXPECT_EQ(StoredSources().at(0).Fields[4], QStringLiteral("10-20"));
    const Result before = Run({QStringLiteral("notes"), QStringLiteral("1002")});
    EXPECT_EQ(before.json[QStringLiteral("notes")][0][QStringLiteral("last_edited")].toString(),
              QStringLiteral("2009-01-02-03-04-05"));

    edited = Run({QStringLiteral("source"), QStringLiteral("edit"), QStringLiteral("1001"),
                  QStringLiteral("--type"), QStringLiteral("3")});
    ASSERT_EQ(edited.exitCode, 0);
    const SourceRecord changed = StoredSources().at(0);
    EXPECT_NE(changed.SourceGUID, QStringLiteral("{OLD}"));
    EXPECT_EQ(changed.Type, 3);
    EXPECT_TRUE(changed.Fields[6].isEmpty()); // a periodical has no city
    EXPECT_EQ(changed.Fields[4], QStringLiteral("10-20"));
    const Result notes = Run({QStringLiteral("notes"), QStringLiteral("1002"), QStringLiteral("1003")});
    const QJsonArray list = notes.json[QStringLiteral("notes")].toArray();
    EXPECT_EQ(list[0][QStringLiteral("last_edited")].toString(), QStringLiteral("2026-01-02-03-04-05"));
    EXPECT_EQ(list[1][QStringLiteral("last_edited")].toString(), QStringLiteral("2009-01-02-03-04-05"));
}

TEST_F(CliSourceCommandTest, DeleteRefusedWhileNotesCite)
{
    SourceRecord cited;
    cited.SourceId = 1001;
    cited.Fields[0] = QStringLiteral("Cited");
    SourceRecord free = cited;
    free.SourceId = 1002;
    ASSERT_TRUE(WriteSourcesFile(
        FileSystem::Real(), m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), {cited, free}));
    Write({Note(1002, 1001, 14, "cites the book")});

    const Result refused = Run({QStringLiteral("source"), QStringLiteral("delete"), QStringLiteral("1001")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.json, Json(R"({"error": "This source has notes tied to it, you may not delete it."})"));
    const Result deleted = Run({QStringLiteral("source"), QStringLiteral("delete"), QStringLiteral("1002")});
    EXPECT_EQ(deleted.exitCode, 0);
    EXPECT_EQ(deleted.json, Json(R"({"deleted": 1002})"));
    ASSERT_EQ(StoredSources().size(), 1);
    EXPECT_EQ(StoredSources().at(0).SourceId, 1001);
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("delete"), QStringLiteral("1002")}).exitCode, 1);
}
