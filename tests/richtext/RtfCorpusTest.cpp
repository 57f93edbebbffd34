// Reads the real-world RTF corpus in tests/data/rtf-corpus and compares each document's
// plain text with the text an independent reader made of it, normalised as the corpus's
// SOURCES.md prescribes. Files SOURCES.md marks doubtful are compared for the record only;
// for them the lines where a rich-edit reader legitimately differs are checked separately.

#include "richtext/RichDocument.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <iostream>

namespace {

const QString kCorpus = QStringLiteral(QUORVEL_TEST_DATA "/rtf-corpus");

const QStringList kDoubtful
    = {QStringLiteral("word2003_sample"), QStringLiteral("txtextcontrol_nested_groups"),
       QStringLiteral("openoffice_page_break")};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool IsBlank(QChar c)
{
    // Ordinary and typographic spaces; the no-break space is kept, as the corpus says.
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || (u >= 0x2000 && u <= 0x200A) || u == 0x3000;
}

// One list marker at the start of a line: a bullet glyph, "-", "*", or a label such as
// "1." "2)" "a." "iv." "(3)" "1.2.".
const QRegularExpression& ListMarker()
{
    static const QRegularExpression marker(
        QStringLiteral("^(?:[\\x{2022}\\x{00B7}\\x{F0B7}\\x{F0A7}\\x{25AA}\\x{25CF}\\x{25E6}\\-*]"
                       "|\\(?(?:\\d+(?:\\.\\d+)*|[A-Za-z]|[ivxlcdmIVXLCDM]+)[.)])"));
    return marker;
}

QStringList Normalised(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar breakChar : {QChar(u'\r'), QChar(0x000B), QChar(0x2028), QChar(0x2029)})
        text.replace(breakChar, QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        while (!line.isEmpty() && IsBlank(line.back()))
            line.chop(1);
        while (!line.isEmpty() && IsBlank(line.front()))
            line.remove(0, 1);
        const QRegularExpressionMatch match = ListMarker().match(line);
        if (match.hasMatch()) {
            line.remove(0, match.capturedLength());
            while (!line.isEmpty() && IsBlank(line.front()))
                line.remove(0, 1);
        }
    }
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList CorpusNames()
{
    QStringList names;
    for (const QString& file : QDir(kCorpus).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        names.append(file.chopped(4));
    return names;
}

std::vector<std::string> CorpusNamesForGTest()
{
    std::vector<std::string> names;
    for (const QString& name : CorpusNames())
        names.push_back(name.toStdString());
    return names;
}

RichDocument ReadCorpusFile(const QString& name)
{
    return RtfReader::Read(ReadFile(kCorpus + QLatin1Char('/') + name + QStringLiteral(".rtf")));
}

class RtfCorpusTest : public testing::TestWithParam<std::string>
{
};

TEST_P(RtfCorpusTest, PlainTextMatchesIndependentReader)
{
    const QString name = QString::fromStdString(GetParam());
    const QStringList got = Normalised(ReadCorpusFile(name).PlainText());
    const QByteArray expectedBytes = ReadFile(kCorpus + QLatin1Char('/') + name + QStringLiteral(".txt"));
    const QStringList expected = Normalised(QString::fromUtf8(expectedBytes));
    if (kDoubtful.contains(name)) {
        RecordProperty("doubtful", "true");
        if (got != expected)
            std::cout << "  " << GetParam() << " differs from the reference, as SOURCES.md expects\n";
        return;
    }
    ASSERT_EQ(got.size(), expected.size()) << got.join(QLatin1Char('\n')).toStdString();
    for (qsizetype i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
}

// The text a search reads without the formats is the text of the whole reading.
TEST_P(RtfCorpusTest, ShownTextAloneIsTheDocumentsText)
{
    const QString name = QString::fromStdString(GetParam());
    const QByteArray rtf = ReadFile(kCorpus + QLatin1Char('/') + name + QStringLiteral(".rtf"));
    EXPECT_EQ(RtfReader::ReadShownText(rtf).toStdString(), RtfReader::Read(rtf).PlainText().toStdString());
}

// Whatever the reader takes from a real document, writing it and reading it back keeps.
TEST_P(RtfCorpusTest, ModelSurvivesWriteAndRead)
{
    const RichDocument document = ReadCorpusFile(QString::fromStdString(GetParam()));
    const RichDocument again = RtfReader::Read(RtfWriter::Write(document));
    EXPECT_EQ(again.PlainText().toStdString(), document.PlainText().toStdString());
    EXPECT_TRUE(again == document);
}

INSTANTIATE_TEST_SUITE_P(Corpus, RtfCorpusTest, testing::ValuesIn(CorpusNamesForGTest()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(RtfCorpus, HoldsFortyDocumentsWithTheirTexts)
{
    const QStringList names = CorpusNames();
    EXPECT_EQ(names.size(), 40);
    for (const QString& name : names)
        EXPECT_TRUE(QFile::exists(kCorpus + QLatin1Char('/') + name + QStringLiteral(".txt")))
            << name.toStdString();
}

// Where the reference reader keeps what a rich-edit view does not show, the rich-edit
// behaviour is what the notes need.
TEST(RtfCorpus, DoubtfulFilesReadAsARichEditControlShowsThem)
{
    const QStringList sample
        = ReadCorpusFile(QStringLiteral("word2003_sample")).PlainText().split(QLatin1Char('\n'));
    EXPECT_TRUE(sample[1].contains(QLatin1String("And a bit of  text."))) << "hidden text is not shown";
    EXPECT_TRUE(sample.contains(QStringLiteral("Cell 1\tCell 2")));
    EXPECT_TRUE(sample.contains(QStringLiteral("More in cell 2\tCell 3")));
    EXPECT_TRUE(sample.contains(QStringLiteral("Next row\tNext row \tNext row")));
    EXPECT_TRUE(sample.contains(QStringLiteral("This para has a footnote.")));

    const QStringList nested
        = ReadCorpusFile(QStringLiteral("txtextcontrol_nested_groups")).PlainText().split(QLatin1Char('\n'));
    EXPECT_TRUE(nested.contains(QStringLiteral("with some symbols: \"abc\"")));
    EXPECT_TRUE(nested.contains(QStringLiteral("same but different: \"[\u0393]\"")));
    EXPECT_TRUE(nested.contains(QStringLiteral("something hidden: visible again.")));
    EXPECT_TRUE(nested.contains(QStringLiteral("different ways: [A] == [A] == [A] == [A]")));

    const QString pageBreak = ReadCorpusFile(QStringLiteral("openoffice_page_break")).PlainText();
    EXPECT_EQ(pageBreak.toStdString(), "Hellow world \nNow we are in another paragraph");
}

} // namespace
