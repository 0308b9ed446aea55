#pragma once
#include <functional>
#include <thread>
#include <vector>

namespace kinloom {

// Starts a task on a thread of its own; throws std::system_error when the system cannot.
using ThreadStarter = std::function<std::thread(const std::function<void()>&)>;

// Runs the tasks at the same time: the last on the calling thread, each other one on a thread of
// its own, and returns when all are done. A task whose thread cannot be started runs on the
// calling thread instead, so that the work is done either way. `start` defaults to std::thread.
void runTogether(const std::vector<std::function<void()>>& tasks, const ThreadStarter& start = {});

}  // namespace kinloom
