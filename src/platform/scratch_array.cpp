#include "platform/scratch_array.h"

#include <sys/mman.h>

#include <cstdint>

namespace kinloom {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// Below this a block comes from the heap, which reuses its pages from one pass to the next.
constexpr size_t kMappedFrom = 2 * kHugePage;

size_t inHugePages(size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
size_t mappedLength(size_t bytes) { return inHugePages(bytes) + kHugePage; }

}  // namespace

void* allocateScratch(size_t bytes) {
    if (bytes < kMappedFrom) return ::operator new(bytes == 0 ? 1 : bytes);
    // One huge page more than needed, so that the block can start on a huge-page boundary: the
    // system backs only aligned 2 MiB ranges with huge pages. The length before the block holds
    // where the mapping starts.
    const size_t length = mappedLength(bytes);
    void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(mapping);
    const uintptr_t block = (start + kHugePage) & ~(kHugePage - 1);
    madvise(reinterpret_cast<void*>(block), inHugePages(bytes), MADV_HUGEPAGE);  // a wish: fine if refused
    reinterpret_cast<uintptr_t*>(block)[-1] = start;
    return reinterpret_cast<void*>(block);
}

void releaseScratch(void* memory, size_t bytes) noexcept {
    if (!memory) return;
    if (bytes < kMappedFrom) {
        ::operator delete(memory);
        return;
    }
    const uintptr_t start = reinterpret_cast<uintptr_t*>(memory)[-1];
    munmap(reinterpret_cast<void*>(start), mappedLength(bytes));
}

}  // namespace kinloom
