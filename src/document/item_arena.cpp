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
    if (used_ == blocks_.size() * kItemsPerBlock) addBlock();
    void* place = blocks_[used_ / kItemsPerBlock]->bytes + (used_ % kItemsPerBlock) * sizeof(PersonItem);
    ++used_;
    return place;
}

void ItemArena::addBlock() {
    // The items' bytes are left as they come: only the header is written.
    auto block = std::make_unique_for_overwrite<Block>();
    block->number = static_cast<uint32_t>(blocks_.size());
    blocks_.push_back(std::move(block));
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

void ItemArena::absorb(ItemArena&& other) {
    if (&other == this) return;
    // Room first, so that nothing has changed hands when memory runs out.
    const size_t end = blocks_.size() * kItemsPerBlock;
    blocks_.reserve(blocks_.size() + other.blocks_.size());
    freed_.reserve(freed_.size() + (end - used_) + other.freed_.size());
    // The places not yet cut from this arena's last block are kept as freed ones, so that the
    // other's blocks can follow it.
    for (size_t at = used_; at < end; ++at)
        freed_.push_back(blocks_[at / kItemsPerBlock]->bytes + (at % kItemsPerBlock) * sizeof(PersonItem));
    used_ = end + other.used_;
    for (auto& block : other.blocks_) {
        block->number = static_cast<uint32_t>(blocks_.size());
        blocks_.push_back(std::move(block));
    }
    freed_.insert(freed_.end(), other.freed_.begin(), other.freed_.end());
    live_ += other.live_;
    other.blocks_.clear();
    other.freed_.clear();
    other.used_ = 0;
    other.live_ = 0;
}

}  // namespace kinloom
