#include "layout/row_centring.h"

#include "document/item_store.h"

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

// Sorts the items by Y, items of one row keeping their order: a radix sort on keys held beside
// the items, in time proportional to their number, touching each item only once.
void sortByY(std::vector<PersonItem*>& items) {
    struct Keyed {
        uint32_t key;  // Y with its sign bit flipped, so that unsigned order is Y's order
        PersonItem* item;
    };
    std::vector<Keyed> keyed(items.size()), scratch(items.size());
    for (size_t i = 0; i < items.size(); ++i) keyed[i] = {static_cast<uint32_t>(items[i]->Y) ^ 0x80000000U, items[i]};
    for (int shift = 0; shift < 32; shift += 8) {
        std::array<size_t, 257> start{};
        for (const Keyed& k : keyed) ++start[((k.key >> shift) & 0xFF) + 1];
        if (std::find(start.begin(), start.end(), keyed.size()) != start.end()) continue;  // one digit for all
        for (size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
        for (const Keyed& k : keyed) scratch[start[(k.key >> shift) & 0xFF]++] = k;
        keyed.swap(scratch);
    }
    for (size_t i = 0; i < items.size(); ++i) items[i] = keyed[i].item;
}

}  // namespace

void centreRows(ItemStore& store) {
    if (store.empty()) return;
    // The rows, indexed once: Y never changes during the pass, only X.
    std::vector<PersonItem*> items;
    items.reserve(static_cast<size_t>(store.itemCount()));
    int64_t minX = store.firstItem()->X;
    int64_t maxX = minX;
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        items.push_back(p);
        minX = std::min<int64_t>(minX, p->X);
        maxX = std::max<int64_t>(maxX, p->X);
    }
    sortByY(items);
    std::vector<Row> rows;
    for (size_t i = 0; i < items.size();) {
        size_t j = i;
        while (j < items.size() && items[j]->Y == items[i]->Y) ++j;
        rows.push_back({items[i]->Y, i, j});
        i = j;
    }
    auto extent = [&](const Row& row, bool onlyWithParents, int64_t& high, int64_t& low) {
        high = minX;
        low = maxX;
        for (size_t i = row.begin; i < row.end; ++i) {
            const PersonItem* p = items[i];
            if (onlyWithParents && !p->Father && !p->Mother) continue;
            high = std::max<int64_t>(high, p->X);
            low = std::min<int64_t>(low, p->X);
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
                items[i]->X = static_cast<int32_t>(static_cast<uint32_t>(int64_t{items[i]->X} - shift));
        if (last) return;
        --current;
    }
}

}  // namespace kinloom
