// The rules of the "Edit Source" form and the filters of "View Sources", without windows.
#include "sources/SourceEditor.h"

#include "sources/Bibliography.h"
#include "sources/SourceFilters.h"
#include "sources/SourceNames.h"

#include <gtest/gtest.h>

namespace {

SourceRecord BookWithChapter()
{
    SourceRecord book;
    book.SourceId = 1001;
    book.Type = SourceType::Book;
    for (int i = 0; i < 9; ++i)
        book.Fields[i] = QStringLiteral("f%1").arg(i);
    return book;
}

AuthorRecord Author(qint32 id, const char* first, const char* middle, const char* last)
{
    return AuthorRecord {
        id, QString::fromLatin1(first), QString::fromLatin1(middle), QString::fromLatin1(last), {}, {}};
}

} // namespace

TEST(SourceEditorTest, LabelsFollowTheType)
{
    using namespace SourceType;
    EXPECT_EQ(SourceFieldLabel(Book, 7), QStringLiteral("Chapter:"));
    EXPECT_EQ(SourceFieldLabel(JournalArticle, 7), QStringLiteral("URL:"));
    EXPECT_EQ(SourceFieldLabel(JournalArticle, 5), QStringLiteral("Date Accessed:"));
    EXPECT_EQ(SourceFieldLabel(Periodical, 3), QStringLiteral("Section:"));
    EXPECT_EQ(SourceFieldLabel(Online, 4), QStringLiteral("Date Accessed:"));
    EXPECT_EQ(SourceFieldLabel(Dissertation, 8), QStringLiteral("Degree:"));
    EXPECT_EQ(SourceFieldLabel(Multimedia, 4), QStringLiteral("Medium:"));
    EXPECT_EQ(SourceFieldLabel(Lecture, 6), QStringLiteral("City/State:"));
    EXPECT_EQ(SourceFieldLabel(Lecture, 1), QStringLiteral("Organization:"));
    EXPECT_EQ(SourceFieldLabel(Online, 1), QStringLiteral("Publication/Publisher:"));
    // Unused fields have no label; the number of used fields 3 to 8 per type.
    const int used[] = {6, 4, 2, 3, 4, 3, 3};
    for (int type = 1; type <= 7; ++type) {
        int count = 0;
        for (int index = 3; index <= 8; ++index)
            count += TypeUsesField(type, index) ? 1 : 0;
        EXPECT_EQ(count, used[type - 1]) << "type " << type;
    }
    EXPECT_EQ(SourceTypeName(SourceTypeDisplayOrder().at(1)), QStringLiteral("Dissertation/Thesis"));
    EXPECT_EQ(CitationStyleName(CitationStyleDisplayOrder().at(0)), QStringLiteral("Generic by Author"));
    EXPECT_EQ(CitationStyleName(CitationStyleDisplayOrder().at(9)),
              QStringLiteral("Chicago Style (Author-Date)"));
}

TEST(SourceEditorTest, TypeChangeKeepsTextsUntilSaved)
{
    SourceEditor editor(BookWithChapter());
    editor.SetType(SourceType::JournalArticle);
    EXPECT_EQ(editor.Working().Fields[6], QStringLiteral("f6")); // still there while editing
    SourceRecord saved;
    ASSERT_TRUE(editor.Finish(&saved, nullptr, nullptr));
    EXPECT_EQ(saved.Fields[7], QStringLiteral("f7")); // the chapter text, now the URL
    EXPECT_EQ(saved.Fields[5], QStringLiteral("f5"));
    EXPECT_TRUE(saved.Fields[6].isEmpty());
    EXPECT_TRUE(saved.Fields[8].isEmpty());
    EXPECT_EQ(saved.Fields[3], QStringLiteral("f3"));

    SourceEditor lecture(BookWithChapter());
    lecture.SetType(SourceType::Lecture);
    ASSERT_TRUE(lecture.Finish(&saved, nullptr, nullptr));
    EXPECT_EQ(saved.Fields.mid(3, 6),
              QStringList({QString(), QString(), QString(), QStringLiteral("f6"), QStringLiteral("f7"),
                           QStringLiteral("f8")}));
}

TEST(SourceEditorTest, TitleRulesAndRequiredTitle)
{
    SourceRecord fresh;
    fresh.Style = CitationStyle::Apa;
    SourceEditor editor(fresh);
    QString error, caption;
    SourceRecord saved;
    EXPECT_FALSE(editor.Finish(&saved, &error, &caption));
    EXPECT_EQ(error, QStringLiteral("Source must have a title."));
    EXPECT_EQ(caption, QStringLiteral("No Title"));

    editor.SetField(0, QStringLiteral("  Say \"\"hi\"\" now  "));
    EXPECT_EQ(editor.Working().Fields[0], QStringLiteral("Say \"\"hi\"\" now"));
    editor.SetStyle(CitationStyle::Mla); // the rule is applied again to the typed title
    EXPECT_EQ(editor.Working().Fields[0], QStringLiteral("Say \"hi\" now"));
    editor.SetStyle(CitationStyle::Apa);
    EXPECT_EQ(editor.Working().Fields[0], QStringLiteral("Say \"\"hi\"\" now"));
    editor.SetField(4, QStringLiteral(" 12-19 "));
    EXPECT_EQ(editor.Working().Fields[4], QStringLiteral("12-19"));
    EXPECT_TRUE(editor.Finish(&saved, &error, &caption));
}

TEST(SourceEditorTest, ClampsAndYearOnly)
{
    SourceRecord article;
    article.Type = SourceType::JournalArticle;
    article.YearOnly = 1;
    article.DateSet = true;
    SourceEditor editor(article);
    // Opening applies the type: an article opens with "Use year only" off.
    EXPECT_EQ(editor.Working().YearOnly, 0);
    EXPECT_TRUE(editor.YearOnlyEnabled());
    editor.SetYearOnly(true);
    EXPECT_EQ(editor.Working().YearOnly, 1);
    editor.SetDate(DateTime());
    EXPECT_FALSE(editor.Working().DateSet);
    EXPECT_FALSE(editor.YearOnlyEnabled());
    editor.SetType(SourceType::Dissertation);
    EXPECT_EQ(editor.Working().YearOnly, 1);
    editor.SetYearOnly(false); // forced on for theses
    EXPECT_EQ(editor.Working().YearOnly, 1);

    EXPECT_EQ(editor.SetIndentSpaces(12), 10);
    EXPECT_EQ(editor.SetIndentSpaces(-1), 0);
    EXPECT_EQ(editor.SetAuthorsBeforeEtAl(0), 1);
    EXPECT_EQ(editor.SetAuthorsBeforeEtAl(16), 15);
    EXPECT_EQ(editor.SetAuthorsBeforeEtAl(7), 7);

    editor.AppendAuthor(4);
    editor.AppendAuthor(2);
    editor.AppendAuthor(4); // an author is in the source once
    EXPECT_EQ(editor.Working().AuthorIds, QList<qint32>({4, 2}));
    editor.RemoveAuthor(4);
    EXPECT_EQ(editor.Working().AuthorIds, QList<qint32>({2}));
}

TEST(SourceEditorTest, FiltersOfViewSources)
{
    const AuthorList authors {Author(1, "John", "M", "Smith"), Author(2, "Jane", "", "Doe")};
    SourceRecord a;
    a.SourceId = 1001;
    a.AuthorIds = {1, 2};
    a.Fields[0] = QStringLiteral("Alpha");
    a.Fields[1] = QStringLiteral("Smith");
    SourceRecord b = a;
    b.SourceId = 1002;
    b.AuthorIds = {2};
    b.Fields[1] = QStringLiteral("smith ");
    SourceRecord c = a;
    c.SourceId = 1003;
    c.Fields[0] = QStringLiteral("Beta");
    c.Fields[1] = QString();

    EXPECT_EQ(SourceFilterAuthorText(a, authors), QStringLiteral("Smith JM, & Doe J"));
    EXPECT_EQ(DistinctFilterValues(
                  {QStringLiteral("Smith"), QStringLiteral(" smith"), QString(), QStringLiteral("Abel")}),
              QStringList({QStringLiteral("Abel"), QStringLiteral("Smith")}));

    auto ids = [](const SourceList& list) {
        QList<qint32> result;
        for (const SourceRecord& s : list)
            result.append(s.SourceId);
        return result;
    };
    const SourceList all {a, b, c};
    EXPECT_EQ(ids(FilterSources(all, authors, {})), QList<qint32>({1001, 1002, 1003}));
    EXPECT_EQ(ids(FilterSources(all, authors, {QStringLiteral("Alpha"), {}, {}})),
              QList<qint32>({1001, 1002}));
    EXPECT_EQ(ids(FilterSources(all, authors, {{}, QStringLiteral("Smith JM, & Doe J"), {}})),
              QList<qint32>({1001, 1003}));
    // Exact and case-sensitive: "smith " of 1002 is not "Smith".
    EXPECT_EQ(ids(FilterSources(all, authors, {QStringLiteral("Alpha"), {}, QStringLiteral(" Smith")})),
              QList<qint32>({1001}));
}

TEST(SourceEditorTest, SourcesOfTheCurrentNotes)
{
    NotesList notes(5);
    const qint32 sources[] = {1005, 0, 1002, 1005, -1};
    for (int i = 0; i < 5; ++i)
        notes[i].SourceID = sources[i];
    EXPECT_EQ(CitedSourceIds(notes), QList<qint32>({1005, 1002}));
}
