#pragma once
#include <cstdint>
#include <string_view>

namespace kinloom {

// The record positions of the import's scratch copy "temp.klc", which earlier versions wrote and
// nothing ever read back: an item keeps the position of its INDI line's record in GedcomPos. A
// record for a line of L characters (at most 151 count) starts at p and the next at p + L + 11.
// Only the positions are worked out; no file is written, so a full or unwritable temporary folder
// cannot fail an import and a killed import leaves nothing behind.
class GedcomScratchCopy {
public:
    static constexpr int kBlockSize = 160;
    static constexpr int kMaxText = kBlockSize - 9;  // 151 characters; longer lines were cut

    // The position of the record for this line. Positions are 32-bit in the item record; past
    // that they stay at the largest one.
    int32_t append(std::string_view text);

private:
    int64_t next_ = 0;  // where the next record starts
};

}  // namespace kinloom
