#include "document/log_writer.h"

#include "document/recovery_log.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kinloom {

namespace {

// A frame this small is written on the caller's thread: it costs microseconds.
constexpr size_t kWriteAtOnce = 256 * 1024;

}  // namespace

bool writeAllBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

LogWriter::LogWriter() : thread_([this] { run(); }) {}

LogWriter::~LogWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

bool LogWriter::write(int fd, const std::string& payload) {
    std::string frame;
    frame.reserve(payload.size() + 8);
    appendRecoveryFrame(frame, payload);
    if (writeAllBytes(fd, frame)) return true;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    const std::lock_guard lock(mutex_);
    if (!error_) error_ = reason;
    return false;
}

void LogWriter::append(int fd, std::string payload) {
    std::unique_lock lock(mutex_);
    if (queue_.empty() && !writing_ && payload.size() <= kWriteAtOnce) {
        lock.unlock();
        // Nothing is on its way before this frame, and the thread takes no job while the
        // queue is empty, so the order holds.
        write(fd, payload);
        lock.lock();
        dirty_ = fd;
    } else {
        queue_.push_back({fd, std::move(payload)});
    }
    lock.unlock();
    wake_.notify_one();
}

void LogWriter::flushLater(int fd) {
    {
        const std::lock_guard lock(mutex_);
        dirty_ = fd;
    }
    wake_.notify_one();
}

void LogWriter::forget(int fd, bool flush) {
    std::unique_lock lock(mutex_);
    if (!flush) std::erase_if(queue_, [fd](const Job& job) { return job.fd == fd; });
    idle_.wait(lock, [this, fd] {
        if (writing_ || flushing_) return false;
        for (const Job& job : queue_)
            if (job.fd == fd) return false;
        return true;
    });
    if (dirty_ == fd) dirty_ = -1;
}

std::optional<QString> LogWriter::takeError() {
    const std::lock_guard lock(mutex_);
    return std::exchange(error_, std::nullopt);
}

void LogWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty() || dirty_ >= 0; });
        if (stopping_ && queue_.empty()) return;
        if (!queue_.empty()) {
            Job job = std::move(queue_.front());
            queue_.pop_front();
            writing_ = true;
            lock.unlock();
            write(job.fd, job.payload);
            lock.lock();
            writing_ = false;
            dirty_ = job.fd;
        } else {
            // Written and not yet on the disk: flushed while nothing else waits.
            const int fd = std::exchange(dirty_, -1);
            flushing_ = true;
            lock.unlock();
            ::fdatasync(fd);
            lock.lock();
            flushing_ = false;
        }
        idle_.notify_all();
    }
}

}  // namespace kinloom
