#pragma once
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace kinloom {

// Sorts [first, last) by `less` in time linear in their number when `bucketOf` spreads them evenly
// over `buckets` buckets: items are dealt into their buckets, then each bucket is sorted by `less`.
// `bucketOf` must agree with `less` (less(a, b) implies bucketOf(a) <= bucketOf(b)) and give a number
// below `buckets`. When `less` is a total order (no two items equivalent) the result is exactly
// std::sort's. `scratch` and `counts` are working space kept between calls.
template <class T, class BucketOf, class Less>
void bucketSort(T* first, T* last, std::vector<T>& scratch, std::vector<uint32_t>& counts, uint32_t buckets,
                const BucketOf& bucketOf, const Less& less) {
    constexpr std::ptrdiff_t kFewItems = 16;  // sorted by insertion
    auto sortFew = [&](T* from, T* to) {
        if (to - from < 2) return;  // nothing to order; an empty range may have no address at all
        if (to - from > kFewItems) {
            std::sort(from, to, less);
            return;
        }
        for (T* i = from + 1; i < to; ++i) {
            T item = std::move(*i);
            T* j = i;
            for (; j > from && less(item, *(j - 1)); --j) *j = std::move(*(j - 1));
            *j = std::move(item);
        }
    };
    const auto n = static_cast<size_t>(last - first);
    if (n <= static_cast<size_t>(kFewItems) || buckets < 2) {
        sortFew(first, last);
        return;
    }
    counts.assign(size_t{buckets} + 1, 0);
    for (const T* i = first; i != last; ++i) ++counts[bucketOf(*i) + 1];
    for (uint32_t b = 0; b < buckets; ++b) counts[b + 1] += counts[b];
    scratch.resize(n);
    for (T* i = first; i != last; ++i) scratch[counts[bucketOf(*i)]++] = std::move(*i);
    std::move(scratch.begin(), scratch.end(), first);
    // Bucket b now ends at counts[b] and starts where bucket b - 1 ends.
    uint32_t start = 0;
    for (uint32_t b = 0; b < buckets; ++b) {
        if (counts[b] - start > 1) sortFew(first + start, first + counts[b]);
        start = counts[b];
    }
}

}  // namespace kinloom
