#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

// Computes produce(index) for each index below count on a few threads at once
// and hands the results out in order of index. The threads run at most two
// results per thread ahead of the last one taken, which bounds the memory that
// waiting results hold. With one index or no threads asked for, or when none
// could be started, Take computes each result itself.
template <class Result>
class COrderedWorkers {
public:
    using Produce = std::function<Result(std::size_t index)>;

    COrderedWorkers(std::size_t count, unsigned threads, Produce produce)
        : m_produce(std::move(produce)), m_nCount(count)
    {
        const std::size_t wanted = count > 1 ? std::min<std::size_t>(threads, count) : 0;
        m_slots.resize(2 * wanted);
        m_threads.reserve(wanted);
        for (std::size_t thread = 0; thread < wanted; ++thread) {
            try {
                m_threads.emplace_back(&COrderedWorkers::Work, this);
            } catch (const std::system_error&) {
                break;  // go on with the threads there are
            }
        }
    }
    ~COrderedWorkers()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_bStopping = true;
        }
        m_room.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }
    COrderedWorkers(const COrderedWorkers&) = delete;
    COrderedWorkers& operator=(const COrderedWorkers&) = delete;

    // The result for index, which is 0 at first and then one more each time.
    Result Take(std::size_t index)
    {
        if (m_threads.empty())
            return m_produce(index);
        std::unique_lock lock(m_mutex);
        std::optional<Result>& slot = m_slots[index % m_slots.size()];
        m_ready.wait(lock, [&] { return slot.has_value(); });
        Result result = std::move(*slot);
        slot.reset();
        ++m_nTaken;
        lock.unlock();
        m_room.notify_one();
        return result;
    }

private:
    void Work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_room.wait(lock, [&] { return m_bStopping || m_nNext == m_nCount || m_nNext < m_nTaken + m_slots.size(); });
            if (m_bStopping || m_nNext == m_nCount)
                return;
            const std::size_t index = m_nNext++;
            lock.unlock();
            Result result = m_produce(index);
            lock.lock();
            // The slot's last result, that of index - window, has been taken.
            m_slots[index % m_slots.size()] = std::move(result);
            m_ready.notify_one();
        }
    }

    const Produce m_produce;
    const std::size_t m_nCount;
    std::mutex m_mutex;
    std::condition_variable m_ready;  // a result was stored
    std::condition_variable m_room;   // a result was taken, or the threads are to stop
    std::vector<std::optional<Result>> m_slots;
    std::size_t m_nNext = 0;   // the next index that a thread computes
    std::size_t m_nTaken = 0;  // how many results Take handed out
    bool m_bStopping = false;
    std::vector<std::thread> m_threads;
};
