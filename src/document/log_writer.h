#pragma once
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace kinloom {

// Writes all of bytes to the descriptor; false (errno tells why) when it could not.
bool writeAllBytes(int fd, std::string_view bytes);

// Appends frames to a log file in order and flushes them to the disk, on a thread of its own
// where that would keep a step waiting: a small frame is written at once when nothing is queued
// before it, a large one (a step that moved every item) is checksummed and written by the thread.
// Either way the frames reach the file in the order they were given.
class LogWriter {
public:
    LogWriter();
    ~LogWriter();
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    // Appends one frame holding `payload` to the file descriptor.
    void append(int fd, std::string payload);
    // Bytes were written to the descriptor directly: flush them to the disk soon.
    void flushLater(int fd);
    // The descriptor is about to be closed: with `flush` once everything given for it is
    // written, without it once nothing more is (what is queued is dropped).
    void forget(int fd, bool flush);
    // Why a write failed since the last call, if one did.
    std::optional<QString> takeError();

private:
    struct Job {
        int fd;
        std::string payload;
    };
    void run();
    bool write(int fd, const std::string& payload);  // records the error

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> queue_;
    bool writing_ = false;   // the thread is writing a job it took from the queue
    bool flushing_ = false;  // the thread is flushing a descriptor (a write may go on beside it)
    bool stopping_ = false;
    int dirty_ = -1;  // a descriptor written since its last flush
    std::optional<QString> error_;
    std::thread thread_;
};

}  // namespace kinloom
