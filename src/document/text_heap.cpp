#include "document/text_heap.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kinloom {

TextHeap& TextHeap::instance() {
    // Never destroyed: texts held by objects that outlive main must stay readable to the end.
    static TextHeap* heap = new TextHeap;
    return *heap;
}

uint32_t TextHeap::take(int granules) {
    if (const uint32_t head = freeLists_[granules]) {
        std::memcpy(&freeLists_[granules], blockAt(head), sizeof(uint32_t));
        return head;
    }
    const auto end = static_cast<uint32_t>(chunks_.size() << kChunkBits);  // past the last chunk
    if (used_ + static_cast<uint32_t>(granules) > end) {
        if (used_ < end) {
            // The tail of a full chunk serves later texts of its size.
            const uint32_t tail = used_ + 1;
            const auto rest = static_cast<int>(end - used_);
            std::memcpy(blockAt(tail), &freeLists_[rest], sizeof(uint32_t));
            freeLists_[rest] = tail;
            used_ = end;  // given away once: should the next chunk not come, the tail is not listed again
        }
        if (chunks_.size() + 1 >= (size_t{1} << (31 - kChunkBits))) throw std::bad_alloc();  // handles stay below the inline mark
        chunks_.push_back(std::make_unique_for_overwrite<uint32_t[]>(kChunkGranules));
        used_ = static_cast<uint32_t>(chunks_.size() - 1) << kChunkBits;
    }
    const uint32_t handle = used_ + 1;
    used_ += static_cast<uint32_t>(granules);
    return handle;
}

void TextHeap::write(uint32_t handle, std::string_view text) {
    unsigned char* block = blockAt(handle);
    // memmove: the text may be a part of this very block.
    std::memmove(block + 1, text.data(), text.size());
    block[0] = static_cast<unsigned char>(text.size());
}

uint32_t TextHeap::allocate(std::string_view text) {
    if (text.size() > kMaxLength) text = text.substr(0, kMaxLength);
    const uint32_t handle = take(granulesFor(text.size()));
    write(handle, text);
    ++live_;
    return handle;
}

uint32_t TextHeap::replace(uint32_t handle, std::string_view text) {
    if (text.size() > kMaxLength) text = text.substr(0, kMaxLength);
    if (granulesFor(view(handle).size()) == granulesFor(text.size())) {
        write(handle, text);
        return handle;
    }
    // The new block first: text may lie in the old one.
    const uint32_t fresh = allocate(text);
    release(handle);
    return fresh;
}

void TextHeap::release(uint32_t handle) {
    const int granules = granulesFor(view(handle).size());
    std::memcpy(blockAt(handle), &freeLists_[granules], sizeof(uint32_t));
    freeLists_[granules] = handle;
    if (--live_ == 0) releaseAll();
}

void TextHeap::releaseAll() {
    // The first chunk stays, so that a text made and dropped over and over costs no system call.
    chunks_.resize(std::min<size_t>(chunks_.size(), 1));
    chunks_.shrink_to_fit();
    freeLists_.fill(0);
    used_ = 0;
}

}  // namespace kinloom
