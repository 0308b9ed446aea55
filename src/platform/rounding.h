#pragma once
#include <cmath>

namespace kinloom {

// Round to the nearest integer, halves to the even neighbour (banker's rounding), as the
// original arithmetic did. Never use std::round or qRound for tree geometry.
inline long long roundHalfEven(double value) {
    // Below 2^51 adding 1.5 * 2^52 leaves no fraction bits, so the sum is rounded as the mode
    // rounds, and taking it away again is exact: no library call for the many screen coordinates
    // of a large tree.
    if (std::fabs(value) < 0x1p51) {
        constexpr double kShift = 0x1.8p52;
        return static_cast<long long>((value + kShift) - kShift);
    }
    return static_cast<long long>(std::nearbyint(value));  // default FE_TONEAREST mode
}

}  // namespace kinloom
