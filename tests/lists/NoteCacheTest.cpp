// The cache of note files behind the current list: a listed note is read whole when it
// is drawn, so a copy kept from before a save, a move or a deletion must never be shown.
#include "store/NoteCache.h"

#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/NoteDatabaseFixture.h"
#include "store/SourceStore.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

class NoteCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root.WriteSources({MakeSource(7, QStringLiteral("Seven"))});
        root.WriteNotes(QStringLiteral("DAY01032009.dat"),
                        {MakeNote(11, 0, Day(2009, 1, 3)), MakeNote(12, 0, Day(2009, 1, 3))});
        root.WriteNotes(QStringLiteral("SRC0000000007.dat"), {MakeNote(13, 7, Day(2008, 5, 5))});
        db.LoadNoteDatabase(sources);
        list.SetCurrentList(NoteIdList {11, 12, 13}, -1);
    }

    QString TextOf(qint32 id) const
    {
        const std::optional<NoteRecord> note = list.FindNote(id);
        return note ? note->PlainText : QStringLiteral("<none>");
    }

    const FixedClock clock {QDateTime(QDate(2009, 1, 3), QTime(10, 30, 0))};
    Root root;
    ChangeNotice changes;
    SourceStore sources {root.folder, changes};
    NoteDatabase db {root.folder, changes};
    CurrentNotesList list {db, sources, changes};
};

} // namespace

TEST_F(NoteCacheTest, ASavedNoteIsReadAfresh)
{
    ASSERT_EQ(TextOf(11), QStringLiteral("Note 11")); // the file is now cached
    ASSERT_EQ(TextOf(12), QStringLiteral("Note 12"));
    NoteRecord previous = *list.FindNote(12);
    NoteRecord edited = previous;
    edited.PlainText = QStringLiteral("edited");
    edited.RichText = QStringLiteral("{\\rtf1 edited\\par\n}");
    ASSERT_TRUE(db.SaveNote(previous, edited));
    EXPECT_EQ(TextOf(12), QStringLiteral("edited"));
    EXPECT_EQ(TextOf(11), QStringLiteral("Note 11"));
    EXPECT_EQ(list.NoteAt(1).RichText, edited.RichText);
    // The list's keys follow the save.
    EXPECT_EQ(list.Entries().at(1).TextChars, 6);
}

TEST_F(NoteCacheTest, AMovedNoteIsFoundInItsNewFile)
{
    ASSERT_EQ(TextOf(11), QStringLiteral("Note 11"));
    ASSERT_EQ(TextOf(13), QStringLiteral("Note 13"));
    NoteRecord previous = *list.FindNote(11);
    NoteRecord edited = previous;
    edited.SourceID = 7; // into SRC0000000007.dat
    edited.PlainText = QStringLiteral("moved");
    ASSERT_TRUE(db.SaveNote(previous, edited));
    EXPECT_EQ(TextOf(11), QStringLiteral("moved"));
    EXPECT_EQ(list.NoteAt(0).SourceID, 7);
    EXPECT_EQ(list.Entries().at(0).SourceID, 7);
    EXPECT_EQ(TextOf(13), QStringLiteral("Note 13"));
}

TEST_F(NoteCacheTest, ADeletedNoteIsGoneFromTheListAndTheCache)
{
    ASSERT_EQ(TextOf(12), QStringLiteral("Note 12"));
    ASSERT_EQ(db.DeleteNotes({*list.FindNote(12)}).changed, NoteIdList {12});
    EXPECT_EQ(TextOf(12), QStringLiteral("<none>"));
    EXPECT_FALSE(db.ReadNote(12));
    EXPECT_EQ(list.NoteIds(), (NoteIdList {11, 13}));
    EXPECT_EQ(TextOf(11), QStringLiteral("Note 11"));
}

// A file rewritten behind the cache's back (another window's save, an import) is read
// again; a file that disappears gives nothing.
TEST(NoteCache, ServesAFileOnlyWhileItIsUnchangedOnDisk)
{
    Root root;
    const QString path = root.NotesPath(QStringLiteral("DAY01012020.dat"));
    root.WriteNotes(QStringLiteral("DAY01012020.dat"), {MakeNote(1, 0, Day(2020, 1, 1))});
    NoteCache cache;
    ASSERT_EQ(cache.Find(path, 1)->PlainText, QStringLiteral("Note 1"));
    EXPECT_FALSE(cache.Find(path, 2));

    NoteRecord changed = MakeNote(1, 0, Day(2020, 1, 1));
    changed.PlainText = QStringLiteral("Note 9"); // the same size as before
    root.WriteNotes(QStringLiteral("DAY01012020.dat"), {changed, MakeNote(2, 0, Day(2020, 1, 1))});
    EXPECT_EQ(cache.Find(path, 1)->PlainText, QStringLiteral("Note 9"));
    EXPECT_EQ(cache.Find(path, 2)->PlainText, QStringLiteral("Note 2"));

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(cache.Find(path, 1));
    EXPECT_EQ(cache.FilesHeld(), 0);
}

// The texts kept stay within the budget: the files used least recently go first, and the
// file just asked for is always served.
TEST(NoteCache, KeepsWithinItsBudget)
{
    Root root;
    QStringList paths;
    for (int day = 1; day <= 6; ++day) {
        NoteRecord note = MakeNote(day, 0, Day(2020, 1, day));
        note.PlainText = QString(2000, QLatin1Char('x'));
        const QString name = QStringLiteral("DAY010%12020.dat").arg(day);
        root.WriteNotes(name, {note});
        paths.append(root.NotesPath(name));
    }
    NoteCache cache(10000); // room for two of these files
    for (int i = 0; i < paths.size(); ++i)
        ASSERT_TRUE(cache.Find(paths.at(i), i + 1));
    EXPECT_LE(cache.BytesHeld(), 10000);
    EXPECT_EQ(cache.FilesHeld(), 2);
    NoteCache tiny(10);
    EXPECT_EQ(tiny.Find(paths.first(), 1)->PlainText.size(), 2000);
    EXPECT_EQ(tiny.FilesHeld(), 1);
}
