#pragma once
#include <cmath>

namespace kinloom {

// Round to the nearest integer, halves to the even neighbour (banker's rounding), as the
// original arithmetic did. Never use std::round or qRound for tree geometry.
inline long long roundHalfEven(double value) {
    return static_cast<long long>(std::nearbyint(value));  // default FE_TONEAREST mode
}

}  // namespace kinloom
