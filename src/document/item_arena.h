#pragma once
#include "document/person_item.h"

#include <cstddef>
#include <cstdint>
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

    // A number for the place of an item of this arena, below placeCount(), found from the item's
    // address and one word of its block that many items share, never from the item itself: arrays
    // by place reach an item's relatives without touching their memory. It stays the item's while
    // it lives here (items absorbed from another arena get numbers after this one's); the next
    // item made after a destroy may get the freed number.
    uint32_t placeOf(const PersonItem* item) const {
        const auto address = reinterpret_cast<uintptr_t>(item);
        const auto* block = reinterpret_cast<const Block*>(address & ~(kBlockBytes - 1));
        return block->number * kItemsPerBlock +
               static_cast<uint32_t>((address - reinterpret_cast<uintptr_t>(block->bytes)) / sizeof(PersonItem));
    }
    size_t placeCount() const { return used_; }

private:
    // Blocks are aligned to their size, so that an item's block is its address rounded down.
    static constexpr size_t kBlockBytes = size_t{1} << 20;
    static constexpr size_t kHeaderBytes = 64;
    static constexpr uint32_t kItemsPerBlock = (kBlockBytes - kHeaderBytes) / sizeof(PersonItem);
    struct alignas(kBlockBytes) Block {
        uint32_t number = 0;  // its place in blocks_
        alignas(kHeaderBytes) std::byte bytes[kItemsPerBlock * sizeof(PersonItem)];
    };
    static_assert(sizeof(Block) == kBlockBytes);
    void addBlock();
    void* slot();

    std::vector<std::unique_ptr<Block>> blocks_;
    size_t used_ = 0;  // places handed out from the blocks, reused ones aside
    std::vector<void*> freed_;
    size_t live_ = 0;
};

}  // namespace kinloom
