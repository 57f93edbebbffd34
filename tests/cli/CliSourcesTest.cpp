#include "CliFixture.h"
#include "format/AuthorsFile.h"
#include "format/SourcesFile.h"

#include <QFileInfo>
#include <QJsonArray>

namespace {

class CliSourcesTest : public CliFixture
{
protected:
    // Source 1001 (a book by author 2) cited by note 1002; source 1005 cited by none.
    void WriteSources()
    {
        AuthorRecord author;
        author.AuthorId = 2;
        author.FirstName = QStringLiteral("Ada");
        author.MiddleInitial = QStringLiteral("B");
        author.LastName = QStringLiteral("Lovelace");
        author.AuthorText4 = QStringLiteral("four");
        ASSERT_TRUE(WriteAuthorsFile(FileSystem::Real(),
                                     m_folder.FullPath(QStringLiteral("Data Files\\Authors.dat")), {author}));

        SourceRecord book;
        book.SourceId = 1001;
        book.SourceGUID = QStringLiteral("{SOURCE-1001}");
        book.Type = 1;
        book.Style = 2;
        book.IndentSpaces = 4;
        book.AuthorsBeforeEtAl = 3;
        book.AuthorIds = {2};
        book.Fields[0] = QStringLiteral("Notes on the Engine");
        book.AuthorsText = QStringLiteral("Lovelace, Ada B.");
        SourceRecord other = book;
        other.SourceId = 1005;
        other.SourceGUID = QStringLiteral("{SOURCE-1005}");
        other.Fields[0] = QStringLiteral("Another Title");
        ASSERT_TRUE(WriteSourcesFile(
            FileSystem::Real(), m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), {book, other}));
        Write({Note(1002, 1001, 14, "cites the book")});
    }
};

} // namespace

TEST_F(CliSourcesTest, SourcesAndAuthorsAsStored)
{
    WriteSources();
    const Result sources = Run({QStringLiteral("sources")});
    EXPECT_EQ(sources.exitCode, 0);
    const QJsonArray list = sources.json.value(QStringLiteral("sources")).toArray();
    ASSERT_EQ(list.size(), 2);
    QJsonObject first = list.at(0).toObject();
    first.remove(QStringLiteral("date"));
    first.remove(QStringLiteral("authors_text")); // the formatter's business
    EXPECT_EQ(first, Json(R"({"id": 1001, "guid": "{SOURCE-1001}", "type": 1, "style": 2, "indent": 4,
        "et_al": 3, "author_ids": [2],
        "fields": ["Notes on the Engine", "", "", "", "", "", "", "", "", "", "", "", "", "", ""],
        "year_only": 0, "date_set": false, "notes": [1002]})"));
    EXPECT_EQ(list.at(1).toObject().value(QStringLiteral("notes")).toArray(), QJsonArray());

    EXPECT_EQ(Run({QStringLiteral("authors")}).json,
              Json(R"({"authors": [{"id": 2, "first": "Ada", "middle": "B",
        "last": "Lovelace", "text4": "four", "text5": ""}]})"));
}

// cite prints the sources asked for in the order asked, writes nothing; bib writes Bib.dat.
TEST_F(CliSourcesTest, CiteAndBib)
{
    WriteSources();
    const Result cited = Run({QStringLiteral("cite"), QStringLiteral("--width"), QStringLiteral("20"),
                              QStringLiteral("1005"), QStringLiteral("1001"), QStringLiteral("3")});
    EXPECT_EQ(cited.exitCode, 0);
    const QJsonArray citations = cited.json.value(QStringLiteral("citations")).toArray();
    ASSERT_EQ(citations.size(), 2);
    EXPECT_EQ(citations.at(0).toObject().value(QStringLiteral("id")).toInt(), 1005);
    EXPECT_EQ(citations.at(1).toObject().value(QStringLiteral("id")).toInt(), 1001);
    EXPECT_TRUE(citations.at(1).toObject().contains(QStringLiteral("layout")));
    EXPECT_FALSE(QFileInfo::exists(m_folder.FullPath(QStringLiteral("Data Files\\Bib.dat"))));
    const Result all = Run({QStringLiteral("cite")});
    EXPECT_EQ(all.json.value(QStringLiteral("citations")).toArray().size(), 2);
    EXPECT_FALSE(all.json.value(QStringLiteral("citations"))
                     .toArray()
                     .at(0)
                     .toObject()
                     .contains(QStringLiteral("layout")));

    const Result bib = Run({QStringLiteral("bib"), QStringLiteral("--unsorted"), QStringLiteral("1001"),
                            QStringLiteral("1005")});
    EXPECT_EQ(bib.exitCode, 0);
    EXPECT_EQ(bib.json.value(QStringLiteral("count")).toInt(), 2);
    EXPECT_EQ(bib.json.value(QStringLiteral("file")).toString(),
              m_folder.FullPath(QStringLiteral("Data Files\\Bib.dat")));
    EXPECT_TRUE(QFileInfo(bib.json.value(QStringLiteral("file")).toString()).size() > 0);
}
