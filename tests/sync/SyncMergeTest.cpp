// The rules by which a sync decides what to do with each incoming note and deletion.
#include "sync/SyncMerge.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kGuid = S("{11111111-2222-3333-4444-555555555555}");

DateTime At(int minute)
{
    return DateTime::FromParts(2024, 3, 1, 10, minute, 0);
}

NoteVersion V(const char* fingerprint, int minute, QList<QByteArray> history = {})
{
    return NoteVersion {QByteArray(fingerprint), std::move(history), At(minute)};
}

QHash<QString, SyncedNote> Local(const NoteVersion& version, qint32 id = 1001)
{
    return {{kGuid, SyncedNote {id, kGuid, {}, version}}};
}

Tombstone Deleted(int minute, const char* fingerprint, QList<QByteArray> history = {})
{
    Tombstone tomb;
    tomb.guid = kGuid;
    tomb.when = At(minute);
    tomb.version.fingerprint = fingerprint;
    tomb.version.history = std::move(history);
    return tomb;
}

// What one incoming version does to a local one, in words.
QString Decide(const QHash<QString, SyncedNote>& local, const NoteVersion& incoming,
               const QHash<QString, Tombstone>& tombstones = {})
{
    SyncMerge merge(local, tombstones);
    merge.OfferNote(kGuid, incoming, {0, 0});
    const SyncMerge::Outcome outcome = merge.Result();
    QStringList words;
    for (const TakeOrder& take : outcome.take)
        words.append(take.localId > 0 ? S("replace") : S("add"));
    for (const ConflictCopyOrder& copy : outcome.copies)
        words.append(copy.localId > 0 ? S("copy local") : S("copy incoming"));
    return words.isEmpty() ? S("nothing") : words.join(QLatin1Char('+'));
}

TEST(SyncMerge, AnIncomingVersionAgainstTheLocalOne)
{
    const NoteVersion base = V("base", 0);
    struct Case
    {
        const char* what;
        NoteVersion local;
        NoteVersion incoming;
        const char* expected;
    } cases[] = {
        {"the same version", V("b", 5, {"base"}), V("b", 5, {"base"}), "nothing"},
        {"an edit of the local version", base, V("b", 5, {"base"}), "replace"},
        {"an edit of an older local version", V("c", 9, {"b", "base"}), V("b", 5, {"base"}), "nothing"},
        {"both edited, the incoming later", V("l", 5, {"base"}), V("r", 6, {"base"}), "replace+copy local"},
        {"both edited, the local later", V("l", 7, {"base"}), V("r", 6, {"base"}), "copy incoming"},
        {"a version unrelated, older", V("l", 1), V("r", 0), "copy incoming"},
        // A key word attached leaves LastEdited alone: the fingerprint still tells.
        {"a change that kept its date", base, V("k", 0, {"base"}), "replace"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decide(Local(c.local), c.incoming), S(c.expected)) << c.what;
}

TEST(SyncMerge, BothMachinesPickTheSameWinnerAndTheSameCopy)
{
    // Edited in the same second on both machines: the larger fingerprint wins everywhere.
    const NoteVersion mine = V("aaaa", 5, {"base"});
    const NoteVersion theirs = V("bbbb", 5, {"base"});
    SyncMerge here(Local(mine, 1001), {});
    here.OfferNote(kGuid, theirs, {0, 0});
    SyncMerge there(Local(theirs, 2001), {});
    there.OfferNote(kGuid, mine, {0, 0});
    const SyncMerge::Outcome a = here.Result();
    const SyncMerge::Outcome b = there.Result();
    ASSERT_EQ(a.take.size(), 1); // "bbbb" replaces "aaaa" here...
    EXPECT_TRUE(b.take.isEmpty()); // ...and stays there
    ASSERT_EQ(a.copies.size(), 1);
    ASSERT_EQ(b.copies.size(), 1);
    EXPECT_EQ(a.copies.first().copyGuid, b.copies.first().copyGuid);
    EXPECT_EQ(a.copies.first().copyGuid, ConflictCopyGuid(kGuid, "aaaa"));
    EXPECT_EQ(a.copies.first().localId, 1001);
    EXPECT_EQ(b.copies.first().incoming, (EntryRef {0, 0}));
    // The winner remembers the loser, so the loser coming again changes nothing.
    EXPECT_TRUE(a.versions.value(kGuid).Knows("aaaa"));
    EXPECT_TRUE(b.versions.value(kGuid).Knows("aaaa"));
}

TEST(SyncMerge, AConflictCopyIsMadeOnce)
{
    QHash<QString, SyncedNote> local = Local(V("l", 5, {"base"}));
    const QString copyGuid = ConflictCopyGuid(kGuid, "l");
    local.insert(copyGuid, SyncedNote {1002, copyGuid, {}, V("lc", 5)});
    EXPECT_EQ(Decide(local, V("r", 6, {"base"})), S("replace"));
    // The copy made on the other machine arrives: the same note.
    SyncMerge merge(Local(V("l", 5, {"base"})), {});
    merge.OfferNote(kGuid, V("r", 6, {"base"}), {0, 0});
    merge.OfferNote(copyGuid, V("lc", 5), {0, 1});
    EXPECT_EQ(merge.Result().copies.size(), 1);
    EXPECT_EQ(merge.Result().take.size(), 1);
}

TEST(SyncMerge, DeletionsTravelButLaterEditsSurvive)
{
    struct Case
    {
        const char* what;
        NoteVersion local;
        Tombstone tomb;
        bool deleted;
    } cases[] = {
        {"the version deleted", V("b", 5, {"base"}), Deleted(9, "b", {"base"}), true},
        {"a version the deleted one grew from", V("base", 0), Deleted(9, "b", {"base"}), true},
        {"edited before the deletion", V("l", 5, {"base"}), Deleted(9, "b", {"base"}), true},
        {"edited after the deletion", V("l", 10, {"base"}), Deleted(9, "b", {"base"}), false},
        {"a deletion of unknown time spares what it does not know", V("l", 5, {"base"}), Deleted(0, "b"),
         false},
    };
    for (Case& c : cases) {
        if (QByteArray(c.what).contains("unknown"))
            c.tomb.when = DateTime::Invalid();
        SyncMerge merge(Local(c.local), {});
        merge.OfferDeletion(c.tomb);
        const SyncMerge::Outcome outcome = merge.Result();
        EXPECT_EQ(outcome.deleteIds, c.deleted ? QList<qint32> {1001} : QList<qint32> {}) << c.what;
        EXPECT_TRUE(outcome.tombstones.contains(kGuid)) << c.what;
    }
}

TEST(SyncMerge, AKnownDeletionKeepsOlderVersionsFromComingBack)
{
    const QHash<QString, Tombstone> deleted {{kGuid, Deleted(9, "b", {"base"})}};
    EXPECT_EQ(Decide({}, V("b", 5, {"base"}), deleted), S("nothing"));
    EXPECT_EQ(Decide({}, V("x", 8), deleted), S("nothing"));
    EXPECT_EQ(Decide({}, V("later", 12, {"b"}), deleted), S("add"));
    EXPECT_EQ(Decide({}, V("new", 1)), S("add"));
}

// A version and the one it grew from, from two machines, in either order.
TEST(SyncMerge, TheOrderOfTheMachinesDoesNotMatter)
{
    const NoteVersion first = V("v1", 1);
    const NoteVersion second = V("v2", 2, {"v1"});
    for (const bool secondFirst : {false, true}) {
        SyncMerge merge({}, {});
        if (secondFirst) {
            merge.OfferNote(kGuid, second, {1, 0});
            merge.OfferNote(kGuid, first, {0, 0});
        } else {
            merge.OfferNote(kGuid, first, {0, 0});
            merge.OfferNote(kGuid, second, {1, 0});
        }
        const SyncMerge::Outcome outcome = merge.Result();
        ASSERT_EQ(outcome.take.size(), 1);
        EXPECT_EQ(outcome.take.first().entry, (EntryRef {1, 0})) << secondFirst;
        EXPECT_TRUE(outcome.copies.isEmpty()) << secondFirst;
    }
}

} // namespace
