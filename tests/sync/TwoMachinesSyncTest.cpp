// Two data folders syncing through one folder: whatever was added, edited, moved or
// deleted on either side, both hold the same notes after each has synced twice, and no
// version of a note is lost.
#include "SyncFixture.h"

#include <gtest/gtest.h>

using namespace sync_test;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

class TwoMachines : public ::testing::Test
{
protected:
    QTemporaryDir m_sync;
    TestClock m_clock;
    Machine a {S("desk"), m_sync.path()};
    Machine b {S("laptop"), m_sync.path()};

    void SyncTwice()
    {
        a.Sync();
        b.Sync();
        a.Sync();
        b.Sync();
    }
    void ExpectSame() { ExpectSamePictures(a, b); }
};

TEST_F(TwoMachines, NotesSourcesCategoriesKeyWordsAndAttachmentsTravel)
{
    const QString photo = a.OutsideFile(S("photo.png"), QByteArray("\x89PNG picture bytes", 19));
    const QString memo = b.OutsideFile(S("memo.txt"), "a memo\n");
    const QString cited
        = a.Add(S("Cited note"), S("On Whales"), S("Biology/Marine"), S("whales, sea"), {photo});
    const QString plain = a.Add(S("A note without a source"));
    m_clock.Tick();
    const QString fromB = b.Add(S("Written on the laptop"), S("Field Notes"), S("Travel"), {}, {memo});

    SyncTwice();
    ExpectSame();
    EXPECT_EQ(a.Texts(), b.Texts());
    EXPECT_EQ(a.Texts().size(), 3);
    // The laptop cites the desk's source, found again by its GUID, with its author.
    const NoteRecord onB = *b.Find(cited);
    const SourceRecord* source = b.Sources().FindSource(onB.SourceID);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Fields.value(0), S("On Whales"));
    EXPECT_EQ(b.Sources().FindAuthor(source->AuthorIds.value(0))->LastName, S("On Whalesson"));
    EXPECT_EQ(onB.Categories.NameAt(1), S("Marine"));
    EXPECT_EQ(KeyWordsOf(onB), (QStringList {S("whales"), S("sea")}));
    EXPECT_TRUE(b.Find(plain));
    EXPECT_TRUE(a.Find(fromB));
    // A sync with nothing new sends and receives nothing.
    const SyncReport quiet = a.Sync();
    EXPECT_EQ(quiet.sent, 0);
    EXPECT_EQ(quiet.received, 0);
}

TEST_F(TwoMachines, EditsMovesAndDeletionsOnBothSidesConverge)
{
    const QString one = a.Add(S("One"), S("Source A"), S("Cats/Small"));
    const QString two = a.Add(S("Two"), {}, S("Cats"));
    const QString three = a.Add(S("Three"), S("Source A"));
    const QString four = b.Add(S("Four"), S("Source B"), {}, S("k1"));
    const QString five = b.Add(S("Five"));
    SyncTwice();
    ExpectSame();

    m_clock.Tick();
    a.EditText(one, S("One, edited on the desk"));
    NoteEditorFields::NoteEditorChanges move;
    move.sourceId = a.Source(S("Source B")); // a source that came from the laptop
    move.categoryPath = QStringList {S("Dogs"), S("Big")};
    a.Edit(three, move);
    a.Delete(two);
    const QString six = a.Add(S("Six"), S("Source C"));
    NoteEditorFields::NoteEditorChanges words;
    words.keyWords = S("k1, k2");
    b.Edit(four, words);
    NoteEditorFields::NoteEditorChanges back;
    back.sourceId = 0;
    b.Edit(four, back);
    b.Delete(five);
    const QString seven = b.Add(S("Seven"), S("Source A"), S("Cats/Small/Tiny"));

    SyncTwice();
    ExpectSame();
    EXPECT_FALSE(b.Find(two));
    EXPECT_FALSE(a.Find(five));
    EXPECT_EQ(b.Find(one)->PlainText, S("One, edited on the desk"));
    const NoteRecord moved = *b.Find(three);
    EXPECT_EQ(b.Sources().FindSource(moved.SourceID)->Fields.value(0), S("Source B"));
    EXPECT_EQ(moved.Categories.NameAt(0), S("Dogs"));
    EXPECT_EQ(a.Find(four)->SourceID, 0);
    EXPECT_EQ(KeyWordsOf(*a.Find(four)), (QStringList {S("k1"), S("k2")}));
    EXPECT_TRUE(a.Find(seven));
    EXPECT_TRUE(b.Find(six));
    // Each machine holds each note once: no duplicate from the moves.
    EXPECT_EQ(a.Texts().size(), 5);
    EXPECT_EQ(a.Db().Total(), 5);
    EXPECT_EQ(b.Db().Total(), 5);
}

TEST_F(TwoMachines, ConflictsInBothDirectionsKeepTheOtherEditAsACopy)
{
    const QString x = a.Add(S("X as written"));
    const QString y = a.Add(S("Y as written"), S("Source Y"));
    SyncTwice();

    // x: the laptop edits first, the desk later; y: the other way round.
    m_clock.Tick();
    b.EditText(x, S("X from the laptop"));
    a.EditText(y, S("Y from the desk"));
    m_clock.Tick();
    a.EditText(x, S("X from the desk"));
    b.EditText(y, S("Y from the laptop"));

    const SyncReport first = a.Sync();
    EXPECT_EQ(first.received, 0);
    const SyncReport second = b.Sync();
    EXPECT_EQ(second.conflicts.Count(), 2);
    a.Sync();
    b.Sync();
    ExpectSame();
    EXPECT_EQ(a.Find(x)->PlainText, S("X from the desk"));
    EXPECT_EQ(a.Find(y)->PlainText, S("Y from the laptop"));
    // Each losing edit once, as a new note carrying "sync conflict", on both machines.
    for (Machine* m : {&a, &b}) {
        QStringList copies;
        for (const NoteRecord& note : m->Db().LoadAllNotes()) {
            if (KeyWordsOf(note).contains(SyncFormat::ConflictKeyWord()))
                copies.append(note.PlainText);
        }
        copies.sort();
        EXPECT_EQ(copies, (QStringList {S("X from the laptop"), S("Y from the desk")}))
            << qPrintable(m->Name());
    }
    // The closing message names the key word and lists the copies by id.
    const QString text = SyncReportText(second);
    EXPECT_TRUE(text.contains(S("\"sync conflict\""))) << qPrintable(text);
    for (const NoteRecord& note : b.Db().LoadAllNotes()) {
        if (KeyWordsOf(note).contains(SyncFormat::ConflictKeyWord()))
            EXPECT_TRUE(second.conflicts.Contains(note.NoteID)) << note.NoteID;
    }
    for (qint32 id : second.conflicts)
        EXPECT_TRUE(text.contains(QString::number(id))) << qPrintable(text);
}

TEST_F(TwoMachines, ADeletionTravelsButANoteEditedAfterItSurvives)
{
    const QString kept = a.Add(S("Edited after the deletion"));
    const QString gone = a.Add(S("Deleted everywhere"));
    const QString early = a.Add(S("Edited before the deletion"));
    SyncTwice();

    m_clock.Tick();
    b.EditText(early, S("Edited on the laptop before the desk deleted it"));
    m_clock.Tick();
    a.Delete(kept);
    a.Delete(gone);
    a.Delete(early);
    m_clock.Tick();
    b.EditText(kept, S("Edited on the laptop after the desk deleted it"));

    SyncTwice();
    ExpectSame();
    EXPECT_FALSE(a.Find(gone));
    EXPECT_FALSE(b.Find(gone));
    EXPECT_EQ(a.Find(kept)->PlainText, S("Edited on the laptop after the desk deleted it"));
    EXPECT_FALSE(b.Find(early));
}

// A note stored without a GUID (an old file's) is given a new one at each reading: the
// sync stores the one it sends, so the note travels once and is replaced, not copied, by
// the other machine's edit.
TEST_F(TwoMachines, ANoteStoredWithoutAGuidTravelsOnce)
{
    NoteRecord old;
    old.NoteID = 1500;
    old.DateAdded = DateTime::FromParts(2003, 5, 6, 7, 8, 9);
    old.LastEdited = old.DateAdded;
    old.PlainText = S("From an old file");
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), a.Folder().FullPath(NoteFileName(old)), {old}));
    a.Reload();
    SyncTwice();
    SyncTwice();
    ExpectSame();
    EXPECT_EQ(b.Texts(), QStringList {S("From an old file")});
    ASSERT_EQ(a.Db().LoadAllNotes().size(), 1);
    const QString guid = a.Db().LoadAllNotes().first().NoteGUID;
    EXPECT_EQ(a.Db().LoadAllNotes().first().NoteGUID, guid); // stored: the same at every reading

    m_clock.Tick();
    b.EditText(guid, S("From an old file, edited on the laptop"));
    SyncTwice();
    ExpectSame();
    EXPECT_EQ(a.Texts(), QStringList {S("From an old file, edited on the laptop")});
}

} // namespace
