#pragma once
#include <QtGlobal>

#include <vector>

namespace kinloom {

// The pixels of a band of rows that are not yet set, for drawing that sets each pixel once: a bit
// per pixel, kept in small squares of 16 x 16 pixels, and for each large square of 8 x 8 small ones
// a bit per small square that still has pixels to set. A line can then step over a large square
// in one test and try only the few pixels left in a small one.
class UnsetPixels {
public:
    static constexpr int kSmallShift = 4, kSmallSize = 1 << kSmallShift;
    static constexpr int kLargeShift = kSmallShift + 3, kLargeSize = 1 << kLargeShift;

    // The rows top to bottom (one past) of a picture `width` pixels wide, from a mask of a byte per
    // pixel that is 0 where the pixel is not yet set.
    void reset(const unsigned char* mask, int width, int top, int bottom);

    long long unset() const { return unset_; }
    int top() const { return top_; }

    // Small squares count from the left column and the band's top row.
    int smallIndex(int column, int row) const { return row * smallAcross_ + column; }
    int unsetIn(int small) const { return count_[static_cast<size_t>(small)]; }
    // The small squares of the large square at (column, row) that have pixels not yet set: bit
    // 8 * row + column, counted within the large square.
    quint64 openSmalls(int column, int row) const { return open_[static_cast<size_t>(row * largeAcross_ + column)]; }
    // The 16 x 16 bits of a small square, four rows to a word, bit 16 * (row % 4) + column.
    const quint64* bitsOf(int small) const { return &bits_[static_cast<size_t>(small) * 4]; }
    static bool isUnset(const quint64* bits, int column, int row) { return (bits[row >> 2] >> (((row & 3) << 4) | column)) & 1; }

    // Takes note of which small squares are open now, for mayBeOpen. Squares only ever close, so a
    // note taken earlier errs on the safe side.
    void noteOpenSquares();
    // False when no small square under the pixels x0..x1, y0..y1 (inclusive, any values) was open
    // when noteOpenSquares was last called.
    bool mayBeOpen(int x0, int y0, int x1, int y1) const;

    bool isUnset(int x, int y) const {
        const int row = y - top_;
        return isUnset(bitsOf(smallIndex(x >> kSmallShift, row >> kSmallShift)), x & (kSmallSize - 1), row & (kSmallSize - 1));
    }
    // Marks the pixel at (x, y), which must be unset, as set.
    void set(int x, int y) {
        const int row = y - top_;
        const int small = smallIndex(x >> kSmallShift, row >> kSmallShift);
        const int lx = x & (kSmallSize - 1), ly = row & (kSmallSize - 1);
        bits_[static_cast<size_t>(small) * 4 + static_cast<size_t>(ly >> 2)] &= ~(quint64{1} << (((ly & 3) << 4) | lx));
        --unset_;
        if (--count_[static_cast<size_t>(small)] != 0) return;
        const int sx = x >> kSmallShift, sy = row >> kSmallShift;
        open_[static_cast<size_t>((sy >> 3) * largeAcross_ + (sx >> 3))] &= ~(quint64{1} << (((sy & 7) << 3) | (sx & 7)));
    }

private:
    int top_ = 0;
    int width_ = 0;
    int rows_ = 0;
    int smallAcross_ = 0;
    int smallDown_ = 0;
    int largeAcross_ = 0;
    std::vector<quint64> bits_;
    std::vector<int> count_;
    std::vector<quint64> open_;
    // Open small squares above and left of each corner: (smallAcross_ + 1) per row of corners.
    std::vector<int> openBefore_;
    long long unset_ = 0;
};

}  // namespace kinloom
