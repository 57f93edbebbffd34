// The shape of the style table and the builder's conditions. What each style writes is
// checked row by row against the golden table in CitationStylesTest.
#include "sources/CitationStyleTable.h"

#include "sources/CitationBuilder.h"
#include "sources/SourceNames.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using namespace CitationElements;
using enum SourceField;

// The typeSlots each source type shows in the source editor; any other slot of that type is
// emptied on saving, so no style may write it.
std::set<int> SlotsOfType(int type)
{
    switch (type) {
    case SourceType::Book:
        return {0, 1, 2, 3, 4, 5, 6, 7, 8};
    case SourceType::JournalArticle:
        return {0, 1, 2, 3, 4, 5, 7};
    case SourceType::Periodical:
        return {0, 1, 2, 3, 4};
    case SourceType::Online:
        return {0, 1, 2, 3, 4, 7};
    case SourceType::Dissertation:
        return {0, 1, 2, 4, 6, 7, 8};
    case SourceType::Multimedia:
        return {0, 1, 2, 4, 6, 7};
    case SourceType::Lecture:
        return {0, 1, 2, 6, 7, 8};
    default:
        return {};
    }
}

bool Writes(ElementKind kind)
{
    return kind != ElementKind::Mark;
}

} // namespace

TEST(CitationStyleTableTest, EveryStyleAndTypeHasARowThatWritesOnlyItsTypesFields)
{
    for (int style = 0; style < CitationStyle::Count; ++style) {
        for (int type = SourceType::Book; type <= SourceType::Lecture; ++type) {
            const auto elements = CitationStyleElements(style, type);
            const std::string where = CitationStyleName(style).toStdString() + " / " + std::to_string(type);
            ASSERT_FALSE(elements.empty()) << where;
            const std::set<int> typeSlots = SlotsOfType(type);
            bool marking = false;
            for (const CitationElement& e : elements) {
                // Marks find their text in the finished citation, so nothing is written after one.
                if (!Writes(e.Kind))
                    marking = true;
                EXPECT_FALSE(marking && Writes(e.Kind)) << where;
                if (e.Kind == ElementKind::Field || e.Kind == ElementKind::Ordinal
                    || e.Kind == ElementKind::Mark)
                    EXPECT_TRUE(typeSlots.count(static_cast<int>(e.Field)))
                        << where << " slot " << int(e.Field);
            }
        }
    }
}

TEST(CitationStyleTableTest, NoRowOutsideTheStylesAndTypes)
{
    EXPECT_TRUE(CitationStyleElements(-1, SourceType::Book).empty());
    EXPECT_TRUE(CitationStyleElements(CitationStyle::Count, SourceType::Book).empty());
    EXPECT_TRUE(CitationStyleElements(CitationStyle::Apa, 0).empty());
    EXPECT_TRUE(CitationStyleElements(CitationStyle::Apa, 8).empty());
}

TEST(CitationStyleTableTest, ConditionsOnFieldsAndDate)
{
    SourceRecord source;
    source.Fields[static_cast<int>(Pages)] = QStringLiteral("45-50");
    source.Fields[static_cast<int>(Chapter)] = QStringLiteral(" ");
    source.DateSet = false;
    CitationBuilder b(source);
    // A blank is text: the field counts as set.
    EXPECT_TRUE(b.Holds(IfSet(Chapter)));
    EXPECT_FALSE(b.Holds(IfSet(Editors)));
    EXPECT_TRUE(b.Holds(IfNotSet(Editors)));
    EXPECT_FALSE(b.Holds(IfNoneSet(Section, Pages)));
    EXPECT_TRUE(b.Holds(IfNoneSet(Section, Editors)));
    EXPECT_TRUE(b.Holds(IfAnySet(Section, Pages)));
    EXPECT_FALSE(b.Holds(IfAnySet(Section, Editors)));
    EXPECT_TRUE(b.Holds({}));
    EXPECT_TRUE(b.Holds(IfNoDate()));
    EXPECT_FALSE(b.Holds(IfDateSet()));
    // Both parts must hold; Unless is the other branch of the whole condition.
    EXPECT_FALSE(b.Holds(IfSet(Chapter) && IfSet(Editors)));
    EXPECT_TRUE(b.Holds(IfSet(Chapter) && IfNotSet(Editors)));
    EXPECT_FALSE(b.Holds(IfNoDate() && IfNoneSet(Section, Pages)));
    EXPECT_TRUE(b.Holds(Unless(IfNoDate() && IfNoneSet(Section, Pages))));
    EXPECT_FALSE(b.Holds(Unless(IfSet(Pages))));
    EXPECT_FALSE(b.Holds(IfDateSet() && IfAnySet(Section, Pages)));
}

TEST(CitationStyleTableTest, ElementsWriteAsTheyRead)
{
    SourceRecord source;
    source.Fields[static_cast<int>(Title)] = QStringLiteral("Title");
    source.Fields[static_cast<int>(Edition)] = QStringLiteral("2");
    source.AuthorsText = QStringLiteral("Doe, J.");
    source.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    source.DateSet = true;
    CitationBuilder b(source);
    const CitationElement elements[] = {
        Authors(),
        Field(Title, "'", "', "),
        Field(Volume, "Vol. ", ". "), // empty: nothing, not even its punctuation
        Text("("),
        Ordinal(Edition, "", " ed. "),
        TrimThen("). "),
        DateAs("%Y", IfDateSet()),
        Text(" never", IfNoDate()),
    };
    b.Append(elements);
    EXPECT_EQ(b.Text(), QStringLiteral("Doe, J. 'Title', (2nd ed.). 2007"));
}
