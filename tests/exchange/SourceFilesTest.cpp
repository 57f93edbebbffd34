// Sources to and from outside bibliography files: the mapping, round trips through every
// export format, duplicates, author matching, the bibutils formats, and our files read by
// independent parsers (pybtex, bibutils' bib2xml and ris2xml).

#include "exchange/SourceFiles.h"

#include "ExchangeFixture.h"
#include "exchange/BibutilsReader.h"
#include "exchange/SourceExport.h"
#include "exchange/SourceImport.h"
#include "platform/ProgressReporter.h"
#include "sources/CitationKeys.h"
#include "sources/NameList.h"
#include "sources/SourceFields.h"
#include "sources/SourceLookup.h"
#include "sources/SourceMapping.h"
#include "sources/SourceNames.h"
#include "store/ChangeNotice.h"
#include "store/SourceStore.h"
#include "support/FailingFileSystem.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

std::string S(const QString& text)
{
    return text.toStdString();
}

QString Data(const char* name)
{
    return QStringLiteral(QUORVEL_TEST_DATA "/bibliography/") + QString::fromLatin1(name);
}

AuthorRecord Author(qint32 id, const char* first, const char* middle, const char* last)
{
    AuthorRecord author;
    author.AuthorId = id;
    author.FirstName = QString::fromUtf8(first);
    author.MiddleInitial = QString::fromUtf8(middle);
    author.LastName = QString::fromUtf8(last);
    return author;
}

SourceRecord Source(qint32 id, int type, std::initializer_list<std::pair<int, const char*>> fields,
                    QList<qint32> authors, const DateTime& date = DateTime(), int yearOnly = 0)
{
    SourceRecord source;
    source.SourceId = id;
    source.SourceGUID = QStringLiteral("{guid-%1}").arg(id);
    source.Type = type;
    for (const auto& [index, text] : fields)
        source.Fields[index] = QString::fromUtf8(text);
    source.AuthorIds = std::move(authors);
    source.DateSet = date.IsValid();
    if (date.IsValid())
        source.Date = date;
    source.YearOnly = yearOnly;
    return source;
}

// One source of each type, every field its type shows filled as people fill them.
struct Library
{
    AuthorList authors {
        Author(2, "John", "M", "Smith"),
        Author(3, "World Health Organization", "", ""),
        Author(4, "Jean-Pierre", "", "de la Fontaine"),
        Author(5, "J", "R. R", "Tolkien"),
        Author(6, "Jörg", "", "Müller"),
        Author(7, "", "", "Aristotle"),
    };
    SourceList sources {
        Source(1001, SourceType::Book,
               {{0, "The Structure of Things: 50% of {DNA} & $5 #1_x"},
                {1, "Nature Press"},
                {3, "12(3)"},
                {4, "45-50"},
                {5, "2nd"},
                {6, "New York"},
                {8, "Ann Editor and Bob von Other"},
                {9, "smith2007"},
                {11, "978-3-16-148410-0"},
                {13, "https://example.org/book"}},
               {2, 3, 5}, DateTime::FromParts(2007, 1, 1, 0, 0, 0), 1),
        Source(1002, SourceType::Book,
               {{0, "Handbook of Recurrent Networks"},
                {1, "MIT Press"},
                {5, "Lecture Notes"},
                {7, "Long memories"},
                {9, "hoch2003"}},
               {4}, DateTime::FromParts(2003, 9, 1, 0, 0, 0)),
        Source(1003, SourceType::JournalArticle,
               {{0, "On the Schrödinger equation"},
                {1, "Journal of Things"},
                {3, "111(9)"},
                {4, "1790-1798"},
                {5, "5 May 2020"},
                {7, "https://example.org/a_b%20c?x=1&y=2"},
                {9, "mueller2007"},
                {10, "10.1021/jp0668451"},
                {12, "0022-3654"}},
               {6, 2}, DateTime::FromParts(2007, 3, 5, 0, 0, 0)),
        Source(1004, SourceType::Periodical,
               {{0, "Markets reopen"}, {1, "The Daily Planet"}, {3, "B"}, {4, "A1"}, {9, "smith2001"}}, {2},
               DateTime::FromParts(2001, 9, 17, 0, 0, 0)),
        Source(1005, SourceType::Online,
               {{0, "Coronavirus disease pandemic"},
                {1, "WHO"},
                {4, "2020-05-05"},
                {7, "https://www.who.int/emergencies"},
                {9, "who2020"}},
               {3}, DateTime::FromParts(2020, 1, 1, 0, 0, 0), 1),
        Source(1006, SourceType::Dissertation,
               {{0, "Coastal erosion"},
                {1, "ProQuest"},
                {4, "200"},
                {6, "Cambridge, MA"},
                {7, "MIT"},
                {8, "PhD thesis"},
                {9, "oconnor2010"}},
               {5}, DateTime::FromParts(2010, 1, 1, 0, 0, 0), 1),
        Source(1007, SourceType::Multimedia,
               {{0, "The Matrix"},
                {1, "Warner Bros."},
                {4, "DVD"},
                {6, "Burbank"},
                {7, "Classic Films"},
                {9, "film1999"}},
               {}, DateTime::FromParts(1999, 3, 31, 0, 0, 0)),
        Source(1008, SourceType::Lecture,
               {{0, "Why notes matter"},
                {1, "Society of Note Takers"},
                {6, "Boston, MA"},
                {7, "Annual Meeting"},
                {8, "Hall B"},
                {9, "talk2018"}},
               {7, 4}, DateTime::FromParts(2018, 6, 12, 0, 0, 0)),
        Source(1009, SourceType::Book, {{0, "Politics"}}, {7}),
    };
};

// What a round trip must give back: the type, the fields but the date text (the
// formatter writes it), the date (the year alone when only the year counts), and the
// authors' names in order.
std::string Picture(const SourceRecord& source, const AuthorList& authors)
{
    QStringList lines;
    lines.append(QStringLiteral("type %1").arg(source.Type));
    for (int i = 0; i < kSourceFieldCount; ++i) {
        if (i != 2 && !source.Fields.value(i).isEmpty())
            lines.append(QStringLiteral("%1: %2").arg(i).arg(source.Fields.value(i)));
    }
    if (source.DateSet) {
        const QDate date = source.Date.ToQDateTime().date();
        lines.append(source.YearOnly ? QStringLiteral("year %1").arg(date.year())
                                     : QStringLiteral("date %1").arg(date.toString(Qt::ISODate)));
    }
    for (const qint32 id : source.AuthorIds) {
        const AuthorRecord* author = FindAuthor(authors, id);
        lines.append(author ? QStringLiteral("author %1|%2|%3")
                                  .arg(author->FirstName, author->MiddleInitial, author->LastName)
                            : QStringLiteral("missing author %1").arg(id));
    }
    return S(lines.join(QLatin1Char('\n')));
}

class SourceFilesTest : public ::testing::Test
{
protected:
    SourceStore& Empty()
    {
        root.Load({}, {}, {});
        return *root.sourceStore;
    }

    // Imports a file into the database with every new entry chosen.
    SourceImport Import(SourceStore& store, const QString& path,
                        SourceFileFormat format = SourceFileFormat::Auto)
    {
        SourceImport import;
        QString error;
        EXPECT_TRUE(import.Open(path, format, store.Sources(), store.Authors(), SilentProgress(), &error))
            << S(error);
        QList<qint32> created, authors;
        EXPECT_TRUE(import.Store(store, 1, &created, &authors).IsOk());
        return import;
    }

    DataRoot root;
};

} // namespace

TEST_F(SourceFilesTest, EveryExportFormatGivesBackEverySource)
{
    const Library library;
    for (const SourceFileFormat format : ExportSourceFormats()) {
        SCOPED_TRACE(S(SourceFormatName(format)));
        const QString path = root.dir.filePath(QStringLiteral("export.") + SourceFormatExtension(format));
        int count = 0;
        ASSERT_TRUE(
            ExportSources(FileSystem::Real(), path, format, library.sources, library.authors, {}, &count)
                .IsOk());
        EXPECT_EQ(count, library.sources.size());

        DataRoot target;
        target.Load({}, {}, {});
        SourceStore& store = *target.sourceStore;
        SourceImport import;
        QString error;
        ASSERT_TRUE(import.Open(path, format, store.Sources(), store.Authors(), SilentProgress(), &error))
            << S(error);
        ASSERT_EQ(import.Entries().size(), library.sources.size());
        QList<qint32> created, authorsCreated;
        ASSERT_TRUE(import.Store(store, 1, &created, &authorsCreated).IsOk());
        ASSERT_EQ(store.Sources().size(), library.sources.size());
        for (qsizetype i = 0; i < library.sources.size(); ++i) {
            SourceRecord expected = library.sources.at(i);
            if (expected.Fields[IdentifierField::CitationKey].isEmpty()) // the key made for it is kept
                expected.Fields[IdentifierField::CitationKey] = QStringLiteral("aristotlepolitics");
            EXPECT_EQ(Picture(store.Sources().at(i), store.Authors()), Picture(expected, library.authors));
        }
        // Each author once, however many sources name it.
        EXPECT_EQ(store.Authors().size(), library.authors.size());
    }
}

TEST_F(SourceFilesTest, OneCaseForEachExternalType)
{
    const struct
    {
        const char* type;
        const char* subtype;
        const char* extra;
        int expected;
    } cases[] = {
        {"article", "", "", SourceType::JournalArticle},
        {"article", "magazine", "", SourceType::Periodical},
        {"article", "newspaper", "", SourceType::Periodical},
        {"periodical", "", "", SourceType::Periodical},
        {"book", "", "", SourceType::Book},
        {"inbook", "", "", SourceType::Book},
        {"incollection", "", "", SourceType::Book},
        {"inproceedings", "", "", SourceType::Book},
        {"proceedings", "", "", SourceType::Book},
        {"report", "", "", SourceType::Book},
        {"manual", "", "", SourceType::Book},
        {"patent", "", "", SourceType::Book},
        {"unknowntype", "", "", SourceType::Book},
        {"online", "", "", SourceType::Online},
        {"misc", "", "url", SourceType::Online},
        {"misc", "", "", SourceType::Book},
        {"thesis", "", "", SourceType::Dissertation},
        {"video", "", "", SourceType::Multimedia},
        {"software", "", "", SourceType::Multimedia},
        {"misc", "multimedia", "", SourceType::Multimedia},
        {"misc", "speech", "", SourceType::Lecture},
        {"unpublished", "", "eventtitle", SourceType::Lecture},
    };
    for (const auto& c : cases) {
        BibEntry entry;
        entry.type = QString::fromLatin1(c.type);
        entry.Set(QStringLiteral("entrysubtype"), QString::fromLatin1(c.subtype));
        entry.Set(QStringLiteral("title"), QStringLiteral("T"));
        entry.Set(QStringLiteral("booktitle"), QStringLiteral("B"));
        if (*c.extra)
            entry.Set(QString::fromLatin1(c.extra), QStringLiteral("x"));
        const MappedSource mapped = SourceFromEntry(entry);
        EXPECT_EQ(mapped.source.Type, c.expected) << c.type << " " << c.subtype << " " << c.extra;
    }
}

TEST_F(SourceFilesTest, FieldsDatesAndNamesOfARealLibrary)
{
    SourceStore& store = Empty();
    const SourceImport import = Import(store, Data("library.bib"));
    ASSERT_EQ(import.Entries().size(), 12);
    const SourceRecord* proceedingsPaper = nullptr;
    for (const SourceRecord& source : store.Sources()) {
        if (source.Fields[IdentifierField::CitationKey] == QLatin1String("garcia2019"))
            proceedingsPaper = &source;
    }
    ASSERT_NE(proceedingsPaper, nullptr);
    // A paper in proceedings: the proceedings are the book, the paper its chapter.
    EXPECT_EQ(
        Picture(*proceedingsPaper, store.Authors()),
        "type 1\n0: Proceedings of the 36th International Conference on Machine Learning\n1: PMLR\n3: 97\n"
        "4: 2001-2010\n5: Proceedings of Machine Learning Research\n6: Long Beach, California\n7: Learning "
        "with "
        "noisy labels\n8: Kamalika Chaudhuri and Ruslan Salakhutdinov\n9: garcia2019\nyear 2019\n"
        "author Ana||García-López\nauthor Pieter||van der Berg");
    const SourceRecord& first = store.Sources().first();
    EXPECT_EQ(Picture(first, store.Authors()),
              "type 2\n0: On the Schrödinger equation in DNA strands\n1: Journal of Physical Chemistry A\n3: "
              "111(9)\n"
              "4: 1790-1798\n9: mueller2007\n10: 10.1021/jp0668451\ndate 2007-03-05\nauthor Jörg||Müller\n"
              "author René||François\nauthor S||Østergaard");
    // The style of new sources is the one handed in; the citation is formatted as stored.
    EXPECT_EQ(first.Style, 1);
    EXPECT_EQ(S(first.AuthorsText), "Müller J, François R, & Østergaard S.");
    EXPECT_EQ(S(first.Fields[2]), "2007, March 05");
}

TEST_F(SourceFilesTest, ASecondImportFindsEveryDuplicate)
{
    SourceStore& store = Empty();
    Import(store, Data("library.bib"));
    const qsizetype sources = store.Sources().size();
    const qsizetype authors = store.Authors().size();

    SourceImport again;
    QString error;
    ASSERT_TRUE(again.Open(Data("library.bib"), SourceFileFormat::Auto, store.Sources(), store.Authors(),
                           SilentProgress(), &error));
    for (const SourceImportEntry& entry : again.Entries()) {
        EXPECT_EQ(entry.status, SourceImportEntry::Status::Duplicate) << S(entry.key);
        EXPECT_FALSE(entry.selected);
        EXPECT_GT(entry.duplicateOf, 1000);
    }
    EXPECT_EQ(again.SelectedCount(), 0);
    EXPECT_EQ(store.Sources().size(), sources);
    EXPECT_EQ(store.Authors().size(), authors);
}

TEST_F(SourceFilesTest, DuplicatesByDoiThenIsbnThenTitleYearAndAuthor)
{
    const Library library;
    root.Load({}, library.sources, library.authors);
    SourceStore& store = *root.sourceStore;
    const QString bib = QStringLiteral(
        // The same DOI (written another way) under another title.
        "@article{a, title={Something else}, doi={https://doi.org/10.1021/JP0668451}, year=2020}\n"
        // The same ISBN without its hyphens.
        "@book{b, title={Other}, isbn={9783161484100}}\n"
        // Same title, year and first author, in other case and without accents.
        "@article{c, title={ON THE SCHRODINGER EQUATION}, author={Muller, Jorg}, year=2007}\n"
        // Same title and author, another year: new.
        "@article{d, title={On the Schrödinger equation}, author={Müller, Jörg}, year=2008}\n"
        // Same title, year and author but another DOI: new.
        "@article{e, title={On the Schrödinger equation}, author={Müller, Jörg}, year=2007, "
        "doi={10.9/other}}\n"
        // The same as an entry before it in the file.
        "@article{f, title={On the Schrödinger equation}, author={Müller, Jörg}, year=2008}\n"
        "@article{g, author={Nobody}}\n");
    SourceImport import;
    QString error;
    ASSERT_TRUE(import.OpenBytes(bib.toUtf8(), QStringLiteral("dups.bib"), SourceFileFormat::BibTeX,
                                 store.Sources(), store.Authors(), SilentProgress(), &error));
    QStringList statuses;
    for (const SourceImportEntry& entry : import.Entries())
        statuses.append(entry.StatusName() + QLatin1Char(' ') + QString::number(entry.duplicateOf)
                        + QLatin1Char(' ') + entry.reason);
    EXPECT_EQ(statuses,
              (QStringList {
                  QStringLiteral("duplicate 1003 the same as the stored source 1003"),
                  QStringLiteral("duplicate 1001 the same as the stored source 1001"),
                  QStringLiteral("duplicate 1003 the same as the stored source 1003"),
                  QStringLiteral("new 0 "),
                  QStringLiteral("new 0 "),
                  QStringLiteral("duplicate 0 the same as entry 4 of the file"),
                  QStringLiteral("skipped 0 it has no title"),
              }));
    // Select all takes duplicates too, never a skipped entry.
    import.SelectAll();
    EXPECT_EQ(import.SelectedCount(), 6);
    import.SelectNone();
    EXPECT_EQ(import.SelectedCount(), 0);
    import.SelectNew();
    EXPECT_EQ(import.SelectedCount(), 2);
}

TEST_F(SourceFilesTest, AuthorsAreFoundByAllTheirNamesElseMadeOnce)
{
    AuthorList authors {Author(2, "John", "M", "Smith"), Author(3, "Jane", "", "Doe")};
    authors[1].AuthorText4 = QStringLiteral("kept"); // a stored author differing in a hidden name is another
    root.Load({}, {}, authors);
    SourceStore& store = *root.sourceStore;
    root.maxAuthorId = 40;
    const QString bib
        = QStringLiteral("@book{a, title={A}, author={Smith, John M. and Doe, Jane and Roe, R.}}\n"
                         "@book{b, title={B}, author={Roe, R. and Smith, J. M.}}\n");
    SourceImport import;
    QString error;
    ASSERT_TRUE(import.OpenBytes(bib.toUtf8(), QStringLiteral("a.bib"), SourceFileFormat::BibTeX,
                                 store.Sources(), store.Authors(), SilentProgress(), &error));
    QList<DataChange::Aspects> told;
    const ChangeNotice::Subscription listening
        = root.changes.Subscribe([&](const DataChange& change) { told.append(change.aspects); });
    QList<qint32> created, authorsCreated;
    ASSERT_TRUE(import.Store(store, 1, &created, &authorsCreated).IsOk());
    // One change for the whole batch, so that a window showing sources or authors follows it.
    EXPECT_EQ(told, (QList<DataChange::Aspects> {DataChange::Sources | DataChange::Authors}));
    EXPECT_EQ(created, (QList<qint32> {1001, 1002}));
    EXPECT_EQ(authorsCreated, (QList<qint32> {41, 42, 43})); // Doe, Roe, and J. M. Smith
    EXPECT_EQ(store.FindSource(1001)->AuthorIds, (QList<qint32> {2, 41, 42}));
    EXPECT_EQ(store.FindSource(1002)->AuthorIds, (QList<qint32> {42, 43}));
    EXPECT_EQ(root.maxAuthorId, 43);
    // Stored as the load reads them.
    root.Reload();
    const SourceStore& reloaded = *root.sourceStore;
    EXPECT_EQ(reloaded.Sources().size(), 2);
    EXPECT_EQ(reloaded.Authors().size(), 5);
    EXPECT_EQ(S(AuthorDisplayName(*reloaded.FindAuthor(42))), "Roe, R.");
}

TEST_F(SourceFilesTest, AFailedWriteStoresNothing)
{
    const Library library;
    root.Load({}, library.sources, library.authors);
    SourceStore& store = *root.sourceStore;
    const auto before = Snapshot(root.dir.path());
    const qint32 maxAuthorId = root.maxAuthorId;
    SourceImport import;
    QString error;
    ASSERT_TRUE(import.Open(Data("library.bib"), SourceFileFormat::Auto, store.Sources(), store.Authors(),
                            SilentProgress(), &error));
    int told = 0;
    const ChangeNotice::Subscription listening = root.changes.Subscribe([&](const DataChange&) { ++told; });
    for (const char* file : {"Data Files\\Authors.dat", "Data Files\\Sources.dat"}) {
        root.failing.Heal();
        root.failing.FailFile(FailingFileSystem::Kind::DiskFull, root.Path(QString::fromLatin1(file)));
        QList<qint32> created, authorsCreated;
        const FileStatus status = import.Store(store, 1, &created, &authorsCreated);
        EXPECT_FALSE(status.IsOk()) << file;
        EXPECT_TRUE(created.isEmpty());
        EXPECT_EQ(store.Sources().size(), library.sources.size());
        EXPECT_EQ(store.Authors().size(), library.authors.size());
        EXPECT_EQ(root.maxAuthorId, maxAuthorId);
        EXPECT_EQ(Snapshot(root.dir.path()), before);
    }
    EXPECT_EQ(told, 0); // nothing stored, nothing told
}

TEST_F(SourceFilesTest, FilesNotOfTheirFormatStoreNothing)
{
    SourceStore& store = Empty();
    const auto check = [&](const QString& path, SourceFileFormat format, const char* start) {
        SourceImport import;
        QString error;
        EXPECT_FALSE(import.Open(path, format, store.Sources(), store.Authors(), SilentProgress(), &error));
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(start))) << S(error);
        EXPECT_TRUE(import.Entries().isEmpty());
    };
    check(Data("items.json"), SourceFileFormat::Ris, "\"items.json\" is not a RIS file: line 1");
    check(Data("articles-books.ris"), SourceFileFormat::BibTeX,
          "\"articles-books.ris\" is not a BibTeX file");
    check(Data("library.bib"), SourceFileFormat::CslJson, "\"library.bib\" is not a CSL-JSON file: line 1");
    check(Data("library.bib"), SourceFileFormat::Mods, "\"library.bib\" is not a MODS file");
    check(root.dir.filePath(QStringLiteral("missing.bib")), SourceFileFormat::Auto, "Could not read");
    EXPECT_TRUE(store.Sources().isEmpty());
}

TEST_F(SourceFilesTest, DamagedEntriesAreSkippedWithTheirReason)
{
    SourceStore& store = Empty();
    const SourceImport import = Import(store, Data("damaged.bib"));
    QStringList rows;
    for (const SourceImportEntry& entry : import.Entries())
        rows.append(entry.key + QLatin1Char(' ') + entry.StatusName());
    EXPECT_EQ(rows,
              (QStringList {QStringLiteral("good1 new"), QStringLiteral("broken skipped"),
                            QStringLiteral("notitle skipped"), QStringLiteral("good2 new"),
                            QStringLiteral("unclosed skipped")}));
    EXPECT_EQ(S(import.Entries()[1].reason), "line 9: \"=\" expected after the field name \"title\"");
    EXPECT_EQ(store.Sources().size(), 2);
}

TEST_F(SourceFilesTest, FormatsReadThroughBibutils)
{
    const struct
    {
        const char* file;
        SourceFileFormat format;
        const char* picture;
    } cases[] = {
        {"endnote-xml.xml", SourceFileFormat::EndNoteXml,
         "type 2\n0: Molecular configuration in sodium thymonucleate\n1: Nature\n3: 171(4356)\n4: 740-741\n"
         "9: Franklin1953\n10: 10.1038/171740a0\nyear 1953\nauthor Rosalind|E|Franklin\nauthor R|G|Gosling"},
        {"pubmed.xml", SourceFileFormat::Medline,
         "type 2\n0: Molecular structure of nucleic acids; a structure for deoxyribose nucleic acid.\n1: "
         "Nature\n"
         "3: 171(4356)\n4: 737-738\n9: WATSON1953\n12: 0028-0836\ndate 1953-04-25\nauthor J|D|WATSON\nauthor "
         "F|H|CRICK"},
        {"wos.isi", SourceFileFormat::Isi,
         "type 2\n0: An index to quantify an individual's scientific research output\n1: PROCEEDINGS OF THE "
         "NATIONAL "
         "ACADEMY OF SCIENCES OF THE UNITED STATES OF AMERICA\n3: 102(46)\n4: 16569-16572\n9: Hirsch2005\n"
         "10: 10.1073/pnas.0507655102\ndate 2005-11-15\nauthor J|E|Hirsch"},
        {"mods.xml", SourceFileFormat::Mods,
         "type 1\n0: Language: An Introduction to the Study of Speech\n1: Harcourt, Brace\n6: New York\n9: "
         "sapir1921\n"
         "year 1921\nauthor Edward||Sapir"},
    };
    for (const auto& c : cases) {
        DataRoot target;
        target.Load({}, {}, {});
        SourceStore& store = *target.sourceStore;
        // Told by their contents as well as named.
        QFile file(Data(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(DetectSourceFormat(file.readAll(), QStringLiteral("x")),
                  std::optional<SourceFileFormat>(c.format))
            << c.file;
        Import(store, Data(c.file), c.format);
        ASSERT_EQ(store.Sources().size(), 1 + (c.format == SourceFileFormat::EndNoteXml)) << c.file;
        EXPECT_EQ(Picture(store.Sources().first(), store.Authors()), c.picture) << c.file;
    }
}

TEST_F(SourceFilesTest, KeysAreKeptElseMadeAndUniqueWhateverIsExported)
{
    const Library library;
    SourceList sources = library.sources;
    sources.append(Source(1010, SourceType::Book, {{0, "Politics again"}}, {7}));
    sources.append(Source(1011, SourceType::Book, {{0, "The Ümlaut book"}}, {6},
                          DateTime::FromParts(2001, 1, 1, 0, 0, 0)));
    sources.append(Source(1012, SourceType::Book, {{0, "Twin"}, {9, "smith2007"}}, {2}));
    const QHash<qint32, QString> keys = CitationKeys(sources, library.authors);
    EXPECT_EQ(S(keys.value(1001)), "smith2007");
    EXPECT_EQ(S(keys.value(1012)), "smith2007a"); // a kept key used twice
    EXPECT_EQ(S(keys.value(1009)), "aristotlepolitics");
    EXPECT_EQ(S(keys.value(1010)), "aristotlepoliticsa"); // the same as 1009's, which comes first
    EXPECT_EQ(S(keys.value(1011)), "muller2001the");
    // Without the sources around it a source keeps its key.
    EXPECT_EQ(S(CitationKeys({sources.at(9)}, library.authors).value(1010)), "aristotlepolitics");
}

namespace {

bool HaveProgram(const char* name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

QByteArray RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

} // namespace

TEST_F(SourceFilesTest, OurBibTeXReadByPybtex)
{
    // Debian's own Python, where python3-pybtex installs (another python3 may come first
    // on the path).
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
        ? QStringLiteral("/usr/bin/python3")
        : QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    const Library library;
    const QString path = root.dir.filePath(QStringLiteral("ours.bib"));
    ASSERT_TRUE(ExportSources(FileSystem::Real(), path, SourceFileFormat::BibTeX, library.sources,
                              library.authors, {})
                    .IsOk());
    const char* script = R"(
import json, sys
from pybtex.database import parse_file
data = parse_file(sys.argv[1], 'bibtex')
out = {}
for key, entry in data.entries.items():
    out[key] = {'type': entry.type, 'title': entry.fields.get('title', ''),
                'authors': [' '.join(p.last_names) + '|' + ' '.join(p.first_names + p.middle_names) for p in entry.persons.get('author', [])]}
print(json.dumps(out))
)";
    const QByteArray output = RunProgram(python, {QStringLiteral("-c"), QString::fromLatin1(script), path});
    const QJsonObject entries = QJsonDocument::fromJson(output).object();
    if (entries.isEmpty())
        GTEST_SKIP() << "pybtex is not installed (python3-pybtex): " << output.toStdString();
    ASSERT_EQ(entries.size(), library.sources.size()) << output.toStdString();
    const QJsonObject mueller = entries.value(QLatin1String("mueller2007")).toObject();
    EXPECT_EQ(S(mueller.value(QLatin1String("type")).toString()), "article");
    EXPECT_EQ(S(mueller.value(QLatin1String("title")).toString()), "On the Schrödinger equation");
    EXPECT_EQ(mueller.value(QLatin1String("authors")).toArray(),
              (QJsonArray {QStringLiteral("Müller|Jörg"), QStringLiteral("Smith|John M.")}));
    const QJsonObject book = entries.value(QLatin1String("smith2007")).toObject();
    EXPECT_EQ(S(book.value(QLatin1String("title")).toString()),
              "The Structure of Things: 50\\% of {\\{DNA\\}} \\& \\$5 \\#1\\_x");
    EXPECT_EQ(book.value(QLatin1String("authors")).toArray(),
              (QJsonArray {QStringLiteral("Smith|John M."), QStringLiteral("{World Health Organization}|"),
                           QStringLiteral("Tolkien|J. R. R.")}));
    EXPECT_EQ(S(entries.value(QLatin1String("talk2018")).toObject().value(QLatin1String("type")).toString()),
              "misc");
}

TEST_F(SourceFilesTest, OurBibTeXAndRisReadByBibutilsPrograms)
{
    if (!HaveProgram("bib2xml") || !HaveProgram("ris2xml"))
        GTEST_SKIP() << "bibutils' programs are not installed (package bibutils)";
    const Library library;
    for (const SourceFileFormat format : {SourceFileFormat::BibTeX, SourceFileFormat::Ris}) {
        const QString ours = root.dir.filePath(QStringLiteral("ours.") + SourceFormatExtension(format));
        ASSERT_TRUE(
            ExportSources(FileSystem::Real(), ours, format, library.sources, library.authors, {}).IsOk());
        const QString program
            = format == SourceFileFormat::Ris ? QStringLiteral("ris2xml") : QStringLiteral("bib2xml");
        const QByteArray mods = RunProgram(
            program, {QStringLiteral("-i"), QStringLiteral("utf8"), QStringLiteral("-nt"), ours});
        const BibReadResult read = BibutilsReader::Read(mods, BibutilsReader::Input::Mods, program);
        ASSERT_TRUE(read.Ok()) << S(program) << ": " << S(read.error) << mods.toStdString();
        ASSERT_EQ(read.entries.size(), library.sources.size()) << S(program);
        // What bibutils makes of our file: every entry's own title, the types both programs
        // know (book, article, thesis), every personal first author.
        const BibEntries ourEntries = SourceEntries(library.sources, library.authors, {});
        for (qsizetype i = 0; i < read.entries.size(); ++i) {
            const BibEntry& theirs = read.entries.at(i);
            const BibEntry& ours = ourEntries.at(i);
            SCOPED_TRACE(S(program) + " " + S(ours.Field(QStringLiteral("title"))));
            if (i != 0) // bibutils turns the escaped characters of the first title its own way
                EXPECT_EQ(S(theirs.Field(QStringLiteral("title"))), S(ours.Field(QStringLiteral("title"))));
            if (ours.type == QLatin1String("book") || ours.type == QLatin1String("thesis")
                || (ours.type == QLatin1String("article") && !ours.Has(QStringLiteral("entrysubtype"))))
                EXPECT_EQ(S(theirs.type), S(ours.type));
            if (!ours.authors.isEmpty() && !ours.authors.first().literal) {
                ASSERT_FALSE(theirs.authors.isEmpty());
                EXPECT_EQ(S(theirs.authors.first().family), S(ours.authors.first().family));
            }
        }
    }
}

TEST_F(SourceFilesTest, ChaptersOfOneBookAreNotDuplicates)
{
    SourceStore& store = Empty();
    const QByteArray bib
        = "@incollection{a, author={Lee, K.}, title={First}, booktitle={Handbook}, year=2003}\n"
          "@incollection{b, author={Lee, K.}, title={Second}, booktitle={Handbook}, year=2003}\n"
          "@incollection{c, author={Lee, K.}, title={second}, booktitle={HANDBOOK}, year=2003}\n"
          // A book with its ISBN and chapters that take it through crossref: the ISBN names
          // the book, so neither the book nor another chapter is the same source as one.
          "@book{field, editor={Roe, A.}, title={Field Methods}, isbn={978-0-19-870234-1}, year=2015}\n"
          "@incollection{d, author={Kim, J.}, title={Soils}, crossref={field}, year=2015}\n"
          "@incollection{e, author={Kim, J.}, title={Water}, crossref={field}, year=2015}\n"
          "@incollection{f, author={Kim, J.}, title={Water}, isbn={9780198702341}, booktitle={Field "
          "Methods}, year=2016}\n";
    SourceImport import;
    QString error;
    ASSERT_TRUE(import.OpenBytes(bib, QStringLiteral("chapters.bib"), SourceFileFormat::BibTeX,
                                 store.Sources(), store.Authors(), SilentProgress(), &error));
    QStringList statuses;
    for (const SourceImportEntry& entry : import.Entries())
        statuses.append(entry.StatusName());
    EXPECT_EQ(statuses,
              (QStringList {QStringLiteral("new"), QStringLiteral("new"), QStringLiteral("duplicate"),
                            QStringLiteral("new"), QStringLiteral("new"), QStringLiteral("new"),
                            QStringLiteral("duplicate")}));
    EXPECT_EQ(import.Entries().last().reason, QStringLiteral("the same as entry 6 of the file"));
    // A chapter is listed by its own title, the book's after it.
    EXPECT_EQ(import.Entries().at(4).title, QStringLiteral("Soils, in Field Methods"));
    EXPECT_EQ(import.Entries().at(3).title, QStringLiteral("Field Methods"));
}
