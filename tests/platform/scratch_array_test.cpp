#include "platform/scratch_array.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <numeric>

namespace kinloom {
namespace {

// Small arrays come from the heap, large ones from mappings of their own on a 2 MiB boundary; both
// hold every value written, keep the fill value, and move without copying.
TEST(ScratchArray, HoldsWhatIsWrittenAtEverySize) {
    for (const size_t size : {size_t{0}, size_t{1}, size_t{1000}, size_t{1} << 20, (size_t{3} << 20) + 7}) {
        ScratchArray<uint32_t> values(size);
        ASSERT_EQ(values.size(), size);
        std::iota(values.begin(), values.end(), 7u);
        if (size * sizeof(uint32_t) >= (size_t{4} << 20)) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(values.data()) % (size_t{2} << 20), 0u) << size;
        }
        ScratchArray<uint32_t> moved(std::move(values));
        EXPECT_EQ(values.size(), 0u);
        for (size_t i = 0; i < size; i += 4099) ASSERT_EQ(moved[i], 7u + i) << size;
        if (size > 0) {
            EXPECT_EQ(moved[size - 1], 7u + (size - 1));
        }

        ScratchArray<uint8_t> filled(size * 4, 0xA5);
        EXPECT_EQ(std::count(filled.begin(), filled.end(), 0xA5), static_cast<std::ptrdiff_t>(size * 4));
        filled = ScratchArray<uint8_t>(3, 1);
        EXPECT_EQ(filled.size(), 3u);
        EXPECT_EQ(filled[2], 1);
    }
}

}  // namespace
}  // namespace kinloom
