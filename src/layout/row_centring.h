#pragma once
#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace kinloom {

class ItemStore;

// From the lowest row upward, shifts each row of items (items with exactly the same Y) sideways so
// that its middle lies over the middle of the items with parents in the row below. A row more than
// 999 units above the next lower one ends the pass after being shifted, if it lies exactly 1000 above.
void centreRows(ItemStore& store);

// The same over plain arrays, one entry an item: `xs` are shifted, `ys` give the rows, and
// `withParents` marks the items that have a father or a mother.
void centreRows(std::span<int32_t> xs, std::span<const int32_t> ys, std::span<const uint8_t> withParents);

// The same shifts worked out from each row's extents, without grouping the items: add every item,
// then finish, then ask each item's new X. Two passes over the items wherever they are kept, and
// memory for the rows alone. finish() is false where a shifted row would wrap around the ends of
// the coordinate range before the next row is centred over it; centreRows handles that case.
class RowShifts {
public:
    RowShifts();
    void add(int32_t x, int32_t y, bool withParents) {
        Row& row = rows_[rowAt(y)];
        row.allMax = std::max(row.allMax, x);
        row.allMin = std::min(row.allMin, x);
        if (withParents) {
            row.parentsMax = std::max(row.parentsMax, x);
            row.parentsMin = std::min(row.parentsMin, x);
            row.withParents = true;
        }
    }
    bool finish();
    // The X of an item of the row at y (an item that was added) once the rows are centred.
    int32_t centred(int32_t x, int32_t y) const {
        return static_cast<int32_t>(static_cast<uint32_t>(int64_t{x} - rows_[findRow(y)].shift));
    }

private:
    struct Row {
        int32_t y;
        int32_t allMax = INT32_MIN, allMin = INT32_MAX;
        int32_t parentsMax = INT32_MIN, parentsMin = INT32_MAX;
        bool withParents = false;
        int64_t shift = 0;
    };
    // Rows by Y in an open-addressed table of row numbers + 1 (0 = empty).
    static uint32_t slotOf(int32_t y, uint32_t mask) {
        return static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(y)} * 0x9E3779B97F4A7C15ULL >> 40) & mask;
    }
    uint32_t findRow(int32_t y) const {
        for (uint32_t i = slotOf(y, mask_);; i = (i + 1) & mask_)
            if (rows_[table_[i] - 1].y == y) return table_[i] - 1;
    }
    uint32_t rowAt(int32_t y) {
        uint32_t i = slotOf(y, mask_);
        for (; table_[i] != 0; i = (i + 1) & mask_)
            if (rows_[table_[i] - 1].y == y) return table_[i] - 1;
        return addRow(y, i);
    }
    uint32_t addRow(int32_t y, uint32_t slot);

    std::vector<Row> rows_;
    std::vector<uint32_t> table_;
    uint32_t mask_ = 0;
};

}  // namespace kinloom
