#include "canvas/unset_pixels.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kinloom {

void UnsetPixels::reset(const unsigned char* mask, int width, int top, int bottom) {
    top_ = top;
    width_ = width;
    const int rows = bottom - top;
    rows_ = rows;
    smallAcross_ = (width + kSmallSize - 1) >> kSmallShift;
    const int smallDown = (rows + kSmallSize - 1) >> kSmallShift;
    smallDown_ = smallDown;
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

void UnsetPixels::noteOpenSquares() {
    const int across = smallAcross_ + 1;
    openBefore_.assign(static_cast<size_t>(across) * static_cast<size_t>(smallDown_ + 1), 0);
    for (int sy = 0; sy < smallDown_; ++sy) {
        int row = 0;
        for (int sx = 0; sx < smallAcross_; ++sx) {
            row += count_[static_cast<size_t>(smallIndex(sx, sy))] != 0;
            openBefore_[static_cast<size_t>((sy + 1) * across + sx + 1)] =
                openBefore_[static_cast<size_t>(sy * across + sx + 1)] + row;
        }
    }
}

bool UnsetPixels::mayBeOpen(int x0, int y0, int x1, int y1) const {
    // Cut to the band, in small squares.
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_ - 1);
    y0 = std::max(y0 - top_, 0);
    y1 = std::min(y1 - top_, rows_ - 1);
    if (x0 > x1 || y0 > y1) return false;
    const int across = smallAcross_ + 1;
    const int sx0 = x0 >> kSmallShift, sx1 = (x1 >> kSmallShift) + 1, sy0 = y0 >> kSmallShift, sy1 = (y1 >> kSmallShift) + 1;
    const auto at = [&](int sx, int sy) { return openBefore_[static_cast<size_t>(sy * across + sx)]; };
    return at(sx1, sy1) - at(sx0, sy1) - at(sx1, sy0) + at(sx0, sy0) > 0;
}

}  // namespace kinloom
