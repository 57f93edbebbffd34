#include "format/NoteFileScanner.h"

#include "NoteDatabaseFixture.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "store/ParallelNoteScanner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

// What the load takes from a file, read the slow way.
QList<NoteIndexFacts> ByParsing(const QByteArray& diskBytes)
{
    QList<NoteIndexFacts> facts;
    for (const NoteRecord& note : ParseNoteFile(FieldReader::FromDiskBytes(diskBytes)))
        facts.append({note.NoteID, note.SourceID, note.KeyWords, note.Categories});
    return facts;
}

QList<NoteIndexFacts> ByScanning(const QByteArray& diskBytes)
{
    QList<NoteIndexFacts> facts;
    NoteFileScanner scanner;
    const int kept = scanner.Scan(diskBytes, [&facts](const NoteIndexFacts& note) { facts.append(note); });
    EXPECT_EQ(kept, facts.size());
    return facts;
}

void ExpectSame(const QList<NoteIndexFacts>& expected, const QList<NoteIndexFacts>& actual, const char* where)
{
    ASSERT_EQ(expected.size(), actual.size()) << where;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected.at(i).NoteID, actual.at(i).NoteID) << where;
        EXPECT_EQ(expected.at(i).SourceID, actual.at(i).SourceID) << where;
        EXPECT_EQ(expected.at(i).KeyWords, actual.at(i).KeyWords) << where;
        // Parent names are not read: levels and names must agree.
        const QList<CategoryLevelEntry>& want = expected.at(i).Categories.entries;
        const QList<CategoryLevelEntry>& got = actual.at(i).Categories.entries;
        ASSERT_EQ(want.size(), got.size()) << where;
        for (qsizetype e = 0; e < want.size(); ++e) {
            EXPECT_EQ(want.at(e).level, got.at(e).level) << where;
            EXPECT_EQ(want.at(e).name, got.at(e).name) << where;
        }
    }
}

NotesList RichNotes()
{
    NoteRecord first = MakeNote(101, 7, Day(2008, 8, 14), QStringLiteral("Art, Science"),
                                {QStringLiteral("Science"), QStringLiteral("Physics")});
    first.PlainText = QStringLiteral("line one\nline two\r\nwith a lone \r inside");
    first.RichText = QStringLiteral("{\\rtf1 line one\\par\nline two\\par\n}");
    AttachmentRecord attachment;
    attachment.Title = QStringLiteral("scan\nof page");
    attachment.StoredName = QStringLiteral("0000001.bmp");
    attachment.OriginalName = QStringLiteral("page.jpg");
    first.Attachments = {attachment, attachment};
    NoteRecord second = MakeNote(102, 7, Day(2008, 8, 15), QStringLiteral("Gr\u00fc\u00dfe, caf\u00e9"));
    second.ReservedText = QStringLiteral("kept\n");
    NoteRecord third
        = MakeNote(103, 7, Day(2008, 8, 16), QString(),
                   {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    return {first, second, third};
}

} // namespace

TEST(NoteFileScanner, AgreesWithTheFullReaderOnEveryTruncation)
{
    FieldWriter writer;
    writer.WriteReal(1.34);
    writer.WriteInt(3);
    for (const NoteRecord& note : RichNotes())
        note.Write(writer);
    const QByteArray disk = writer.DiskBytes();
    ASSERT_TRUE(disk.contains("\r\n"));
    ExpectSame(ByParsing(disk), ByScanning(disk), "whole file");
    EXPECT_EQ(ByScanning(disk).size(), 3);
    EXPECT_EQ(ByScanning(disk).at(1).KeyWords, QStringLiteral("Gr\u00fc\u00dfe, caf\u00e9"));
    for (qsizetype cut = 0; cut < disk.size(); ++cut) {
        const QByteArray part = disk.left(cut);
        ExpectSame(ByParsing(part), ByScanning(part), QByteArray::number(cut).constData());
        if (HasFailure())
            FAIL() << "first difference at length " << cut;
    }
}

TEST(NoteFileScanner, AgreesOnOldVersionsDamagedCountsAndStreamEnd)
{
    // Older layouts: no GUID, attachments or spell-check flag (0.95); attachments without
    // a shift or kind (0.98, 1.0).
    for (const double version : {0.95, 0.98, 1.0, 1.1, 1.2}) {
        FieldWriter writer;
        writer.WriteReal(version);
        writer.WriteInt(2);
        for (int id : {5, 6}) {
            writer.WriteInt(id);
            writer.WriteInt(0);
            writer.WriteTime(Day(2001, 1, id));
            writer.WriteTime(Day(2001, 1, id));
            if (version > 0.951)
                writer.WriteText(QStringLiteral("{guid}"));
            writer.WriteText(QStringLiteral("old, words"));
            writer.WriteText(QString());
            if (version > 1.101)
                writer.WriteBool(true);
            if (version > 0.951) {
                writer.WriteInt(1);
                if (version > 0.983)
                    writer.WriteInt(3);
                writer.WriteReal(1.0);
                writer.WriteText(QStringLiteral("t"));
                writer.WriteText(QStringLiteral("0000002.txt"));
                writer.WriteText(QStringLiteral("notes.txt"));
                if (version > 1.021) {
                    writer.WriteInt(2);
                    writer.WriteBool(false);
                }
            }
            writer.WriteText(QStringLiteral("plain"));
            writer.WriteText(QStringLiteral("{\\rtf1 plain}"));
            writer.WriteInt(1);
            writer.WriteInt(0);
            writer.WriteText(QStringLiteral("Old"));
            writer.WriteText(QString());
        }
        const QByteArray disk = writer.DiskBytes();
        const QList<NoteIndexFacts> scanned = ByScanning(disk);
        ExpectSame(ByParsing(disk), scanned, QByteArray::number(version).constData());
        ASSERT_EQ(scanned.size(), 2) << version;
        EXPECT_EQ(scanned.at(1).KeyWords, QStringLiteral("old, words"));
        EXPECT_EQ(scanned.at(1).Categories.NameAt(0), QStringLiteral("Old"));
    }

    // A huge count, a negative count, a Ctrl-Z in a text, a lone CR.
    const QByteArray good = SerializeNoteFile(RichNotes());
    QByteArray hugeCount = good;
    hugeCount.replace(20, 16, "0000000999999999");
    ExpectSame(ByParsing(hugeCount), ByScanning(hugeCount), "huge count");
    QByteArray negative = good;
    negative.replace(20, 16, "-000000000000003");
    EXPECT_TRUE(ByScanning(negative).isEmpty());
    QByteArray stop = good;
    stop.insert(stop.indexOf("Science"), '\x1a');
    ExpectSame(ByParsing(stop), ByScanning(stop), "ctrl-z");
    // The stream ends inside the first record's key words: its id was read, so it stays.
    ASSERT_EQ(ByScanning(stop).size(), 1);
    EXPECT_EQ(ByScanning(stop).at(0).KeyWords, QStringLiteral("Art, "));
}

TEST(NoteFileScanner, TwoThreadsHandOverFilesInListOrderAndStopAnyTime)
{
    QTemporaryDir dir;
    QStringList paths;
    for (int file = 0; file < 200; ++file) {
        NotesList notes;
        for (int i = 0; i < file % 4; ++i)
            notes.append(MakeNote(file * 10 + i + 1, 0, Day(2008, 1, 1), QStringLiteral("w%1").arg(file)));
        paths.append(dir.filePath(QStringLiteral("DAY%1.dat").arg(file)));
        ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), paths.last(), notes));
    }
    paths.append(dir.filePath(QStringLiteral("missing.dat")));

    ParallelNoteScanner parallel(paths, true);
    NoteFileScanner alone;
    for (const QString& path : paths) {
        const ScannedNoteFile* taken = parallel.Next();
        ASSERT_NE(taken, nullptr);
        const ScannedNoteFile& file = *taken;
        EXPECT_EQ(file.path, path);
        bool isEmpty = false;
        QList<qint32> ids;
        alone.ScanFile(
            path, [&ids](const NoteIndexFacts& note) { ids.append(note.NoteID); }, &isEmpty);
        EXPECT_EQ(file.isEmpty, isEmpty) << path.toStdString();
        ASSERT_EQ(static_cast<qsizetype>(file.notes.size()), ids.size()) << path.toStdString();
        for (qsizetype i = 0; i < ids.size(); ++i)
            EXPECT_EQ(file.notes.at(static_cast<size_t>(i)).NoteID, ids.at(i));
    }
    EXPECT_EQ(parallel.Next(), nullptr);

    // Given up after a few files, or before the first, the scan ends without a hang.
    for (int taken : {0, 3}) {
        ParallelNoteScanner early(paths, false);
        for (int i = 0; i < taken; ++i)
            ASSERT_NE(early.Next(), nullptr);
    }
}
