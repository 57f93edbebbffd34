// The change notice itself: who hears a change, in which order, and what happens when a
// listener goes away, raises a change or subscribes while it listens.
#include "store/ChangeNotice.h"

#include <gtest/gtest.h>

namespace {

DataChange Change(DataChange::Aspects aspects, NoteIdList notes = {})
{
    DataChange change;
    change.aspects = aspects;
    change.notes = std::move(notes);
    return change;
}

} // namespace

TEST(ChangeNotice, EveryListenerHearsEachChangeOnceInSubscriptionOrder)
{
    ChangeNotice notice;
    QStringList heard;
    ChangeNotice::Subscription first = notice.Subscribe(
        [&](const DataChange& change) { heard.append(QStringLiteral("first %1").arg(change.notes.At(0))); });
    ChangeNotice::Subscription second = notice.Subscribe(
        [&](const DataChange& change) { heard.append(QStringLiteral("second %1").arg(change.notes.At(0))); });
    notice.Raise(Change(DataChange::NotesSaved, {7}));
    notice.Raise(Change(DataChange::NotesDeleted, {8}));
    EXPECT_EQ(heard,
              (QStringList {QStringLiteral("first 7"), QStringLiteral("second 7"), QStringLiteral("first 8"),
                            QStringLiteral("second 8")}));

    // A change of nothing is told to nobody.
    notice.Raise(DataChange());
    EXPECT_EQ(heard.size(), 4);
}

TEST(ChangeNotice, ACancelledOrDroppedSubscriptionHearsNothingMore)
{
    ChangeNotice notice;
    int heard = 0;
    {
        ChangeNotice::Subscription scoped = notice.Subscribe([&](const DataChange&) { ++heard; });
        notice.Raise(Change(DataChange::KeyWords));
        EXPECT_EQ(notice.ListenerCount(), 1);
    }
    notice.Raise(Change(DataChange::KeyWords));
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(notice.ListenerCount(), 0);

    ChangeNotice::Subscription moved = notice.Subscribe([&](const DataChange&) { ++heard; });
    ChangeNotice::Subscription kept = std::move(moved);
    EXPECT_FALSE(moved.IsActive());
    notice.Raise(Change(DataChange::KeyWords));
    EXPECT_EQ(heard, 2);
    kept.Cancel();
    notice.Raise(Change(DataChange::KeyWords));
    EXPECT_EQ(heard, 2);
}

TEST(ChangeNotice, ASubscriptionMayOutliveItsNotice)
{
    ChangeNotice::Subscription orphan;
    {
        ChangeNotice notice;
        orphan = notice.Subscribe([](const DataChange&) {});
        EXPECT_TRUE(orphan.IsActive());
    }
    EXPECT_FALSE(orphan.IsActive());
    orphan.Cancel(); // nothing to leave: no crash
}

// A listener that raises a change (the current list following a deletion) has it told to
// everyone before the outer change goes on; one that cancels a later listener keeps that
// one from hearing the rest; one added while a change is told hears only the next.
TEST(ChangeNotice, ListenersMayRaiseCancelAndSubscribeWhileTheyListen)
{
    ChangeNotice notice;
    QStringList heard;
    ChangeNotice::Subscription late;
    ChangeNotice::Subscription third;
    ChangeNotice::Subscription first = notice.Subscribe([&](const DataChange& change) {
        heard.append(QStringLiteral("first %1").arg(int(change.aspects)));
        if (change.Has(DataChange::NotesDeleted))
            notice.Raise(Change(DataChange::ListNotes));
        if (change.Has(DataChange::Sources)) {
            third.Cancel();
            late = notice.Subscribe([&](const DataChange&) { heard.append(QStringLiteral("late")); });
        }
    });
    ChangeNotice::Subscription second = notice.Subscribe([&](const DataChange& change) {
        heard.append(QStringLiteral("second %1").arg(int(change.aspects)));
    });
    third = notice.Subscribe([&](const DataChange&) { heard.append(QStringLiteral("third")); });

    notice.Raise(Change(DataChange::NotesDeleted));
    const QString deleted = QString::number(int(DataChange::NotesDeleted));
    const QString list = QString::number(int(DataChange::ListNotes));
    EXPECT_EQ(heard,
              (QStringList {QStringLiteral("first ") + deleted, QStringLiteral("first ") + list,
                            QStringLiteral("second ") + list, QStringLiteral("third"),
                            QStringLiteral("second ") + deleted, QStringLiteral("third")}));

    heard.clear();
    notice.Raise(Change(DataChange::Sources));
    EXPECT_EQ(heard.size(), 2); // first and second; third cancelled, late not yet there
    EXPECT_FALSE(heard.contains(QStringLiteral("third")));
    EXPECT_FALSE(heard.contains(QStringLiteral("late")));
    heard.clear();
    notice.Raise(Change(DataChange::KeyWords));
    EXPECT_TRUE(heard.contains(QStringLiteral("late")));
}

TEST(DataChange, DeletedIdsAndWrittenFilesKeepTheirOrderOnce)
{
    DataChange change;
    change.deleted = {{12, QStringLiteral("{B}")}, {3, QStringLiteral("{A}")}};
    EXPECT_EQ(change.DeletedIds(), (NoteIdList {12, 3}));
    change.AddWrittenFile(QStringLiteral("/n/b.dat"));
    change.AddWrittenFile(QStringLiteral("/n/a.dat"));
    change.AddWrittenFile(QStringLiteral("/n/b.dat"));
    EXPECT_EQ(change.writtenFiles, (QStringList {QStringLiteral("/n/b.dat"), QStringLiteral("/n/a.dat")}));
}
