#pragma once
// The layout commands written out step by step exactly as the program describes them, with every
// scan of the whole list and plain recursion: the reference that the fast versions must match.
#include "document/item_store.h"

#include <array>
#include <cstdint>

namespace kinloom::literal {

inline int32_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

struct Layout {
    explicit Layout(ItemStore& s) : store(s) {}

    ItemStore& store;
    std::array<std::array<PersonItem*, 256>, 8> ancestorTable{};
    int maxDepth = 1;
    std::array<int32_t, 2001> rightEdge{};

    int checkOut(PersonItem* item, int depth, int position) {
        if (depth <= 8) ancestorTable[depth - 1][position - 1] = item;
        if (depth > maxDepth) maxDepth = depth;
        if (maxDepth > 30) return maxDepth;
        if (item->Kind == "REF") return maxDepth;
        if (item->Father) checkOut(item->Father, depth + 1, 2 * position - 1);
        if (item->Mother) checkOut(item->Mother, depth + 1, 2 * position);
        return maxDepth;
    }

    void arrangeBranch(PersonItem* item, int32_t x, int32_t y, int row) {
        if (!item || item->Selected || row > 999 || row < -999) return;
        int32_t& edge = rightEdge[row + 1000];
        if (edge > x) x = edge;
        edge = wrap(int64_t{x} + 160);
        item->X = x;
        item->Y = y;
        item->Selected = true;
        for (PersonItem* q = store.firstItem(); q; q = q->Next) {
            if (q->Father == item)
                arrangeBranch(q, x, wrap(int64_t{y} + 500), row - 1);
            else if (q->Mother == item)
                arrangeBranch(q, x, wrap(int64_t{y} + 500), row - 1);
            for (int i = 1; i <= 8; ++i)
                if (q->Spouse[i] == item) arrangeBranch(q, x, y, row);
        }
        for (int i = 1; i <= 8; ++i) arrangeBranch(item->Spouse[i], x, y, row);
        arrangeBranch(item->Father, wrap(int64_t{x} - 160), wrap(int64_t{y} - 500), row + 1);
        arrangeBranch(item->Mother, wrap(int64_t{x} + 160), wrap(int64_t{y} - 500), row + 1);
    }

    void centreRows() {
        if (store.empty()) return;
        int64_t minX = store.firstItem()->X, maxX = minX, rowY = store.firstItem()->Y;
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            minX = std::min<int64_t>(minX, p->X);
            maxX = std::max<int64_t>(maxX, p->X);
            rowY = std::max<int64_t>(rowY, p->Y);
        }
        for (;;) {
            int64_t lowMax = minX, lowMin = maxX;
            for (PersonItem* p = store.firstItem(); p; p = p->Next)
                if (p->Y == rowY && (p->Father || p->Mother)) {
                    lowMax = std::max<int64_t>(lowMax, p->X);
                    lowMin = std::min<int64_t>(lowMin, p->X);
                }
            bool found = false;
            int64_t nextY = 0;
            for (PersonItem* p = store.firstItem(); p; p = p->Next)
                if (p->Y < rowY && p->Y > rowY - 1000 && (!found || p->Y > nextY)) {
                    nextY = p->Y;
                    found = true;
                }
            const bool last = !found;
            if (last) nextY = rowY - 1000;
            int64_t upMax = minX, upMin = maxX;
            for (PersonItem* p = store.firstItem(); p; p = p->Next)
                if (p->Y == nextY) {
                    upMax = std::max<int64_t>(upMax, p->X);
                    upMin = std::min<int64_t>(upMin, p->X);
                }
            const int64_t shift = ((upMax + upMin) - (lowMax + lowMin)) / 2;
            for (PersonItem* p = store.firstItem(); p; p = p->Next)
                if (p->Y == nextY) p->X = wrap(int64_t{p->X} - shift);
            if (last) return;
            rowY = nextY;
        }
    }

    void arrangeAllItems() {
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            p->ChildCount = 0;
            p->Selected = false;
        }
        int best = 0;
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            maxDepth = 1;
            const int depth = checkOut(p, 1, 1);
            if (depth > best) {
                best = depth;
                store.currentItem = p;
            }
        }
        store.moveToFront(store.currentItem);
        rightEdge.fill(wrap(int64_t{store.firstItem()->X} + 160));
        for (PersonItem* p = store.firstItem(); p; p = p->Next) arrangeBranch(p, p->X, p->Y, 0);
        for (PersonItem* p = store.firstItem(); p; p = p->Next) p->Selected = false;
        store.clearSelection();
        centreRows();
    }
};

}  // namespace kinloom::literal
