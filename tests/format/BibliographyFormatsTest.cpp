// The readers and writers of outside bibliography files, on files written from each
// format's documentation (tests/data/bibliography) and on damaged ones.

#include "format/BibTexNames.h"
#include "format/BibTexReader.h"
#include "format/BibTexWriter.h"
#include "format/CslJsonFile.h"
#include "format/EndNoteFile.h"
#include "format/LatexText.h"
#include "format/RisFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray ReadData(const char* name)
{
    QFile file(QStringLiteral(QUORVEL_TEST_DATA "/bibliography/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

const BibEntry* ByKey(const BibEntries& entries, const char* key)
{
    for (const BibEntry& entry : entries) {
        if (entry.key == QLatin1String(key))
            return &entry;
    }
    ADD_FAILURE() << "no entry " << key;
    static const BibEntry none;
    return &none;
}

std::string S(const QString& text)
{
    return text.toStdString();
}

} // namespace

TEST(LatexText, TurnsAccentsCommandsAndEscapesIntoText)
{
    const struct
    {
        const char* latex;
        const char* text;
    } cases[] = {
        {R"(M\"{u}ller)", "Müller"},
        {R"({\'E}cole {NORMALE})", "École NORMALE"},
        {R"(Ca{\~n}{\'o}n)", "Cañón"},
        {R"(Fran\c{c}ois \c c)", "François ç"},
        {R"(Garc{\'\i}a)", "García"},
        {R"({\v{S}}koda and {\O}stergaard)", "Škoda and Østergaard"},
        {R"(Stra\ss e, \ae{}on, \L{}\'od\'z)", "Straße, æon, Łódź"},
        {R"(50\,\% of \emph{DNA} \& \$5 \#1 a\_b)", "50 % of DNA & $5 #1 a_b"},
        {R"({\em noisy} \textbf{bold}  and~tilde)", "noisy bold and tilde"},
        {R"(The {\TeX}book)", "The TeXbook"},
        {R"($\alpha$-helix \textendash{} done)", "α-helix – done"},
        {R"(\href{http://x.org}{the site})", "the site"},
        {"two\n   lines", "two lines"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(S(LatexText::ToUnicode(QString::fromUtf8(c.latex))), c.text) << c.latex;
}

TEST(LatexText, EscapedTextReadsBackUnchanged)
{
    const QString texts[] = {
        QStringLiteral("50% of $5 & #1_x ~ ^ \\ {braces} Müller"),
        QStringLiteral("A -- B ''quoted'' `x'"),
        QStringLiteral("plain"),
    };
    for (const QString& text : texts) {
        EXPECT_EQ(S(LatexText::ToUnicode(LatexText::FromUnicode(text))), S(text));
        EXPECT_EQ(S(LatexText::ToUnicode(LatexText::ProtectedTitle(text))), S(text));
    }
    EXPECT_EQ(S(LatexText::ProtectedTitle(QStringLiteral("On DNA and McDonald's Lab"))),
              "On {DNA} and {McDonald's} Lab");
}

TEST(BibTexNames, ReadsTheThreeFormsParticlesSuffixesAndCorporateNames)
{
    const QList<BibName> names = BibTexNames::Parse(QString::fromUtf8(
        R"(Smith, John M. and Jean-Pierre de la Fontaine and {World Health Organization} and King, Jr., Martin Luther and Aristotle and M{\"u}ller, J{\"o}rg and others)"));
    ASSERT_EQ(names.size(), 6);
    EXPECT_EQ(names[0], (BibName {QStringLiteral("Smith"), QStringLiteral("John M."), false}));
    EXPECT_EQ(names[1], (BibName {QStringLiteral("de la Fontaine"), QStringLiteral("Jean-Pierre"), false}));
    EXPECT_EQ(names[2], (BibName {QStringLiteral("World Health Organization"), QString(), true}));
    EXPECT_EQ(names[3], (BibName {QStringLiteral("King Jr."), QStringLiteral("Martin Luther"), false}));
    EXPECT_EQ(names[4], (BibName {QStringLiteral("Aristotle"), QString(), false}));
    EXPECT_EQ(S(names[5].family), "Müller");
    // "and" inside braces does not split.
    EXPECT_EQ(BibTexNames::Parse(QStringLiteral("{Barnes and Noble}")).size(), 1);
}

TEST(BibTexNames, WrittenNamesReadBack)
{
    const QList<BibName> names {
        {QStringLiteral("Smith"), QStringLiteral("John M."), false},
        {QStringLiteral("World Health Organization"), QString(), true},
        {QStringLiteral("van der Berg"), QStringLiteral("Pieter"), false},
        {QStringLiteral("Smith Jones"), QString(), false},
        {QStringLiteral("Barnes and Noble, Inc."), QString(), true},
        {QStringLiteral("O'Neil & Sons"), QString(), true},
    };
    EXPECT_EQ(BibTexNames::Parse(BibTexNames::Write(names)), names);
}

TEST(BibTexReader, ReadsALibraryWithMacrosCrossrefsAndAccents)
{
    const BibReadResult read
        = BibTexReader::Read(QString::fromUtf8(ReadData("library.bib")), QStringLiteral("library.bib"));
    ASSERT_TRUE(read.Ok()) << S(read.error);
    ASSERT_EQ(read.entries.size(), 12);
    for (const BibEntry& entry : read.entries)
        EXPECT_TRUE(entry.problem.isEmpty()) << S(entry.key) << ": " << S(entry.problem);

    const BibEntry* mueller = ByKey(read.entries, "mueller2007");
    EXPECT_EQ(S(mueller->type), "article");
    EXPECT_EQ(mueller->line, 13);
    EXPECT_EQ(S(mueller->Field(QStringLiteral("title"))), "On the Schrödinger equation in DNA strands");
    EXPECT_EQ(S(mueller->Field(QStringLiteral("journaltitle"))), "Journal of Physical Chemistry A");
    EXPECT_EQ(S(mueller->Field(QStringLiteral("pages"))), "1790-1798");
    EXPECT_EQ(S(mueller->Field(QStringLiteral("volume"))), "111");
    EXPECT_EQ(S(mueller->Field(QStringLiteral("date"))), "2007-03-05");
    ASSERT_EQ(mueller->authors.size(), 3);
    EXPECT_EQ(S(mueller->authors[0].family + QLatin1Char('/') + mueller->authors[0].given), "Müller/Jörg");
    EXPECT_EQ(S(mueller->authors[1].family + QLatin1Char('/') + mueller->authors[1].given), "François/René");
    EXPECT_EQ(S(mueller->authors[2].family), "Østergaard");

    // Upper-case names, quoted values, a bare number, a "First Last" name.
    const BibEntry* knuth = ByKey(read.entries, "knuth1984");
    EXPECT_EQ(S(knuth->type), "book");
    EXPECT_EQ(S(knuth->Field(QStringLiteral("title"))), "The TeXbook");
    EXPECT_EQ(S(knuth->Field(QStringLiteral("location"))), "Reading, Mass.");
    EXPECT_EQ(S(knuth->Field(QStringLiteral("date"))), "1984");
    EXPECT_EQ(knuth->authors,
              (QList<BibName> {{QStringLiteral("Knuth"), QStringLiteral("Donald E."), false}}));

    // The crossref fills what the paper lacks; the parent's title becomes its booktitle.
    const BibEntry* garcia = ByKey(read.entries, "garcia2019");
    EXPECT_EQ(S(garcia->Field(QStringLiteral("booktitle"))),
              "Proceedings of the 36th International Conference on Machine Learning");
    EXPECT_EQ(S(garcia->Field(QStringLiteral("title"))), "Learning with noisy labels");
    EXPECT_EQ(S(garcia->Field(QStringLiteral("publisher"))), "PMLR");
    EXPECT_EQ(S(garcia->Field(QStringLiteral("date"))), "2019");
    EXPECT_EQ(S(garcia->Field(QStringLiteral("pages"))), "2001-2010");
    EXPECT_EQ(garcia->editors.size(), 2);
    EXPECT_EQ(S(garcia->authors[0].family), "García-López");
    EXPECT_EQ(S(garcia->authors[1].family), "van der Berg");

    const BibEntry* hoch = ByKey(read.entries, "hoch2003");
    EXPECT_EQ(S(hoch->Field(QStringLiteral("publisher"))), "MIT Press"); // @string(...) with parentheses
    EXPECT_EQ(S(hoch->Field(QStringLiteral("date"))), "2003-09");
    EXPECT_EQ(S(hoch->authors[1].family), "Škoda");

    const BibEntry* oconnor = ByKey(read.entries, "oconnor2010");
    EXPECT_EQ(S(oconnor->type), "thesis");
    EXPECT_EQ(S(oconnor->Field(QStringLiteral("type"))), "PhD thesis");
    EXPECT_EQ(S(oconnor->Field(QStringLiteral("institution"))), "Trinity College Dublin");
    EXPECT_EQ(S(oconnor->authors[0].given), "Siobhán");
    EXPECT_EQ(S(ByKey(read.entries, "lee2015")->Field(QStringLiteral("type"))), "MSc thesis");

    const BibEntry* who = ByKey(read.entries, "who2020");
    EXPECT_TRUE(who->authors[0].literal);
    EXPECT_EQ(S(who->Field(QStringLiteral("url"))),
              "https://www.who.int/emergencies/diseases/novel-coronavirus-2019");
    EXPECT_EQ(S(ByKey(read.entries, "nokey-web")->Field(QStringLiteral("url"))),
              "http://example.org/page_one%20two");
}

TEST(BibTexReader, SkipsDamagedEntriesWithTheirLinesAndReadsTheRest)
{
    const BibReadResult read
        = BibTexReader::Read(QString::fromUtf8(ReadData("damaged.bib")), QStringLiteral("damaged.bib"));
    ASSERT_TRUE(read.Ok());
    QStringList keys, problems;
    for (const BibEntry& entry : read.entries) {
        keys.append(entry.key);
        problems.append(entry.problem);
    }
    EXPECT_EQ(keys,
              (QStringList {QStringLiteral("good1"), QStringLiteral("broken"), QStringLiteral("notitle"),
                            QStringLiteral("good2"), QStringLiteral("unclosed")}));
    EXPECT_TRUE(problems[0].isEmpty());
    EXPECT_EQ(S(problems[1]), "line 9: \"=\" expected after the field name \"title\"");
    EXPECT_TRUE(problems[2].isEmpty()); // no title: the mapping refuses it, not the reader
    EXPECT_TRUE(problems[3].isEmpty());
    EXPECT_EQ(S(read.entries[3].Field(QStringLiteral("title"))), "The second good entry");
    EXPECT_TRUE(problems[4].contains(QLatin1String("not closed"))) << S(problems[4]);
}

TEST(BibTexReader, TextWithoutEntriesIsNotBibTeX)
{
    const BibReadResult read
        = BibTexReader::Read(QStringLiteral("TY  - JOUR\nTI  - x\nER  - \n"), QStringLiteral("x.ris"));
    EXPECT_EQ(S(read.error),
              "\"x.ris\" is not a BibTeX file: no entry such as \"@article{key, title = {...}}\" was found.");
    EXPECT_TRUE(read.entries.isEmpty());
    const QString binary = QStringLiteral("@article{a, title={x}}") + QChar(0);
    EXPECT_FALSE(BibTexReader::Read(binary, QStringLiteral("b.bib")).Ok());
    EXPECT_TRUE(BibTexReader::Read(QStringLiteral("  \n"), QStringLiteral("empty.bib")).Ok());
}

TEST(BibTexWriter, BothDialectsReadBackAsWritten)
{
    BibEntry article;
    article.type = QStringLiteral("article");
    article.key = QStringLiteral("smith2007cell");
    article.authors = {{QStringLiteral("Smith"), QStringLiteral("John M."), false},
                       {QStringLiteral("World Health Organization"), QString(), true}};
    article.Set(QStringLiteral("title"), QStringLiteral("Cell growth: 50% of {DNA} & more"));
    article.Set(QStringLiteral("journaltitle"), QStringLiteral("Nature Today"));
    article.Set(QStringLiteral("date"), QStringLiteral("2007-03-05"));
    article.Set(QStringLiteral("pages"), QStringLiteral("45-50"));
    article.Set(QStringLiteral("url"), QStringLiteral("http://x.org/a_b%20c?d=1&e=2"));
    BibEntry thesis;
    thesis.type = QStringLiteral("thesis");
    thesis.key = QStringLiteral("lee2015");
    thesis.Set(QStringLiteral("title"), QStringLiteral("A study"));
    thesis.Set(QStringLiteral("type"), QStringLiteral("Master's thesis"));
    thesis.Set(QStringLiteral("institution"), QStringLiteral("SNU"));
    thesis.Set(QStringLiteral("date"), QStringLiteral("2015"));

    const QString bibtex = BibTexWriter::Write({article, thesis}, BibTexWriter::Dialect::BibTeX);
    EXPECT_TRUE(bibtex.contains(
        QLatin1String("  journal = {Nature Today},\n  year = {2007},\n  month = mar,\n  day = {5}")))
        << S(bibtex);
    EXPECT_TRUE(bibtex.contains(QLatin1String("@mastersthesis{lee2015,"))) << S(bibtex);
    EXPECT_TRUE(bibtex.contains(QLatin1String("school = {SNU}")));
    EXPECT_TRUE(bibtex.contains(QLatin1String("pages = {45--50}")));
    const QString biblatex = BibTexWriter::Write({article, thesis}, BibTexWriter::Dialect::BibLaTeX);
    EXPECT_TRUE(biblatex.contains(QLatin1String("journaltitle = {Nature Today}")));
    EXPECT_TRUE(biblatex.contains(QLatin1String("date = {2007-03-05}")));
    EXPECT_TRUE(biblatex.contains(QLatin1String("@thesis{lee2015,")));

    for (const QString& text : {bibtex, biblatex}) {
        const BibReadResult read = BibTexReader::Read(text, QStringLiteral("out.bib"));
        ASSERT_EQ(read.entries.size(), 2);
        for (const char* field : {"title", "journaltitle", "date", "pages", "url"})
            EXPECT_EQ(S(read.entries[0].Field(QString::fromLatin1(field))),
                      S(article.Field(QString::fromLatin1(field))))
                << field;
        EXPECT_EQ(read.entries[0].authors, article.authors);
        EXPECT_EQ(S(read.entries[1].type), "thesis");
        EXPECT_EQ(S(read.entries[1].Field(QStringLiteral("type"))), "Master's thesis");
        EXPECT_EQ(S(read.entries[1].Field(QStringLiteral("institution"))), "SNU");
    }
}

TEST(RisFile, ReadsArticlesAndBooksAsExported)
{
    const BibReadResult read
        = RisFile::Read(QString::fromUtf8(ReadData("articles-books.ris")), QStringLiteral("a.ris"));
    ASSERT_TRUE(read.Ok()) << S(read.error);
    ASSERT_EQ(read.entries.size(), 6);
    const BibEntry& shannon = read.entries[0];
    EXPECT_EQ(S(shannon.type), "article");
    EXPECT_EQ(S(shannon.Field(QStringLiteral("journaltitle"))), "Bell System Technical Journal");
    EXPECT_EQ(S(shannon.Field(QStringLiteral("date"))), "1948-07");
    EXPECT_EQ(S(shannon.Field(QStringLiteral("pages"))), "379-423");
    EXPECT_EQ(S(shannon.Field(QStringLiteral("issn"))), "0005-8580");
    EXPECT_EQ(S(shannon.authors[0].family + QLatin1Char('/') + shannon.authors[0].given),
              "Shannon/Claude E.");
    const BibEntry& watson = read.entries[1];
    EXPECT_EQ(
        S(watson.Field(QStringLiteral("title"))),
        "Molecular Structure of Nucleic Acids: A Structure for Deoxyribose Nucleic Acid"); // continued line
    EXPECT_EQ(S(watson.Field(QStringLiteral("date"))), "1953-04-25");
    EXPECT_EQ(S(watson.Field(QStringLiteral("urldate"))), "2021/01/15");
    EXPECT_EQ(watson.authors.size(), 2);
    EXPECT_EQ(S(read.entries[2].Field(QStringLiteral("isbn"))), "978-0-226-45808-3");
    EXPECT_EQ(S(read.entries[3].type), "incollection");
    EXPECT_EQ(S(read.entries[3].Field(QStringLiteral("booktitle"))),
              "Anthropological Approaches to the Study of Religion");
    EXPECT_EQ(S(read.entries[3].editors[0].family), "Banton");
    EXPECT_EQ(S(read.entries[4].Field(QStringLiteral("institution"))), "Princeton University");
    EXPECT_EQ(S(read.entries[4].Field(QStringLiteral("type"))), "PhD thesis");
    EXPECT_TRUE(read.entries[5].authors[0].literal);
}

TEST(RisFile, DamagedRecordsAndOtherFiles)
{
    const BibReadResult cut = RisFile::Read(
        QStringLiteral("TY  - JOUR\nTI  - One\nER  - \n\nTY  - BOOK\nTI  - Cut"), QStringLiteral("cut.ris"));
    ASSERT_TRUE(cut.Ok());
    ASSERT_EQ(cut.entries.size(), 2);
    EXPECT_TRUE(cut.entries[0].problem.isEmpty());
    EXPECT_EQ(S(cut.entries[1].problem), "line 5: the record is not closed with \"ER\"");
    const BibReadResult bib
        = RisFile::Read(QStringLiteral("@article{a,\n title={x}}\n"), QStringLiteral("a.bib"));
    EXPECT_EQ(S(bib.error),
              "\"a.bib\" is not a RIS file: line 1 is not a tagged line such as \"TY  - JOUR\".");
}

TEST(CslJsonFile, ReadsItemsOfEveryKind)
{
    const BibReadResult read = CslJsonFile::Read(ReadData("items.json"), QStringLiteral("items.json"));
    ASSERT_TRUE(read.Ok()) << S(read.error);
    ASSERT_EQ(read.entries.size(), 6);
    EXPECT_EQ(S(read.entries[0].Field(QStringLiteral("date"))), "1974-03-01");
    EXPECT_EQ(S(read.entries[0].Field(QStringLiteral("journaltitle"))), "Nature");
    EXPECT_EQ(S(read.entries[0].Field(QStringLiteral("number"))), "5443");
    EXPECT_EQ(S(read.entries[1].Field(QStringLiteral("date"))), "1859"); // a year given as a string
    EXPECT_EQ(S(read.entries[2].type), "incollection");
    EXPECT_EQ(S(read.entries[2].authors[0].family), "van Beethoven");
    EXPECT_TRUE(read.entries[3].authors[0].literal);
    EXPECT_EQ(S(read.entries[3].Field(QStringLiteral("date"))), "2021");
    EXPECT_EQ(S(read.entries[4].Field(QStringLiteral("entrysubtype"))), "speech");
    EXPECT_EQ(S(read.entries[4].Field(QStringLiteral("venue"))), "Tokyo");
    EXPECT_EQ(S(read.entries[4].Field(QStringLiteral("date"))), "2022-07-27");
    EXPECT_EQ(S(read.entries[5].type), "online");
    EXPECT_EQ(S(read.entries[5].Field(QStringLiteral("urldate"))), "2023-02-01");
}

TEST(CslJsonFile, BrokenJsonNamesItsLine)
{
    const BibReadResult read
        = CslJsonFile::Read("[\n {\"id\": \"a\",\n  \"title\": }\n]", QStringLiteral("b.json"));
    EXPECT_TRUE(read.error.startsWith(QLatin1String("\"b.json\" is not a CSL-JSON file: line 3: ")))
        << S(read.error);
    const BibReadResult mixed
        = CslJsonFile::Read("[{\"id\": \"a\", \"title\": \"T\"}, 7]", QStringLiteral("m.json"));
    ASSERT_TRUE(mixed.Ok());
    EXPECT_EQ(S(mixed.entries[1].problem), "item 2 is not an object");
}

TEST(EndNoteFile, ReadsTaggedRecordsAndCorporateNames)
{
    const BibReadResult read
        = EndNoteFile::Read(QString::fromUtf8(ReadData("endnote.enw")), QStringLiteral("e.enw"));
    ASSERT_TRUE(read.Ok()) << S(read.error);
    ASSERT_EQ(read.entries.size(), 4);
    EXPECT_EQ(S(read.entries[0].Field(QStringLiteral("date"))), "1905-06-30");
    EXPECT_EQ(S(read.entries[0].Field(QStringLiteral("doi"))), "10.1002/andp.19053221004");
    EXPECT_EQ(S(read.entries[0].key), "einstein1905");
    EXPECT_EQ(S(read.entries[1].Field(QStringLiteral("isbn"))), "0-9613921-0-X");
    EXPECT_EQ(S(read.entries[2].Field(QStringLiteral("institution"))), "Yale University");
    EXPECT_TRUE(read.entries[3].authors[0].literal);
    EXPECT_EQ(S(read.entries[3].authors[0].family), "National Aeronautics and Space Administration");
    EXPECT_FALSE(EndNoteFile::Read(QStringLiteral("Just some text\n"), QStringLiteral("t.txt")).Ok());
}
