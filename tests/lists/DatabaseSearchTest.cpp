#include "lists/DatabaseSearch.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/NoteTextScanner.h"
#include "format/TextCodec.h"
#include "lists/NoteMatcher.h"
#include "richtext/RtfText.h"
#include "store/NoteDatabaseFixture.h"
#include "support/FixedClock.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

NoteRecord TextNote(qint32 id, const QString& text)
{
    NoteRecord note = MakeNote(id, 0, Day(2020, 1, 1));
    note.PlainText = text;
    note.RichText = QString::fromLatin1(PlainTextToRtf(text));
    return note;
}

SearchQuery Query(const QString& text)
{
    SearchQuery query;
    ParseQuery(text, &query);
    return query;
}

// Every record the scanner keeps, read whole.
NotesList ScanAll(const QByteArray& diskBytes)
{
    NoteTextScanner scanner;
    scanner.Load(diskBytes);
    NotesList notes;
    NoteTextScanner::Span span;
    while (scanner.Next(&span)) {
        NoteRecord note = scanner.ReadRecord(span);
        EXPECT_EQ(note.NoteID, span.noteId);
        EXPECT_EQ(TextCodec::FromFileBytes(QByteArray(span.plainText, span.plainTextLength)), note.PlainText);
        notes.append(note);
    }
    return notes;
}

void ExpectSameNotes(const NotesList& scanned, const NotesList& parsed, const char* what)
{
    ASSERT_EQ(IdsOf(scanned), IdsOf(parsed)) << what;
    for (int i = 0; i < parsed.size(); ++i) {
        // A record read without a GUID gets a new one each time it is read.
        NoteRecord a = scanned[i];
        NoteRecord b = parsed[i];
        if (a.NoteGUID != b.NoteGUID && a.NoteGUID.size() == 38 && b.NoteGUID.size() == 38)
            a.NoteGUID = b.NoteGUID;
        EXPECT_TRUE(a.SameStoredFields(b)) << what << " note " << i;
    }
}

QByteArray OldVersionFile(double version)
{
    // Version 0.95: no GUID, no spell check flag, no attachments.
    FieldWriter writer;
    writer.WriteReal(version);
    writer.WriteInt(2);
    for (qint32 id : {7, 8}) {
        writer.WriteInt(id);
        writer.WriteInt(0);
        writer.WriteTime(Day(2001, 2, 3));
        writer.WriteTime(Day(2001, 2, 3));
        writer.WriteText(QStringLiteral("kw"));
        writer.WriteText(QString());
        writer.WriteText(QStringLiteral("old\ntext %1").arg(id));
        writer.WriteText(QStringLiteral("{\\rtf1 old\\par text %1}").arg(id));
        writer.WriteInt(0);
    }
    return writer.DiskBytes();
}

} // namespace

TEST(DatabaseSearchTest, ScannerKeepsWhatTheFileReaderKeeps)
{
    NotesList notes;
    for (int i = 1; i <= 6; ++i) {
        NoteRecord note = TextNote(i, QStringLiteral("line one\r\nline %1\n\u00e9t\u00e9").arg(i));
        note.KeyWords = QStringLiteral("a, b");
        if (i % 2 == 0) {
            AttachmentRecord attachment;
            attachment.Title = QStringLiteral("t\n%1").arg(i);
            attachment.OriginalName = QStringLiteral("x.pdf");
            note.Attachments.append(attachment);
        }
        if (i == 3)
            note.PlainText += QChar(0); // a text ends at its first NUL
        note.Categories.FindEntry(0)->name = QStringLiteral("Top");
        notes.append(note);
    }
    notes[4].NoteID = -1; // dropped by both
    // Damaged dates leave a record's "now" in place: the same now for both readers.
    const FixedClock clock(QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
    const QByteArray logical = SerializeNoteFile(notes);
    QByteArray disk = logical;
    disk.replace("\n", "\r\n");

    ExpectSameNotes(ScanAll(disk), ParseNoteFile(logical), "whole file");
    ExpectSameNotes(ScanAll(OldVersionFile(0.95)),
                    ParseNoteFile(FieldReader::FromDiskBytes(OldVersionFile(0.95))), "version 0.95");

    // Truncated and damaged files keep the same records.
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = disk.left(random.bounded(disk.size() + 1));
        if (round % 3 == 0 && damaged.size() > 40)
            damaged[random.bounded(static_cast<int>(damaged.size()))] = "9-\n\x1a\r"[random.bounded(5)];
        ExpectSameNotes(ScanAll(damaged), ParseNoteFile(FieldReader::FromDiskBytes(damaged)), "damaged");
    }
}

TEST(DatabaseSearchTest, SearchesEveryFileInOrder)
{
    Root root;
    root.WriteNotes(QStringLiteral("SRC0000000001.dat"),
                    {TextNote(1, QStringLiteral("An apple")),
                     TextNote(2, QStringLiteral("A pear and an APPLE")),
                     TextNote(3, QStringLiteral("Nothing"))});
    root.WriteNotes(QStringLiteral("DAY01012020.dat"),
                    {TextNote(4, QStringLiteral("pineapple")), TextNote(5, QStringLiteral("showall"))});
    NoteRecord noRtf = TextNote(6, QStringLiteral("apple"));
    noRtf.RichText.clear();
    root.WriteNotes(QStringLiteral("DAY01022020.dat"), {noRtf});
    const QStringList files = {
        root.NotesPath(QStringLiteral("SRC0000000001.dat")), root.NotesPath(QStringLiteral("missing.dat")),
        root.NotesPath(QStringLiteral("DAY01012020.dat")), root.NotesPath(QStringLiteral("DAY01022020.dat"))};

    ListedNotes found = SearchDatabase(Query(QStringLiteral("apple")), files);
    EXPECT_EQ(IdsOf(found), (QList<qint32> {1, 2, 4}));
    for (const ListedNote& note : found) {
        ASSERT_TRUE(note.Highlight);
        EXPECT_TRUE(note.Highlight->Apply(TextNote(note.NoteID, QStringLiteral("apple")).RichText)
                        .contains(QLatin1String("\\red255\\green142\\blue40")));
    }

    EXPECT_EQ(IdsOf(SearchDatabase(Query(QStringLiteral("\"apple\" AND pear")), files)), (QList<qint32> {2}));
    // Every note, unhighlighted; the lower-case word is searched.
    found = SearchDatabase(Query(QStringLiteral("SHOWALL")), files);
    EXPECT_EQ(IdsOf(found), (QList<qint32> {1, 2, 3, 4, 5, 6}));
    for (const ListedNote& note : found)
        EXPECT_FALSE(note.Highlight);
    EXPECT_EQ(IdsOf(SearchDatabase(Query(QStringLiteral("showall")), files)), (QList<qint32> {5}));
    // No terms, or a text that does not parse, find nothing.
    EXPECT_TRUE(SearchDatabase(Query(QStringLiteral("AND")), files).isEmpty());
    SearchQuery unparsable;
    unparsable.Text = QStringLiteral("apple AND OR");
    unparsable.Terms = {QStringLiteral("apple")};
    EXPECT_TRUE(SearchDatabase(unparsable, files).isEmpty());
}

// Notes the caller already lists come back as their id and highlight only, in the same
// places; the others with their keys.
TEST(DatabaseSearchTest, HeldNotesAreNotCopiedAgain)
{
    Root root;
    root.WriteNotes(QStringLiteral("SRC0000000001.dat"),
                    {TextNote(1, QStringLiteral("An apple")), TextNote(2, QStringLiteral("A pear")),
                     TextNote(3, QStringLiteral("apple pie"))});
    const QStringList files = {root.NotesPath(QStringLiteral("SRC0000000001.dat"))};
    const QSet<qint32> held = {1, 2};

    ListedNotes found = SearchDatabase(Query(QStringLiteral("apple")), files, held);
    EXPECT_EQ(IdsOf(found), (QList<qint32> {1, 3}));
    EXPECT_EQ(found[0].TextChars, 0);
    ASSERT_TRUE(found[0].Highlight);
    EXPECT_TRUE(found[0]
                    .Highlight->Apply(TextNote(1, QStringLiteral("An apple")).RichText)
                    .contains(QLatin1String("\\red255\\green142\\blue40")));
    EXPECT_EQ(found[1].TextChars, 9); // "apple pie"
    EXPECT_TRUE(found[1].Highlight);

    found = SearchDatabase(Query(QStringLiteral("SHOWALL")), files, held);
    EXPECT_EQ(IdsOf(found), (QList<qint32> {1, 2, 3}));
    EXPECT_EQ(found[0].TextChars, 0);
    EXPECT_EQ(found[1].TextChars, 0);
    EXPECT_FALSE(found[1].Highlight);
    EXPECT_EQ(found[2].TextChars, 9);
}

// The current notes search reads the list's files, finds only listed notes, gives them
// back in list order, and takes "SHOWALL" as a plain word.
TEST(DatabaseSearchTest, FilterKeepsListOrder)
{
    Root root;
    root.WriteNotes(QStringLiteral("DAY01012020.dat"),
                    {TextNote(5, QStringLiteral("Apple")), TextNote(3, QStringLiteral("none")),
                     TextNote(7, QStringLiteral("apple, not listed")),
                     TextNote(8, QStringLiteral("SHOWALL"))});
    root.WriteNotes(QStringLiteral("DAY01022020.dat"), {TextNote(9, QStringLiteral("b apple"))});
    const QStringList files = {root.NotesPath(QStringLiteral("DAY01022020.dat")),
                               root.NotesPath(QStringLiteral("DAY01012020.dat"))};
    ListedNotes list;
    for (qint32 id : {9, 3, 5, 8}) {
        ListedNote listed;
        listed.NoteID = id;
        list.append(listed);
    }
    const ListedNotes found = FilterListedNotes(Query(QStringLiteral("apple")), list, files);
    EXPECT_EQ(IdsOf(found), (QList<qint32> {9, 5}));
    ASSERT_TRUE(found[0].Highlight);
    EXPECT_FALSE(list[0].Highlight);
    EXPECT_EQ(IdsOf(FilterListedNotes(Query(QStringLiteral("SHOWALL")), list, files)), (QList<qint32> {8}));
    EXPECT_TRUE(FilterListedNotes(Query(QStringLiteral("AND")), list, files).isEmpty());
}
