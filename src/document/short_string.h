#pragma once
#include <string>
#include <string_view>

namespace kinloom {

// A text field of the tree record: up to N 8-bit bytes in the stored character set. Assigning a
// longer text cuts it at N bytes; use the character-set layer to cut typed text at a character
// boundary before it gets here.
template <int N>
class ShortString {
public:
    static constexpr int capacity = N;

    ShortString() = default;
    ShortString(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose
    ShortString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    template <int M>
    ShortString& operator=(const ShortString<M>& other) {
        assign(other.str());
        return *this;
    }

    void assign(std::string_view text) { bytes_.assign(text.substr(0, N)); }
    const std::string& str() const { return bytes_; }
    operator std::string_view() const { return bytes_; }  // NOLINT
    int length() const { return static_cast<int>(bytes_.size()); }
    bool empty() const { return bytes_.empty(); }
    void clear() { bytes_.clear(); }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.bytes_ == b.bytes_; }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.bytes_ == b; }

private:
    std::string bytes_;
};

}  // namespace kinloom
