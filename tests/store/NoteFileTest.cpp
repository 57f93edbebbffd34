#include "format/NoteFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "support/FixedClock.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class NoteFileTest : public ::testing::Test
{
protected:
    const FixedClock clock {QDateTime(QDate(2009, 1, 3), QTime(10, 20, 30))};

    static NoteRecord SimpleNote(qint32 id)
    {
        NoteRecord note;
        note.NoteID = id;
        note.NoteGUID = QStringLiteral("{0A1B2C3D-0001-4abc-8D9E-0F1A2B3C4D5E}");
        return note;
    }
};

const QRegularExpression
    kGuidPattern(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));

} // namespace

TEST_F(NoteFileTest, FileNamesFollowSourceOrDayAdded)
{
    NoteRecord note;
    EXPECT_EQ(NoteFileName(note), QStringLiteral("Data Files\\Notes\\DAY01032009.dat"));
    note.SourceID = -1;
    EXPECT_EQ(NoteFileBaseName(note), QStringLiteral("DAY01032009.dat"));
    note.SourceID = 7;
    EXPECT_EQ(NoteFileName(note), QStringLiteral("Data Files\\Notes\\SRC0000000007.dat"));
    note.SourceID = 0;
    note.DateAdded = DateTime::FromParts(2008, 8, 14, 21, 23, 56);
    EXPECT_EQ(NoteFileBaseName(note), QStringLiteral("DAY08142008.dat"));
}

TEST_F(NoteFileTest, ClearedRecordHasTheDefaults)
{
    const NoteRecord note;
    EXPECT_EQ(note.NoteID, -1);
    EXPECT_EQ(note.SourceID, 0);
    EXPECT_EQ(note.DateAdded, DateTime::FromParts(2009, 1, 3, 10, 20, 30));
    EXPECT_EQ(note.LastEdited, note.DateAdded);
    EXPECT_TRUE(note.SpellCheck);
    ASSERT_EQ(note.Categories.entries.size(), 4);
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(note.Categories.entries[level].level, level);
        EXPECT_EQ(note.Categories.entries[level].name, QStringLiteral("<UNASSIGNED>"));
        EXPECT_EQ(note.Categories.entries[level].parentName, QStringLiteral("<UNASSIGNED>"));
    }
}

TEST_F(NoteFileTest, SimpleNoteHasTheExactLayoutAndReadsBack)
{
    const NoteRecord note = SimpleNote(1002);
    const QByteArray bytes = SerializeNoteFile({note});
    const QByteArray unassigned = "0000000000000012<UNASSIGNED>";
    const QByteArray expected = "0000000001.340000000"
                                "0000000000000001"
                                "0000000000001002"
                                "0000000000000000"
                                "00000000000000192009-01-03-10-20-30"
                                "00000000000000192009-01-03-10-20-30"
                                "0000000000000038{0A1B2C3D-0001-4abc-8D9E-0F1A2B3C4D5E}"
                                "0000000000000000"
                                "0000000000000000"
                                "0000000000002112"
                                "0000000000000000"
                                "0000000000000000"
                                "0000000000000000"
                                "0000000000000004"
        + QByteArray("0000000000000000") + unassigned + unassigned + "0000000000000001" + unassigned
        + unassigned + "0000000000000002" + unassigned + unassigned + "0000000000000003" + unassigned
        + unassigned;
    EXPECT_EQ(bytes, expected);

    const NotesList back = ParseNoteFile(bytes);
    ASSERT_EQ(back.size(), 1);
    EXPECT_TRUE(back[0].SameStoredFields(note));
}

TEST_F(NoteFileTest, EveryFieldSurvivesAFileRoundTrip)
{
    NoteRecord note = SimpleNote(77);
    note.SourceID = 12;
    note.LastEdited = DateTime::FromParts(2010, 5, 6, 7, 8, 9);
    note.KeyWords = QStringLiteral("alpha, beta");
    note.ReservedText = QStringLiteral("kept");
    note.SpellCheck = false;
    note.PlainText = QStringLiteral("line one\nline two \u00fc");
    note.RichText = QStringLiteral("{\\rtf1\\ansi line one\\par\nline two}");
    AttachmentRecord attachment;
    attachment.AttachmentValue = -12;
    attachment.ImageScale = 0.35;
    attachment.Title = QStringLiteral("Photo");
    attachment.StoredName = QStringLiteral("0000013.bmp");
    attachment.OriginalName = QStringLiteral("photo.JPG");
    attachment.Kind = KindImage;
    attachment.ShowImage = false;
    note.Attachments = {attachment};
    note.Categories.entries[0].name = QStringLiteral("Science");
    note.Categories.entries[0].parentName = QString();
    note.Categories.entries[1].name = QStringLiteral("Physics");
    note.Categories.entries[1].parentName = QStringLiteral("Science");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SRC0000000012.dat"));
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), path, {note, SimpleNote(78)}));
    const NotesList back = ReadNoteFile(path);
    ASSERT_EQ(back.size(), 2);
    EXPECT_TRUE(back[0].SameStoredFields(note));
    EXPECT_EQ(back[1].NoteID, 78);

    // The line break counts once in the length and takes CR LF on disk.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("0000000000000020line one\r\nline two \xc3\xbc"));
}

TEST_F(NoteFileTest, RecordsWithoutIdAndMissingFilesAreDropped)
{
    NoteRecord unsaved = SimpleNote(-1);
    NoteRecord zero = SimpleNote(0);
    EXPECT_EQ(ParseNoteFile(SerializeNoteFile({unsaved, SimpleNote(5), zero})).size(), 1);
    EXPECT_TRUE(ReadNoteFile(QStringLiteral("/nonexistent/DAY01012000.dat")).isEmpty());
}

TEST_F(NoteFileTest, EmptyGuidIsReplacedByANewOne)
{
    NoteRecord note = SimpleNote(3);
    note.NoteGUID.clear();
    const NotesList back = ParseNoteFile(SerializeNoteFile({note}));
    ASSERT_EQ(back.size(), 1);
    EXPECT_TRUE(kGuidPattern.match(back[0].NoteGUID).hasMatch()) << back[0].NoteGUID.toStdString();
}

TEST_F(NoteFileTest, OldVersionsReadTheirFieldsAndAreWrittenCurrent)
{
    // Version 0.95: no GUID, no spell-check flag, no attachments.
    FieldWriter old;
    old.WriteReal(0.95);
    old.WriteInt(1);
    old.WriteInt(9);
    old.WriteInt(0);
    old.WriteTime(DateTime::FromParts(2001, 2, 3, 4, 5, 6));
    old.WriteTime(DateTime::FromParts(2001, 2, 3, 4, 5, 6));
    old.WriteText(QStringLiteral("kw"));
    old.WriteText(QString());
    old.WriteText(QStringLiteral("plain"));
    old.WriteText(QStringLiteral("{\\rtf1 plain}"));
    old.WriteInt(0);
    const NotesList notes = ParseNoteFile(old.LogicalBytes());
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes[0].KeyWords, QStringLiteral("kw"));
    EXPECT_EQ(notes[0].PlainText, QStringLiteral("plain"));
    EXPECT_TRUE(notes[0].SpellCheck);
    EXPECT_TRUE(notes[0].Attachments.isEmpty());
    EXPECT_TRUE(notes[0].Categories.entries.isEmpty());
    EXPECT_TRUE(kGuidPattern.match(notes[0].NoteGUID).hasMatch());

    const QByteArray rewritten = SerializeNoteFile(notes);
    EXPECT_TRUE(rewritten.startsWith("0000000001.340000000"));
    EXPECT_TRUE(ParseNoteFile(rewritten)[0].SameStoredFields(notes[0]));

    // Version 1.0: attachments without kind and display flag; the kind comes from the name.
    FieldWriter v100;
    v100.WriteReal(1.0);
    v100.WriteInt(1);
    v100.WriteInt(4);
    v100.WriteInt(0);
    v100.WriteTime(DateTime::FromParts(2001, 2, 3, 4, 5, 6));
    v100.WriteTime(DateTime::FromParts(2001, 2, 3, 4, 5, 6));
    v100.WriteText(QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
    v100.WriteText(QString());
    v100.WriteText(QString());
    v100.WriteInt(1); // attachments
    v100.WriteInt(25);
    v100.WriteReal(1.0);
    v100.WriteText(QStringLiteral("Notes"));
    v100.WriteText(QStringLiteral("0000001.txt"));
    v100.WriteText(QStringLiteral("notes.txt"));
    v100.WriteText(QStringLiteral("text"));
    v100.WriteText(QString());
    v100.WriteInt(0);
    const NotesList v100Notes = ParseNoteFile(v100.LogicalBytes());
    ASSERT_EQ(v100Notes.size(), 1);
    ASSERT_EQ(v100Notes[0].Attachments.size(), 1);
    EXPECT_EQ(v100Notes[0].Attachments[0].AttachmentValue, 25);
    EXPECT_EQ(v100Notes[0].Attachments[0].Kind, KindText);
    EXPECT_FALSE(v100Notes[0].Attachments[0].ShowImage);
    EXPECT_EQ(v100Notes[0].PlainText, QStringLiteral("text"));
}

TEST_F(NoteFileTest, DamagedFilesKeepWhatIsSound)
{
    const QByteArray two = SerializeNoteFile({SimpleNote(1), SimpleNote(2)});
    // The count says three but two records follow.
    QByteArray three = two;
    three.replace(20, 16, "0000000000000003");
    EXPECT_EQ(ParseNoteFile(three).size(), 2);

    // A huge count over a short stream ends quickly.
    QByteArray huge = two;
    huge.replace(20, 16, "0000002000000000");
    EXPECT_EQ(ParseNoteFile(huge).size(), 2);

    // Cut inside the second record's id: the first record survives.
    const qsizetype secondRecord = (two.size() - 36) / 2 + 36;
    EXPECT_EQ(ParseNoteFile(two.left(secondRecord + 5)).size(), 1);

    // Every truncation and random damage reads without crashing.
    for (qsizetype cut = 0; cut < two.size(); cut += 7)
        (void)ParseNoteFile(two.left(cut));
    QByteArray noise = two;
    for (qsizetype i = 0; i < noise.size(); i += 11)
        noise[i] = static_cast<char>((i * 37) & 0xff);
    (void)ParseNoteFile(noise);
}

TEST_F(NoteFileTest, UnwritableFileIsSkipped)
{
    EXPECT_FALSE(WriteNoteFile(FileSystem::Real(), QStringLiteral("/nonexistent/folder/DAY01012000.dat"),
                               {SimpleNote(1)}));
}
