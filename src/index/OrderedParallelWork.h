#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

// Runs a piece of work on each of count items on two threads and hands the results to
// the caller in item order: a helper thread works ahead through the items while the
// caller uses one result; whenever the result the caller needs next is not ready, the
// caller works on a further item itself instead of waiting. The results are exactly those
// of working on the items one after the other.
//
// Each thread has its own Worker (the state the work reuses, such as buffers). Each
// result is freed by the thread that made it: memory handed from thread to thread makes
// the two fight over the allocator's locks.
template<class Worker, class Result> class OrderedParallelWork
{
public:
    using Work = std::function<void(Worker& worker, size_t item, Result& result)>;

    OrderedParallelWork(size_t count, Work work)
        : m_count(count)
        , m_work(std::move(work))
        , m_results(count)
        , m_madeByHelper(count, false)
        , m_done(std::make_unique<std::atomic<bool>[]>(count))
    {
        try {
            m_helper = std::thread([this] { RunHelper(); });
        } catch (const std::system_error&) {
            // No thread to be had: the caller does every item itself.
        }
    }

    // Stops the helper; items not yet taken are left undone.
    ~OrderedParallelWork()
    {
        m_stopping.store(true);
        // Wakes a helper that waits for the caller to catch up.
        m_taken.store(m_count + kAhead);
        m_taken.notify_all();
        if (m_helper.joinable())
            m_helper.join();
    }

    OrderedParallelWork(const OrderedParallelWork&) = delete;
    OrderedParallelWork& operator=(const OrderedParallelWork&) = delete;

    // The next result, in item order, valid until the next call; nullptr after the last.
    Result* Next()
    {
        const size_t index = m_taken.load();
        if (index > 0 && index <= m_count && !m_madeByHelper[index - 1])
            Release(m_results[index - 1]); // the caller's own, done with
        if (index >= m_count)
            return nullptr;
        while (!m_done[index].load(std::memory_order_acquire)) {
            // The helper holds this item: the caller works on a later one meanwhile, or,
            // with every item claimed, waits.
            if (!WorkOnNextUnclaimed(m_callerWorker, false))
                m_done[index].wait(false, std::memory_order_acquire);
        }
        m_taken.store(index + 1);
        m_taken.notify_one();
        return &m_results[index];
    }

private:
    // How far the helper may run ahead of the caller: enough to keep it busy, few enough
    // that the results waiting stay small.
    static constexpr size_t kAhead = 64;

    // Frees what a result holds. (Assigning an empty one may keep a string's buffer.)
    static void Release(Result& result)
    {
        Result gone(std::move(result));
        result = Result();
    }

    bool WorkOnNextUnclaimed(Worker& worker, bool byHelper)
    {
        const size_t index = m_nextClaim.fetch_add(1);
        if (index >= m_count)
            return false;
        m_madeByHelper[index] = byHelper;
        m_work(worker, index, m_results[index]);
        m_done[index].store(true, std::memory_order_release);
        m_done[index].notify_one();
        return true;
    }

    void RunHelper()
    {
        Worker worker;
        size_t released = 0;
        while (!m_stopping.load()) {
            for (size_t taken = m_taken.load(); m_nextClaim.load() >= taken + kAhead; taken = m_taken.load())
                m_taken.wait(taken);
            // The caller holds the last result it took; every one before it is done with.
            for (const size_t taken = m_taken.load(); released + 1 < taken && released < m_count;
                 ++released) {
                if (m_madeByHelper[released])
                    Release(m_results[released]);
            }
            if (m_stopping.load() || !WorkOnNextUnclaimed(worker, true))
                break;
        }
    }

    const size_t m_count;
    const Work m_work;
    std::vector<Result> m_results;
    std::vector<char> m_madeByHelper; // set by whoever claims the item
    std::unique_ptr<std::atomic<bool>[]> m_done;
    std::atomic<size_t> m_nextClaim {0};
    std::atomic<size_t> m_taken {0};
    std::atomic<bool> m_stopping {false};
    Worker m_callerWorker;
    std::thread m_helper; // started when everything it uses exists
};
