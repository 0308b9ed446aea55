#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace kinloom {

// Where the texts of the items live. A text is one block of 4-byte granules, a length byte followed
// by its bytes, named by a 32-bit handle; so a text field costs its 4-byte handle and its bytes
// rounded up to 4, rather than a std::string of 32 bytes with its own allocation.
//
// Blocks are cut from chunks that never move, so a view of a text stays valid until that text is
// changed or freed; freed blocks are kept in a list per size and reused. When the last text is freed
// the chunks go back to the system. The program has one heap, on the thread that edits the tree.
class TextHeap {
public:
    static constexpr int kGranule = 4;
    static constexpr size_t kMaxLength = 255;

    static TextHeap& instance();

    // A new block holding text (at most kMaxLength bytes); never 0.
    uint32_t allocate(std::string_view text);
    // Writes text over the block when it needs as many granules, else frees it and allocates anew.
    // Returns the handle that now holds text.
    uint32_t replace(uint32_t handle, std::string_view text);
    void release(uint32_t handle);
    std::string_view view(uint32_t handle) const {
        const unsigned char* block = blockAt(handle);
        return {reinterpret_cast<const char*>(block + 1), block[0]};
    }

    // Blocks in use and bytes held by chunks, for the benchmarks.
    size_t liveBlocks() const { return live_; }
    size_t reservedBytes() const { return chunks_.size() * kChunkBytes; }

private:
    static constexpr int kChunkBits = 18;  // 2^18 granules: chunks of 1 MiB
    static constexpr uint32_t kChunkGranules = 1u << kChunkBits;
    static constexpr size_t kChunkBytes = size_t{kChunkGranules} * kGranule;
    static constexpr int kMaxGranules = (kMaxLength + 1 + kGranule - 1) / kGranule;

    static int granulesFor(size_t length) { return static_cast<int>((length + 1 + kGranule - 1) / kGranule); }
    unsigned char* blockAt(uint32_t handle) const {
        const uint32_t index = handle - 1;
        return reinterpret_cast<unsigned char*>(chunks_[index >> kChunkBits].get() + (index & (kChunkGranules - 1)));
    }
    uint32_t take(int granules);
    void write(uint32_t handle, std::string_view text);
    void releaseAll();

    std::vector<std::unique_ptr<uint32_t[]>> chunks_;
    uint32_t used_ = 0;  // granules handed out from the chunks, free lists aside
    std::array<uint32_t, kMaxGranules + 1> freeLists_{};  // handle of the first free block per size
    size_t live_ = 0;
};

}  // namespace kinloom
