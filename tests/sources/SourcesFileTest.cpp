// Sources.dat, Authors.dat, Bib.dat and the exchange form: exact bytes, round trips,
// the older versions, and damaged files.
#include "format/SourcesFile.h"

#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "sources/BibFile.h"
#include "sources/QtPrinters.h"
#include "sources/SourceExchange.h"
#include "sources/SourceNames.h"
#include "sources/SourceSort.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

namespace {

// A Text field as stored: 16-digit byte length, then the bytes.
QByteArray Txt(const char* text)
{
    return QByteArray::number(qstrlen(text)).rightJustified(16, '0') + text;
}

const QByteArray kEmpty16 = QByteArrayLiteral("0000000000000000");

SourceRecord SampleSource(qint32 id, const QString& title)
{
    SourceRecord s;
    s.SourceGUID = QStringLiteral("{G%1}").arg(id);
    s.SourceId = id;
    s.Style = CitationStyle::Apa;
    s.Type = SourceType::JournalArticle;
    s.IndentSpaces = 4;
    s.AuthorsBeforeEtAl = 2;
    s.AuthorIds = {7, 8};
    s.Fields[0] = title;
    s.Fields[1] = QStringLiteral("Line one\nline two");
    s.Fields[14] = QStringLiteral("kept though never shown");
    s.YearOnly = 1;
    s.DateSet = true;
    s.Date = DateTime::FromParts(1999, 12, 31, 23, 59, 58);
    return s;
}

bool SameStored(const SourceRecord& a, const SourceRecord& b)
{
    return a.SourceGUID == b.SourceGUID && a.SourceId == b.SourceId && a.AuthorsText == b.AuthorsText
        && a.Style == b.Style && a.Type == b.Type && a.IndentSpaces == b.IndentSpaces
        && a.AuthorsBeforeEtAl == b.AuthorsBeforeEtAl && a.AuthorIds == b.AuthorIds && a.Fields == b.Fields
        && a.YearOnly == b.YearOnly && a.DateSet == b.DateSet && a.Date == b.Date;
}

const QRegularExpression
    kGuidForm(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));

class SourcesFileTest : public ::testing::Test
{
protected:
    void SetUp() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST_F(SourcesFileTest, EmptyFilesAndExactRecordBytes)
{
    EXPECT_EQ(SerializeSourcesFile({}), QByteArrayLiteral("0000000001.340000000") + kEmpty16);
    EXPECT_EQ(SerializeAuthorsFile({}), QByteArrayLiteral("0000000001.340000000") + kEmpty16);
    EXPECT_TRUE(ParseSourcesFile(FieldReader::FromDiskBytes(SerializeSourcesFile({}))).isEmpty());

    SourceRecord s;
    s.SourceGUID = QStringLiteral("{G}");
    s.SourceId = 1001;
    s.AuthorIds = {-5};
    s.Fields[2] = QStringLiteral("a\nb");
    s.Date = DateTime::FromParts(2007, 3, 5, 14, 7, 9);
    QByteArray expected = QByteArrayLiteral("0000000001.340000000") + "0000000000000001" + Txt("{G}")
        + "0000000000001001" + kEmpty16 + "0000000000000001" + "0000000000000001" + "0000000000000003"
        + "0000000000000006" + "0000000000000001" + "-000000000000005" + "0000000000000015" + kEmpty16
        + kEmpty16 + "0000000000000003a\r\nb";
    for (int i = 3; i < 15; ++i)
        expected += kEmpty16;
    expected += kEmpty16 + kEmpty16 + Txt("2007-03-05-14-07-09");
    EXPECT_EQ(SerializeSourcesFile({s}), expected);

    AuthorRecord a {12, QStringLiteral("Jo"), QStringLiteral("Q"), QStringLiteral("Li"), QStringLiteral("x"),
                    {}};
    EXPECT_EQ(SerializeAuthorsFile({a}),
              QByteArrayLiteral("0000000001.340000000") + "0000000000000001" + "0000000000000012" + Txt("Jo")
                  + Txt("Q") + Txt("Li") + Txt("x") + kEmpty16);
}

TEST_F(SourcesFileTest, RoundTripsThroughFilesAndDevices)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Sources.dat"));
    SourceList sources
        = {SampleSource(1001, QStringLiteral("Über Zeit")), SampleSource(5, QStringLiteral("B"))};
    ASSERT_TRUE(WriteSourcesFile(FileSystem::Real(), path, sources));
    const SourceList loaded = LoadSourcesFile(path);
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_TRUE(SameStored(loaded[0], sources[0]));
    EXPECT_TRUE(SameStored(loaded[1], sources[1]));
    EXPECT_EQ(loaded[0].Fields[0], QStringLiteral("Über Zeit"));

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    AuthorList authors = {{3, QStringLiteral("Ann"), {}, QStringLiteral("Lee"), {}, QStringLiteral("five")},
                          {9, {}, QStringLiteral("R"), QStringLiteral("Ng\n2"), QStringLiteral("4"), {}}};
    ASSERT_TRUE(WriteAuthorsFile(&buffer, authors));
    buffer.seek(0);
    EXPECT_EQ(LoadAuthorsFile(&buffer), authors);

    EXPECT_TRUE(LoadSourcesFile(dir.filePath(QStringLiteral("missing.dat"))).isEmpty());
    EXPECT_TRUE(LoadAuthorsFile(dir.filePath(QStringLiteral("missing.dat"))).isEmpty());
    EXPECT_FALSE(WriteSourcesFile(FileSystem::Real(),
                                  dir.filePath(QStringLiteral("no/such/folder/Sources.dat")), sources));
}

TEST_F(SourcesFileTest, DropsBadIdsAndFillsMissingGuids)
{
    SourceRecord zero = SampleSource(0, QStringLiteral("zero"));
    SourceRecord negative = SampleSource(-1, QStringLiteral("negative"));
    SourceRecord unnamed = SampleSource(1002, QStringLiteral("no guid"));
    unnamed.SourceGUID.clear();
    const SourceList loaded
        = ParseSourcesFile(FieldReader::FromDiskBytes(SerializeSourcesFile({zero, negative, unnamed})));
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].SourceId, 1002);
    EXPECT_TRUE(kGuidForm.match(loaded[0].SourceGUID).hasMatch()) << loaded[0].SourceGUID.toStdString();
    // The new GUID is what the next save stores.
    const SourceList again = ParseSourcesFile(FieldReader::FromDiskBytes(SerializeSourcesFile(loaded)));
    EXPECT_EQ(again[0].SourceGUID, loaded[0].SourceGUID);
}

TEST_F(SourcesFileTest, OlderVersions)
{
    // 0.95: no GUID, five texts in the order date text, title, publication, volume, pages.
    FieldWriter old;
    old.WriteReal(0.95);
    old.WriteInt(1);
    old.WriteInt(17);
    old.WriteText(QStringLiteral("Doe J."));
    for (const char* t : {"3/4/1999", "Title", "Pub", "Vol", "Pages"})
        old.WriteText(QString::fromLatin1(t));
    SourceList loaded = ParseSourcesFile(old.LogicalBytes());
    ASSERT_EQ(loaded.size(), 1);
    const SourceRecord& a = loaded[0];
    EXPECT_EQ(a.SourceId, 17);
    EXPECT_TRUE(kGuidForm.match(a.SourceGUID).hasMatch());
    EXPECT_EQ(a.AuthorsText, QStringLiteral("Doe J."));
    EXPECT_EQ(a.Fields.size(), 15);
    EXPECT_EQ(a.Fields.mid(0, 6),
              (QStringList {QStringLiteral("Title"), QStringLiteral("Pub"), QStringLiteral("3/4/1999"),
                            QStringLiteral("Vol"), QStringLiteral("Pages"), QString()}));
    EXPECT_EQ(a.Style, 1);
    EXPECT_EQ(a.Type, 1);
    EXPECT_TRUE(a.DateSet);
    EXPECT_EQ(a.YearOnly, 0);
    EXPECT_EQ(a.Date, DateTime::FromParts(1999, 3, 4, 0, 0, 0));

    // 0.9520007: a GUID first, still the five texts.
    FieldWriter withGuid;
    withGuid.WriteReal(0.9520007);
    withGuid.WriteInt(1);
    withGuid.WriteText(QStringLiteral("{OLD}"));
    withGuid.WriteInt(18);
    withGuid.WriteText(QString());
    for (const char* t : {"", "T", "", "", ""})
        withGuid.WriteText(QString::fromLatin1(t));
    loaded = ParseSourcesFile(withGuid.LogicalBytes());
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].SourceGUID, QStringLiteral("{OLD}"));
    EXPECT_EQ(loaded[0].Fields[0], QStringLiteral("T"));
    EXPECT_FALSE(loaded[0].DateSet);

    // 1.2: the full record without the date, which comes from a year alone.
    FieldWriter noDate;
    noDate.WriteReal(1.2);
    noDate.WriteInt(2);
    for (const char* dateText : {"1998", "not a date"}) {
        noDate.WriteText(QStringLiteral("{X}"));
        noDate.WriteInt(19);
        noDate.WriteText(QString());
        for (int v : {9, 2, 3, 6})
            noDate.WriteInt(v);
        noDate.WriteInt(0);
        noDate.WriteInt(3);
        noDate.WriteText(QStringLiteral("Title"));
        noDate.WriteText(QStringLiteral("Pub"));
        noDate.WriteText(QString::fromLatin1(dateText));
    }
    loaded = ParseSourcesFile(noDate.LogicalBytes());
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0].Style, 9);
    EXPECT_EQ(loaded[0].Type, 2);
    EXPECT_EQ(loaded[0].Fields[2], QStringLiteral("1/1/1998"));
    EXPECT_EQ(loaded[0].YearOnly, 1);
    EXPECT_TRUE(loaded[0].DateSet);
    EXPECT_EQ(loaded[0].Date, DateTime::FromParts(1998, 1, 1, 0, 0, 0));
    EXPECT_EQ(loaded[1].Fields[2], QStringLiteral("not a date"));
    EXPECT_FALSE(loaded[1].DateSet);
    EXPECT_EQ(loaded[1].YearOnly, 0);
}

TEST_F(SourcesFileTest, DamagedFilesNeverCrashOrRunAway)
{
    const SourceList sources
        = {SampleSource(1001, QStringLiteral("a")), SampleSource(1002, QStringLiteral("b"))};
    const QByteArray bytes = FieldReader::FromDiskBytes(SerializeSourcesFile(sources));
    const qsizetype firstRecordEnd = bytes.size() / 2 + 18; // the records are equally long
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        const SourceList loaded = ParseSourcesFile(bytes.left(cut));
        ASSERT_LE(loaded.size(), 2);
        if (cut >= firstRecordEnd)
            ASSERT_TRUE(!loaded.isEmpty() && SameStored(loaded[0], sources[0])) << cut;
    }
    EXPECT_EQ(ParseSourcesFile(bytes).size(), 2);

    // Counts far beyond what the stream holds, at every level.
    FieldWriter huge;
    huge.WriteReal(1.34);
    huge.WriteInt(2147483647);
    huge.WriteText(QStringLiteral("{H}"));
    huge.WriteInt(1003);
    huge.WriteText(QString());
    for (int v : {1, 1, 3, 6})
        huge.WriteInt(v);
    huge.WriteInt(2147483647); // author ids
    huge.WriteInt(4);
    const SourceList loaded = ParseSourcesFile(huge.LogicalBytes());
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].AuthorIds, (QList<qint32> {4}));
    EXPECT_EQ(loaded[0].Fields.size(), 15);

    FieldWriter negative;
    negative.WriteReal(1.34);
    negative.WriteInt(-4);
    EXPECT_TRUE(ParseSourcesFile(negative.LogicalBytes()).isEmpty());
    FieldWriter manyAuthors;
    manyAuthors.WriteReal(1.34);
    manyAuthors.WriteInt(2000000000);
    manyAuthors.WriteInt(5);
    EXPECT_EQ(ParseAuthorsFile(manyAuthors.LogicalBytes()).size(), 1);
    EXPECT_TRUE(ParseAuthorsFile(QByteArrayLiteral("garbage")).isEmpty());
}

TEST_F(SourcesFileTest, BibFileBytes)
{
    const AuthorList authors
        = {{1, QStringLiteral("John"), QStringLiteral("M"), QStringLiteral("Smith"), {}, {}}};
    SourceRecord s;
    s.SourceGUID = QStringLiteral("{G}");
    s.SourceId = 1001;
    s.Style = CitationStyle::Apa;
    s.Type = SourceType::Book;
    s.AuthorIds = {1, 404}; // 404 has no author and is dropped by the formatting
    s.Fields[0] = QStringLiteral("Tea");
    s.YearOnly = 1;
    s.DateSet = false;
    SourceList list = {s};
    QByteArray expected = Txt("1.34") + "0000000000000001" + Txt("{G}") + "0000000000001001"
        + Txt("Smith, J. M.") + "0000000000000009" + "0000000000000001" + "0000000000000003"
        + "0000000000000006" + "0000000000000001" + "0000000000000001" + "0000000000000015" + Txt("Tea");
    for (int i = 1; i < 15; ++i)
        expected += kEmpty16;
    expected += Txt("Smith, J. M. Tea. ") + "0000000000000001" + "0000000000000001" + "0000000000000001"
        + "0000000000000013" + "0000000000000001" + "0000000000000015";
    EXPECT_EQ(SerializeBibFile(list, authors), expected);
    EXPECT_EQ(list[0].CitationText, QStringLiteral("Smith, J. M. Tea. "));
}

TEST_F(SourcesFileTest, ExchangeFormCarriesCitationAndAuthors)
{
    const AuthorList authors = {{2, QStringLiteral("Ann"), {}, QStringLiteral("Lee"), {}, {}},
                                {1, QStringLiteral("Bo"), {}, QStringLiteral("Kim"), {}, {}}};
    SourceRecord s = SampleSource(1010, QStringLiteral("Title"));
    s.AuthorIds = {1, 55, 2};
    FieldWriter writer;
    WriteSourceExchange(writer, s, authors);
    // Formatting dropped the unknown id; the embedded copies follow AuthorIds.
    EXPECT_EQ(s.AuthorIds, (QList<qint32> {1, 2}));
    ASSERT_EQ(s.EmbeddedAuthors.size(), 2);
    EXPECT_EQ(s.EmbeddedAuthors[0].LastName, QStringLiteral("Kim"));

    FieldReader reader(writer.LogicalBytes());
    const SourceRecord back = ReadSourceExchange(reader, 1.34);
    EXPECT_TRUE(SameStored(back, s));
    EXPECT_EQ(back.CitationText, s.CitationText);
    EXPECT_FALSE(back.CitationText.isEmpty());
    EXPECT_EQ(back.EmbeddedAuthors, (AuthorList {authors[1], authors[0]}));
    EXPECT_TRUE(reader.AtEnd());

    // Exchange records of 1.2 lack the date fields only.
    FieldWriter old;
    SourceRecord plain = SampleSource(1011, QStringLiteral("Old"));
    plain.Fields[2] = QStringLiteral("2001");
    plain.AuthorIds.clear();
    WriteSourceRecord(old, plain);
    QByteArray bytes = old.LogicalBytes();
    bytes.chop(16 * 2 + 16 + 19); // YearOnly, DateSet and Date
    FieldWriter tail;
    tail.WriteText(QStringLiteral("Cite"));
    tail.WriteInt(0);
    FieldReader oldReader(bytes + tail.LogicalBytes());
    const SourceRecord legacy = ReadSourceExchange(oldReader, 1.2);
    EXPECT_EQ(legacy.SourceGUID, plain.SourceGUID);
    EXPECT_EQ(legacy.Fields[2], QStringLiteral("1/1/2001"));
    EXPECT_TRUE(legacy.DateSet);
    EXPECT_EQ(legacy.CitationText, QStringLiteral("Cite"));
    EXPECT_TRUE(oldReader.AtEnd());
}

TEST_F(SourcesFileTest, SortByCitationWithLaterFirstOnTies)
{
    SourceList list;
    qint32 id = 1;
    for (const char* title : {"beta", "Alpha", "BETA", "alpha", "zeta", "\xC3\xA9tude"}) {
        SourceRecord s;
        s.SourceId = id++;
        s.Style = CitationStyle::GenericByTitle;
        s.Type = SourceType::Book;
        s.Fields[0] = QString::fromUtf8(title);
        list.append(s);
    }
    SortSourceList(list, {});
    QList<qint32> order;
    for (const SourceRecord& s : list)
        order.append(s.SourceId);
    // Lower-cased UTF-8 bytes: "é" sorts after "z".
    EXPECT_EQ(order, (QList<qint32> {4, 2, 3, 1, 5, 6}));
    EXPECT_EQ(list[0].CitationText, QStringLiteral("alpha. "));
}

TEST_F(SourcesFileTest, HoldsTellsExactlyWhetherARewriteWouldChangeTheFile)
{
    const SourceList sources = {SampleSource(1001, QStringLiteral("First")),
                                SampleSource(1002, QStringLiteral("Caf\u00e9 \u2013 second"))};
    const QByteArray disk = SerializeSourcesFile(sources);
    ASSERT_TRUE(disk.contains("\r\n"));
    EXPECT_TRUE(SourcesFileHolds(sources, disk));
    EXPECT_TRUE(SourcesFileHolds({}, SerializeSourcesFile({})));
    // Any byte changed, missing or added; a line feed stored without its CR; fewer sources.
    for (qsizetype i = 0; i < disk.size(); i += 7) {
        QByteArray changed = disk;
        changed[i] = changed[i] == 'x' ? 'y' : 'x';
        ASSERT_FALSE(SourcesFileHolds(sources, changed)) << i;
        ASSERT_FALSE(SourcesFileHolds(sources, disk.left(i))) << i;
    }
    EXPECT_FALSE(SourcesFileHolds(sources, disk + ' '));
    QByteArray bareLineFeed = disk;
    bareLineFeed.replace("\r\n", "\n");
    EXPECT_FALSE(SourcesFileHolds(sources, bareLineFeed));
    EXPECT_FALSE(SourcesFileHolds(sources.mid(1), disk));
}
