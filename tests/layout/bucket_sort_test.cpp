#include "layout/bucket_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace kinloom {
namespace {

// A row's block as the family chart orders it: by key, then by eldest, then by place.
struct Keyed {
    double key;
    int32_t eldest;
    uint32_t at;
    bool operator==(const Keyed&) const = default;
};

bool keyedLess(const Keyed& x, const Keyed& y) {
    if (x.key != y.key) return x.key < y.key;
    if (x.eldest != y.eldest) return x.eldest < y.eldest;
    return x.at < y.at;
}

// The chart's bucket of a key between 0 and 1; everything outside goes to the first or last.
struct UnitBucket {
    uint32_t buckets;
    uint32_t operator()(const Keyed& k) const {
        return k.key > 0 ? std::min(static_cast<uint32_t>(std::min(k.key, 1.0) * buckets), buckets - 1) : 0U;
    }
};

TEST(BucketSort, GivesStdSortsOrderForKeysWithTiesAndExtremes) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    const double belowOne = std::nextafter(1.0, 0.0);
    const double inf = std::numeric_limits<double>::infinity();
    // Keys from a small pool (many ties) or anywhere in the unit range (few ties), with the extremes.
    const std::vector<double> pool = {0.0, -0.0, tiny, 1e-300, 0.25, 0.5, std::nextafter(0.5, 1.0), belowOne, 1.0,
                                      2.0, 1e300, inf, -1.0, -inf};
    const std::vector<int32_t> eldests = {INT_MIN, -1, 0, 1, 2, 3, INT_MAX - 1, INT_MAX};
    std::mt19937 random(7);
    std::vector<Keyed> scratch;
    std::vector<uint32_t> counts;
    int cases = 0;
    for (const size_t n : {0, 1, 2, 16, 17, 33, 100, 1000, 20000})
        for (int kind = 0; kind < 4; ++kind)
            for (int repeat = 0; repeat < 3; ++repeat) {
                std::vector<Keyed> items(n);
                for (size_t i = 0; i < n; ++i) {
                    double key = 0.0;
                    switch (kind) {
                        case 0: key = pool[random() % pool.size()]; break;
                        case 1: key = std::uniform_real_distribution<double>(0.0, 1.0)(random); break;
                        case 2: key = 0.5; break;  // one bucket holds all
                        default: key = static_cast<double>(random() % 7) / 7.0; break;  // sibling groups
                    }
                    items[i] = {key, eldests[random() % eldests.size()], static_cast<uint32_t>(i)};
                }
                std::shuffle(items.begin(), items.end(), random);
                std::vector<Keyed> expected = items;
                std::sort(expected.begin(), expected.end(), keyedLess);
                for (const uint32_t buckets : {1U, 3U, static_cast<uint32_t>(std::max<size_t>(n, 1))}) {
                    std::vector<Keyed> sorted = items;
                    bucketSort(sorted.data(), sorted.data() + n, scratch, counts, buckets, UnitBucket{buckets}, keyedLess);
                    ASSERT_EQ(sorted, expected) << "n " << n << " kind " << kind << " buckets " << buckets;
                    ++cases;
                }
            }
    EXPECT_EQ(cases, 9 * 4 * 3 * 3);

    // The same order as a stable sort on key and eldest alone from the order of places.
    std::vector<Keyed> items(5000);
    for (size_t i = 0; i < items.size(); ++i)
        items[i] = {pool[random() % 9], eldests[random() % 3], static_cast<uint32_t>(i)};
    std::vector<Keyed> stable = items;
    std::stable_sort(stable.begin(), stable.end(),
                     [](const Keyed& x, const Keyed& y) { return x.key != y.key ? x.key < y.key : x.eldest < y.eldest; });
    std::shuffle(items.begin(), items.end(), random);
    bucketSort(items.data(), items.data() + items.size(), scratch, counts, 5000, UnitBucket{5000}, keyedLess);
    EXPECT_EQ(items, stable);
}

}  // namespace
}  // namespace kinloom
