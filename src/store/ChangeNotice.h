#pragma once

#include "store/DataChange.h"

#include <functional>
#include <memory>
#include <vector>

// The one way the program learns what changed in its data: every operation that writes
// (the note database, the sources, the current list, the import, and every command built
// on them, in the window and on the command line alike) raises a DataChange here once its
// files are stored, and every listener hears it at once, on the same thread, before the
// operation returns. The windows refresh from it; a kept index or a sync log can follow the
// note files from it.
//
//   ChangeNotice::Subscription kept = notice.Subscribe([](const DataChange& change) {
//       if (change.Has(DataChange::NotesDeleted))
//           ForgetNotes(change.DeletedIds());
//   });
//
// Listeners hear a change in the order they subscribed (the current list subscribes when it
// is made, right after the database, so later listeners find it up to date). A listener
// may raise a change of its own or subscribe and unsubscribe while it listens: a nested
// change is told to everyone before the outer one goes on, and a listener added during a
// change hears the next one. Single-threaded, like the database.
class ChangeNotice
{
public:
    using Listener = std::function<void(const DataChange&)>;

    // Keeps a listener subscribed while it lives; moving it moves the subscription. It may
    // outlive the notice.
    class [[nodiscard]] Subscription
    {
    public:
        Subscription() = default;
        ~Subscription() { Cancel(); }
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

        // Stops listening now; nothing is heard afterwards, not even the rest of a change
        // being told.
        void Cancel();
        bool IsActive() const;

    private:
        friend class ChangeNotice;
        struct Entry;
        explicit Subscription(std::shared_ptr<Entry> entry);
        std::shared_ptr<Entry> m_entry;
    };

    ChangeNotice();
    ~ChangeNotice();
    ChangeNotice(const ChangeNotice&) = delete;
    ChangeNotice& operator=(const ChangeNotice&) = delete;

    Subscription Subscribe(Listener listener);
    // Tells every listener; a change with no aspect is told to nobody.
    void Raise(const DataChange& change);

    int ListenerCount() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};
