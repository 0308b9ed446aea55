#include "layout/family_rank_balance.h"

#include <algorithm>
#include <climits>

namespace kinloom {

namespace {

// Parent links between blocks from one end: list b holds the block at the other end of each of b's
// links, once per link, so that a couple's child counts twice.
struct Links {
    std::vector<uint32_t> start;
    std::vector<int32_t> to;
    uint32_t begin(int32_t b) const { return start[b]; }
    uint32_t end(int32_t b) const { return start[b + 1]; }
};

class BlockRaiser {
public:
    BlockRaiser(const Links& up, const Links& down, std::vector<int32_t>& row)
        : up_(up), down_(down), row_(row), mark_(row.size(), 0) {}

    // Raises `seed` with its group when that shortens the lines in all; true when it moved.
    bool tryRaise(int32_t seed) {
        if (!hasLongLineUp(seed)) return false;
        // The group: the seed and every parent block one row above a member, which must move with it.
        ++stamp_;
        group_.assign(1, seed);
        mark_[seed] = stamp_;
        for (size_t k = 0; k < group_.size(); ++k) {
            const int32_t x = group_[k];
            for (uint32_t e = up_.begin(x); e < up_.end(x); ++e) {
                const int32_t y = up_.to[e];
                if (mark_[y] == stamp_ || row_[x] - row_[y] > 1) continue;
                if (group_.size() >= kLargestGroup) return false;
                mark_[y] = stamp_;
                group_.push_back(y);
            }
        }
        // Each row up shortens every line to a parent outside the group and lengthens every line to
        // a child outside it, until the nearest of those parents is one row above.
        int32_t room = INT_MAX;
        long gain = 0;
        for (const int32_t x : group_) {
            for (uint32_t e = up_.begin(x); e < up_.end(x); ++e)
                if (mark_[up_.to[e]] != stamp_) {
                    room = std::min(room, row_[x] - row_[up_.to[e]] - 1);
                    ++gain;
                }
            for (uint32_t e = down_.begin(x); e < down_.end(x); ++e) gain -= mark_[down_.to[e]] != stamp_;
        }
        if (gain <= 0 || room == INT_MAX || room <= 0) return false;
        for (const int32_t x : group_) row_[x] -= room;
        return true;
    }

private:
    bool hasLongLineUp(int32_t b) const {
        for (uint32_t e = up_.begin(b); e < up_.end(b); ++e)
            if (row_[b] - row_[up_.to[e]] >= kLongSpan) return true;
        return false;
    }

    // Lines of two or three rows are left as they are: moving whole groups for them makes rows
    // fuller and the chart wider more than it shortens lines.
    static constexpr int32_t kLongSpan = 4;
    static constexpr size_t kLargestGroup = 256;
    const Links& up_;
    const Links& down_;
    std::vector<int32_t>& row_;
    std::vector<uint32_t> mark_;
    uint32_t stamp_ = 0;
    std::vector<int32_t> group_;
};

}  // namespace

bool raiseBlocksTowardParents(const FamilyGraph& g, const std::vector<int32_t>& blockOf, std::vector<int32_t>& row) {
    const size_t blocks = row.size();
    auto linksOf = [&](bool toParents) {
        Links l;
        l.start.assign(blocks + 1, 0);
        auto forEach = [&](auto&& add) {
            for (size_t i = 0; i < g.size(); ++i)
                for (const int32_t p : {g.father[i], g.mother[i]}) {
                    if (p < 0) continue;
                    const int32_t parent = blockOf[p], child = blockOf[i];
                    if (row[child] <= row[parent]) continue;
                    toParents ? add(child, parent) : add(parent, child);
                }
        };
        forEach([&](int32_t from, int32_t) { ++l.start[from + 1]; });
        for (size_t i = 0; i < blocks; ++i) l.start[i + 1] += l.start[i];
        l.to.resize(l.start[blocks]);
        std::vector<uint32_t> cursor(l.start.begin(), l.start.end() - 1);
        forEach([&](int32_t from, int32_t to) { l.to[cursor[from]++] = to; });
        return l;
    };
    const Links up = linksOf(true);
    const Links down = linksOf(false);
    BlockRaiser raiser(up, down, row);
    constexpr int kPasses = 6;
    bool movedAny = false;
    for (int pass = 0; pass < kPasses; ++pass) {
        bool moved = false;
        for (size_t b = 0; b < blocks; ++b) moved |= raiser.tryRaise(static_cast<int32_t>(b));
        movedAny |= moved;
        if (!moved) break;
    }
    return movedAny;
}

}  // namespace kinloom
