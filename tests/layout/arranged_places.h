#pragma once
// What arranging may change of each item, in list order: two arrangements agree when these do.
#include "document/item_store.h"

#include <cstdint>
#include <vector>

namespace kinloom::test {

struct ArrangedPlace {
    int32_t id, x, y;
    bool selected;
    int32_t childCount;
    bool operator==(const ArrangedPlace&) const = default;
};

inline std::vector<ArrangedPlace> arrangedPlaces(const ItemStore& store) {
    std::vector<ArrangedPlace> out;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) out.push_back({p->Id, p->X, p->Y, p->Selected, p->ChildCount});
    return out;
}

}  // namespace kinloom::test
