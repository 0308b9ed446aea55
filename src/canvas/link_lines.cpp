#include "canvas/link_lines.h"

#include "canvas/direct_pixels.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <utility>

namespace kinloom {

// The lists of the last lines drawn on this thread, kept for their room: a large tree needs
// megabytes of them at every repaint.
struct LinkLines::Scratch {
    std::vector<Pending> pending;
    std::vector<unsigned char> set;
};

LinkLines::Scratch& LinkLines::scratch() {
    thread_local Scratch kept;
    return kept;
}

LinkLines::LinkLines(QPainter& painter) : painter_(painter) {
    pending_.swap(scratch().pending);
    set_.swap(scratch().set);
    pending_.clear();
    const DirectPixels pixels = directPixelsOf(painter);
    if (!pixels.bits || painter.testRenderHint(QPainter::Antialiasing) || painter.hasClipping()) return;
    bits_ = pixels.bits;
    stride_ = pixels.stride;
    width_ = pixels.width;
    height_ = pixels.height;
    ratio_ = pixels.ratio;
}

LinkLines::~LinkLines() {
    finish();
    pending_.swap(scratch().pending);
    set_.swap(scratch().set);
}

void LinkLines::draw(const std::vector<QLine>& lines, const QColor& colour, bool dotted) {
    const Pen pen(colour, dotted);
    reserve(lines.size());
    for (const QLine& line : lines) add(line, pen);
}

void LinkLines::add(const QLine& line, const Pen& pen) {
    if (bits_ && pen.colour.alpha() == 255) {
        pending_.push_back({line, pen.pixel, pen.dotted});
        return;
    }
    if (!run_.empty() && (pen.colour != runColour_ || pen.dotted != runDotted_)) drawRun();
    runColour_ = pen.colour;
    runDotted_ = pen.dotted;
    run_.push_back(line);
}

void LinkLines::drawRun() {
    if (run_.empty()) return;
    // One logical pixel wide: on a 2x screen two device pixels, so that lines weigh as elsewhere.
    const QPaintDevice* device = painter_.device();
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    QPen pen(runColour_, ratio > 1 ? std::round(ratio) : 0, runDotted_ ? Qt::DotLine : Qt::SolidLine);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.drawLines(run_.data(), static_cast<int>(run_.size()));
    run_.clear();
}

namespace {

// Squares of 2^shift pixels a side, large and small. The small size divides the large one, so that
// a stretch within a small square lies within one large square.
constexpr int kLargeShift = 7, kSmallShift = 4;
constexpr int kMinBandRows = 64;
// Below this many lines a second thread costs more than it saves.
constexpr size_t kLinesForThreads = 4096;
constexpr int kMostBands = 4;

long long floorDiv(long long a, long long n) { return a / n - ((a % n != 0) && ((a < 0) != (n < 0))); }

}  // namespace

void LinkLines::Coverage::reset(int squareShift, int width, int height) {
    shift = squareShift;
    size = 1 << shift;
    across = (width + size - 1) / size;
    const int down = (height + size - 1) / size;
    unset.assign(static_cast<size_t>(across) * static_cast<size_t>(down), 0);
}

void LinkLines::startMask() {
    if (masking_) return;
    set_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    masking_ = true;
}

void LinkLines::paintedOver(const QRect& rect) {
    if (!bits_) return;
    const int left = std::max(rect.left() * ratio_, 0), top = std::max(rect.top() * ratio_, 0);
    const int right = std::min((rect.right() + 1) * ratio_, width_), bottom = std::min((rect.bottom() + 1) * ratio_, height_);
    if (left >= right || top >= bottom) return;
    startMask();
    for (int y = top; y < bottom; ++y)
        std::fill_n(set_.begin() + static_cast<qsizetype>(y) * width_ + left, right - left, static_cast<unsigned char>(1));
}

void LinkLines::finish() {
    drawRun();
    if (pending_.empty()) {
        masking_ = false;
        return;
    }
    // Pixels that no line can reach count as set from the start, so that the squares along the
    // edges of the lines' reach can fill up and be stepped over; the bands are the rows within reach.
    long long left = width_, top = height_, right = -1, bottom = -1;
    for (const Pending& p : pending_) {
        const long long x0 = std::min(p.line.x1(), p.line.x2()), x1 = std::max(p.line.x1(), p.line.x2());
        const long long y0 = std::min(p.line.y1(), p.line.y2()), y1 = std::max(p.line.y1(), p.line.y2());
        left = std::min(left, x0 * ratio_ - 2);
        right = std::max(right, x1 * ratio_ + ratio_ + 1);
        top = std::min(top, y0 * ratio_ - 2);
        bottom = std::max(bottom, y1 * ratio_ + ratio_ + 1);
    }
    const QRect reach = QRect(QPoint(static_cast<int>(std::clamp<long long>(left, 0, width_)),
                                     static_cast<int>(std::clamp<long long>(top, 0, height_))),
                              QPoint(static_cast<int>(std::clamp<long long>(right, -1, width_ - 1)),
                                     static_cast<int>(std::clamp<long long>(bottom, -1, height_ - 1))));
    if (!reach.isValid()) {
        pending_.clear();
        masking_ = false;
        return;
    }
    startMask();
    const auto markRows = [&](int from, int to, int left, int right) {
        for (int y = from; y < to; ++y)
            std::fill_n(set_.begin() + static_cast<qsizetype>(y) * width_ + left, right - left, static_cast<unsigned char>(1));
    };
    markRows(reach.top(), reach.bottom() + 1, 0, reach.left());
    markRows(reach.top(), reach.bottom() + 1, reach.right() + 1, width_);
    // The rows within reach, shared evenly between the bands.
    int bands = 1;
    if (pending_.size() >= kLinesForThreads)
        bands = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1,
                           std::min(kMostBands, reach.height() / kMinBandRows + 1));
    std::vector<Band> work(static_cast<size_t>(bands));
    for (int i = 0; i < bands; ++i) {
        Band& band = work[static_cast<size_t>(i)];
        band.top = reach.top() + reach.height() * i / bands;
        band.bottom = reach.top() + reach.height() * (i + 1) / bands;
    }
    std::vector<std::thread> helpers;
    for (size_t i = 1; i < work.size(); ++i) helpers.emplace_back([this, &band = work[i]] { drawBand(band); });
    drawBand(work[0]);
    for (std::thread& helper : helpers) helper.join();
    pending_.clear();
    masking_ = false;
}

void LinkLines::drawBand(Band& band) {
    const int rows = band.bottom - band.top;
    if (rows <= 0) return;
    band.large.reset(kLargeShift, width_, rows);
    band.small.reset(kSmallShift, width_, rows);
    countUnset(band);
    for (auto it = pending_.rbegin(); it != pending_.rend() && band.unset > 0; ++it) {
        // A line whose rows all lie above or below the band, a pixel or two to spare.
        const int lowest = std::min(it->line.y1(), it->line.y2()), highest = std::max(it->line.y1(), it->line.y2());
        if ((highest + 2LL) * ratio_ < band.top || (lowest - 2LL) * ratio_ >= band.bottom) continue;
        if (ratio_ == 1)
            drawLine(band, it->line, it->pixel, it->dotted);
        else
            drawWideLine(band, it->line, it->pixel, it->dotted);
    }
}

// Counts the pixels of the band not yet set, square by square: the small squares from the pixels,
// the large ones from the small.
void LinkLines::countUnset(Band& band) const {
    Coverage& finest = band.small;
    for (int y = band.top; y < band.bottom; ++y) {
        const unsigned char* set = set_.data() + static_cast<qsizetype>(y) * width_;
        int* counts = finest.unset.data() + static_cast<qsizetype>((y - band.top) >> finest.shift) * finest.across;
        for (int tx = 0; tx < finest.across; ++tx) {
            const int x0 = tx << finest.shift, x1 = std::min(x0 + finest.size, width_);
            int unset = x1 - x0;
            for (int x = x0; x < x1; ++x) unset -= set[x];
            counts[tx] += unset;
        }
    }
    const int down = static_cast<int>(finest.unset.size()) / finest.across;
    for (int ty = 0; ty < down; ++ty)
        for (int tx = 0; tx < finest.across; ++tx)
            band.large.of(tx << finest.shift, ty << finest.shift) += finest.unset[static_cast<size_t>(ty * finest.across + tx)];
    band.unset = 0;
    for (const int unset : band.large.unset) band.unset += unset;
}

// Walks a line from `from` to `end` along its major axis (y when Steep), `thickness` pixels across
// from the minor position minorAt(a), and sets the pixels of the band not yet set where isOn(a).
// A stretch of line up to the next large square is stepped over whole when the large squares under
// it are all set; otherwise it is walked likewise in small squares, and in those not all set pixel
// by pixel.
template <bool Steep, class MinorAt, class IsOn>
void LinkLines::walk(Band& band, int from, int end, int thickness, const MinorAt& minorAt, const IsOn& isOn,
                     quint32 pixel) {
    // The squares start at the band's top row and the picture's left column.
    const int majorStart = Steep ? band.top : 0, minorStart = Steep ? 0 : band.top;
    const int minorLast = Steep ? width_ - 1 : band.bottom - 1;
    from = std::max(from, majorStart);
    end = std::min(end, Steep ? band.bottom : width_);
    // The line's pixels across a stretch [f, t), cut to the band and the picture.
    const auto across = [&](int f, int t, int& lo, int& hi) {
        int m0 = minorAt(f), m1 = minorAt(t - 1);
        if (m0 > m1) std::swap(m0, m1);
        lo = std::max(m0, minorStart);
        hi = std::min(m1 + thickness - 1, minorLast);
        return lo <= hi;
    };
    const auto allSet = [&](const Coverage& squares, int major, int lo, int hi) {
        const int k = (major - majorStart) >> squares.shift;
        const int last = (hi - minorStart) >> squares.shift;
        for (int m = (lo - minorStart) >> squares.shift; m <= last; ++m)
            if (squares.unset[static_cast<size_t>(Steep ? k * squares.across + m : m * squares.across + k)] != 0)
                return false;
        return true;
    };
    const auto set = [&](int x, int y) {
        unsigned char& done = set_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
        if (done) return;  // a later line's pixel, or one painted over
        done = 1;
        reinterpret_cast<quint32*>(bits_ + y * stride_)[x] = pixel;
        --band.small.of(x, y - band.top);
        --band.large.of(x, y - band.top);
        --band.unset;
    };
    const int largeSize = band.large.size, smallSize = band.small.size;
    int lo = 0, hi = 0;
    while (from < end && band.unset != 0) {
        // Two's complement: the low bits are the offset into the square for negative positions too.
        const int to = std::min(end, from + largeSize - ((from - majorStart) & (largeSize - 1)));
        if (across(from, to, lo, hi) && !allSet(band.large, from, lo, hi)) {
            for (int f = from; f < to;) {
                const int t = std::min(to, f + smallSize - ((f - majorStart) & (smallSize - 1)));
                if (across(f, t, lo, hi) && !allSet(band.small, f, lo, hi)) {
                    for (int at = f; at < t; ++at) {
                        if (!isOn(at)) continue;
                        const int m = minorAt(at);
                        for (int c = std::max(m, minorStart), last = std::min(m + thickness - 1, minorLast); c <= last; ++c) {
                            if (Steep)
                                set(c, at);
                            else
                                set(at, c);
                        }
                    }
                }
                f = t;
            }
        }
        from = to;
    }
}

// A line `ratio_` device pixels wide with square ends, between the centres of the logical pixels at
// its ends; a dotted one is one logical pixel on and two off along its major axis, from its start.
// Worked in doubled device units, in which every centre is a whole number.
void LinkLines::drawWideLine(Band& band, QLine line, quint32 pixel, bool dotted) {
    const long long r = ratio_;
    long long a1 = 2 * r * line.x1() + r, b1 = 2 * r * line.y1() + r;
    long long a2 = 2 * r * line.x2() + r, b2 = 2 * r * line.y2() + r;
    const bool steep = std::abs(b2 - b1) > std::abs(a2 - a1);
    if (steep) {
        std::swap(a1, b1);
        std::swap(a2, b2);
    }
    bool reversed = false;
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        reversed = true;
    }
    // The pixels whose centres lie within half the width beyond the ends.
    const long long first = (a1 - r) / 2, last = (a2 + r) / 2;  // last is one past
    const long long span = a2 - a1;
    // The first of the line's pixels across it at a pixel along it: the lowest centre within half the
    // width of the line's minor position there, the ends held at the ends' positions.
    const auto minorAt = [=](int a) {
        const long long t = std::clamp<long long>(2LL * a + 1, a1, a2);
        const long long num = span == 0 ? (b1 - r - 1) : (b1 - r - 1) * span + (b2 - b1) * (t - a1);
        const long long den = span == 0 ? 2 : 2 * span;
        return static_cast<int>(floorDiv(num + den - 1, den));
    };
    // Only the part of the line over the picture is walked.
    const int majorLimit = steep ? height_ : width_, minorLimit = steep ? width_ : height_;
    long long from = std::max<long long>(first, 0), to = std::min<long long>(last, majorLimit);
    if (b1 != b2) {
        // Where the line's minor position crosses the picture's edges, a pixel or two to spare.
        const auto alongAt = [&](long long minorDoubled) {
            return (static_cast<double>(a1) +
                    static_cast<double>(minorDoubled - b1) * static_cast<double>(span) / static_cast<double>(b2 - b1) - 1) /
                   2;
        };
        double lo = alongAt(-4 * r), hi = alongAt(2LL * minorLimit + 4 * r);
        if (lo > hi) std::swap(lo, hi);
        from = std::max<long long>(from, static_cast<long long>(std::max(std::floor(lo) - 2, -1e9)));
        to = std::min<long long>(to, static_cast<long long>(std::min(std::ceil(hi) + 2, 1e9)));
    }
    if (from >= to) return;
    const long long cycle = 3 * r;
    const auto isOn = [=](int a) {
        if (!dotted) return true;
        const long long along = reversed ? last - 1 - a : a - first;
        return along % cycle < r;
    };
    if (steep)
        walk<true>(band, static_cast<int>(from), static_cast<int>(to), ratio_, minorAt, isOn, pixel);
    else
        walk<false>(band, static_cast<int>(from), static_cast<int>(to), ratio_, minorAt, isOn, pixel);
}

namespace {
// 16.16 fixed-point slope, as the painter works it out.
int slope(int d, int span) {
    if (std::abs(d) > 0x7fff) return static_cast<int>(static_cast<long long>(d) * (1 << 16) / span);
    return d * (1 << 16) / span;
}
}  // namespace

// The painter's one-pixel line: end points in 26.6 fixed point, clipped a pixel outside the image,
// square caps reaching half a pixel past each end, one pixel per step along the major axis. A dotted
// line is one pixel on, two off, counted from its start.
void LinkLines::drawLine(Band& band, QLine line, quint32 pixel, bool dotted) {
    double x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    if (x1 == x2 && y1 == y2) {
        // A single pixel: a one-pixel stretch along x.
        walk<false>(band, line.x1(), line.x1() + 1, 1, [&](int) { return line.y1(); }, [](int) { return true; }, pixel);
        return;
    }
    const double xmin = -1, xmax = width_ + 1, ymin = -1, ymax = height_ + 1;
    if (x1 < xmin) {
        if (x2 <= xmin) return;
        y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) return;
        y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
        x1 = xmax;
    }
    if (x2 < xmin) {
        y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
        x2 = xmin;
    } else if (x2 > xmax) {
        y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) return;
        x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) return;
        x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
        y1 = ymax;
    }
    if (y2 < ymin) {
        x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
        y2 = ymin;
    } else if (y2 > ymax) {
        x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
        y2 = ymax;
    }
    int a1 = static_cast<int>(x1 * 64), b1 = static_cast<int>(y1 * 64);
    int a2 = static_cast<int>(x2 * 64), b2 = static_cast<int>(y2 * 64);
    const bool steep = std::abs(a2 - a1) < std::abs(b2 - b1);
    if (steep) {  // walk along y
        std::swap(a1, b1);
        std::swap(a2, b2);
    }
    if (a1 == a2) return;
    bool reversed = false;
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        reversed = true;
    }
    const int inc = slope(b2 - b1, a2 - a1);
    int b = b1 * (1 << 10);
    // Square caps.
    a1 -= 32;
    b -= inc >> 1;
    a2 += 32;
    int a = (a1 + 32) >> 6;
    const int as = (a2 + 32) >> 6;
    const int round = inc > 0 ? 32 : 0;
    if (a == as) return;
    b += ((a * (1 << 6)) + round - a1) * inc >> 6;

    // Dots: 1 pixel on, 2 off, in 26.6 units, from the line's start.
    constexpr int kOn = 64, kLength = 192;
    int offset = 0;
    // The first dot sits on the line's start, which a reversed walk reaches last.
    const int step = reversed ? kLength - 64 : 64;
    if (dotted) offset = static_cast<int>((32 + (reversed ? 64LL * (as - a - 1) : 0)) % kLength);
    const int a0 = a;
    const auto minorAt = [=](int at) { return static_cast<int>((b + static_cast<long long>(inc) * (at - a0)) >> 16); };
    const auto isOn = [=](int at) { return !dotted || (offset + static_cast<long long>(step) * (at - a0)) % kLength < kOn; };
    if (steep)
        walk<true>(band, a, as, 1, minorAt, isOn, pixel);
    else
        walk<false>(band, a, as, 1, minorAt, isOn, pixel);
}

}  // namespace kinloom
