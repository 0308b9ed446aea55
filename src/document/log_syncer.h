#pragma once
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kinloom {

// Flushes a log file to the disk on a thread of its own, so that a step never waits for the disk
// and the log still outlives a power cut by a moment. Requests made while a flush runs are met
// by one more flush.
class LogSyncer {
public:
    LogSyncer();
    ~LogSyncer();
    LogSyncer(const LogSyncer&) = delete;
    LogSyncer& operator=(const LogSyncer&) = delete;

    // Flush this file descriptor soon.
    void request(int fd);
    // The descriptor is about to be closed: returns once no flush of it runs or is pending.
    void forget(int fd);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    int pending_ = -1;  // the descriptor to flush, -1 for none
    bool stopping_ = false;
    std::mutex flushing_;  // held while a flush runs
    std::thread thread_;
};

}  // namespace kinloom
