#pragma once
#include <QFile>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace kinloom {

// The import's scratch copy "temp.klc": every line read, one record each. A record at position p
// holds L + 1 in byte 0, the next record's position p + L + 11 in bytes 4..7 (little-endian), the
// text in bytes 8.. and a 0 after it; it is written as a 160-byte block, which the next record
// overwrites from p + L + 11 on. Nothing reads the copy back; an item keeps its record's position.
class GedcomScratchCopy {
public:
    static constexpr int kBlockSize = 160;
    static constexpr int kMaxText = kBlockSize - 9;  // 151 characters; longer lines are cut

    ~GedcomScratchCopy() { close(); }

    // Creates (or empties) the file; false when it cannot be created.
    bool create(const QString& fileName);
    // Appends a line's record; returns its position, or -1 when the copy is not open or not written.
    int32_t append(std::string_view text);
    // Writes what is still buffered and closes the file.
    bool close();
    bool isOpen() const { return file_.isOpen(); }

private:
    bool flush(size_t upTo);

    QFile file_;
    std::string pending_;   // bytes from position base_ on, the last block's filler included
    int64_t base_ = 0;      // file position of pending_[0]
    int64_t next_ = 0;      // where the next record starts
    bool failed_ = false;
};

}  // namespace kinloom
