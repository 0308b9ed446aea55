#pragma once
#include "document/short_string.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace kinloom {

// Reads little-endian integers and short strings out of one fixed-size file record. Every access
// is checked against the record's end: a field that would reach past it reads as zero or empty,
// so no length byte or offset can make us read outside the record.
class RecordReader {
public:
    explicit RecordReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    int32_t int32(size_t offset) const {
        if (offset + 4 > bytes_.size()) return 0;
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(bytes_[offset + i]) << (8 * i);
        return static_cast<int32_t>(u);
    }
    unsigned char byte(size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }

    // The text of a String[storedCapacity] at offset: a length byte above the capacity is clamped
    // to it, never trusted.
    std::string_view text(size_t offset, int storedCapacity) const {
        if (offset + 1 + static_cast<size_t>(storedCapacity) > bytes_.size()) return {};
        const size_t length = std::min<size_t>(bytes_[offset], static_cast<size_t>(storedCapacity));
        return {reinterpret_cast<const char*>(bytes_.data() + offset + 1), length};
    }
    // Reads a String[N] stored with the field's own capacity into the field.
    template <int N>
    void read(size_t offset, ShortString<N>& field) const {
        field.assign(text(offset, N));
    }

private:
    std::span<const unsigned char> bytes_;
};

// Writes little-endian integers and short strings into one record; bytes past a text's length
// are left as they are (the caller starts from a zeroed record).
class RecordWriter {
public:
    explicit RecordWriter(std::span<unsigned char> bytes) : bytes_(bytes) {}

    void int32(size_t offset, int32_t value) {
        if (offset + 4 > bytes_.size()) return;
        const auto u = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<unsigned char>(u >> (8 * i));
    }
    void byte(size_t offset, unsigned char value) {
        if (offset < bytes_.size()) bytes_[offset] = value;
    }
    template <int N>
    void write(size_t offset, const ShortString<N>& field) {
        if (offset + 1 + N > bytes_.size()) return;
        const std::string_view text = field;
        const size_t length = std::min<size_t>(text.size(), N);  // a ShortString never holds more
        bytes_[offset] = static_cast<unsigned char>(length);
        if (length > 0) std::memcpy(bytes_.data() + offset + 1, text.data(), length);  // never a null pointer
    }

private:
    std::span<unsigned char> bytes_;
};

}  // namespace kinloom
