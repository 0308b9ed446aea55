#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <span>
#include <type_traits>

namespace kinloom {

// Memory for one pass over a large tree: `bytes` of it, left as they come, given back by
// releaseScratch. A block of many megabytes is mapped on its own in 2 MiB pages where the system
// allows it: a fresh block then costs one page fault per 2 MiB instead of one per 4 KiB, which at a
// million items is more than the pass's own work. Small blocks come from the heap. Throws
// std::bad_alloc.
void* allocateScratch(size_t bytes);
void releaseScratch(void* memory, size_t bytes) noexcept;

// A fixed number of plain values in such memory. The values start undefined unless a fill value
// is given: write each before reading it.
template <typename T>
class ScratchArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    ScratchArray() = default;
    explicit ScratchArray(size_t size) : data_(static_cast<T*>(allocateScratch(size * sizeof(T)))), size_(size) {}
    ScratchArray(size_t size, const T& fill) : ScratchArray(size) { std::uninitialized_fill_n(data_, size, fill); }
    ~ScratchArray() { releaseScratch(data_, size_ * sizeof(T)); }
    ScratchArray(ScratchArray&& other) noexcept : data_(other.data_), size_(other.size_) {
        other.data_ = nullptr;
        other.size_ = 0;
    }
    ScratchArray& operator=(ScratchArray&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }

    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    size_t size() const { return size_; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    operator std::span<T>() { return {data_, size_}; }
    operator std::span<const T>() const { return {data_, size_}; }

private:
    T* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace kinloom
