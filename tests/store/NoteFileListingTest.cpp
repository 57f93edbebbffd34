// The note files' names are kept between searches: every file made, removed or renamed
// since is in the next listing, whether the last one was made long after the folder's
// last change (and kept) or just after it.
#include "store/NoteFileListing.h"

#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/NoteDatabaseFixture.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace DatabaseFixture;

class NoteFileListingTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(NoteFileListingTest, FollowsTheFolderAtOnce)
{
    Root root;
    root.WriteNotes(QStringLiteral("DAY01012009.dat"), {MakeNote(1, 0, Day(2009, 1, 1))});
    ChangeNotice changes;
    NoteDatabase database(root.folder, changes);
    // Listed an hour after the folder changed, or at once.
    const bool kept = GetParam();
    NoteFileListing listing(root.folder.NotesFolder(),
                            [kept] { return QDateTime::currentSecsSinceEpoch() + (kept ? 3600 : 0); });
    EXPECT_EQ(listing.Names(), QStringList {QStringLiteral("DAY01012009.dat")});

    root.WriteNotes(QStringLiteral("DAY01022009.dat"), {MakeNote(2, 0, Day(2009, 1, 2))});
    root.WriteRaw(root.NotesPath(QStringLiteral("notes.DAT")), "not a note file's name");
    EXPECT_EQ(listing.Names(), database.NoteFileNames());
    EXPECT_EQ(listing.Names().size(), 2);

    ASSERT_TRUE(QFile::rename(root.NotesPath(QStringLiteral("DAY01012009.dat")),
                              root.NotesPath(QStringLiteral("SRC0000000007.dat"))));
    EXPECT_EQ(listing.Names(),
              (QStringList {QStringLiteral("DAY01022009.dat"), QStringLiteral("SRC0000000007.dat")}));
    ASSERT_TRUE(QFile::remove(root.NotesPath(QStringLiteral("DAY01022009.dat"))));
    EXPECT_EQ(listing.Names(), QStringList {QStringLiteral("SRC0000000007.dat")});
}

INSTANTIATE_TEST_SUITE_P(ListedLateOrSoon, NoteFileListingTest, ::testing::Bool());
