#include "gedcom/scratch_copy.h"

#include <algorithm>

namespace kinloom {

bool GedcomScratchCopy::create(const QString& fileName) {
    close();
    file_.setFileName(fileName);
    pending_.clear();
    base_ = next_ = 0;
    failed_ = false;
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

int32_t GedcomScratchCopy::append(std::string_view text) {
    if (!file_.isOpen() || failed_) return -1;
    if (next_ > INT32_MAX - kBlockSize) return -1;  // positions are 32-bit in the item record
    const size_t length = std::min<size_t>(text.size(), kMaxText);
    const int64_t pos = next_;
    const int64_t following = pos + static_cast<int64_t>(length) + 11;

    // The block replaces everything from its start, the previous block's filler included.
    pending_.resize(static_cast<size_t>(pos - base_));
    char block[kBlockSize] = {};
    block[0] = static_cast<char>(static_cast<unsigned char>(length + 1));
    for (int i = 0; i < 4; ++i) block[4 + i] = static_cast<char>((following >> (8 * i)) & 0xFF);
    std::copy_n(text.data(), length, block + 8);
    pending_.append(block, kBlockSize);
    next_ = following;

    // Bytes before the next record's start are final: write them out in large pieces.
    if (pending_.size() > (1u << 20) && !flush(static_cast<size_t>(next_ - base_))) return -1;
    return static_cast<int32_t>(pos);
}

bool GedcomScratchCopy::flush(size_t upTo) {
    if (upTo == 0) return true;
    if (file_.write(pending_.data(), static_cast<qint64>(upTo)) != static_cast<qint64>(upTo)) {
        failed_ = true;
        return false;
    }
    pending_.erase(0, upTo);
    base_ += static_cast<int64_t>(upTo);
    return true;
}

bool GedcomScratchCopy::close() {
    if (!file_.isOpen()) return !failed_;
    const bool ok = !failed_ && flush(pending_.size());
    file_.close();
    pending_.clear();
    return ok;
}

}  // namespace kinloom
