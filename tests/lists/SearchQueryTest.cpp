#include "lists/SearchQuery.h"

#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace {

struct QueryCase
{
    const char* text;
    int op;
    QStringList terms;
};

} // namespace

TEST(SearchQueryTest, SplitsAtOneKindOfOperator)
{
    const QueryCase cases[] = {
        {"apple AND pear", SearchQuery::And, {QStringLiteral("apple"), QStringLiteral("pear")}},
        {"apple OR pear OR  fig ",
         SearchQuery::Or,
         {QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("fig")}},
        // Operators are upper case only; the whole text, untrimmed, is the term.
        {"salt and pepper", SearchQuery::None, {QStringLiteral("salt and pepper")}},
        {" cat ", SearchQuery::None, {QStringLiteral(" cat ")}},
        // Found inside words; empty pieces are dropped.
        {"ORANGE juice", SearchQuery::Or, {QStringLiteral("ANGE juice")}},
        {"ANDROID", SearchQuery::And, {QStringLiteral("ROID")}},
        {"a AND  AND b", SearchQuery::And, {QStringLiteral("a"), QStringLiteral("b")}},
        {"AND", SearchQuery::And, {}},
        // Quotes stay on the term; they ask for a whole word when searching.
        {"\"cat\" OR dog", SearchQuery::Or, {QStringLiteral("\"cat\""), QStringLiteral("dog")}},
        {"SHOWALL", SearchQuery::None, {QStringLiteral("SHOWALL")}},
        {"showall", SearchQuery::None, {QStringLiteral("showall")}},
        {"SHOWALL OR x", SearchQuery::Or, {QStringLiteral("SHOWALL"), QStringLiteral("x")}},
    };
    for (const QueryCase& c : cases) {
        SearchQuery query;
        ScriptedPrompt prompt;
        const QString text = QString::fromUtf8(c.text);
        ASSERT_TRUE(ParseQuery(text, &query, &prompt)) << c.text;
        EXPECT_EQ(query.Operator, c.op) << c.text;
        EXPECT_EQ(query.Terms, c.terms) << c.text;
        EXPECT_EQ(query.Text, text);
        EXPECT_TRUE(prompt.History().isEmpty());
    }
    SearchQuery query;
    ParseQuery(QStringLiteral("SHOWALL"), &query);
    EXPECT_TRUE(query.IsShowAll());
    ParseQuery(QStringLiteral("showall"), &query);
    EXPECT_FALSE(query.IsShowAll());
}

TEST(SearchQueryTest, BothOperatorsAreRefused)
{
    SearchQuery query;
    ScriptedPrompt prompt;
    EXPECT_FALSE(ParseQuery(QStringLiteral("apple AND ORANGE"), &query, &prompt));
    EXPECT_TRUE(query.Text.isEmpty());
    EXPECT_TRUE(query.Terms.isEmpty());
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History()[0].text,
              QStringLiteral("You can only have one type of operator (AND, OR) in search string."));
    EXPECT_EQ(prompt.History()[0].caption, QStringLiteral("Invalid Search String"));
    EXPECT_EQ(prompt.History()[0].icon, UserPrompt::Icon::Warning);
    EXPECT_EQ(prompt.History()[0].buttons, UserPrompt::Buttons::Ok);

    // Without an owner window nothing is shown.
    EXPECT_FALSE(ParseQuery(QStringLiteral("x OR y AND z"), &query, nullptr));
}
