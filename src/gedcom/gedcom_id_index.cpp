#include "gedcom/gedcom_id_index.h"

#include <algorithm>

namespace kinloom {

namespace {
constexpr size_t kMaxDigits = 9;  // so that a number always fits

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "@" prefix digits "@": the prefix and the digits, or false.
bool splitNumbered(std::string_view id, std::string_view& prefix, std::string_view& digits) {
    if (id.size() < 3 || id.front() != '@' || id.back() != '@') return false;
    const std::string_view inner = id.substr(1, id.size() - 2);
    size_t start = inner.size();
    while (start > 0 && isDigit(inner[start - 1])) --start;
    digits = inner.substr(start);
    prefix = inner.substr(0, start);
    return !digits.empty() && digits.size() <= kMaxDigits && prefix.find('@') == std::string_view::npos;
}
}  // namespace

void GedcomIdIndex::clear() {
    shapeKnown_ = false;
    prefix_.clear();
    width_ = 1;
    numbered_ = 0;
    table_ = {};
    others_ = {};
}

void GedcomIdIndex::reserve(size_t n) {
    expected_ = std::max(expected_, n);
    table_.reserve(std::min(n + 1, tableLimit()));
}

size_t GedcomIdIndex::tableLimit() const {
    return std::max({size_t{1} << 16, 4 * expected_, 4 * numbered_});
}

void GedcomIdIndex::learnShape(std::string_view id) {
    std::string_view prefix, digits;
    if (!splitNumbered(id, prefix, digits)) return;
    shapeKnown_ = true;
    prefix_.assign(prefix);
    width_ = digits.size() > 1 && digits.front() == '0' ? digits.size() : 1;
}

int64_t GedcomIdIndex::numberOf(std::string_view id) const {
    std::string_view prefix, digits;
    if (!shapeKnown_ || !splitNumbered(id, prefix, digits) || prefix != prefix_) return -1;
    // Each number has one way of being written in this shape, so two ids never share a slot.
    if (digits.size() < width_ || (digits.size() > width_ && digits.front() == '0')) return -1;
    int64_t n = 0;
    for (const char c : digits) n = n * 10 + (c - '0');
    return n;
}

void GedcomIdIndex::add(std::string_view id, PersonItem* item) {
    if (!shapeKnown_) learnShape(id);
    if (find(id)) return;
    const int64_t n = numberOf(id);
    if (n >= 0 && static_cast<size_t>(n) < tableLimit()) {
        const auto slot = static_cast<size_t>(n);
        if (slot >= table_.size()) table_.resize(std::min(tableLimit(), std::max(slot + 1, 2 * table_.size())), nullptr);
        table_[slot] = item;
        ++numbered_;
        return;
    }
    // An id read before the table's shape was known stays here even when it has that shape.
    others_.try_emplace(std::string(id), item);
}

PersonItem* GedcomIdIndex::find(std::string_view id) const {
    if (const int64_t n = numberOf(id); n >= 0 && static_cast<size_t>(n) < table_.size())
        if (PersonItem* item = table_[static_cast<size_t>(n)]) return item;
    if (others_.empty()) return nullptr;
    const auto it = others_.find(id);
    return it == others_.end() ? nullptr : it->second;
}

}  // namespace kinloom
