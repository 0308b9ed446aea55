#include "platform/run_together.h"

#include <gtest/gtest.h>

#include <mutex>
#include <system_error>

using namespace kinloom;

TEST(RunTogether, EveryTaskRunsOnceAndThoseWithoutAThreadRunOnTheCallingThread) {
    // The system refuses some threads: those tasks run here, the others on threads of their own.
    for (const int refuseEvery : {0, 1, 2}) {
        constexpr int kTasks = 5;
        std::mutex mutex;
        std::vector<int> runs(kTasks, 0);
        std::vector<std::thread::id> ranOn(kTasks);
        std::vector<std::function<void()>> tasks;
        for (int i = 0; i < kTasks; ++i)
            tasks.emplace_back([&, i] {
                std::lock_guard lock(mutex);
                ++runs[static_cast<size_t>(i)];
                ranOn[static_cast<size_t>(i)] = std::this_thread::get_id();
            });
        int started = 0;
        const ThreadStarter start = [&](const std::function<void()>& task) {
            if (refuseEvery && started++ % refuseEvery == 0)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(task);
        };
        runTogether(tasks, start);
        const std::thread::id here = std::this_thread::get_id();
        for (int i = 0; i < kTasks; ++i) {
            EXPECT_EQ(runs[static_cast<size_t>(i)], 1) << "task " << i << ", refusing every " << refuseEvery;
            const bool refused = refuseEvery && i + 1 < kTasks && i % refuseEvery == 0;
            const bool onCaller = refused || i + 1 == kTasks;
            EXPECT_EQ(ranOn[static_cast<size_t>(i)] == here, onCaller) << "task " << i << ", refusing every " << refuseEvery;
        }
    }
}
