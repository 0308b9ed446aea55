#include "layout/family_chart.h"

#include "document/centre_home.h"
#include "document/item_store.h"
#include "layout/family_order.h"
#include "layout/family_ranks.h"
#include "layout/family_row_numbering.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kinloom {

namespace {

// Places the blocks of each row: every row keeps its order and its gaps, and each block is moved
// as near as the gaps allow to where its links pull it (the mean of its lines' far ends). That is a
// least-squares fit under order constraints, solved exactly for a row in one pass by pooling
// neighbours that push against each other. Sweeps down and up, parents last, so that parents are
// centred over their children where the row leaves room; a small tree gets more sweeps pulled both
// ways. Last come sweeps that shorten the lines as drawn: each line pulls with a weight of one over
// its present length, which makes each sweep a step towards the least total length (Weiszfeld's
// reweighting), so that a long line no longer drags its ends as hard as a short one.
class BlockPlacer {
public:
    BlockPlacer(const FamilyGraph& g, const FamilyBlocks& b, const FamilyChildren& children, const FamilyRows& rows)
        : g_(g), b_(b), children_(children), rows_(rows), left_(b.count(), 0.0), slot_(g.size()),
          thorough_(g.size() <= kThoroughChartPersons) {
        for (size_t c = 0; c < b.count(); ++c)
            for (uint32_t k = b.start[c]; k < b.start[c + 1]; ++k) slot_[b.members[k]] = static_cast<int32_t>(k - b.start[c]);
    }

    enum class Pull { Parents, Children, Both, Shorten };

    void run() {
        const size_t rowCount = rows_.rowStart.size() - 1;
        for (size_t r = 0; r < rowCount; ++r) place(r, Pull::Parents, true);
        constexpr int kRounds = 6;
        for (int round = 0; round < kRounds; ++round) {
            for (size_t r = 1; r < rowCount; ++r) place(r, Pull::Parents, false);
            for (size_t r = rowCount - 1; r-- > 0;) place(r, Pull::Children, false);
        }
        for (int round = 0; round < (thorough_ ? 8 : 1); ++round) {
            for (size_t r = 1; r < rowCount; ++r) place(r, Pull::Both, false);
            for (size_t r = rowCount - 1; r-- > 0;) place(r, Pull::Both, false);
        }
        for (int round = 0; round < (thorough_ ? 24 : 2); ++round) {
            for (size_t r = 1; r < rowCount; ++r) place(r, Pull::Shorten, false);
            for (size_t r = rowCount - 1; r-- > 0;) place(r, Pull::Shorten, false);
        }
    }

    double centre(int32_t v) const { return left_[b_.blockOf[v]] + slot_[v] * kChartPartnerPitch + kItemHalf; }
    double left(int32_t v) const { return left_[b_.blockOf[v]] + slot_[v] * kChartPartnerPitch; }
    std::size_t bytes() const {
        return left_.capacity() * 8 + slot_.capacity() * 4 + want_.capacity() * sizeof(Want) + pools_.capacity() * sizeof(Pool) +
               ends_.capacity() * 8;
    }

private:
    static constexpr double kItemHalf = 70;
    struct Want {
        double target, weight;
    };
    struct Pool {
        double weight, sum;
        uint32_t count;
        double mean() const { return sum / weight; }
    };

    void place(size_t r, Pull pull, bool packOnly) {
        const uint32_t end = rows_.rowStart[r + 1];
        for (uint32_t i = rows_.rowStart[r]; i < end;) {
            const int32_t family = b_.family[rows_.order[i]];
            uint32_t j = i;
            while (j < end && b_.family[rows_.order[j]] == family) ++j;
            placeSegment(i, j, pull, packOnly);
            i = j;
        }
    }

    void placeSegment(uint32_t from, uint32_t to, Pull pull, bool packOnly) {
        want_.clear();
        double offset = 0;  // the least distance from the segment's first block
        for (uint32_t i = from; i < to; ++i) {
            const int32_t c = rows_.order[i];
            const uint32_t size = b_.start[c + 1] - b_.start[c];
            if (packOnly) {
                left_[c] = offset;
            } else {
                double sum = 0, weight = 0;
                uint32_t count = 0;
                ends_.clear();
                for (uint32_t k = b_.start[c]; k < b_.start[c + 1]; ++k) {
                    const int32_t m = b_.members[k];
                    const double own = (k - b_.start[c]) * static_cast<double>(kChartPartnerPitch) + kItemHalf;
                    auto add = [&](int32_t v) {
                        if (v < 0 || b_.blockOf[v] == c) return;
                        ++count;
                        double w = 1;
                        if (pull == Pull::Shorten) {
                            // The line's length as drawn; the floor keeps the weight finite where its ends meet.
                            const double dx = left_[c] + own - centre(v);
                            const double dy = std::abs(b_.row[c] - b_.row[b_.blockOf[v]]) * double{kChartRowPitch};
                            w = kChartRowPitch / std::max(std::hypot(dx, dy), 1.0);
                        } else if (thorough_) {
                            ends_.push_back(centre(v) - own);
                        }
                        sum += w * (centre(v) - own);
                        weight += w;
                    };
                    if (pull != Pull::Children) {
                        add(g_.father[m]);
                        add(g_.mother[m]);
                    }
                    if (pull != Pull::Parents)
                        for (uint32_t e = children_.start[m]; e < children_.start[m + 1]; ++e) add(children_.items[e]);
                    for (uint32_t e = g_.partnerStart[m]; e < g_.partnerStart[m + 1]; ++e) add(g_.partners[e]);
                }
                // In a small tree a block heads for the median of its lines' far ends, which one
                // far-flung relative does not drag off.
                if (count > 2 && thorough_ && pull != Pull::Shorten) {
                    std::sort(ends_.begin(), ends_.end());
                    const size_t h = ends_.size() / 2;
                    sum = (ends_.size() % 2 ? ends_[h] : (ends_[h - 1] + ends_[h]) / 2) * count;
                }
                // A block without lines that way stays where it is unless a neighbour needs the room.
                want_.push_back(count ? Want{sum / weight - offset, weight} : Want{left_[c] - offset, 1e-3});
            }
            offset += size * static_cast<double>(kChartPartnerPitch) + (kChartBlockGap - (kChartPartnerPitch - kItemWidth));
        }
        if (packOnly) return;
        pools_.clear();
        for (const Want& w : want_) {
            pools_.push_back({w.weight, w.weight * w.target, 1});
            while (pools_.size() > 1 && pools_[pools_.size() - 2].mean() > pools_.back().mean()) {
                const Pool top = pools_.back();
                pools_.pop_back();
                pools_.back().weight += top.weight;
                pools_.back().sum += top.sum;
                pools_.back().count += top.count;
            }
        }
        offset = 0;
        uint32_t i = from;
        for (const Pool& p : pools_) {
            const double y = p.mean();
            for (uint32_t k = 0; k < p.count; ++k, ++i) {
                const int32_t c = rows_.order[i];
                left_[c] = y + offset;
                offset += (b_.start[c + 1] - b_.start[c]) * static_cast<double>(kChartPartnerPitch) +
                          (kChartBlockGap - (kChartPartnerPitch - kItemWidth));
            }
        }
    }

    const FamilyGraph& g_;
    const FamilyBlocks& b_;
    const FamilyChildren& children_;
    const FamilyRows& rows_;
    std::vector<double> left_;   // block -> x of its first member's left edge
    std::vector<int32_t> slot_;  // item -> place in its block
    std::vector<Want> want_;
    std::vector<Pool> pools_;
    std::vector<double> ends_;
    const bool thorough_;
};

int32_t onGrid(double v) {
    const double snapped = std::round(v / 5.0) * 5.0;
    return static_cast<int32_t>(std::clamp(snapped, static_cast<double>(INT_MIN + 5), static_cast<double>(INT_MAX - 200)));
}

}  // namespace

std::vector<ChartPoint> familyChartPositions(const FamilyGraph& g, std::size_t* workingBytes) {
    const size_t n = g.size();
    std::vector<ChartPoint> out(n);
    if (n == 0) return out;
    RowNumberedChart chart;
    {
        FamilyBlocks firstBlocks = familyBlocksOf(g);
        FamilyChildren firstChildren = familyChildrenOf(g);
        const FamilyRows first = firstFamilyRows(g, firstBlocks, firstChildren);
        chart = numberByRows(g, std::move(firstBlocks), std::move(firstChildren), first);
    }
    const FamilyBlocks& blocks = chart.blocks;
    improveFamilyRows(chart.graph, blocks, chart.children, chart.rows);
    BlockPlacer placer(chart.graph, blocks, chart.children, chart.rows);
    placer.run();

    // Each family's extent, then the families side by side, the largest first; once the line is
    // twice as wide as the largest family (or 20,000 units), the next ones start a line below.
    const auto families = static_cast<size_t>(blocks.families);
    std::vector<double> minX(families, INFINITY), maxX(families, -INFINITY);
    std::vector<int32_t> rowsOf(families, 0);
    for (size_t v = 0; v < n; ++v) {
        const int32_t c = blocks.blockOf[v];
        const int32_t f = blocks.family[c];
        minX[f] = std::min(minX[f], placer.left(static_cast<int32_t>(v)));
        maxX[f] = std::max(maxX[f], placer.left(static_cast<int32_t>(v)) + kItemWidth);
        rowsOf[f] = std::max(rowsOf[f], blocks.row[c] + 1);
    }
    std::vector<double> shiftX(families);
    std::vector<int64_t> shiftY(families);
    const double limit = std::max(2 * (maxX[0] - minX[0]), 20000.0);
    double cursor = 0;
    int64_t lineTop = 0, lineBottom = 0;
    for (size_t f = 0; f < families; ++f) {
        const double width = maxX[f] - minX[f];
        if (cursor > 0 && cursor + width > limit) {
            cursor = 0;
            lineTop = lineBottom + kChartFamilyGap;
        }
        shiftX[f] = cursor - minX[f];
        shiftY[f] = lineTop;
        cursor += width + kChartFamilyGap;
        lineBottom = std::max<int64_t>(lineBottom, lineTop + int64_t{rowsOf[f] - 1} * kChartRowPitch + kItemHeight);
    }
    for (size_t v = 0; v < n; ++v) {
        const int32_t c = blocks.blockOf[v];
        const int32_t f = blocks.family[c];
        ChartPoint& at = out[chart.itemOf[v]];
        at.x = onGrid(placer.left(static_cast<int32_t>(v)) + shiftX[f]);
        at.y = onGrid(static_cast<double>(shiftY[f] + int64_t{blocks.row[c]} * kChartRowPitch));
    }
    if (workingBytes) *workingBytes = chart.bytes() + placer.bytes() + families * (8 + 8 + 4 + 8 + 8);
    return out;
}

void arrangeAsFamilyChart(ItemStore& store) {
    if (store.empty()) return;
    const std::vector<ChartPoint> at = familyChartPositions(familyGraphOf(store));
    size_t i = 0;
    for (PersonItem* p = store.firstItem(); p; p = p->Next, ++i) {
        store.touchPlace(p);  // only X, Y and Selected change
        p->X = at[i].x;
        p->Y = at[i].y;
        p->Selected = false;
    }
    store.clearSelection();
    if (!store.currentItem) store.currentItem = store.firstItem();
}

void arrangeAsFamilyChart(ItemStore& store, ViewState& view, WindowSize window) {
    if (store.empty()) return;
    arrangeAsFamilyChart(store);
    view.zoom = 100.0;
    centreHomeItem(store, view, window);
}

}  // namespace kinloom
