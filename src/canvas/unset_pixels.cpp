#include "canvas/unset_pixels.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kinloom {

void UnsetPixels::reset(const unsigned char* mask, int width, int top, int bottom) {
    top_ = top;
    const int rows = bottom - top;
    smallAcross_ = (width + kSmallSize - 1) >> kSmallShift;
    const int smallDown = (rows + kSmallSize - 1) >> kSmallShift;
    largeAcross_ = (smallAcross_ + 7) >> 3;
    const int largeDown = (smallDown + 7) >> 3;
    bits_.assign(static_cast<size_t>(smallAcross_) * static_cast<size_t>(smallDown) * 4, 0);
    count_.assign(static_cast<size_t>(smallAcross_) * static_cast<size_t>(smallDown), 0);
    open_.assign(static_cast<size_t>(largeAcross_) * static_cast<size_t>(largeDown), 0);
    unset_ = 0;
    for (int row = 0; row < rows; ++row) {
        const unsigned char* pixels = mask + static_cast<qsizetype>(top + row) * width;
        const int ly = row & (kSmallSize - 1);
        for (int sx = 0; sx < smallAcross_; ++sx) {
            const int x0 = sx << kSmallShift, n = std::min(kSmallSize, width - x0);
            quint64 line = 0;
#if defined(__SSE2__)
            if (n == kSmallSize) {
                // Sixteen mask bytes at once: the zero ones are the pixels to set.
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x0));
                line = static_cast<quint64>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
            } else
#endif
            {
                // The mask holds 0 or 1: no branch per pixel.
                for (int i = 0; i < n; ++i) line |= quint64{pixels[x0 + i] ^ 1u} << i;
            }
            if (!line) continue;
            const int small = smallIndex(sx, row >> kSmallShift);
            bits_[static_cast<size_t>(small) * 4 + static_cast<size_t>(ly >> 2)] |= line << ((ly & 3) << 4);
            count_[static_cast<size_t>(small)] += __builtin_popcountll(line);
        }
    }
    for (int sy = 0; sy < smallDown; ++sy)
        for (int sx = 0; sx < smallAcross_; ++sx) {
            const int n = count_[static_cast<size_t>(smallIndex(sx, sy))];
            if (n == 0) continue;
            unset_ += n;
            open_[static_cast<size_t>((sy >> 3) * largeAcross_ + (sx >> 3))] |= quint64{1} << (((sy & 7) << 3) | (sx & 7));
        }
}

}  // namespace kinloom
