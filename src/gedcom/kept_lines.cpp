#include "gedcom/kept_lines.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kinloom {

namespace {
constexpr unsigned char kLongValue = 255;  // the length follows in four bytes
constexpr size_t kLongHeader = 2 + sizeof(uint32_t);
}  // namespace

void KeptLines::append(uint8_t kind, std::string_view value) {
    value = value.substr(0, std::numeric_limits<uint32_t>::max());
    const bool longValue = value.size() >= kLongValue;
    const size_t bytes = (longValue ? kLongHeader : 2) + value.size();
    if (blocks_.empty() || blocks_.back().size - blocks_.back().used < bytes) {
        // A line never spans two blocks; one longer than a block gets a block of its own size.
        const size_t size = std::max(kBlockBytes, bytes);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size, 0, 0});
    }
    Block& block = blocks_.back();
    char* out = block.bytes.get() + block.used;
    *out++ = static_cast<char>(kind);
    if (longValue) {
        *out++ = static_cast<char>(kLongValue);
        const auto length = static_cast<uint32_t>(value.size());
        std::memcpy(out, &length, sizeof length);
        out += sizeof length;
    } else {
        *out++ = static_cast<char>(value.size());
    }
    // An empty view may carry a null pointer, which memcpy must never be given.
    if (!value.empty()) std::memcpy(out, value.data(), value.size());
    block.lastLine = block.used;
    block.used += bytes;
}

void KeptLines::replaceLastValue(std::string_view value) {
    if (blocks_.empty()) return;
    Block& block = blocks_.back();
    const auto kind = static_cast<uint8_t>(block.bytes[block.lastLine]);
    // The value may need another block; this one then simply ends before the old line.
    block.used = block.lastLine;
    append(kind, value);
}

KeptLines::Line KeptLines::lineAt(const Block& block, size_t at) {
    const char* line = block.bytes.get() + at;
    const auto kind = static_cast<uint8_t>(line[0]);
    size_t length = static_cast<unsigned char>(line[1]);
    size_t header = 2;
    if (length == kLongValue) {
        uint32_t longLength = 0;
        std::memcpy(&longLength, line + 2, sizeof longLength);
        length = longLength;
        header = kLongHeader;
    }
    return {kind, std::string_view(line + header, length), at + header + length};
}

}  // namespace kinloom
