// The 98 formatters against expected citations written from each style's element
// sequence, plus the worked examples and edge cases of the styles.
#include "sources/CitationFormatter.h"
#include "sources/QtPrinters.h"
#include "sources/SourceNames.h"

#include <QFile>
#include <QStringList>
#include <clocale>
#include <gtest/gtest.h>

namespace {

AuthorList TwoAuthors()
{
    AuthorRecord smith {1, QStringLiteral("John"), QStringLiteral("M"), QStringLiteral("Smith"), {}, {}};
    AuthorRecord doe {2, QStringLiteral("Jane"), QString(), QStringLiteral("Doe"), {}, {}};
    return {smith, doe};
}

// The field values every row of citations.tsv uses; a variant names which are set.
// Field 2 is the date text, so "set" there means DateSet with 5 March 2007.
struct Variant
{
    const char* name;
    QList<int> fields;
    bool withAuthors;
};

const QList<Variant>& Variants()
{
    static const QList<Variant> kVariants = {
        {"full", {0, 1, 2, 3, 4, 5, 6, 7, 8}, true},
        {"odd", {1, 3, 5, 7}, true},
        {"even", {0, 2, 4, 6, 8}, false},
        {"empty", {}, false},
        {"low", {0, 1, 2, 3}, true},
        {"high", {0, 4, 5, 6, 7, 8}, false},
        {"nodate", {0, 1, 3, 4, 5, 6, 7, 8}, false},
        {"title_date", {0, 2}, true},
        {"date_7", {2, 7}, false},
        {"date_4_8", {2, 4, 8}, false},
        {"date_3_6", {2, 3, 6}, true},
        {"date_1_5", {1, 2, 5}, false},
        {"only_7", {7}, false},
        {"only_4", {4}, true},
        {"only_3", {3}, false},
    };
    return kVariants;
}

SourceRecord MakeSource(int style, int type, const Variant& variant)
{
    static const QStringList kValues = {
        QStringLiteral("Cell Growth"), QStringLiteral("Nature Today"),  QString(),
        QStringLiteral("12(3)"),       QStringLiteral("45-50"),         QStringLiteral("2"),
        QStringLiteral("Boston"),      QStringLiteral("Chapter Seven"), QStringLiteral("Ed Eight"),
    };
    SourceRecord source;
    source.Style = style;
    source.Type = type;
    source.Date = DateTime::FromParts(2007, 3, 5, 14, 7, 9);
    source.DateSet = variant.fields.contains(2);
    for (int field : variant.fields) {
        if (field != 2)
            source.Fields[field] = kValues[field];
    }
    if (variant.withAuthors)
        source.AuthorIds = {1, 2};
    return source;
}

QString MarksText(const SourceRecord& s)
{
    QStringList marks;
    for (int i = 0; i < s.MarkKinds.size(); ++i)
        marks << QStringLiteral("%1:%2:%3").arg(s.MarkKinds[i]).arg(s.MarkStarts[i]).arg(s.MarkEnds[i]);
    return marks.join(QLatin1Char(' '));
}

class CitationStylesTest : public ::testing::Test
{
protected:
    void SetUp() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(CitationStylesTest, EveryStyleAndTypeWithFieldsSetAndEmpty)
{
    // One row per style, type and variant: style, type, variant, citation, marks.
    QFile file(QStringLiteral(QUORVEL_TEST_DATA "/sources/citations.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 14 * 7 * Variants().size());
    const AuthorList authors = TwoAuthors();
    for (const QString& row : rows) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 5) << row.toStdString();
        const int style = cells[0].toInt();
        const int type = cells[1].toInt();
        const auto variant = std::find_if(Variants().begin(), Variants().end(), [&](const Variant& v) {
            return cells[2] == QLatin1String(v.name);
        });
        ASSERT_NE(variant, Variants().end());
        SourceRecord source = MakeSource(style, type, *variant);
        FormatCitation(source, authors);
        const QString label = CitationStyleName(style) + QStringLiteral(" / ") + SourceTypeName(type)
            + QStringLiteral(" / ") + cells[2];
        const std::string where = label.toStdString();
        EXPECT_EQ(source.CitationText.toStdString(), cells[3].toStdString()) << where;
        EXPECT_EQ(MarksText(source).toStdString(), cells[4].toStdString()) << where;
    }
}

TEST_F(CitationStylesTest, ApaJournalArticleWorkedExample)
{
    SourceRecord source;
    source.Style = CitationStyle::Apa;
    source.Type = SourceType::JournalArticle;
    source.AuthorIds = {1, 2};
    source.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    source.DateSet = true;
    source.Fields[0] = QStringLiteral("Cell growth");
    source.Fields[1] = QStringLiteral("Nature Today");
    source.Fields[3] = QStringLiteral("12(3)");
    source.Fields[4] = QStringLiteral("45-50");
    FormatCitation(source, TwoAuthors());
    const QString expected = QStringLiteral(
        "Smith, J. M., & Doe, J. (2007, March 05). Cell growth. Nature Today, 12(3), 45-50. ");
    EXPECT_EQ(source.CitationText, expected);
    EXPECT_EQ(source.AuthorsText, QStringLiteral("Smith, J. M., & Doe, J."));
    EXPECT_EQ(source.Fields[2], QStringLiteral("2007, March 05"));
    ASSERT_EQ(source.MarkKinds, (QList<qint32> {1, 1}));
    EXPECT_EQ(source.MarkStarts[0], expected.indexOf(QStringLiteral("Nature Today")));
    EXPECT_EQ(source.MarkEnds[0], expected.indexOf(QStringLiteral("Nature Today")) + 11);
    EXPECT_EQ(source.MarkStarts[1], expected.indexOf(QStringLiteral("12(3)")));
    EXPECT_EQ(source.MarkEnds[1], expected.indexOf(QStringLiteral("12(3)")) + 4);
}

TEST_F(CitationStylesTest, BookParenthesesAndChapters)
{
    SourceRecord apa;
    apa.Style = CitationStyle::Apa;
    apa.Type = SourceType::Book;
    apa.Fields[0] = QStringLiteral("Title");
    apa.Fields[7] = QStringLiteral("Chap");
    FormatCitation(apa, {});
    // A chapter without editors: "In" moves to the title; no parenthesis without
    // volume, edition or pages.
    EXPECT_EQ(apa.CitationText, QStringLiteral("Chap. In Title. "));
    apa.Fields[8] = QStringLiteral("Eds");
    FormatCitation(apa, {});
    EXPECT_EQ(apa.CitationText, QStringLiteral("Chap. In Eds (Eds.), Title. "));
    apa.Fields[3] = QStringLiteral("3");
    apa.Fields[5] = QStringLiteral("2");
    apa.Fields[4] = QStringLiteral("45-50");
    FormatCitation(apa, {});
    EXPECT_EQ(apa.CitationText, QStringLiteral("Chap. In Eds (Eds.), Title. (Vol. 3, 2nd ed., pp. 45-50). "));
    apa.Fields[3].clear();
    apa.Fields[4].clear();
    FormatCitation(apa, {});
    // Only blanks go before the closing text: the comma of the edition stays.
    EXPECT_EQ(apa.CitationText, QStringLiteral("Chap. In Eds (Eds.), Title. (2nd ed.,). "));

    SourceRecord oxford;
    oxford.Style = CitationStyle::Oxford;
    oxford.Type = SourceType::Book;
    oxford.Fields[0] = QStringLiteral("Title");
    oxford.Fields[1] = QStringLiteral("Pub");
    FormatCitation(oxford, {});
    // Only blanks go before the closing parenthesis, so the publisher keeps its comma.
    EXPECT_EQ(oxford.CitationText, QStringLiteral("Title (Pub,). "));
    oxford.Fields[4] = QStringLiteral("7");
    FormatCitation(oxford, {});
    EXPECT_EQ(oxford.CitationText, QStringLiteral("Title (Pub,), p. 7."));
}

TEST_F(CitationStylesTest, SplitDatesAndMissingDates)
{
    SourceRecord source;
    source.Type = SourceType::Lecture;
    source.Style = CitationStyle::ChicagoAuthorDate;
    source.Fields[0] = QStringLiteral("Talk");
    source.Fields[6] = QStringLiteral("Paris");
    source.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    source.DateSet = false;
    FormatCitation(source, {});
    EXPECT_EQ(source.CitationText, QStringLiteral("Talk. Paris. "));
    source.DateSet = true;
    FormatCitation(source, {});
    EXPECT_EQ(source.CitationText, QStringLiteral("2007. Talk. Paris, March 05."));
    // The split-date styles keep month and day even when only the year is meaningful.
    source.YearOnly = 1;
    FormatCitation(source, {});
    EXPECT_EQ(source.CitationText, QStringLiteral("2007. Talk. Paris, March 05."));

    SourceRecord harvard;
    harvard.Type = SourceType::Periodical;
    harvard.Style = CitationStyle::Harvard;
    harvard.Fields[0] = QStringLiteral("News");
    harvard.Fields[1] = QStringLiteral("Daily");
    harvard.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    harvard.DateSet = true;
    FormatCitation(harvard, {});
    EXPECT_EQ(harvard.CitationText, QStringLiteral("2007, 'News', Daily, 05 Mar. "));
    harvard.Fields[3] = QStringLiteral("B");
    FormatCitation(harvard, {});
    EXPECT_EQ(harvard.CitationText, QStringLiteral("2007, 'News', Daily, 05 Mar., B. "));
    harvard.DateSet = false;
    harvard.Fields[3].clear();
    FormatCitation(harvard, {});
    EXPECT_EQ(harvard.CitationText, QStringLiteral("'News', Daily. "));
}

TEST_F(CitationStylesTest, StyleMarkRules)
{
    SourceRecord source;
    source.Fields[0] = QStringLiteral("Title");
    source.Fields[1] = QStringLiteral("Journal");
    source.Fields[3] = QStringLiteral("V");
    source.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    source.DateSet = true;
    source.Type = SourceType::JournalArticle;
    for (int type = SourceType::Book; type <= SourceType::Lecture; ++type) {
        source.Type = type;
        source.Style = CitationStyle::CseCbe;
        FormatCitation(source, {});
        EXPECT_TRUE(source.MarkKinds.isEmpty()) << type;
    }
    source.Type = SourceType::JournalArticle;
    source.Style = CitationStyle::Acs;
    FormatCitation(source, {});
    EXPECT_EQ(source.CitationText, QStringLiteral("Title. Journal. March 05, 2007, V. "));
    EXPECT_EQ(source.MarkKinds, (QList<qint32> {MarkKind::Italic, MarkKind::Bold}));
    EXPECT_EQ(source.MarkStarts, (QList<qint32> {7, 16}));
    EXPECT_EQ(source.MarkEnds, (QList<qint32> {13, 29}));
    // APA marks the volume too, but a one-letter volume never gets a mark.
    source.Style = CitationStyle::Apa;
    FormatCitation(source, {});
    EXPECT_EQ(source.MarkKinds, (QList<qint32> {MarkKind::Italic}));
    source.Style = CitationStyle::Mla;
    FormatCitation(source, {});
    EXPECT_EQ(source.MarkKinds, (QList<qint32> {MarkKind::Underline}));
}

TEST_F(CitationStylesTest, FieldsOutsideTheTypeAreNeverShown)
{
    SourceRecord source;
    source.Type = SourceType::Online;
    source.Style = CitationStyle::GenericByAuthor;
    source.Fields[0] = QStringLiteral("Page");
    source.Fields[5] = QStringLiteral("Hidden");
    source.Fields[12] = QStringLiteral("Never");
    FormatCitation(source, {});
    EXPECT_EQ(source.CitationText, QStringLiteral("\"Page.\" "));
}
