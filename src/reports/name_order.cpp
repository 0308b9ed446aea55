#include "reports/name_order.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <tuple>
#include <utility>

namespace kinloom {

NameOrder::NameOrder(const QLocale& locale) : locale_(locale) {
    if (locale.language() == QLocale::C) return;
    collates_ = true;
    // As QCollator opens and sets up its ICU collator, with the case ignored.
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = locale.bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1();
    collator_ = ucol_open(name.constData(), &status);
    if (U_FAILURE(status)) {
        collator_ = nullptr;
        return;
    }
    ucol_setAttribute(collator_, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator_, UCOL_STRENGTH, UCOL_SECONDARY, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator_, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator_, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
}

NameOrder& NameOrder::operator=(const NameOrder& other) {
    if (this != &other) {
        NameOrder copy(other.locale_);
        std::swap(locale_, copy.locale_);
        std::swap(collates_, copy.collates_);
        std::swap(collator_, copy.collator_);
    }
    return *this;
}

NameOrder::~NameOrder() {
    if (collator_) ucol_close(collator_);
}

void NameOrder::addCollationKey(const QString& text, SortKeys& keys) const {
    if (collator_ && !text.isEmpty()) {
        const size_t start = keys.bytes.size();
        const auto* units = reinterpret_cast<const UChar*>(text.constData());
        const auto length = static_cast<int32_t>(text.size());
        int32_t room = 16 + length + length / 4;
        keys.bytes.resize(start + static_cast<size_t>(room));
        int32_t size = ucol_getSortKey(collator_, units, length, reinterpret_cast<uint8_t*>(&keys.bytes[start]), room);
        if (size > room) {
            room = size;
            keys.bytes.resize(start + static_cast<size_t>(room));
            size = ucol_getSortKey(collator_, units, length, reinterpret_cast<uint8_t*>(&keys.bytes[start]), room);
        }
        // Without its closing zero byte, which no key has inside.
        keys.bytes.resize(start + static_cast<size_t>(std::max(size - 1, 0)));
    }
    keys.ends.push_back(static_cast<uint32_t>(keys.bytes.size()));
}

void NameOrder::addCodeKey(const QString& text, SortKeys& keys) {
    for (const QChar c : text) {
        keys.bytes.push_back(static_cast<char>(c.unicode() >> 8));
        keys.bytes.push_back(static_cast<char>(c.unicode() & 0xFF));
    }
    keys.ends.push_back(static_cast<uint32_t>(keys.bytes.size()));
}

namespace {

// One key's eight bytes at a depth, held beside its number while the keys sort.
struct Chunk {
    uint64_t bytes;  // high byte first, zeros after the key's end
    uint32_t length;  // of the key's bytes in it, 0 to 8: a key that ends sorts before one that goes on
    uint32_t item;
    bool operator<(const Chunk& o) const { return std::tie(bytes, length, item) < std::tie(o.bytes, o.length, o.item); }
};

class KeySorter {
public:
    KeySorter(const std::string& bytes, const std::vector<uint32_t>& ends) : bytes_(bytes), ends_(ends) {}

    // Sorts the keys of chunks[first, last), equal in their first `depth` bytes, from there on:
    // by eight bytes each, then each run of keys equal in those by the next eight.
    void sort(std::vector<Chunk>& chunks, size_t first, size_t last, size_t depth) const {
        constexpr size_t kAhead = 16;  // keys fetched while this one is read: a run's keys lie scattered
        for (size_t i = first; i < last; ++i) {
            if (i + kAhead < last) __builtin_prefetch(bytes_.data() + startOf(chunks[i + kAhead].item) + depth);
            fill(chunks[i], depth);
        }
        if (last - first < kRadixFrom) std::sort(chunks.begin() + static_cast<ptrdiff_t>(first), chunks.begin() + static_cast<ptrdiff_t>(last));
        else radixSort(chunks, first, last);
        for (size_t i = first; i < last;) {
            size_t j = i + 1;
            while (j < last && chunks[j].bytes == chunks[i].bytes && chunks[j].length == chunks[i].length) ++j;
            // Keys that ended here are equal and already in the order of their numbers.
            if (j - i > 1 && chunks[i].length == 8) sort(chunks, i, j, depth + 8);
            i = j;
        }
    }

private:
    // Below this many keys a comparison sort is quicker than counting digits.
    static constexpr size_t kRadixFrom = 256;

    // The order std::sort gives by (bytes, length, item), in linear time: a stable sort by length,
    // then by the bytes one at a time from the lowest, keeps equal keys in the order of
    // their numbers, which is the order they come in (the first sort sees the keys in number
    // order, and a run sorted again was left in number order by the sort before).
    void radixSort(std::vector<Chunk>& chunks, size_t first, size_t last) const {
        const size_t n = last - first;
        scratch_.resize(std::max(scratch_.size(), n));
        Chunk* from = chunks.data() + first;
        Chunk* to = scratch_.data();
        std::array<uint32_t, 256> count;
        auto pass = [&](auto digitOf, size_t buckets) {
            std::fill(count.begin(), count.begin() + static_cast<ptrdiff_t>(buckets), 0U);
            for (size_t i = 0; i < n; ++i) ++count[digitOf(from[i])];
            if (count[digitOf(from[0])] == n) return;  // one digit for all: nothing moves
            uint32_t sum = 0;
            for (size_t b = 0; b < buckets; ++b) sum += std::exchange(count[b], sum);
            for (size_t i = 0; i < n; ++i) to[count[digitOf(from[i])]++] = from[i];
            std::swap(from, to);
        };
        pass([](const Chunk& c) { return c.length; }, 9);
        for (int shift = 0; shift < 64; shift += 8)
            pass([shift](const Chunk& c) { return static_cast<uint32_t>(c.bytes >> shift & 0xFF); }, 256);
        if (from != chunks.data() + first) std::copy(from, from + n, chunks.data() + first);
    }

    size_t startOf(uint32_t item) const { return item ? ends_[item - 1] : 0; }

    void fill(Chunk& chunk, size_t depth) const {
        const size_t begin = startOf(chunk.item) + depth;
        const size_t end = ends_[chunk.item];
        const size_t n = begin < end ? std::min<size_t>(8, end - begin) : 0;
        uint64_t v = 0;
        static_assert(std::endian::native == std::endian::little);
        if (begin + 8 <= bytes_.size()) {  // one load, then the bytes past the key's end cleared
            std::memcpy(&v, bytes_.data() + begin, 8);
            v = n == 0 ? 0 : n == 8 ? __builtin_bswap64(v) : __builtin_bswap64(v) & ~(~uint64_t{0} >> (8 * n));
        } else {
            for (size_t k = 0; k < 8; ++k) v = v << 8 | (k < n ? static_cast<unsigned char>(bytes_[begin + k]) : 0U);
        }
        chunk.bytes = v;
        chunk.length = static_cast<uint32_t>(n);
    }

    const std::string& bytes_;
    const std::vector<uint32_t>& ends_;
    mutable std::vector<Chunk> scratch_;
};

}  // namespace

std::vector<uint32_t> NameOrder::orderOf(const SortKeys& keys) {
    std::vector<Chunk> chunks(keys.ends.size());
    for (uint32_t i = 0; i < chunks.size(); ++i) chunks[i].item = i;
    KeySorter(keys.bytes, keys.ends).sort(chunks, 0, chunks.size(), 0);
    std::vector<uint32_t> order(chunks.size());
    for (size_t i = 0; i < chunks.size(); ++i) order[i] = chunks[i].item;
    return order;
}

}  // namespace kinloom
