#include "platform/run_together.h"

#include <system_error>

namespace kinloom {

void runTogether(const std::vector<std::function<void()>>& tasks, const ThreadStarter& start) {
    if (tasks.empty()) return;
    std::vector<std::thread> helpers;
    helpers.reserve(tasks.size() - 1);
    for (size_t i = 0; i + 1 < tasks.size(); ++i) {
        try {
            helpers.push_back(start ? start(tasks[i]) : std::thread(tasks[i]));
        } catch (const std::system_error&) {
            tasks[i]();
        }
    }
    tasks.back()();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace kinloom
