#include "document/fresh_ids.h"

#include "document/item_store.h"

#include <cstdint>
#include <limits>
#include <unordered_set>
#include <vector>

namespace kinloom {

int giveFreshIdsToRepeats(ItemStore& store) {
    // The store's Id index names the first item with each Id: any other item is a repeat. Only a
    // file with repeats pays for a set of the Ids in use.
    std::vector<PersonItem*> repeats;
    for (PersonItem* p = store.firstItem(); p; p = p->Next)
        if (store.findItemById(p->Id) != p) repeats.push_back(p);
    if (repeats.empty()) return 0;
    std::unordered_set<int32_t> seen;
    for (PersonItem* p = store.firstItem(); p; p = p->Next)
        if (p->Id > 0) seen.insert(p->Id);

    // lastId is at least every Id read, so the numbers above it are free; only a file that already
    // used the highest number makes us look for gaps below it.
    int32_t gap = 0;
    const auto nextFree = [&]() -> int32_t {
        if (store.lastId < std::numeric_limits<int32_t>::max()) return ++store.lastId;
        do ++gap;
        while (seen.contains(gap));
        return gap;
    };
    for (PersonItem* p : repeats) {
        p->Id = nextFree();
        seen.insert(p->Id);
    }
    store.idsChanged();
    return static_cast<int>(repeats.size());
}

}  // namespace kinloom
