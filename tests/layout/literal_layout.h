#pragma once
// The layout commands written out step by step exactly as the program describes them, with every
// scan of the whole list and plain recursion: the reference that the fast versions must match.
#include "document/item_store.h"

#include <array>
#include <cstdint>

namespace kinloom::literal {

inline int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

struct Layout {
    explicit Layout(TItemStore& s) : store(s) {}

    TItemStore& store;
    std::array<std::array<TPersonItem*, 256>, 8> AncestorTable{};
    int MaxDepth = 1;
    std::array<int32_t, 2001> RightEdge{};

    int CheckOut(TPersonItem* item, int depth, int position) {
        if (depth <= 8) AncestorTable[depth - 1][position - 1] = item;
        if (depth > MaxDepth) MaxDepth = depth;
        if (MaxDepth > 30) return MaxDepth;
        if (item->Kind == "REF") return MaxDepth;
        if (item->Father) CheckOut(item->Father, depth + 1, 2 * position - 1);
        if (item->Mother) CheckOut(item->Mother, depth + 1, 2 * position);
        return MaxDepth;
    }

    void ArrangeBranch(TPersonItem* item, int32_t x, int32_t y, int row) {
        if (!item || item->Selected || row > 999 || row < -999) return;
        int32_t& edge = RightEdge[row + 1000];
        if (edge > x) x = edge;
        edge = Wrap(int64_t{x} + 160);
        item->X = x;
        item->Y = y;
        item->Selected = true;
        for (TPersonItem* q = store.FirstItem(); q; q = q->Next) {
            if (q->Father == item)
                ArrangeBranch(q, x, Wrap(int64_t{y} + 500), row - 1);
            else if (q->Mother == item)
                ArrangeBranch(q, x, Wrap(int64_t{y} + 500), row - 1);
            for (int i = 1; i <= 8; ++i)
                if (q->Spouse[i] == item) ArrangeBranch(q, x, y, row);
        }
        for (int i = 1; i <= 8; ++i) ArrangeBranch(item->Spouse[i], x, y, row);
        ArrangeBranch(item->Father, Wrap(int64_t{x} - 160), Wrap(int64_t{y} - 500), row + 1);
        ArrangeBranch(item->Mother, Wrap(int64_t{x} + 160), Wrap(int64_t{y} - 500), row + 1);
    }

    void CentreRows() {
        if (store.empty()) return;
        int64_t minX = store.FirstItem()->X, maxX = minX, rowY = store.FirstItem()->Y;
        for (TPersonItem* p = store.FirstItem(); p; p = p->Next) {
            minX = std::min<int64_t>(minX, p->X);
            maxX = std::max<int64_t>(maxX, p->X);
            rowY = std::max<int64_t>(rowY, p->Y);
        }
        for (;;) {
            int64_t lowMax = minX, lowMin = maxX;
            for (TPersonItem* p = store.FirstItem(); p; p = p->Next)
                if (p->Y == rowY && (p->Father || p->Mother)) {
                    lowMax = std::max<int64_t>(lowMax, p->X);
                    lowMin = std::min<int64_t>(lowMin, p->X);
                }
            bool found = false;
            int64_t nextY = 0;
            for (TPersonItem* p = store.FirstItem(); p; p = p->Next)
                if (p->Y < rowY && p->Y > rowY - 1000 && (!found || p->Y > nextY)) {
                    nextY = p->Y;
                    found = true;
                }
            const bool last = !found;
            if (last) nextY = rowY - 1000;
            int64_t upMax = minX, upMin = maxX;
            for (TPersonItem* p = store.FirstItem(); p; p = p->Next)
                if (p->Y == nextY) {
                    upMax = std::max<int64_t>(upMax, p->X);
                    upMin = std::min<int64_t>(upMin, p->X);
                }
            const int64_t shift = ((upMax + upMin) - (lowMax + lowMin)) / 2;
            for (TPersonItem* p = store.FirstItem(); p; p = p->Next)
                if (p->Y == nextY) p->X = Wrap(int64_t{p->X} - shift);
            if (last) return;
            rowY = nextY;
        }
    }

    void Autoarrange1Click() {
        for (TPersonItem* p = store.FirstItem(); p; p = p->Next) {
            p->ChildCount = 0;
            p->Selected = false;
        }
        int best = 0;
        for (TPersonItem* p = store.FirstItem(); p; p = p->Next) {
            MaxDepth = 1;
            const int depth = CheckOut(p, 1, 1);
            if (depth > best) {
                best = depth;
                store.CurrentItem = p;
            }
        }
        store.MoveToFront(store.CurrentItem);
        RightEdge.fill(Wrap(int64_t{store.FirstItem()->X} + 160));
        for (TPersonItem* p = store.FirstItem(); p; p = p->Next) ArrangeBranch(p, p->X, p->Y, 0);
        for (TPersonItem* p = store.FirstItem(); p; p = p->Next) p->Selected = false;
        store.ClearSelection();
        CentreRows();
    }
};

}  // namespace kinloom::literal
