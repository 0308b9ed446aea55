#include "layout/family_order.h"

#include "layout/bucket_sort.h"

#include <algorithm>
#include <cassert>
#include <climits>

namespace kinloom {

FamilyChildren familyChildrenOf(const FamilyGraph& g) {
    const size_t n = g.size();
    FamilyChildren c;
    // Brothers and sisters (same father and mother) in list order, then by year; a child without a
    // year takes the year of the one before it, so that the list's own order holds where dates are
    // missing.
    std::vector<int32_t> sorted;
    for (size_t i = 0; i < n; ++i)
        if (g.father[i] >= 0 || g.mother[i] >= 0) sorted.push_back(static_cast<int32_t>(i));
    auto parents = [&](int32_t i) {
        return static_cast<uint64_t>(static_cast<uint32_t>(g.father[i] + 1)) << 32 | static_cast<uint32_t>(g.mother[i] + 1);
    };
    std::sort(sorted.begin(), sorted.end(), [&](int32_t a, int32_t b) {
        const uint64_t pa = parents(a), pb = parents(b);
        return pa != pb ? pa < pb : a < b;
    });
    std::vector<int32_t> year(n, INT_MIN);
    c.birthRank.assign(n, 0);
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i;
        int32_t last = INT_MIN;
        for (; j < sorted.size() && parents(sorted[j]) == parents(sorted[i]); ++j) {
            const int32_t v = sorted[j];
            if (g.birthYear[v] != 0) last = g.birthYear[v];
            year[v] = last;
        }
        std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(i), sorted.begin() + static_cast<std::ptrdiff_t>(j),
                  [&](int32_t a, int32_t b) { return year[a] != year[b] ? year[a] < year[b] : a < b; });
        for (size_t k = i; k < j; ++k) c.birthRank[sorted[k]] = static_cast<int32_t>(k - i);
        i = j;
    }
    sorted = {};
    c.start.assign(n + 1, 0);
    for (size_t i = 0; i < n; ++i) {
        if (g.father[i] >= 0) ++c.start[g.father[i] + 1];
        if (g.mother[i] >= 0) ++c.start[g.mother[i] + 1];
    }
    for (size_t i = 0; i < n; ++i) c.start[i + 1] += c.start[i];
    c.items.resize(c.start[n]);
    {
        std::vector<uint32_t> cursor(c.start.begin(), c.start.end() - 1);
        for (size_t i = 0; i < n; ++i) {
            if (g.father[i] >= 0) c.items[cursor[g.father[i]]++] = static_cast<int32_t>(i);
            if (g.mother[i] >= 0) c.items[cursor[g.mother[i]]++] = static_cast<int32_t>(i);
        }
    }
    for (size_t p = 0; p < n; ++p)
        std::sort(c.items.begin() + c.start[p], c.items.begin() + c.start[p + 1],
                  [&](int32_t a, int32_t b) { return year[a] != year[b] ? year[a] < year[b] : a < b; });
    return c;
}

namespace {

class RowSorter {
public:
    RowSorter(const FamilyGraph& g, const FamilyBlocks& b, const FamilyChildren& children, FamilyRows& rows)
        : g_(g), b_(b), children_(children), rows_(rows), place_(g.size(), 0.0f), index_(g.size(), 0) {}

    // Each person's place in its family's part of the row, from 0 to 1.
    void measure(size_t r) {
        const uint32_t end = rows_.rowStart[r + 1];
        uint32_t next = firstIndex(r);
        for (uint32_t i = rows_.rowStart[r]; i < end;) {
            const int32_t family = b_.family[rows_.order[i]];
            uint32_t j = i, persons = 0;
            for (; j < end && b_.family[rows_.order[j]] == family; ++j)
                persons += b_.start[rows_.order[j] + 1] - b_.start[rows_.order[j]];
            uint32_t k = 0;
            for (; i < j; ++i) {
                const int32_t c = rows_.order[i];
                for (uint32_t m = b_.start[c]; m < b_.start[c + 1]; ++m) {
                    place_[b_.members[m]] = (static_cast<float>(k++) + 0.5f) / static_cast<float>(persons);
                    index_[b_.members[m]] = next++;
                }
            }
        }
    }

    // Crossings of the lines between neighbouring rows, counted on the order alone: two lines cross
    // when their ends come in opposite orders above and below. The children are read left to right,
    // and an accumulator tree over the row above counts for each line the lines already read that
    // start further right.
    long long crossings() {
        long long total = 0;
        const size_t rowCount = rows_.rowStart.size() - 1;
        for (size_t r = 1; r < rowCount; ++r) {
            tree_.assign(rowWidth(r - 1) + 1, 0);
            const uint32_t base = firstIndex(r - 1);
            uint32_t seen = 0;
            for (uint32_t i = rows_.rowStart[r]; i < rows_.rowStart[r + 1]; ++i) {
                const int32_t c = rows_.order[i];
                for (uint32_t k = b_.start[c]; k < b_.start[c + 1]; ++k) {
                    const int32_t m = b_.members[k];
                    uint32_t above[2];
                    int lines = 0;
                    for (const int32_t p : {g_.father[m], g_.mother[m]})
                        if (p >= 0 && b_.row[b_.blockOf[p]] + 1 == static_cast<int32_t>(r)) above[lines++] = index_[p] - base;
                    // Lines from one parent, or to one child, do not cross: a child's lines are all
                    // counted before they are added.
                    for (int e = 0; e < lines; ++e) {
                        uint32_t notRight = 0;
                        for (uint32_t q = above[e] + 1; q > 0; q -= q & (0u - q)) notRight += tree_[q];
                        total += seen - notRight;
                    }
                    for (int e = 0; e < lines; ++e, ++seen)
                        for (uint32_t q = above[e] + 1; q < tree_.size(); q += q & (0u - q)) ++tree_[q];
                }
            }
        }
        return total;
    }

    void sort(size_t r, bool byParents) {
        keys_.clear();
        for (uint32_t i = rows_.rowStart[r]; i < rows_.rowStart[r + 1]; ++i) {
            const int32_t c = rows_.order[i];
            double sum = 0, own = 0;
            int32_t count = 0, eldest = INT_MAX;
            for (uint32_t k = b_.start[c]; k < b_.start[c + 1]; ++k) {
                const int32_t m = b_.members[k];
                own += place_[m];
                auto add = [&](int32_t v) {
                    if (v < 0 || b_.blockOf[v] == c) return;
                    sum += place_[v];
                    ++count;
                };
                if (byParents) {
                    add(g_.father[m]);
                    add(g_.mother[m]);
                    if (g_.father[m] >= 0 || g_.mother[m] >= 0) eldest = std::min(eldest, children_.birthRank[m]);
                } else {
                    for (uint32_t e = children_.start[m]; e < children_.start[m + 1]; ++e) add(children_.items[e]);
                }
                // A partner in another row pulls either way.
                for (uint32_t e = g_.partnerStart[m]; e < g_.partnerStart[m + 1]; ++e) add(g_.partners[e]);
            }
            const double key = count ? sum / count : own / static_cast<double>(b_.start[c + 1] - b_.start[c]);
            keys_.push_back({key, b_.family[c], eldest, i, c});
        }
        // The row holds each family's blocks together, the families in their order, so each family's
        // part is sorted by itself. Its keys are places between 0 and 1 and spread about as evenly
        // as its blocks do: with one bucket for each block they sort in about linear time.
        auto less = [](const Key& x, const Key& y) {
            if (x.key != y.key) return x.key < y.key;
            if (x.eldest != y.eldest) return x.eldest < y.eldest;
            return x.at < y.at;
        };
        for (size_t from = 0; from < keys_.size();) {
            size_t to = from + 1;
            while (to < keys_.size() && keys_[to].family == keys_[from].family) ++to;
            assert(to == keys_.size() || keys_[to].family > keys_[from].family);
            const auto buckets = static_cast<uint32_t>(to - from);
            auto bucketOf = [buckets](const Key& k) {
                return k.key > 0 ? std::min(static_cast<uint32_t>(std::min(k.key, 1.0) * buckets), buckets - 1) : 0U;
            };
            bucketSort(keys_.data() + from, keys_.data() + to, scratch_, counts_, buckets, bucketOf, less);
            from = to;
        }
        uint32_t i = rows_.rowStart[r];
        for (const Key& k : keys_) rows_.order[i++] = k.block;
        measure(r);
    }

    // Swaps neighbouring blocks of a row where that makes fewer of their lines cross, counted on
    // the places of the far ends in the rows above and below; a few passes at most.
    void transpose(size_t r) {
        constexpr int kPasses = 2;
        constexpr size_t kLargestPair = 4096;
        bool swapped = false;
        for (int pass = 0; pass < kPasses; ++pass) {
            bool any = false;
            bool firstKnown = false;  // whether above_[0] and below_[0] hold the ends of the block at i
            for (uint32_t i = rows_.rowStart[r]; i + 1 < rows_.rowStart[r + 1]; ++i) {
                const int32_t u = rows_.order[i], v = rows_.order[i + 1];
                if (b_.family[u] != b_.family[v]) {
                    firstKnown = false;
                    continue;
                }
                if (!firstKnown) ends(u, above_[0], below_[0]);
                ends(v, above_[1], below_[1]);
                firstKnown = true;
                // Large families are left as the sort put them, so that a pass stays linear.
                bool swap = false;
                if ((above_[0].size() + below_[0].size()) * (above_[1].size() + below_[1].size()) <= kLargestPair) {
                    const long long keep = crossings(above_[0], above_[1]) + crossings(below_[0], below_[1]);
                    swap = crossings(above_[1], above_[0]) + crossings(below_[1], below_[0]) < keep;
                }
                if (swap) {
                    // The block at i + 1 is u, whose ends stay the first pair's.
                    std::swap(rows_.order[i], rows_.order[i + 1]);
                    any = swapped = true;
                } else {
                    // The block at i + 1 is v: its ends become the first pair's for the next step.
                    above_[0].swap(above_[1]);
                    below_[0].swap(below_[1]);
                }
            }
            if (!any) break;
        }
        if (swapped) measure(r);
    }

private:
    // Items are numbered left to right through each row, the rows one after another.
    uint32_t firstIndex(size_t r) const { return r == 0 ? 0 : rowItems_[r - 1]; }
    uint32_t rowWidth(size_t r) const { return rowItems_[r] - firstIndex(r); }

public:
    void countRows() {
        const size_t rowCount = rows_.rowStart.size() - 1;
        rowItems_.assign(rowCount, 0);
        uint32_t total = 0;
        for (size_t r = 0; r < rowCount; ++r) {
            for (uint32_t i = rows_.rowStart[r]; i < rows_.rowStart[r + 1]; ++i)
                total += b_.start[rows_.order[i] + 1] - b_.start[rows_.order[i]];
            rowItems_[r] = total;  // items in this row and all above
        }
    }

private:
    // The places of the far ends of a block's lines, up and down.
    void ends(int32_t c, std::vector<float>& up, std::vector<float>& down) const {
        up.clear();
        down.clear();
        for (uint32_t k = b_.start[c]; k < b_.start[c + 1]; ++k) {
            const int32_t m = b_.members[k];
            for (const int32_t p : {g_.father[m], g_.mother[m]})
                if (p >= 0 && b_.blockOf[p] != c) up.push_back(place_[p]);
            for (uint32_t e = children_.start[m]; e < children_.start[m + 1]; ++e)
                if (b_.blockOf[children_.items[e]] != c) down.push_back(place_[children_.items[e]]);
        }
    }
    // Lines from a block on the left to `left` ends that cross lines from its right neighbour.
    static long long crossings(const std::vector<float>& left, const std::vector<float>& right) {
        long long n = 0;
        for (const float a : left)
            for (const float b : right) n += a > b;
        return n;
    }

    struct Key {
        double key;
        int32_t family;
        int32_t eldest;
        uint32_t at;
        int32_t block;
    };
    const FamilyGraph& g_;
    const FamilyBlocks& b_;
    const FamilyChildren& children_;
    FamilyRows& rows_;
    std::vector<float> place_;
    std::vector<uint32_t> index_, rowItems_;
    std::vector<uint32_t> tree_;
    std::vector<Key> keys_, scratch_;
    std::vector<uint32_t> counts_;
    std::vector<float> above_[2], below_[2];
};

// The first order: a depth-first walk through each family from its top, parents before children,
// children eldest first; each row takes its blocks in the order the walk met them.
std::vector<int32_t> walkOrder(const FamilyGraph& g, const FamilyBlocks& b, const FamilyChildren& children) {
    const size_t blocks = b.count();
    std::vector<int32_t> starts(blocks);
    for (size_t c = 0; c < blocks; ++c) starts[c] = static_cast<int32_t>(c);
    std::sort(starts.begin(), starts.end(), [&](int32_t x, int32_t y) {
        if (b.family[x] != b.family[y]) return b.family[x] < b.family[y];
        if (b.row[x] != b.row[y]) return b.row[x] < b.row[y];
        return x < y;
    });
    std::vector<int32_t> visit(blocks, -1);
    std::vector<int32_t> stack, next;
    int32_t counter = 0;
    for (const int32_t s : starts) {
        if (visit[s] >= 0) continue;
        stack.assign(1, s);
        while (!stack.empty()) {
            const int32_t c = stack.back();
            stack.pop_back();
            if (visit[c] >= 0) continue;
            visit[c] = counter++;
            next.clear();
            for (uint32_t k = b.start[c]; k < b.start[c + 1]; ++k)
                for (const int32_t p : {g.father[b.members[k]], g.mother[b.members[k]]})
                    if (p >= 0) next.push_back(b.blockOf[p]);
            for (uint32_t k = b.start[c]; k < b.start[c + 1]; ++k) {
                const int32_t m = b.members[k];
                for (uint32_t e = children.start[m]; e < children.start[m + 1]; ++e)
                    next.push_back(b.blockOf[children.items[e]]);
            }
            for (size_t k = next.size(); k-- > 0;)
                if (visit[next[k]] < 0) stack.push_back(next[k]);
        }
    }
    return visit;
}

}  // namespace

FamilyRows firstFamilyRows(const FamilyGraph& g, const FamilyBlocks& b, const FamilyChildren& children) {
    FamilyRows rows;
    const size_t blocks = b.count();
    int32_t rowCount = 0;
    for (size_t c = 0; c < blocks; ++c) rowCount = std::max(rowCount, b.row[c] + 1);
    {
        const std::vector<int32_t> visit = walkOrder(g, b, children);
        rows.order.resize(blocks);
        for (size_t c = 0; c < blocks; ++c) rows.order[c] = static_cast<int32_t>(c);
        std::sort(rows.order.begin(), rows.order.end(), [&](int32_t x, int32_t y) {
            if (b.row[x] != b.row[y]) return b.row[x] < b.row[y];
            if (b.family[x] != b.family[y]) return b.family[x] < b.family[y];
            return visit[x] < visit[y];
        });
    }
    rows.rowStart.assign(static_cast<size_t>(rowCount) + 1, 0);
    for (size_t c = 0; c < blocks; ++c) ++rows.rowStart[b.row[c] + 1];
    for (int32_t r = 0; r < rowCount; ++r) rows.rowStart[r + 1] += rows.rowStart[r];
    return rows;
}

void improveFamilyRows(const FamilyGraph& g, const FamilyBlocks& b, const FamilyChildren& children, FamilyRows& rows) {
    const auto rowCount = static_cast<int32_t>(rows.rowStart.size() - 1);
    RowSorter sorter(g, b, children, rows);
    sorter.countRows();
    for (int32_t r = 0; r < rowCount; ++r) sorter.measure(r);
    // The order with fewest crossings seen after any round is kept.
    std::vector<int32_t> best = rows.order;
    long long fewest = sorter.crossings();
    auto keepIfBetter = [&] {
        const long long now = sorter.crossings();
        if (now < fewest) {
            fewest = now;
            best = rows.order;
        }
    };
    // A small tree can afford more rounds: the best order seen improves with them.
    const bool thorough = g.size() <= kThoroughChartPersons;
    const int kRounds = thorough ? 32 : 12;
    for (int round = 0; round < kRounds; ++round) {
        const bool refine = round >= kRounds - (thorough ? 8 : 4);  // the last rounds also swap neighbours
        for (int32_t r = 1; r < rowCount; ++r) {
            sorter.sort(r, true);
            if (refine) sorter.transpose(r);
        }
        for (int32_t r = rowCount - 1; r-- > 0;) {
            sorter.sort(r, false);
            if (refine) sorter.transpose(r);
        }
        keepIfBetter();
    }
    for (int32_t r = 1; r < rowCount; ++r) sorter.sort(r, true);
    for (int round = 0; round < 2; ++round)
        for (int32_t r = 0; r < rowCount; ++r) sorter.transpose(r);
    keepIfBetter();
    rows.order = best;
    // A last swapping of neighbours from the best order, with more passes in a small tree.
    for (int32_t r = 0; r < rowCount; ++r) sorter.measure(r);
    for (int round = 0; round < (thorough ? 8 : 2); ++round)
        for (int32_t r = 0; r < rowCount; ++r) sorter.transpose(r);
    keepIfBetter();
    rows.order = std::move(best);
}

}  // namespace kinloom
