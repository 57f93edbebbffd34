#include "categories/CategoryTreeLoader.h"

#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "categories/NoteIdMap.h"
#include "categories/NoteIdSet.h"

#include <QJsonDocument>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Json(const CategoryTree& tree)
{
    return QJsonDocument(tree.ToJson()).toJson(QJsonDocument::Compact);
}

// A path drawn from a small vocabulary, so that notes share categories: levels may be
// missing, unassigned, listed out of order or twice, or beyond Level 4.
CategoryAssignment RandomPath(std::mt19937& random)
{
    static const QStringList names = {QStringLiteral("Art"), QStringLiteral("art"), QStringLiteral("Science"),
                                      QStringLiteral("Physics"), QStringLiteral("<UNASSIGNED>")};
    CategoryAssignment a;
    a.entries.clear();
    const int count = static_cast<int>(random() % 7);
    for (int i = 0; i < count; ++i) {
        CategoryLevelEntry entry;
        entry.level = static_cast<qint32>(random() % 10 == 0 ? 4 : (i + (random() % 4 == 0 ? 1 : 0)) % 4);
        entry.name = names.at(static_cast<qsizetype>(random() % names.size()));
        a.entries.append(entry);
    }
    return a;
}

} // namespace

TEST(CategoryTreeLoader, BuildsTheTreesTheGeneralFilingBuilds)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        CategoryTree expected;
        NoteIdList expectedUnassigned;
        CategoryTree loaded;
        NoteIdList loadedUnassigned;
        CategoryTreeLoader loader(loaded);
        NoteIdSet seen;
        for (int note = 0; note < 300; ++note) {
            // Some ids come twice, as when a note is stored in two files.
            const qint32 id = static_cast<qint32>(1000 + random() % 250);
            const CategoryAssignment path = RandomPath(random);
            expected.AddNoteAtLoad(id, path, expectedUnassigned);
            loader.AddNote(id, path, loadedUnassigned, seen.Insert(id));
        }
        ASSERT_EQ(Json(loaded), Json(expected)) << "seed " << seed;
        ASSERT_EQ(loadedUnassigned, expectedUnassigned) << "seed " << seed;
    }
}

TEST(CategoryTreeLoader, NewNotesKeyWordsEqualTheGeneralMergeAndCanBeRemoved)
{
    const QStringList texts = {QStringLiteral("Art, Science"), QStringLiteral("art,Art, art"),
                               QStringLiteral(" , ,"), QStringLiteral("a,,b"), QStringLiteral("Science,")};
    KeyWordList general;
    KeyWordList fast;
    NoteIdSet seen;
    std::mt19937 random(7);
    for (int note = 0; note < 200; ++note) {
        const qint32 id = static_cast<qint32>(1 + random() % 120);
        const QString& text = texts.at(static_cast<qsizetype>(random() % texts.size()));
        general.AddNoteKeyWords(id, text);
        if (seen.Insert(id))
            fast.AddKeyWordsOfNewNote(id, text);
        else
            fast.AddNoteKeyWords(id, text);
    }
    ASSERT_EQ(fast, general);
    // Removal finds every word of a note although the fast path kept no list of them.
    for (qint32 id = 1; id <= 120; id += 3) {
        general.RemoveNoteKeyWords(id);
        fast.RemoveNoteKeyWords(id);
    }
    EXPECT_EQ(fast, general);
    for (qint32 id = 1; id <= 120; ++id)
        fast.RemoveNoteKeyWords(id);
    EXPECT_TRUE(fast.IsEmpty());
}

TEST(CategoryTreeLoader, IdSetsAndMapsHoldHugeAndNegativeIds)
{
    NoteIdSet set;
    NoteIdMap map;
    for (const qint32 id : {1000, 0, -5, 2147483647, 5000000, 1000}) {
        const bool fresh = !set.Contains(id);
        EXPECT_EQ(set.Insert(id), fresh) << id;
        EXPECT_TRUE(set.Contains(id)) << id;
        if (fresh)
            EXPECT_EQ(map.Value(id), NoteIdMap::kAbsent) << id;
        map.Slot(id) = id == 1000 ? 1 : 2;
    }
    EXPECT_FALSE(set.Contains(1001));
    EXPECT_EQ(map.Value(2147483647), 2);
    EXPECT_EQ(map.Value(-5), 2);
    EXPECT_EQ(map.Value(1000), 1);
    map.Remove(2147483647);
    map.Remove(1000);
    EXPECT_EQ(map.Value(2147483647), NoteIdMap::kAbsent);
    EXPECT_EQ(map.Value(1000), NoteIdMap::kAbsent);
    EXPECT_EQ(map.Value(5000000), 2);
}
