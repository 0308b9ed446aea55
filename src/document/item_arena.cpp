#include "document/item_arena.h"

#include <new>

namespace kinloom {

ItemArena::~ItemArena() {
    // The store clears its list before the arena goes; nothing is left to end here.
}

void* ItemArena::slot() {
    if (!freed_.empty()) {
        void* place = freed_.back();
        freed_.pop_back();
        return place;
    }
    if (used_ == blocks_.size() * kItemsPerBlock) blocks_.push_back(std::make_unique_for_overwrite<Block>());
    void* place = blocks_[used_ / kItemsPerBlock]->bytes + (used_ % kItemsPerBlock) * sizeof(PersonItem);
    ++used_;
    return place;
}

PersonItem* ItemArena::create(PersonItem&& from) {
    void* place = slot();
    auto* item = new (place) PersonItem(std::move(from));
    ++live_;
    return item;
}

void ItemArena::destroy(PersonItem* item) {
    item->~PersonItem();
    freed_.push_back(item);
    --live_;
}

void ItemArena::clear(PersonItem* first) {
    for (PersonItem* p = first; p;) {
        PersonItem* next = p->Next;
        p->~PersonItem();
        p = next;
    }
    blocks_.clear();
    freed_.clear();
    used_ = 0;
    live_ = 0;
}

void ItemArena::reserve(size_t items) {
    blocks_.reserve((items + kItemsPerBlock - 1) / kItemsPerBlock);
}

}  // namespace kinloom
