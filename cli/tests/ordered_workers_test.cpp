#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "cli/ordered_workers.h"

namespace {

TEST(OrderedWorkersTest, HandsOutResultsInOrderWhileItsThreadsRunABoundedWayAhead)
{
    constexpr std::size_t kCount = 300;
    constexpr unsigned kThreads = 4;
    std::vector<std::atomic<int>> runs(kCount);
    std::atomic<std::size_t> taken = 0;
    std::atomic<std::size_t> furthestAhead = 0;
    std::mutex mutex;
    std::set<std::thread::id> threads;
    COrderedWorkers<std::size_t> workers(kCount, kThreads, [&](std::size_t index) {
        ++runs[index];
        const std::size_t ahead = index - taken;
        for (std::size_t furthest = furthestAhead; ahead > furthest && !furthestAhead.compare_exchange_weak(furthest, ahead);) {
        }
        {
            const std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
        }
        if (index % 7 == 0)  // a slow one, which the next ones overtake
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return 3 * index;
    });
    for (std::size_t index = 0; index < kCount; ++index) {
        EXPECT_EQ(workers.Take(index), 3 * index);
        taken = index + 1;
    }

    for (std::size_t index = 0; index < kCount; ++index)
        EXPECT_EQ(runs[index], 1) << index;
    EXPECT_LE(furthestAhead, 2 * kThreads);
    EXPECT_GT(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
}

// A batch that stops early destroys the workers while they wait for room.
TEST(OrderedWorkersTest, EndsWhenDestroyedBeforeEveryResultIsTaken)
{
    std::atomic<std::size_t> produced = 0;
    {
        COrderedWorkers<std::size_t> workers(300, 4, [&](std::size_t index) {
            ++produced;
            return index;
        });
        for (std::size_t index = 0; index < 3; ++index)
            EXPECT_EQ(workers.Take(index), index);
    }
    EXPECT_LT(produced, 300u);
}

}  // namespace
