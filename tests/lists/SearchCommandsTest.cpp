#include "lists/SearchCommands.h"

#include "lists/CurrentNotesList.h"
#include "lists/NoteMatcher.h"
#include "richtext/RtfText.h"
#include "store/NoteDatabase.h"
#include "store/NoteDatabaseFixture.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

NoteRecord TextNote(qint32 id, int day, const QString& text)
{
    // One source, so that all notes share one file and the search meets them in order.
    NoteRecord note = MakeNote(id, 1, Day(2020, 1, day));
    note.PlainText = text;
    note.RichText = QString::fromLatin1(PlainTextToRtf(text));
    return note;
}

class SearchCommandsTest : public ::testing::Test
{
protected:
    SearchCommandsTest()
    {
        root.WriteNotes(QStringLiteral("SRC0000000001.dat"),
                        {TextNote(1, 1, QStringLiteral("apple pie")), TextNote(2, 2, QStringLiteral("pear")),
                         TextNote(3, 3, QStringLiteral("apple tart")),
                         TextNote(4, 4, QStringLiteral("APPLE"))});
        database.LoadNoteDatabase(sources);
    }

    void SetList(const NoteIdList& ids) { current.SetCurrentList(ids, -1); }
    QList<qint32> ListIds() const { return current.NoteIds().Ids(); }
    QList<qint32> HighlightedIds() const
    {
        QList<qint32> ids;
        for (const NoteRecord& note : current.LoadAllNotes()) {
            if (!HighlightedText(note).isEmpty())
                ids.append(note.NoteID);
        }
        return ids;
    }
    QList<qint32> JustAddedIds() const
    {
        QList<qint32> ids;
        for (const ListedNote& note : current.Entries()) {
            if (note.JustAdded)
                ids.append(note.NoteID);
        }
        return ids;
    }

    Root root;
    ChangeNotice changes;
    SourceStore sources {root.folder, changes};
    NoteDatabase database {root.folder, changes};
    CurrentNotesList current {database, sources, changes};
    ScriptedPrompt prompt;
};

} // namespace

TEST_F(SearchCommandsTest, DatabaseSearchMergesIntoTheCurrentList)
{
    SetList({2, 3});
    // The window clears its selection when notes join the list, and redraws once.
    int cleared = 0;
    int refreshed = 0;
    const ChangeNotice::Subscription window = changes.Subscribe([&](const DataChange& change) {
        cleared += change.Has(DataChange::ListNotes) ? 1 : 0;
        ++refreshed;
    });
    const SearchRun run = RunDatabaseSearch(QStringLiteral("  apple "), database, current, 805, prompt);
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(run.count, 3); // note 3 was already in the list and still counts
    EXPECT_EQ(run.matches, (NoteIdList {1, 3, 4}));
    EXPECT_EQ(ListIds(), (QList<qint32> {2, 3, 1, 4}));
    EXPECT_EQ(HighlightedIds(), (QList<qint32> {3, 1, 4}));
    EXPECT_EQ(JustAddedIds(), (QList<qint32> {1, 4}));
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(refreshed, 1);
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History()[0].text, QStringLiteral("Your search returned  *3*  results."));
    EXPECT_EQ(prompt.History()[0].caption, QStringLiteral("Finished Search!"));
    EXPECT_EQ(prompt.History()[0].icon, UserPrompt::Icon::Information);

    // The next search clears the previous highlights and just-added flags.
    RunDatabaseSearch(QStringLiteral("pear"), database, current, 805, prompt);
    EXPECT_EQ(ListIds(), (QList<qint32> {2, 3, 1, 4}));
    EXPECT_EQ(HighlightedIds(), (QList<qint32> {2}));
    EXPECT_TRUE(JustAddedIds().isEmpty());
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Your search returned  *1*  results."));
}

TEST_F(SearchCommandsTest, PlacementAndSortOrder)
{
    SetList({2, 3});
    RunDatabaseSearch(QStringLiteral("apple"), database, current, 705, prompt);
    EXPECT_EQ(ListIds(), (QList<qint32> {1, 4, 2, 3})); // new notes above, in the order found

    SetList({3, 2});
    RunDatabaseSearch(QStringLiteral("apple"), database, current, 701, prompt);
    EXPECT_EQ(ListIds(), (QList<qint32> {1, 2, 3, 4})); // the whole list by date added

    SetList({});
    RunDatabaseSearch(QStringLiteral("SHOWALL"), database, current, 805, prompt);
    EXPECT_EQ(ListIds(), (QList<qint32> {1, 2, 3, 4}));
    EXPECT_TRUE(HighlightedIds().isEmpty());
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Your search returned  *4*  results."));
}

TEST_F(SearchCommandsTest, RefusedAndEmptySearchesChangeNothing)
{
    SetList({3, 1});
    EXPECT_FALSE(RunDatabaseSearch(QStringLiteral("   "), database, current, 805, prompt).ran);
    EXPECT_TRUE(prompt.History().isEmpty());

    EXPECT_FALSE(
        RunDatabaseSearch(QStringLiteral("apple AND pie OR tart"), database, current, 805, prompt).ran);
    ASSERT_EQ(prompt.History().size(), 1); // the refusal only, once
    EXPECT_EQ(prompt.History()[0].caption, QStringLiteral("Invalid Search String"));
    EXPECT_EQ(ListIds(), (QList<qint32> {3, 1}));

    const SearchRun none = RunDatabaseSearch(QStringLiteral("plum"), database, current, 805, prompt);
    EXPECT_TRUE(none.ran);
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Your search returned  *0*  results."));
    EXPECT_EQ(ListIds(), (QList<qint32> {3, 1}));
}

TEST_F(SearchCommandsTest, CurrentNotesSearchKeepsTheList)
{
    SetList({3, 2, 4});
    const SearchRun run = RunCurrentNotesSearch(QStringLiteral("apple"), database, current, prompt);
    EXPECT_EQ(run.count, 2);
    EXPECT_EQ(run.matches, (NoteIdList {3, 4}));
    EXPECT_EQ(ListIds(), (QList<qint32> {3, 2, 4})); // note 1 matches too but is not brought in
    EXPECT_EQ(HighlightedIds(), (QList<qint32> {3, 4}));
    EXPECT_TRUE(JustAddedIds().isEmpty());
    EXPECT_EQ(prompt.LastText(), QStringLiteral("Your search returned  *2*  results."));
}
