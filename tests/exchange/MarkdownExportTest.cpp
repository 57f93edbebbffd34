// Notes as Markdown: the text's emphasis, lists and links, the front matter, the citation
// key that must be in the .bib beside the notes, and the attachments copied beside them.

#include "exchange/MarkdownExport.h"

#include "ExchangeFixture.h"
#include "format/BibTexReader.h"
#include "platform/ProgressReporter.h"
#include "richtext/MarkdownText.h"
#include "richtext/RtfWriter.h"
#include "sources/SourceNames.h"
#include "store/SourceStore.h"
#include "support/FailingFileSystem.h"

#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

std::string S(const QString& text)
{
    return text.toStdString();
}

RichRun Run(const char* text, bool bold = false, bool italic = false, const char* link = "")
{
    RichRun run;
    run.text = QString::fromUtf8(text);
    run.format.bold = bold;
    run.format.italic = italic;
    run.format.linkUrl = QString::fromLatin1(link);
    return run;
}

RichParagraph Paragraph(QList<RichRun> runs, RichListStyle list = RichListStyle::None, int indent = 0)
{
    RichParagraph paragraph;
    paragraph.runs = std::move(runs);
    paragraph.format.list.style = list;
    if (list == RichListStyle::Arabic)
        paragraph.format.list.textAfter = QStringLiteral(".");
    paragraph.format.leftIndent = indent;
    return paragraph;
}

RichDocument Document()
{
    RichDocument document;
    document.paragraphs = {
        Paragraph({Run("Cell "), Run("growth", true), Run(" is "), Run("fast ", false, true), Run("and "),
                   Run("both", true, true), Run(".")}),
        Paragraph({Run("First point")}, RichListStyle::Bullet, 360),
        Paragraph({Run("Second point")}, RichListStyle::Bullet, 360),
        Paragraph({Run("Inner point")}, RichListStyle::Bullet, 720),
        Paragraph({Run("See "), Run("the site", false, false, "http://example.org/a_b"), Run(".")}),
        Paragraph({Run("Step one")}, RichListStyle::Arabic, 360),
        Paragraph({Run("Step two")}, RichListStyle::Arabic, 360),
        Paragraph({Run("# not a heading, 2*3 [x]")}),
    };
    return document;
}

const char* const kExpectedText = "Cell **growth** is *fast* and ***both***.\n"
                                  "\n"
                                  "- First point\n"
                                  "- Second point\n"
                                  "  - Inner point\n"
                                  "\n"
                                  "See [the site](<http://example.org/a_b>).\n"
                                  "\n"
                                  "1. Step one\n"
                                  "2. Step two\n"
                                  "\n"
                                  "\\# not a heading, 2\\*3 \\[x\\]";

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(MarkdownText, EmphasisListsLinksAndEscapes)
{
    EXPECT_EQ(S(MarkdownFromDocument(Document())), kExpectedText);
    // The same from the RTF the editor stores.
    EXPECT_EQ(S(MarkdownFromRtf(QString::fromLatin1(RtfWriter::Write(Document())))), kExpectedText);
}

TEST(MarkdownExport, NotesFrontMatterCitationsAndAttachments)
{
    DataRoot root;
    SourceRecord source = MakeSource(1001, QStringLiteral("{s1}"), QStringLiteral("Cell growth"), {2});
    source.Type = SourceType::JournalArticle;
    source.DateSet = true;
    source.Date = DateTime::FromParts(2007, 3, 5, 0, 0, 0);
    NoteRecord cited = MakeNote(1002, QStringLiteral("{n1}"), QStringLiteral("Cell growth is fast"), 1001);
    cited.RichText = QString::fromLatin1(RtfWriter::Write(Document()));
    cited.PlainText = QStringLiteral("Cell growth is fast and both.");
    cited.KeyWords = QStringLiteral("growth, cells ,");
    cited.Categories.entries = {{0, QStringLiteral("Science"), QString()},
                                {1, QStringLiteral("Biology \"cells\""), QStringLiteral("Science")}};
    cited.Attachments = {MakeAttachment(QStringLiteral("0000001.jpg"), QStringLiteral("Picture")),
                         MakeAttachment(QStringLiteral("0000002.pdf"), QStringLiteral("Paper"))};
    cited.Attachments[1].OriginalName = QStringLiteral("paper.pdf");
    root.WriteImage(QStringLiteral("0000001.jpg"), "jpeg bytes");
    root.WriteImage(QStringLiteral("0000002.pdf"), "pdf bytes");
    const NoteRecord plain = MakeNote(1003, QStringLiteral("{n2}"), QStringLiteral("No source here"));
    NoteDatabase& database = root.Load({cited, plain}, {source},
                                       {MakeAuthor(2, QStringLiteral("John"), QStringLiteral("Smith"))});
    const SourceStore& sources = *root.sourceStore;

    const QString folder = root.dir.filePath(QStringLiteral("markdown"));
    const NotesList notes = database.LoadNotesByIds(NoteIdList(QList<qint32> {1002, 1003}));
    const MarkdownExportResult result = ExportNotesAsMarkdown(
        folder, notes, sources.Sources(), sources.Authors(), database.Folder(), SilentProgress());
    ASSERT_TRUE(result.status.IsOk()) << S(result.status.Message());
    EXPECT_EQ(result.count, 2);

    const QString name = QStringLiteral("1002-cell-growth-is-fast-and-both");
    EXPECT_EQ(S(MarkdownNoteName(cited)), S(name));
    const QString text = ReadText(QDir(folder).filePath(name + QStringLiteral(".md")));
    EXPECT_EQ(S(text),
              std::string("---\n"
                          "id: 1002\n"
                          "guid: \"{n1}\"\n"
                          "date_added: 2008-08-14T09:00:00\n"
                          "last_edited: 2008-08-14T21:23:56\n"
                          "categories: [\"Science/Biology \\\"cells\\\"\"]\n"
                          "key_words: [\"growth\", \"cells\"]\n"
                          "source: \"smith2007cell\"\n"
                          "---\n\n")
                  + kExpectedText
                  + "\n\n[@smith2007cell]\n\n![Picture](<1002-cell-growth-is-fast-and-both/Picture.jpg>)\n\n"
                    "[Paper](<1002-cell-growth-is-fast-and-both/paper.pdf>)\n");
    EXPECT_EQ(ReadText(QDir(folder).filePath(name + QStringLiteral("/paper.pdf"))),
              QStringLiteral("pdf bytes"));
    EXPECT_EQ(ReadText(QDir(folder).filePath(name + QStringLiteral("/Picture.jpg"))),
              QStringLiteral("jpeg bytes"));
    const QString other = ReadText(QDir(folder).filePath(QStringLiteral("1003-no-source-here.md")));
    EXPECT_FALSE(other.contains(QLatin1String("[@"))) << S(other);
    EXPECT_TRUE(other.contains(QLatin1String("categories: []\n")));

    // Every key cited is in the .bib beside the notes, and nothing else is.
    EXPECT_EQ(S(result.bibPath), S(QDir(folder).filePath(QStringLiteral("references.bib"))));
    const BibReadResult bib = BibTexReader::Read(ReadText(result.bibPath), QStringLiteral("references.bib"));
    ASSERT_EQ(bib.entries.size(), 1);
    EXPECT_EQ(S(bib.entries[0].key), "smith2007cell");
    EXPECT_EQ(S(bib.entries[0].Field(QStringLiteral("title"))), "Cell growth");

    // A second export into the same folder replaces the files.
    const MarkdownExportResult again = ExportNotesAsMarkdown(
        folder, notes, sources.Sources(), sources.Authors(), database.Folder(), SilentProgress());
    EXPECT_TRUE(again.status.IsOk()) << S(again.status.Message());
}

TEST(MarkdownExport, AFolderThatCannotBeWrittenIsReported)
{
    DataRoot root;
    NoteDatabase& database
        = root.Load({MakeNote(1002, QStringLiteral("{n1}"), QStringLiteral("Text"))}, {}, {});
    const QString folder = root.dir.filePath(QStringLiteral("locked"));
    // The export writes through the data folder's file system, outside the data root.
    root.failing.Fail(FailingFileSystem::Kind::ReadOnly, folder);
    const MarkdownExportResult result
        = ExportNotesAsMarkdown(folder, database.LoadAllNotes(), {}, {}, database.Folder(), SilentProgress());
    EXPECT_FALSE(result.status.IsOk());
    EXPECT_EQ(result.count, 0);
}
