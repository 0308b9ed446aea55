#include "document/log_syncer.h"

#include <unistd.h>

namespace kinloom {

LogSyncer::LogSyncer() : thread_([this] { run(); }) {}

LogSyncer::~LogSyncer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void LogSyncer::request(int fd) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = fd;
    }
    wake_.notify_one();
}

void LogSyncer::forget(int fd) {
    const std::lock_guard flushing(flushing_);  // waits for a flush that runs
    const std::lock_guard lock(mutex_);
    if (pending_ == fd) pending_ = -1;
}

void LogSyncer::run() {
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || pending_ >= 0; });
        if (stopping_) return;
        // Taken before the request is, so that forget() cannot slip between the two.
        std::unique_lock flushing(flushing_, std::try_to_lock);
        if (!flushing.owns_lock()) {
            lock.unlock();
            flushing.lock();
            lock.lock();
            if (pending_ < 0) continue;
        }
        const int fd = pending_;
        pending_ = -1;
        lock.unlock();
        ::fdatasync(fd);
    }
}

}  // namespace kinloom
