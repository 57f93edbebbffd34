// source import, source export and notes-export: the contract's documents, exit
// statuses, and that a refused import stores nothing.
#include "CliFixture.h"
#include "format/AuthorsFile.h"
#include "format/SourcesFile.h"

#include <QDir>
#include <QJsonArray>

namespace {

QString Data(const char* name)
{
    return QStringLiteral(QUORVEL_TEST_DATA "/bibliography/") + QString::fromLatin1(name);
}

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class CliLibraryTest : public CliFixture
{
protected:
    SourceList StoredSources() const
    {
        return LoadSourcesFile(m_folder.FullPath(QStringLiteral("Data Files\\Sources.dat")));
    }
    Result Import(const QStringList& more)
    {
        return Run(QStringList {QStringLiteral("source"), QStringLiteral("import")} + more);
    }
};

} // namespace

TEST_F(CliLibraryTest, ImportThenImportAgain)
{
    const Result first = Import({Data("damaged.bib")});
    ASSERT_EQ(first.exitCode, 0) << first.output.constData();
    EXPECT_EQ(first.json, Json(R"({
        "entries": [
            {"index": 1, "key": "good1", "type": 2, "title": "The first good entry", "status": "new", "id": 1001, "reason": ""},
            {"index": 2, "key": "broken", "type": 0, "title": "", "status": "skipped", "id": null,
             "reason": "line 9: \"=\" expected after the field name \"title\""},
            {"index": 3, "key": "notitle", "type": 0, "title": "", "status": "skipped", "id": null, "reason": "it has no title"},
            {"index": 4, "key": "good2", "type": 2, "title": "The second good entry", "status": "new", "id": 1002, "reason": ""},
            {"index": 5, "key": "unclosed", "type": 0, "title": "", "status": "skipped", "id": null,
             "reason": "line 26: a brace is not closed"}
        ],
        "created": [1001, 1002],
        "authors_created": [3, 4]
    })"));

    const Result again = Import({Data("damaged.bib"), QStringLiteral("--select"), QStringLiteral("all")});
    ASSERT_EQ(again.exitCode, 0);
    const QJsonArray entries = again.json.value(QLatin1String("entries")).toArray();
    EXPECT_EQ(entries.at(0).toObject().value(QLatin1String("status")).toString(),
              QStringLiteral("duplicate"));
    EXPECT_EQ(entries.at(0).toObject().value(QLatin1String("reason")).toString(),
              QStringLiteral("the same as the stored source 1001"));
    // "all" takes the duplicates as the dialog's Select All does.
    EXPECT_EQ(again.json.value(QLatin1String("created")).toArray(), (QJsonArray {1003, 1004}));
    EXPECT_EQ(again.json.value(QLatin1String("authors_created")).toArray(), QJsonArray());
    EXPECT_EQ(StoredSources().size(), 4);

    const Result none = Import({Data("library.bib"), QStringLiteral("--select"), QStringLiteral("none")});
    ASSERT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.json.value(QLatin1String("created")).toArray(), QJsonArray());
    EXPECT_EQ(StoredSources().size(), 4);
}

TEST_F(CliLibraryTest, AFileNotOfItsFormatStoresNothing)
{
    const Result wrong
        = Import({Data("articles-books.ris"), QStringLiteral("--format"), QStringLiteral("bibtex")});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.json.value(QLatin1String("error"))
                    .toString()
                    .startsWith(QLatin1String("\"articles-books.ris\" is not a BibTeX file")))
        << wrong.output.constData();
    EXPECT_TRUE(StoredSources().isEmpty());
    EXPECT_EQ(Import({Data("items.json"), QStringLiteral("--format"), QStringLiteral("word")}).exitCode, 2);
    EXPECT_EQ(Import({Data("items.json"), QStringLiteral("--select"), QStringLiteral("some")}).exitCode, 2);
    EXPECT_EQ(Import({}).exitCode, 2);

    const Result ris = Import({Data("articles-books.ris")});
    ASSERT_EQ(ris.exitCode, 0);
    EXPECT_EQ(ris.json.value(QLatin1String("created")).toArray().size(), 6);
}

TEST_F(CliLibraryTest, ExportTheGivenSourcesOrAll)
{
    ASSERT_EQ(Import({Data("items.json")}).exitCode, 0);
    const QString ris = m_dir.filePath(QStringLiteral("out.ris"));
    const Result one = Run({QStringLiteral("source"), QStringLiteral("export"), QStringLiteral("--format"),
                            QStringLiteral("ris"), ris, QStringLiteral("1001")});
    ASSERT_EQ(one.exitCode, 0) << one.output.constData();
    EXPECT_EQ(one.json.value(QLatin1String("count")).toInt(), 1);
    EXPECT_EQ(one.json.value(QLatin1String("file")).toString(), ris);
    const QString text = ReadText(ris);
    EXPECT_TRUE(text.startsWith(QLatin1String("TY  - JOUR\r\nAU  - Hawking, S. W.\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("ID  - hawking1974\r\n")));

    const QString json = m_dir.filePath(QStringLiteral("all.json"));
    const Result all = Run({QStringLiteral("source"), QStringLiteral("export"), QStringLiteral("--format"),
                            QStringLiteral("csljson"), json});
    ASSERT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.json.value(QLatin1String("count")).toInt(), 6);

    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("export"), QStringLiteral("--format"),
                   QStringLiteral("ris"), ris, QStringLiteral("4711")})
                  .exitCode,
              1);
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("export"), ris}).exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("source"), QStringLiteral("export"), QStringLiteral("--format"),
                   QStringLiteral("medline"), ris})
                  .exitCode,
              2);
}

TEST_F(CliLibraryTest, NotesExportCitesKeysOfItsBib)
{
    ASSERT_EQ(Import({Data("items.json")}).exitCode, 0);
    const Result added
        = Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("Black holes emit"),
               QStringLiteral("--source"), QStringLiteral("1001"), QStringLiteral("--keywords"),
               QStringLiteral("physics")});
    ASSERT_EQ(added.exitCode, 0) << added.output.constData();
    const qint32 id = added.json.value(QLatin1String("id")).toInt();
    const QString folder = m_dir.filePath(QStringLiteral("md"));
    const Result exported = Run({QStringLiteral("notes-export"), QStringLiteral("--format"),
                                 QStringLiteral("markdown"), folder, QString::number(id)});
    ASSERT_EQ(exported.exitCode, 0) << exported.output.constData();
    EXPECT_EQ(exported.json.value(QLatin1String("count")).toInt(), 1);
    EXPECT_EQ(exported.json.value(QLatin1String("dir")).toString(), folder);
    const QString bib = exported.json.value(QLatin1String("bib")).toString();
    EXPECT_TRUE(ReadText(bib).startsWith(QLatin1String("@article{hawking1974,")))
        << ReadText(bib).toStdString();
    const QString note = ReadText(QDir(folder).filePath(QStringLiteral("%1-black-holes-emit.md").arg(id)));
    EXPECT_TRUE(note.contains(QLatin1String("\nBlack holes emit\n\n[@hawking1974]\n"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QLatin1String("key_words: [\"physics\"]\n")));

    EXPECT_EQ(Run({QStringLiteral("notes-export"), folder}).exitCode, 2);
    EXPECT_EQ(
        Run({QStringLiteral("notes-export"), QStringLiteral("--format"), QStringLiteral("html"), folder})
            .exitCode,
        2);
}
