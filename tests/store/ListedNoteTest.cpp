// The keys of a listed note read in place from a note file agree with the keys of the
// whole record: the list sorts and draws by them before the note is ever read whole.
#include "NoteDatabaseFixture.h"
#include "format/FieldReader.h"
#include "format/NoteTextScanner.h"
#include "store/ListedNoteReader.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

TEST(ListedNoteTest, KeysReadInPlaceMatchTheWholeRecord)
{
    const FixedClock clock(QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
    NotesList notes;
    notes.append(MakeNote(1, 7, Day(2009, 1, 3), QStringLiteral("red"),
                          {QStringLiteral("Art"), QStringLiteral("Modern"), QStringLiteral("Oil")}));
    notes.append(MakeNote(2, 0, Day(2010, 2, 4)));
    notes.last().PlainText = QStringLiteral("first line\nsecond line\nthird");
    notes.append(MakeNote(3, 0, Day(2011, 3, 5), {}, {QStringLiteral("Science")}));
    notes.last().PlainText.clear();
    notes.last().LastEdited = DateTime(); // stored as an empty text: read as now
    QByteArray disk = SerializeNoteFile(notes);
    disk.replace("\n", "\r\n");

    NoteTextScanner scanner;
    scanner.Load(disk);
    const NotesList whole = ParseNoteFile(FieldReader::FromDiskBytes(disk));
    ListedNoteReader reader;
    NoteTextScanner::Span span;
    int index = 0;
    while (scanner.Next(&span)) {
        ASSERT_LT(index, whole.size());
        const ListedNote read = reader.Read(scanner, span);
        const ListedNote of = ListedNote::Of(whole.at(index));
        EXPECT_EQ(read.NoteID, of.NoteID);
        EXPECT_EQ(read.SourceID, of.SourceID);
        EXPECT_EQ(read.DateAdded, of.DateAdded) << index;
        EXPECT_EQ(read.LastEdited, of.LastEdited) << index;
        EXPECT_EQ(read.Categories, of.Categories) << index;
        EXPECT_EQ(read.TextLines, of.TextLines) << index;
        EXPECT_EQ(read.TextChars, of.TextChars) << index; // ASCII: bytes are characters
        ++index;
    }
    EXPECT_EQ(index, 3);
    // A name met again is the same text, shared.
    EXPECT_TRUE(reader.CategoryName("Art").isSharedWith(reader.CategoryName("Art")));
    EXPECT_EQ(ListedNote::Of(whole.at(1)).TextLines, 3);
}
