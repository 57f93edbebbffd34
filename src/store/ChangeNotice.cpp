#include "store/ChangeNotice.h"

#include <algorithm>

struct ChangeNotice::Subscription::Entry
{
    Listener listener;
    std::weak_ptr<ChangeNotice::State> state;
    bool active = true;
};

struct ChangeNotice::State
{
    std::vector<std::shared_ptr<Subscription::Entry>> entries;
};

ChangeNotice::Subscription::Subscription(std::shared_ptr<Entry> entry)
    : m_entry(std::move(entry))
{
}

ChangeNotice::Subscription::Subscription(Subscription&& other) noexcept
    : m_entry(std::move(other.m_entry))
{
}

ChangeNotice::Subscription& ChangeNotice::Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        Cancel();
        m_entry = std::move(other.m_entry);
    }
    return *this;
}

void ChangeNotice::Subscription::Cancel()
{
    if (!m_entry)
        return;
    m_entry->active = false;
    if (const std::shared_ptr<State> state = m_entry->state.lock())
        std::erase(state->entries, m_entry);
    m_entry.reset();
}

bool ChangeNotice::Subscription::IsActive() const
{
    return m_entry && m_entry->active && !m_entry->state.expired();
}

ChangeNotice::ChangeNotice()
    : m_state(std::make_shared<State>())
{
}

ChangeNotice::~ChangeNotice() = default;

ChangeNotice::Subscription ChangeNotice::Subscribe(Listener listener)
{
    auto entry = std::make_shared<Subscription::Entry>();
    entry->listener = std::move(listener);
    entry->state = m_state;
    m_state->entries.push_back(entry);
    return Subscription(std::move(entry));
}

void ChangeNotice::Raise(const DataChange& change)
{
    if (!change.aspects)
        return;
    // The listeners of this moment, kept alive while they are told: a listener may cancel
    // itself or another, or subscribe a new one, while it listens.
    const std::vector<std::shared_ptr<Subscription::Entry>> listeners = m_state->entries;
    for (const std::shared_ptr<Subscription::Entry>& entry : listeners) {
        if (entry->active && entry->listener)
            entry->listener(change);
    }
}

int ChangeNotice::ListenerCount() const
{
    return static_cast<int>(m_state->entries.size());
}
