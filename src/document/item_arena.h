#pragma once
#include "document/person_item.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace kinloom {

// The memory of a store's items: blocks of many items each, cut in order, so that the items of a
// tree read from a file lie one after the other and a whole store goes back to the system a few
// blocks at a time rather than item by item. A freed item's place is reused by the next one.
class ItemArena {
public:
    ItemArena() = default;
    ~ItemArena();
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;

    // A new item moved from `from` (a fresh empty item by default); throws std::bad_alloc.
    PersonItem* create(PersonItem&& from);
    PersonItem* create() { return create(PersonItem{}); }
    // Ends the item's life and keeps its place for the next one.
    void destroy(PersonItem* item);
    // Ends every item's life (the caller passes the first of the list that links them all) and
    // gives the blocks back.
    void clear(PersonItem* first);
    // Makes room for this many items in all, so that a large file is read without growing.
    void reserve(size_t items);
    // Takes over every item and free place of `other`, which is left empty: items made apart (a
    // file read before the open tree is given up) join a store without being moved.
    void absorb(ItemArena&& other);

    size_t size() const { return live_; }

private:
    static constexpr size_t kItemsPerBlock = 1024;
    struct Block {
        alignas(PersonItem) std::byte bytes[kItemsPerBlock * sizeof(PersonItem)];
    };
    void* slot();

    std::vector<std::unique_ptr<Block>> blocks_;
    size_t used_ = 0;  // places handed out from the blocks, reused ones aside
    std::vector<void*> freed_;
    size_t live_ = 0;
};

}  // namespace kinloom
