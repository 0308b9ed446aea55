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

// The items' numbers sorted by Y, items of one row keeping their order: a radix sort on keys held
// beside the numbers, in time proportional to their number.
std::vector<uint32_t> sortedByY(const std::vector<int32_t>& ys) {
    struct Keyed {
        uint32_t key;  // Y with its sign bit flipped, so that unsigned order is Y's order
        uint32_t item;
    };
    std::vector<Keyed> keyed(ys.size()), scratch(ys.size());
    for (size_t i = 0; i < ys.size(); ++i) keyed[i] = {static_cast<uint32_t>(ys[i]) ^ 0x80000000U, static_cast<uint32_t>(i)};
    for (int shift = 0; shift < 32; shift += 8) {
        std::array<size_t, 257> start{};
        for (const Keyed& k : keyed) ++start[((k.key >> shift) & 0xFF) + 1];
        if (std::find(start.begin(), start.end(), keyed.size()) != start.end()) continue;  // one digit for all
        for (size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
        for (const Keyed& k : keyed) scratch[start[(k.key >> shift) & 0xFF]++] = k;
        keyed.swap(scratch);
    }
    std::vector<uint32_t> items(ys.size());
    for (size_t i = 0; i < ys.size(); ++i) items[i] = keyed[i].item;
    return items;
}

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

void centreRows(std::vector<int32_t>& xs, const std::vector<int32_t>& ys, const std::vector<uint8_t>& withParents) {
    if (xs.empty()) return;
    // The rows, indexed once: Y never changes during the pass, only X.
    const auto [lowest, highest] = std::minmax_element(xs.begin(), xs.end());
    const int64_t minX = *lowest;
    const int64_t maxX = *highest;
    const std::vector<uint32_t> items = sortedByY(ys);
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

}  // namespace kinloom
