#pragma once
#include <functional>
#include <vector>

namespace kinloom {

// Runs the tasks at the same time: the last on the calling thread, each other one on a thread of
// its own, and returns when all are done. A task whose thread the system cannot start runs on the
// calling thread instead, so that the work is done either way.
void runTogether(const std::vector<std::function<void()>>& tasks);

}  // namespace kinloom
