#include "gedcom/scratch_copy.h"

#include <algorithm>
#include <limits>

namespace kinloom {

int32_t GedcomScratchCopy::append(std::string_view text) {
    const int64_t pos = next_;
    const int64_t length = static_cast<int64_t>(std::min<size_t>(text.size(), kMaxText));
    next_ = std::min<int64_t>(pos + length + 11, std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(pos);
}

}  // namespace kinloom
