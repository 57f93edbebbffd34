#include "format/DateTime.h"
#include "format/FieldReader.h"
#include "format/FieldScan.h"
#include "format/FieldWriter.h"
#include "format/FileSystem.h"
#include "format/TextCodec.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Disk(const std::function<void(FieldWriter&)>& write)
{
    FieldWriter writer;
    write(writer);
    return writer.DiskBytes();
}

FieldReader ReaderOfDisk(const QByteArray& disk)
{
    return FieldReader(FieldReader::FromDiskBytes(disk));
}

} // namespace

TEST(FieldEncoding, IntegersAndBooleansHaveSixteenBytes)
{
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteInt(-5); }), QByteArray("-000000000000005"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteInt(5); }), QByteArray("0000000000000005"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteInt(0); }), QByteArray(16, '0'));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteInt(2147483647); }), QByteArray("0000002147483647"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteInt(-2147483647 - 1); }), QByteArray("-000002147483648"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteBool(true); }), QByteArray("0000000000002112"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteBool(false); }), QByteArray(16, '0'));

    FieldReader reader = ReaderOfDisk("0000000000000001" + QByteArray(16, '0') + "-000000000000005");
    EXPECT_TRUE(reader.ReadBool());
    EXPECT_FALSE(reader.ReadBool());
    EXPECT_FALSE(reader.ReadBool());
}

TEST(FieldEncoding, RealsHaveTwentyBytesAndNineDecimals)
{
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteReal(3.5); }), QByteArray("0000000003.500000000"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteReal(1.34); }), QByteArray("0000000001.340000000"));
    FieldReader reader = ReaderOfDisk("0000000001.340000000");
    EXPECT_DOUBLE_EQ(reader.ReadReal(), 1.34);

    // Values beyond the field keep it at twenty bytes, so the fields after it stay put.
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteReal(8.9e18); }), QByteArray("9999999999.000000000"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteReal(9999999999.9999999); }),
              QByteArray("9999999999.000000000"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteReal(-1e12); }), QByteArray("-999999999.000000000"));
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteReal(-999999999.5); }), QByteArray("-999999999.500000000"));
    FieldReader after = ReaderOfDisk(Disk([](FieldWriter& w) {
        w.WriteReal(1e300);
        w.WriteInt(7);
    }));
    after.ReadReal();
    EXPECT_EQ(after.ReadInt(), 7);
}

TEST(FieldEncoding, TextLengthCountsBytesBeforeLineEndTranslation)
{
    EXPECT_EQ(Disk([](FieldWriter& w) { w.WriteText(QString()); }), QByteArray(16, '0'));
    const QByteArray disk = Disk([](FieldWriter& w) { w.WriteText(QStringLiteral("ab\ncd")); });
    EXPECT_EQ(disk, QByteArray("0000000000000005ab\r\ncd"));
    FieldReader reader = ReaderOfDisk(disk);
    EXPECT_EQ(reader.ReadText(), QStringLiteral("ab\ncd"));

    // Non-ASCII text is stored as UTF-8 and its length counts bytes.
    const QByteArray utf8 = Disk([](FieldWriter& w) { w.WriteText(QStringLiteral("\u00e9t\u00e9")); });
    EXPECT_EQ(utf8, QByteArray("0000000000000005\xc3\xa9t\xc3\xa9"));
}

TEST(FieldEncoding, TextThatIsNotUtf8IsReadAsWindows1252)
{
    FieldReader reader = ReaderOfDisk("0000000000000004caf\xe9"
                                      "0000000000000001\x80");
    EXPECT_EQ(reader.ReadText(), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(reader.ReadText(), QStringLiteral("\u20ac"));
    EXPECT_EQ(TextCodec::FromWindows1252("\x93q\x94"), QStringLiteral("\u201cq\u201d"));
}

TEST(FieldEncoding, CtrlZEndsTheStreamAndShortReadsGiveDefaults)
{
    FieldReader reader = ReaderOfDisk("0000000000000003a\x1a"
                                      "b0000000000000007");
    EXPECT_EQ(reader.ReadTextBytes(), QByteArray("a"));
    EXPECT_EQ(reader.ReadInt(), -21122112);
    EXPECT_EQ(reader.ReadReal(), -21122112.0);
    EXPECT_EQ(reader.ReadText(), QString());

    // A truncated integer yields its partial value, not an error.
    FieldReader partial = ReaderOfDisk("00000000012");
    EXPECT_EQ(partial.ReadInt(), 12);
}

TEST(FieldEncoding, DamagedLengthsNeverOverreadOrAllocate)
{
    // A negative length reads nothing more.
    FieldReader negative = ReaderOfDisk("-000000000000009"
                                        "0000000000000042");
    EXPECT_EQ(negative.ReadText(), QString());
    EXPECT_EQ(negative.ReadInt(), 42);

    // A length of two thousand million over a short stream takes what is there.
    FieldReader huge = ReaderOfDisk("0000002000000000abc");
    EXPECT_EQ(huge.ReadTextBytes(), QByteArray("abc"));
    EXPECT_TRUE(huge.AtEnd());

    // A text ends at its first NUL byte.
    FieldReader nul = ReaderOfDisk(QByteArray("0000000000000003a\0b", 19));
    EXPECT_EQ(nul.ReadTextBytes(), QByteArray("a"));
}

TEST(FieldEncoding, LongTextsAreReadWhole)
{
    const QString longText(250000, QLatin1Char('x'));
    const QByteArray disk = Disk([&](FieldWriter& w) {
        w.WriteText(longText);
        w.WriteInt(7);
    });
    FieldReader reader = ReaderOfDisk(disk);
    EXPECT_EQ(reader.ReadText().size(), 250000);
    EXPECT_EQ(reader.ReadInt(), 7);
}

TEST(FieldEncoding, DateTimesAreNineteenByteTexts)
{
    const DateTime moment = DateTime::FromParts(2007, 3, 5, 14, 7, 9);
    EXPECT_EQ(Disk([&](FieldWriter& w) { w.WriteTime(moment); }),
              QByteArray("00000000000000192007-03-05-14-07-09"));

    DateTime value = DateTime::FromParts(2000, 1, 1, 0, 0, 0);
    FieldReader reader = ReaderOfDisk("00000000000000192007-02-30-10-00-00"
                                      "00000000000000102007-03-05");
    reader.ReadTime(value);
    EXPECT_EQ(value.status(), DateTime::Status::Invalid);
    EXPECT_EQ(value.Format("%Y"), QByteArray("Invalid DateTime"));

    DateTime kept = DateTime::FromParts(2001, 2, 3, 4, 5, 6);
    reader.ReadTime(kept);
    EXPECT_EQ(kept, DateTime::FromParts(2001, 2, 3, 4, 5, 6));

    EXPECT_EQ(DateTime().Format("%Y"), QByteArray());
    FieldReader back = ReaderOfDisk(Disk([&](FieldWriter& w) { w.WriteTime(moment); }));
    DateTime read;
    back.ReadTime(read);
    EXPECT_EQ(read, moment);
    EXPECT_EQ(read.Second(), 9);
}

TEST(FieldEncoding, DayCountsStartOnThirtiethDecember1899)
{
    EXPECT_DOUBLE_EQ(DateTime::FromParts(1899, 12, 30, 0, 0, 0).Days(), 0.0);
    EXPECT_DOUBLE_EQ(DateTime::FromParts(1900, 1, 1, 12, 0, 0).Days(), 2.5);
    const DateTime a = DateTime::FromParts(2008, 8, 14, 21, 23, 56);
    const DateTime b = DateTime::FromParts(2008, 8, 16, 9, 23, 56);
    EXPECT_NEAR(b.Days() - a.Days(), 1.5, 1e-9);
    EXPECT_EQ(DateTime::FromDays(a.Days()).Format("%Y-%m-%d-%H-%M-%S"), QByteArray("2008-08-14-21-23-56"));
}

TEST(FieldEncoding, SaveIsAtomicAndDevicesGetDiskBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.dat"));
    FieldWriter writer;
    writer.WriteText(QStringLiteral("a\nb"));
    ASSERT_TRUE(writer.Save(FileSystem::Real(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("0000000000000003a\r\nb"));

    EXPECT_FALSE(writer.Save(FileSystem::Real(), dir.filePath(QStringLiteral("missing/folder/x.dat"))));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writer.WriteTo(&buffer));
    EXPECT_EQ(buffer.data(), QByteArray("0000000000000003a\r\nb"));
}

TEST(FieldEncoding, IntegersReadAsTheCLibraryReadsThem)
{
    // Any sixteen bytes of damage, read as fgets and atol would read them: at most the
    // field's width, stopping after a line feed, then blanks, a sign and digits.
    const QByteArray alphabet("0123456789 \t\n\v\r-+x\0", 20);
    std::mt19937 random(2112);
    const QByteArray digits("0123456789");
    for (int round = 0; round < 40000; ++round) {
        // Half the rounds are whole fields of digits, now and then with a sign or a flaw.
        const bool field = round % 2 == 0;
        QByteArray bytes(field ? 16 + random() % 3 : 1 + random() % 24, '\0');
        for (char& c : bytes)
            c = field ? digits.at(random() % 10) : alphabet.at(random() % alphabet.size());
        if (field && random() % 3 == 0)
            bytes[0] = '-';
        if (field && random() % 4 == 0)
            bytes[random() % 16] = alphabet.at(random() % alphabet.size());
        qsizetype pos = 0;
        const qint32 read = FieldScan::ReadInt(bytes.constData(), bytes.size(), pos);

        const qsizetype window = qMin<qsizetype>(16, bytes.size());
        const qsizetype lineFeed = bytes.left(window).indexOf('\n');
        const qsizetype taken = lineFeed < 0 ? window : lineFeed + 1;
        const QByteArray copied = bytes.left(taken); // the terminating NUL comes with it
        ASSERT_EQ(pos, taken) << bytes.toHex().constData();
        ASSERT_EQ(read, static_cast<qint32>(std::atol(copied.constData()))) << bytes.toHex().constData();
    }
}

TEST(FieldEncoding, LineEndsFoldInPlaceAsInACopyAndUnfoldOnWrite)
{
    const QByteArray alphabet("ab\r\n\x1a", 5);
    std::mt19937 random(1899);
    for (int round = 0; round < 5000; ++round) {
        QByteArray disk(random() % 40, 'a');
        for (char& c : disk)
            c = alphabet.at(random() % alphabet.size());
        // The text-stream rule, byte by byte: stop at Ctrl-Z, drop a CR before a LF.
        QByteArray expected;
        for (qsizetype i = 0; i < disk.size() && disk.at(i) != '\x1a'; ++i) {
            const bool beforeLineFeed = i + 1 < disk.size() && disk.at(i + 1) == '\n';
            if (!(disk.at(i) == '\r' && beforeLineFeed))
                expected.append(disk.at(i));
        }
        ASSERT_EQ(FieldScan::FoldLineEnds(disk), expected) << disk.toHex().constData();
        QByteArray inPlace = disk;
        inPlace.truncate(FieldScan::FoldLineEndsInPlace(inPlace.data(), inPlace.size()));
        ASSERT_EQ(inPlace, expected) << disk.toHex().constData();

        // Written back, every LF becomes CR LF and folding returns the logical bytes.
        FieldWriter writer;
        writer.WriteTextBytes(expected);
        QByteArray written = writer.DiskBytes();
        EXPECT_EQ(written.count('\n'), written.count("\r\n"));
        ASSERT_EQ(FieldScan::FoldLineEnds(written), writer.LogicalBytes());
    }
}

TEST(FieldEncoding, StoredTimesIgnoreTheLocalZone)
{
    // 02:30 on the last Sunday of March 2008 never happened in Berlin; a stored time is
    // no moment of any zone and must come back as written.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const DateTime gap = DateTime::FromParts(2008, 3, 30, 2, 30, 0);
    const QByteArray written = gap.ToFieldText();
    const int hour = gap.Hour();
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    tzset();
    EXPECT_EQ(written, QByteArray("2008-03-30-02-30-00"));
    EXPECT_EQ(hour, 2);
}
