// The clipboard forms of citations: HTML and RTF must carry each mark over exactly the
// characters it covers, and the plain text none.
#include "sources/CitationClipboard.h"

#include "sources/CitationFormatter.h"
#include "sources/SourceNames.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {

std::string S(const QString& text)
{
    return text.toStdString();
}

const AuthorList kAuthors {{1, QStringLiteral("John"), QStringLiteral("M"), QStringLiteral("Smith"), {}, {}},
                           {2, QStringLiteral("Jane"), QString(), QStringLiteral("Doe"), {}, {}}};

SourceRecord Article(int style)
{
    SourceRecord source;
    source.SourceId = 1001;
    source.Type = SourceType::JournalArticle;
    source.Style = style;
    source.AuthorIds = {1, 2};
    source.Fields[0] = QStringLiteral("Cell growth");
    source.Fields[1] = QStringLiteral("Nature & <Today>");
    source.Fields[3] = QStringLiteral("12(3)");
    source.Fields[4] = QStringLiteral("45-50");
    source.DateSet = true;
    source.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    FormatCitation(source, kAuthors);
    return source;
}

class CitationClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(CitationClipboardTest, ItalicMarksBecomeHtmlAndRtfRuns)
{
    const SourceRecord apa = Article(CitationStyle::Apa);
    ASSERT_EQ(S(apa.CitationText),
              "Smith, J. M., & Doe, J. (2007, March 05). Cell growth. Nature & <Today>, 12(3), 45-50. ");
    const CitationClip clip = CitationClipFor({apa});
    EXPECT_EQ(S(clip.plain),
              "Smith, J. M., & Doe, J. (2007, March 05). Cell growth. Nature & <Today>, 12(3), 45-50.");
    EXPECT_NE(clip.html.indexOf(
                  QLatin1String("Cell growth. <i>Nature &amp; &lt;Today&gt;</i>, <i>12(3)</i>, 45-50.</p>")),
              -1)
        << S(clip.html);
    EXPECT_NE(clip.rtf.indexOf("Cell growth. {\\i Nature & <Today>}, {\\i 12(3)}, 45-50.\\par"), -1)
        << clip.rtf.toStdString();
    EXPECT_TRUE(clip.rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(clip.rtf.endsWith("}"));
    // A hanging indent of the source's three spaces.
    EXPECT_NE(clip.rtf.indexOf("\\li360\\fi-360 "), -1);
}

TEST_F(CitationClipboardTest, BoldAndUnderlineMarks)
{
    const SourceRecord acsSource = Article(CitationStyle::Acs); // the date in bold
    const CitationClip acs = CitationClipFor({acsSource});
    ASSERT_EQ(S(acsSource.Fields[2]), "March 05, 2007");
    EXPECT_NE(acs.html.indexOf(QLatin1String("<b>March 05, 2007</b>")), -1) << S(acs.html);
    EXPECT_NE(acs.rtf.indexOf("{\\b March 05, 2007}"), -1) << acs.rtf.toStdString();
    const CitationClip mla = CitationClipFor({Article(CitationStyle::Mla)}); // the journal underlined
    EXPECT_NE(mla.html.indexOf(QLatin1String("<u>Nature &amp; &lt;Today&gt;</u>")), -1) << S(mla.html);
    EXPECT_NE(mla.rtf.indexOf("{\\ul Nature & <Today>}"), -1);
    EXPECT_EQ(acs.html.indexOf(QLatin1String("<i>")) >= 0, true);
}

TEST_F(CitationClipboardTest, SeveralSourcesAreParagraphsAndTextIsEscaped)
{
    SourceRecord odd = Article(CitationStyle::GenericByTitle);
    odd.CitationText = QStringLiteral("Müller {x} \\ y");
    odd.MarkKinds = {1};
    odd.MarkStarts = {0};
    odd.MarkEnds = {5};
    const CitationClip clip = CitationClipFor({Article(CitationStyle::Apa), odd});
    EXPECT_EQ(clip.plain.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(clip.html.count(QLatin1String("<p ")), 2);
    EXPECT_EQ(clip.rtf.count("\\par\n"), 2);
    EXPECT_NE(clip.rtf.indexOf("{\\i M\\u252?ller}"), -1) << clip.rtf.toStdString();
    EXPECT_NE(clip.rtf.indexOf(" \\{x\\} \\\\ y\\par"), -1) << clip.rtf.toStdString();
    EXPECT_NE(clip.html.indexOf(QStringLiteral("<i>Müller</i>")), -1);
}
