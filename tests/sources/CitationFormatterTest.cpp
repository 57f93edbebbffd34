// Name lists, ordinals, field units, marks, date texts and the author rules shared by
// every style.
#include "sources/CitationFormatter.h"

#include "sources/NameList.h"
#include "sources/QtPrinters.h"
#include "sources/SourceNames.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {

const AuthorRecord kSmith {1, QStringLiteral("John"), QStringLiteral("M"), QStringLiteral("Smith"), {}, {}};
const AuthorRecord kDoe {2, QStringLiteral("Jane"), QString(), QStringLiteral("Doe"), {}, {}};

NameListOptions Options(NameListOptions::Order order, bool initials, bool blank, bool middle, int conjunction,
                        int separator, int maxNames = 6)
{
    NameListOptions o;
    o.order = order;
    o.Initials = initials;
    o.SpaceAfterFirst = blank;
    o.WithMiddle = middle;
    o.Conjunction = conjunction;
    o.Separator = separator;
    o.MaxNames = maxNames;
    return o;
}

class CitationFormatterTest : public ::testing::Test
{
protected:
    void SetUp() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(CitationFormatterTest, NameListExamples)
{
    using Order = NameListOptions::Order;
    const AuthorList authors = {kSmith, kDoe};
    const QList<qint32> ids = {1, 2};
    struct Case
    {
        NameListOptions options;
        const char* expected;
    };
    const Case cases[] = {
        {Options(Order::LastFirst, true, true, true, 2, 1), "Smith, J. M., & Doe, J"},
        {Options(Order::Mixed, false, true, true, 1, 1), "Smith, John M., and Jane Doe"},
        {Options(Order::NoPunctuation, true, false, true, 2, 1), "Smith JM, & Doe J"},
        {Options(Order::LastFirst, true, false, true, 0, 2), "Smith, J.M.; Doe, J"},
        // One name before "et al": the conjunction gives way to it.
        {Options(Order::LastFirst, true, true, true, 2, 1, 1), "Smith, J. M., et al"},
        {Options(Order::LastFirst, true, true, true, 2, 1, 0), "et al"},
        {Options(Order::Mixed, false, true, true, 1, 3), "Smith, John M.. and Jane Doe"},
        {Options(Order::Mixed, false, true, false, 7, 9), "Smith, John Jane Doe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNameList(ids, c.options, authors), QString::fromLatin1(c.expected)) << c.expected;

    // An id without an author ends the list.
    EXPECT_EQ(FormatNameList({1, 99, 2}, Options(Order::LastFirst, true, true, true, 2, 1), authors),
              QStringLiteral("Smith, J. M., et al"));
    EXPECT_EQ(FormatNameList({}, Options(Order::LastFirst, true, true, true, 2, 1), authors), QString());
}

TEST_F(CitationFormatterTest, OneNameInBothOrders)
{
    EXPECT_EQ(AuthorDisplayName(kSmith), QStringLiteral("Smith, John M."));
    EXPECT_EQ(AuthorNameLastFirst(kSmith, true, false, false), QStringLiteral("Smith, J."));
    EXPECT_EQ(AuthorNameFirstLast(kSmith, true, true, true), QStringLiteral("J. M. Smith"));
    EXPECT_EQ(AuthorNameFirstLast(kSmith, false, false, true), QStringLiteral("JohnM. Smith"));
    // A longer middle name is followed by "." as well.
    AuthorRecord long_middle = kSmith;
    long_middle.MiddleInitial = QStringLiteral("Maria");
    EXPECT_EQ(AuthorNameLastFirst(long_middle, true, true, true), QStringLiteral("Smith, J. Maria."));
    // Without a last name the first name stays whole even with initials.
    AuthorRecord only_first {3, QStringLiteral("Plato"), QString(), QString(), {}, {}};
    EXPECT_EQ(AuthorNameLastFirst(only_first, true, true, true), QStringLiteral("Plato"));
    EXPECT_EQ(AuthorNameFirstLast(only_first, true, true, true), QStringLiteral("Plato"));
    // A one-letter first name is an initial.
    AuthorRecord letter {4, QStringLiteral("J"), QString(), QStringLiteral("Roe"), {}, {}};
    EXPECT_EQ(AuthorNameLastFirst(letter, false, false, true), QStringLiteral("Roe, J."));
    AuthorRecord only_last {5, QString(), QString(), QStringLiteral("Homer"), {}, {}};
    EXPECT_EQ(AuthorNameLastFirst(only_last, true, true, true), QStringLiteral("Homer,"));
}

TEST_F(CitationFormatterTest, Ordinals)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1st"},     {"2", "2nd"},     {"3", "3rd"},   {"4", "4th"},     {"10", "10th"},
        {"11", "11th"},   {"12", "12th"},   {"13", "13th"}, {"21", "21st"},   {"22", "22nd"},
        {"113", "113th"}, {"3/4", "3/4th"}, {"0", "0th"},   {"101", "101st"}, {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(MakeOrdinal(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
}

TEST_F(CitationFormatterTest, AppendFieldUnits)
{
    SourceRecord s;
    s.Fields[5] = QStringLiteral("2");
    EXPECT_EQ(AppendField(s, 5, QStringLiteral("("), QStringLiteral(" ed"), QStringLiteral(". "), true),
              QStringLiteral("(2nd ed. "));
    EXPECT_EQ(AppendField(s, 5, QStringLiteral("("), QStringLiteral(")"), QString(), false),
              QStringLiteral("(2)"));
    EXPECT_EQ(AppendField(s, 6, QStringLiteral("Vol. "), QStringLiteral(". "), QString(), false), QString());
    for (const char* kept : {"2nd", "Second", "2.", "(2)", "2-3"}) {
        s.Fields[5] = QString::fromLatin1(kept);
        EXPECT_EQ(AppendField(s, 5, {}, {}, {}, true), QString::fromLatin1(kept)) << kept;
    }
    // Characters outside the set do not stop the ordinal.
    s.Fields[5] = QStringLiteral("3/4");
    EXPECT_EQ(AppendField(s, 5, {}, {}, {}, true), QStringLiteral("3/4th"));
    s.Fields[5] = QStringLiteral("~1");
    EXPECT_EQ(AppendField(s, 5, {}, {}, {}, true), QStringLiteral("~1st"));
    EXPECT_TRUE(IsFieldSet(s, 5));
    EXPECT_FALSE(IsFieldSet(s, 9));
}

TEST_F(CitationFormatterTest, MarksFindTheFirstOccurrence)
{
    SourceRecord s;
    s.Fields[0] = QStringLiteral(" Smith ");
    s.Fields[3] = QStringLiteral("V");
    s.Fields[1] = QStringLiteral("absent");
    const QString citation = QStringLiteral("Smith, J. Smith and more");
    MarkField(s, 0, MarkKind::Italic, citation);
    MarkField(s, 3, MarkKind::Bold, QStringLiteral("Vol V"));
    MarkField(s, 1, MarkKind::Bold, citation);
    MarkField(s, 0, MarkKind::Underline, QString());
    EXPECT_EQ(s.MarkKinds, (QList<qint32> {MarkKind::Italic}));
    EXPECT_EQ(s.MarkStarts, (QList<qint32> {0}));
    EXPECT_EQ(s.MarkEnds, (QList<qint32> {4}));
}

TEST_F(CitationFormatterTest, TitleInsideTheAuthorListMarksTheAuthorList)
{
    SourceRecord s;
    s.Style = CitationStyle::GenericByAuthor;
    s.Type = SourceType::Book;
    s.AuthorIds = {1};
    s.Fields[0] = QStringLiteral("Smith");
    FormatCitation(s, {kSmith});
    EXPECT_EQ(s.CitationText, QStringLiteral("Smith JM. Smith. "));
    EXPECT_EQ(s.MarkStarts, (QList<qint32> {0}));
    EXPECT_EQ(s.MarkEnds, (QList<qint32> {4}));
}

TEST_F(CitationFormatterTest, DateTexts)
{
    SourceRecord s;
    s.Type = SourceType::JournalArticle;
    s.Style = CitationStyle::Acs;
    s.Date = DateTime::FromParts(2007, 3, 5, 14, 7, 9);
    s.DateSet = false;
    EXPECT_EQ(DateText(s), QString());
    s.DateSet = true;
    EXPECT_EQ(DateText(s), QStringLiteral("March 05, 2007"));
    s.YearOnly = 1;
    EXPECT_EQ(DateText(s), QStringLiteral("2007"));
    s.YearOnly = 0;
    s.Style = CitationStyle::Mla;
    EXPECT_EQ(DateText(s), QStringLiteral("05 Mar. 2007"));
    s.Style = CitationStyle::CseCbe;
    EXPECT_EQ(DateText(s), QStringLiteral("2007 March 05"));
    s.Type = SourceType::Periodical;
    EXPECT_EQ(DateText(s), QStringLiteral("March 05, 2007"));
    s.Style = CitationStyle::Acm;
    EXPECT_EQ(DateText(s), QStringLiteral("March 05, 2007"));
    s.Type = SourceType::JournalArticle;
    EXPECT_EQ(DateText(s), QStringLiteral("2007, March 05"));
    // Books and dissertations always show the year; the split-date formatters do too.
    s.Type = SourceType::Book;
    EXPECT_EQ(DateText(s), QStringLiteral("2007"));
    s.Type = SourceType::Periodical;
    s.Style = CitationStyle::Apsa;
    EXPECT_EQ(DateText(s), QStringLiteral("2007"));
    s.Style = CitationStyle::ChicagoAuthorDate;
    s.Type = SourceType::Multimedia;
    EXPECT_EQ(DateText(s), QStringLiteral("2007"));
    s.Type = SourceType::Online;
    EXPECT_EQ(DateText(s), QStringLiteral("March 05, 2007"));
}

TEST_F(CitationFormatterTest, AuthorRulesOfTheStyles)
{
    const AuthorList authors = {kSmith, kDoe};
    SourceRecord s;
    s.AuthorIds = {1, 2};
    s.Type = SourceType::JournalArticle;
    s.Style = CitationStyle::Acm;
    EXPECT_EQ(AuthorsTextFor(s, authors), QStringLiteral("SMITH, J.M., AND DOE, J."));
    s.Style = CitationStyle::Harvard;
    EXPECT_EQ(AuthorsTextFor(s, authors), QStringLiteral("Smith, JM, & Doe, J."));
    s.Style = CitationStyle::Ama;
    EXPECT_EQ(AuthorsTextFor(s, authors), QStringLiteral("Smith J, Doe J."));
    s.Type = SourceType::Online;
    EXPECT_EQ(AuthorsTextFor(s, authors), QStringLiteral("Smith JM, Doe J."));
    s.AuthorIds.clear();
    EXPECT_EQ(AuthorsTextFor(s, authors), QString());
}

TEST_F(CitationFormatterTest, FormatCitationDropsMissingAuthorsAndKeepsOddTypes)
{
    const AuthorList authors = {kSmith, kDoe};
    SourceRecord s;
    s.Style = CitationStyle::Apa;
    s.Type = SourceType::Book;
    s.AuthorIds = {1, 98, 99, 2};
    s.Fields[0] = QStringLiteral("T");
    FormatCitation(s, authors);
    EXPECT_EQ(s.AuthorIds, (QList<qint32> {1, 2}));
    EXPECT_EQ(s.CitationText, QStringLiteral("Smith, J. M., & Doe, J. T. "));

    // A type without formatters leaves the earlier text; marks are cleared all the same.
    s.Type = 9;
    s.AuthorIds = {1, 77};
    s.MarkKinds = {1};
    s.MarkStarts = {0};
    s.MarkEnds = {3};
    FormatCitation(s, authors);
    EXPECT_EQ(s.CitationText, QStringLiteral("Smith, J. M., & Doe, J. T. "));
    EXPECT_TRUE(s.MarkKinds.isEmpty() && s.MarkStarts.isEmpty() && s.MarkEnds.isEmpty());
    EXPECT_EQ(s.AuthorIds, (QList<qint32> {1}));

    s.Type = SourceType::Book;
    s.Style = 14;
    FormatCitation(s, authors);
    EXPECT_EQ(s.CitationText, QString());

    // Without authors no "." or blank is written for them.
    s.Style = CitationStyle::GenericByAuthor;
    s.AuthorIds.clear();
    FormatCitation(s, authors);
    EXPECT_EQ(s.AuthorsText, QString());
    EXPECT_EQ(s.CitationText, QStringLiteral("T. "));
}

TEST_F(CitationFormatterTest, NamesOfTypesAndStyles)
{
    EXPECT_EQ(SourceTypeName(1), QStringLiteral("Book"));
    EXPECT_EQ(SourceTypeName(5), QStringLiteral("Dissertation/Thesis"));
    EXPECT_EQ(SourceTypeName(7), QStringLiteral("Lecture/Speech"));
    EXPECT_EQ(SourceTypeName(0), QString());
    EXPECT_EQ(SourceTypeName(8), QString());
    EXPECT_EQ(CitationStyleName(0), QStringLiteral("Generic by Title"));
    EXPECT_EQ(CitationStyleName(10), QStringLiteral("CSE/CBE Style"));
    EXPECT_EQ(CitationStyleName(12), QStringLiteral("Chicago Style (Author-Date)"));
    EXPECT_EQ(CitationStyleName(13), QStringLiteral("Oxford Style"));
    EXPECT_EQ(CitationStyleName(-1), QString());
    EXPECT_EQ(CitationStyleName(14), QString());
}
