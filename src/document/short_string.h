#pragma once
#include "document/text_heap.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kinloom {

// A text field of the tree record: up to N 8-bit bytes in the stored character set. Assigning a
// longer text cuts it at N bytes; use the character-set layer to cut typed text at a character
// boundary before it gets here.
//
// A field holds only what it needs: texts of up to three bytes sit in its own four bytes, longer
// ones in a block of the text heap. A million items thus take a few hundred megabytes, not gigabytes.
template <int N>
class ShortString {
    static_assert(N >= 1 && static_cast<size_t>(N) <= TextHeap::kMaxLength);
    static_assert(std::endian::native == std::endian::little, "short texts are kept in the handle's low bytes");

public:
    static constexpr int capacity = N;

    ShortString() = default;
    ShortString(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose
    ShortString(const ShortString& other) { assign(other.view()); }
    ShortString(ShortString&& other) noexcept : handle_(other.handle_) { other.handle_ = 0; }
    ~ShortString() {
        if (onHeap()) TextHeap::instance().release(handle_);
    }
    ShortString& operator=(const ShortString& other) {
        if (this != &other) assign(other.view());
        return *this;
    }
    ShortString& operator=(ShortString&& other) noexcept {
        if (this != &other) {
            if (onHeap()) TextHeap::instance().release(handle_);
            handle_ = other.handle_;
            other.handle_ = 0;
        }
        return *this;
    }
    ShortString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    template <int M>
    ShortString& operator=(const ShortString<M>& other) {
        assign(other.view());
        return *this;
    }

    void assign(std::string_view text) {
        text = text.substr(0, N);
        if (text.size() <= kInlineMax) {
            uint32_t packed = kInline | static_cast<uint32_t>(text.size()) << 24;
            // An empty view may carry a null pointer, which memcpy must never be given.
            if (!text.empty()) std::memcpy(&packed, text.data(), text.size());  // the low bytes, first byte first
            const uint32_t old = handle_;
            handle_ = text.empty() ? 0 : packed;
            if (old != 0 && !(old & kInline)) TextHeap::instance().release(old);
        } else if (onHeap()) {
            handle_ = TextHeap::instance().replace(handle_, text);
        } else {
            handle_ = TextHeap::instance().allocate(text);
        }
    }
    std::string_view view() const {
        if (handle_ == 0) return {};
        if (handle_ & kInline) return {reinterpret_cast<const char*>(&handle_), (handle_ >> 24) & 3};
        return TextHeap::instance().view(handle_);
    }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }  // NOLINT
    int length() const { return static_cast<int>(view().size()); }
    bool empty() const { return handle_ == 0; }
    void clear() { assign({}); }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.view() == b.view(); }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }

private:
    static constexpr uint32_t kInline = 0x80000000u;  // else 0 (empty) or a handle of the text heap
    static constexpr size_t kInlineMax = 3;
    bool onHeap() const { return handle_ != 0 && !(handle_ & kInline); }

    uint32_t handle_ = 0;
};

}  // namespace kinloom
