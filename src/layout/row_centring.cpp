#include "layout/row_centring.h"

#include "document/item_store.h"
#include "platform/scratch_array.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kinloom {

namespace {

constexpr int64_t kRowWindow = 1000;

struct Row {
    int32_t y;
    size_t begin, end;  // range in the items sorted by Y
};

// The items' numbers sorted by Y, items of one row keeping their order: a radix sort on keys held
// beside the numbers, in time proportional to their number.
ScratchArray<uint32_t> sortedByY(std::span<const int32_t> ys) {
    struct Keyed {
        uint32_t key;  // Y with its sign bit flipped, so that unsigned order is Y's order
        uint32_t item;
    };
    ScratchArray<Keyed> keyed(ys.size()), scratch(ys.size());
    for (size_t i = 0; i < ys.size(); ++i) keyed[i] = {static_cast<uint32_t>(ys[i]) ^ 0x80000000U, static_cast<uint32_t>(i)};
    for (int shift = 0; shift < 32; shift += 8) {
        std::array<size_t, 257> start{};
        for (const Keyed& k : keyed) ++start[((k.key >> shift) & 0xFF) + 1];
        if (std::find(start.begin(), start.end(), keyed.size()) != start.end()) continue;  // one digit for all
        for (size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
        for (const Keyed& k : keyed) scratch[start[(k.key >> shift) & 0xFF]++] = k;
        std::swap(keyed, scratch);
    }
    ScratchArray<uint32_t> items(ys.size());
    for (size_t i = 0; i < ys.size(); ++i) items[i] = keyed[i].item;
    return items;
}

void centreSortedRows(std::span<int32_t> xs, std::span<const int32_t> ys, std::span<const uint8_t> withParents);

}  // namespace

void centreRows(ItemStore& store) {
    // The items' fields in arrays, read and written in list order.
    std::vector<int32_t> xs, ys;
    std::vector<uint8_t> withParents;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        xs.push_back(p->X);
        ys.push_back(p->Y);
        withParents.push_back(p->Father || p->Mother);
    }
    centreRows(xs, ys, withParents);
    size_t i = 0;
    for (PersonItem* p = store.firstItem(); p; p = p->Next) p->X = xs[i++];
}

void centreRows(std::span<int32_t> xs, std::span<const int32_t> ys, std::span<const uint8_t> withParents) {
    RowShifts shifts;
    for (size_t i = 0; i < xs.size(); ++i) shifts.add(xs[i], ys[i], withParents[i]);
    if (shifts.finish()) {
        for (size_t i = 0; i < xs.size(); ++i) xs[i] = shifts.centred(xs[i], ys[i]);
        return;
    }
    centreSortedRows(xs, ys, withParents);
}

RowShifts::RowShifts() : table_(64, 0), mask_(63) {}

uint32_t RowShifts::addRow(int32_t y, uint32_t slot) {
    const auto row = static_cast<uint32_t>(rows_.size());
    rows_.push_back({y});
    table_[slot] = row + 1;
    if (2 * rows_.size() > table_.size()) {  // keep the table at most half full
        table_.assign(2 * table_.size(), 0);
        mask_ = static_cast<uint32_t>(table_.size() - 1);
        for (uint32_t r = 0; r < rows_.size(); ++r) {
            uint32_t i = slotOf(rows_[r].y, mask_);
            while (table_[i] != 0) i = (i + 1) & mask_;
            table_[i] = r + 1;
        }
    }
    return row;
}

bool RowShifts::finish() {
    if (rows_.empty()) return true;
    int64_t minX = INT32_MAX, maxX = INT32_MIN;
    for (const Row& row : rows_) {
        minX = std::min<int64_t>(minX, row.allMin);
        maxX = std::max<int64_t>(maxX, row.allMax);
    }
    std::vector<uint32_t> byY(rows_.size());
    for (uint32_t r = 0; r < byY.size(); ++r) byY[r] = r;
    std::sort(byY.begin(), byY.end(), [&](uint32_t a, uint32_t b) { return rows_[a].y < rows_[b].y; });
    // As centreSortedRows, from the lowest row up. A row is shifted once, as the row above the
    // current one, before it becomes the current row itself.
    size_t current = byY.size() - 1;
    for (;;) {
        const Row& low = rows_[byY[current]];
        const int64_t rowY = low.y;
        int64_t lowMax = minX, lowMin = maxX;
        if (low.withParents) {
            const int64_t shiftedMax = int64_t{low.parentsMax} - low.shift;
            const int64_t shiftedMin = int64_t{low.parentsMin} - low.shift;
            if (shiftedMax > INT32_MAX || shiftedMin < INT32_MIN) return false;  // its X would wrap
            lowMax = std::max(lowMax, shiftedMax);
            lowMin = std::min(lowMin, shiftedMin);
        }
        bool last = true;
        Row* next = nullptr;
        if (current > 0 && rows_[byY[current - 1]].y > rowY - kRowWindow) {
            last = false;
            next = &rows_[byY[current - 1]];
        } else if (current > 0 && rows_[byY[current - 1]].y == rowY - kRowWindow) {
            next = &rows_[byY[current - 1]];
        }
        const int64_t upMax = next ? next->allMax : minX;
        const int64_t upMin = next ? next->allMin : maxX;
        const int64_t shift = ((upMax + upMin) - (lowMax + lowMin)) / 2;
        if (next) next->shift = shift;
        if (last) return true;
        --current;
    }
}

namespace {

// The rows grouped by sorting the items, for rows whose X wrap around the ends of the range.
void centreSortedRows(std::span<int32_t> xs, std::span<const int32_t> ys, std::span<const uint8_t> withParents) {
    if (xs.empty()) return;
    // The rows, indexed once: Y never changes during the pass, only X.
    const auto [lowest, highest] = std::minmax_element(xs.begin(), xs.end());
    const int64_t minX = *lowest;
    const int64_t maxX = *highest;
    const ScratchArray<uint32_t> items = sortedByY(ys);
    std::vector<Row> rows;
    for (size_t i = 0; i < items.size();) {
        size_t j = i;
        while (j < items.size() && ys[items[j]] == ys[items[i]]) ++j;
        rows.push_back({ys[items[i]], i, j});
        i = j;
    }
    auto extent = [&](const Row& row, bool onlyWithParents, int64_t& high, int64_t& low) {
        high = minX;
        low = maxX;
        for (size_t i = row.begin; i < row.end; ++i) {
            const uint32_t item = items[i];
            if (onlyWithParents && !withParents[item]) continue;
            high = std::max<int64_t>(high, xs[item]);
            low = std::min<int64_t>(low, xs[item]);
        }
    };
    size_t current = rows.size() - 1;  // the lowest row on the canvas
    for (;;) {
        const int64_t rowY = rows[current].y;
        int64_t lowMax = 0, lowMin = 0;
        extent(rows[current], true, lowMax, lowMin);
        // The next row up must lie less than 1000 above; otherwise the row exactly 1000 above,
        // if any, is the last one shifted.
        bool last = true;
        const Row* next = nullptr;
        if (current > 0 && rows[current - 1].y > rowY - kRowWindow) {
            last = false;
            next = &rows[current - 1];
        } else if (current > 0 && rows[current - 1].y == rowY - kRowWindow) {
            next = &rows[current - 1];
        }
        int64_t upMax = minX, upMin = maxX;
        if (next) extent(*next, false, upMax, upMin);
        const int64_t shift = ((upMax + upMin) - (lowMax + lowMin)) / 2;
        if (next)
            for (size_t i = next->begin; i < next->end; ++i)
                xs[items[i]] = static_cast<int32_t>(static_cast<uint32_t>(int64_t{xs[items[i]]} - shift));
        if (last) return;
        --current;
    }
}

}  // namespace

}  // namespace kinloom
