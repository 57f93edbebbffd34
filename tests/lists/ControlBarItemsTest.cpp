#include "lists/ControlBarItems.h"

#include "categories/CategoryNode.h"
#include "categories/KeyWordList.h"
#include "store/NoteDatabase.h"
#include "store/NoteDatabaseFixture.h"
#include "store/SourceStore.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// "label" for a top-level item, "  label" under a group, "[label]" for a group.
QStringList Outline(const QList<SelectionItem>& items)
{
    QStringList lines;
    for (const SelectionItem& item : items) {
        const QString label = item.group ? S("[") + item.label + S("]") : item.label;
        lines.append(item.parent >= 0 ? S("  ") + label : label);
    }
    return lines;
}

class ControlBarItemsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SourceList sources {MakeSource(1001, S("Origin")), MakeSource(1002, S("Voyage")),
                            MakeSource(1003, S("Origin")), MakeSource(1004, S("Flora")),
                            MakeSource(1005, S(""))};
        sources[0].Fields[1] = S("Murray");
        sources[1].Fields[1] = S("Colburn");
        sources[2].Fields[1] = S("Murray");
        sources[0].AuthorIds = sources[1].AuthorIds = sources[2].AuthorIds = {1};
        sources[3].AuthorIds = {2};
        sources[2].DateSet = sources[0].DateSet = true;
        sources[0].Date = DateTime::FromParts(1859, 11, 24, 0, 0, 0);
        sources[2].Date = DateTime::FromParts(1872, 1, 1, 0, 0, 0);
        sources[0].YearOnly = sources[2].YearOnly = 1;
        root.WriteSources(sources);
        root.WriteAuthors({AuthorRecord {1, S("Charles"), QString(), S("Darwin"), {}, {}},
                           AuthorRecord {2, S("Joseph"), QString(), S("Hooker"), {}, {}}});
        root.WriteNotes(S("SRC0000001001.dat"), {MakeNote(11, 1001, Day(2009, 1, 3), S("evolution, Art"))});
        root.WriteNotes(S("SRC0000001004.dat"), {MakeNote(12, 1004, Day(2009, 1, 3), S("botany"))});
        root.WriteNotes(S("DAY01032009.dat"), {MakeNote(13, 0, Day(2009, 1, 3), S("art"))});
        db.LoadNoteDatabase(sourceStore);
    }

    Root root;
    ChangeNotice changes;
    SourceStore sourceStore {root.folder, changes};
    NoteDatabase db {root.folder, changes};
};

TEST_F(ControlBarItemsTest, TitlesGroupOnlySharedTitlesAndLeaveEmptyLabelsOut)
{
    const QList<SelectionItem> items
        = ControlBarItems::SourceItems(db, sourceStore, ControlBarItems::ByTitles);
    // "<" sorts before letters; the two sources of one title keep the source list order.
    EXPECT_EQ(Outline(items),
              (QStringList {S("<NO_SOURCE>"), S("Flora"), S("[Origin]"), S("  Origin"), S("  Origin"),
                            S("Voyage")}));
    EXPECT_EQ(items.at(3).data, 1001);
    EXPECT_EQ(items.at(4).data, 1003);
    EXPECT_EQ(items.at(3).notes.Ids(), (QList<qint32> {11}));
    EXPECT_EQ(items.at(0).notes.Ids(), (QList<qint32> {13}));
    EXPECT_EQ(items.at(0).data, UNASSIGNED_CATEGORY_ID);
    EXPECT_EQ(items.at(2).data, -1);
}

TEST_F(ControlBarItemsTest, PublicationsAndAuthorsGroupEverySource)
{
    EXPECT_EQ(Outline(ControlBarItems::SourceItems(db, sourceStore, ControlBarItems::ByPublications)),
              (QStringList {S("<NO_SOURCE>"), S("[Colburn]"), S("  Voyage"), S("[Murray]"), S("  Origin"),
                            S("  Origin")}));
    const QStringList byAuthor
        = Outline(ControlBarItems::SourceItems(db, sourceStore, ControlBarItems::ByAuthors));
    ASSERT_EQ(byAuthor.size(), 7);
    EXPECT_TRUE(byAuthor.at(1).startsWith(S("[Darwin")));
    // Two titles alike under one author are told apart by what differs: the year.
    EXPECT_EQ(byAuthor.at(2), S("  Origin: 1859"));
    EXPECT_EQ(byAuthor.at(3), S("  Voyage"));
    EXPECT_EQ(byAuthor.at(4), S("  Origin: 1872"));
    EXPECT_TRUE(byAuthor.at(5).startsWith(S("[Hooker")));
}

TEST_F(ControlBarItemsTest, KeyWordsAreSortedIgnoringCaseAndKeepTheirPosition)
{
    const QList<SelectionItem> items = ControlBarItems::KeyWordItems(db.KeyWords());
    // The files load in name order, so the list met "art" (note 13) first; words equal
    // but for case keep that order.
    EXPECT_EQ(Outline(items), (QStringList {S("art"), S("Art"), S("botany"), S("evolution")}));
    // data is the word's place in the database's list: art, evolution, Art, botany.
    EXPECT_EQ(items.at(0).data, 0);
    EXPECT_EQ(items.at(3).data, 1);
    EXPECT_EQ(items.at(1).notes.Ids(), (QList<qint32> {11}));
}

} // namespace
