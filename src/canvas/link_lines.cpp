#include "canvas/link_lines.h"

#include "canvas/direct_pixels.h"
#include "platform/run_together.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
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

LinkLines::LinkLines(QPainter& painter, int threads) : painter_(painter), threads_(threads) {
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
    if (bits_ && pen.opaque) {
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

constexpr int kSmallShift = UnsetPixels::kSmallShift, kSmallSize = UnsetPixels::kSmallSize;
constexpr int kLargeShift = UnsetPixels::kLargeShift, kLargeSize = UnsetPixels::kLargeSize;
// A large square with no more small squares open than this under a stretch of line has them
// tried one by one rather than walking the stretch.
constexpr int kFewSquares = 6;
// Below this many lines a second thread costs more than it saves.
constexpr size_t kLinesForThreads = 4096;
constexpr int kMostThreads = 4;
// The latest of every this many lines are drawn in bands of rows, the rest in runs of lines.
constexpr size_t kEarlyShare = 8;
// How often a run of lines looks again at which small squares are open.
constexpr size_t kLinesBetweenNotes = 1024;

long long floorDiv(long long a, long long n) { return a / n - ((a % n != 0) && ((a < 0) != (n < 0))); }

}  // namespace

LinkLines::LineBox LinkLines::boxOf(const QLine& line) const {
    const int x0 = std::min(line.x1(), line.x2()), x1 = std::max(line.x1(), line.x2());
    const int y0 = std::min(line.y1(), line.y2()), y1 = std::max(line.y1(), line.y2());
    return {x0 * ratio_ - 2, y0 * ratio_ - 2, x1 * ratio_ + ratio_ + 1, y1 * ratio_ + ratio_ + 1};
}

void LinkLines::startMask() {
    if (masking_) return;
    set_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    masking_ = true;
}

void LinkLines::paintedOver(const QRect& rect) {
    if (!bits_) return;
    const DeviceSpan span = deviceSpanOf(rect, ratio_, width_, height_);
    if (span.empty()) return;
    startMask();
    // Boxes at a small zoom are a few pixels wide: a plain loop beats a call per row.
    unsigned char* row = set_.data() + static_cast<qsizetype>(span.top) * width_ + span.left;
    for (int y = span.top; y < span.bottom; ++y, row += width_)
        for (int x = 0; x < span.right - span.left; ++x) row[x] = 1;
}

void LinkLines::finish() {
    drawRun();
    if (pending_.empty()) {
        masking_ = false;
        return;
    }
    // Pixels that no line can reach count as set from the start, so that the squares along the
    // edges of the lines' reach can fill up and be stepped over. Only the rows within reach are drawn.
    long long left = width_, top = height_, right = -1, bottom = -1;
    for (const Pending& p : pending_) {
        const LineBox box = boxOf(p.line);
        left = std::min<long long>(left, box.left);
        right = std::max<long long>(right, box.right);
        top = std::min<long long>(top, box.top);
        bottom = std::max<long long>(bottom, box.bottom);
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
    const size_t lines = pending_.size();
    const int cores = threads_ > 0 ? threads_ : static_cast<int>(std::thread::hardware_concurrency());
    const int threads = lines < kLinesForThreads ? 1 : std::clamp(cores, 1, kMostThreads);
    const auto run = [this](std::vector<Batch>& work) {
        std::vector<std::function<void()>> tasks;
        for (Batch& batch : work) tasks.emplace_back([this, &batch] { drawBatch(batch); });
        runTogether(tasks);
    };
    // The latest lines first, in bands of rows, one thread a band: while most of the picture is
    // still to set, the work goes with the pixels. Each band marks what it sets in the mask.
    const size_t early = threads == 1 ? 0 : lines - lines / kEarlyShare;
    if (threads > 1) {
        std::vector<Batch> bands(static_cast<size_t>(threads));
        for (int i = 0; i < threads; ++i) {
            Batch& band = bands[static_cast<size_t>(i)];
            band.first = early;
            band.end = lines;
            band.top = reach.top() + reach.height() * i / threads;
            band.bottom = reach.top() + reach.height() * (i + 1) / threads;
            band.marks = true;
        }
        run(bands);
    }
    // Then the rest, in runs of lines, one thread a run: by now each line costs about the same
    // wherever it lies. The last run's pixels are final where it sets them; an earlier run's show
    // only where no later run has set the pixel.
    std::vector<Batch> work(static_cast<size_t>(threads));
    for (int i = 0; i < threads; ++i) {
        Batch& batch = work[static_cast<size_t>(i)];
        batch.first = early * static_cast<size_t>(i) / static_cast<size_t>(threads);
        batch.end = early * static_cast<size_t>(i + 1) / static_cast<size_t>(threads);
        if (threads == 1) batch.end = lines;
        batch.top = reach.top();
        batch.bottom = reach.bottom() + 1;
        batch.direct = i == threads - 1;
    }
    run(work);
    UnsetPixels& unset = work.back().unset;
    for (auto batch = work.rbegin() + 1; batch != work.rend(); ++batch)
        for (const Batch::Write& write : batch->writes) {
            const int x = static_cast<int>(write.at % static_cast<quint32>(width_));
            const int y = static_cast<int>(write.at / static_cast<quint32>(width_));
            if (!unset.isUnset(x, y)) continue;
            reinterpret_cast<quint32*>(bits_ + y * stride_)[x] = write.pixel;
            unset.set(x, y);
        }
    pending_.clear();
    masking_ = false;
}

void LinkLines::drawBatch(Batch& batch) {
    batch.writes.clear();
    batch.unset.reset(set_.data(), width_, batch.top, batch.bottom);
    batch.unset.noteOpenSquares();
    for (size_t i = batch.end, drawn = 0; i-- > batch.first && batch.unset.unset() > 0;) {
        const Pending& line = pending_[i];
        // Once most pixels are set, the few left tend to lie in a few places, which most lines pass
        // nowhere near: a line is left out when no small square under its box (a pixel or two to
        // spare) had pixels to set when last looked.
        if (++drawn % kLinesBetweenNotes == 0) batch.unset.noteOpenSquares();
        const LineBox box = boxOf(line.line);
        if (!batch.unset.mayBeOpen(box.left, box.top, box.right, box.bottom)) continue;
        if (ratio_ == 1)
            drawLine(batch, line.line, line.pixel, line.dotted);
        else
            drawWideLine(batch, line.line, line.pixel, line.dotted);
    }
}

// Sets the line's pixels not yet set within one small square, along the stretch [from, to) of the
// line's major axis: the line's pixels there are gathered in the square's bit layout and met with
// the pixels still to set in one go, which keeps the branches few.
template <bool Steep, class MinorAt, class IsOn>
void LinkLines::walkSmall(Batch& batch, int column, int row, int from, int to, int thickness, const MinorAt& minorAt,
                          const IsOn& isOn, quint32 pixel) {
    UnsetPixels& unset = batch.unset;
    const int small = unset.smallIndex(column, row);
    const int x0 = column << kSmallShift, y0 = batch.top + (row << kSmallShift);
    const int minor0 = Steep ? x0 : y0, major0 = Steep ? y0 : x0;
    quint64 line[4] = {0, 0, 0, 0};
    const auto add = [&](int at, int c, bool inside) {
        const int lx = (Steep ? c - minor0 : at - major0) & (kSmallSize - 1);
        const int ly = (Steep ? at - major0 : c - minor0) & (kSmallSize - 1);
        line[ly >> 2] |= quint64{inside} << (((ly & 3) << 4) | lx);
    };
    if (thickness == 1) {
        // Without a branch: a pixel outside the square adds nothing.
        for (int at = from; at < to; ++at) {
            const int m = minorAt(at);
            add(at, m, static_cast<unsigned>(m - minor0) < static_cast<unsigned>(kSmallSize));
        }
    } else {
        for (int at = from; at < to; ++at) {
            const int m = minorAt(at);
            for (int c = std::max(m, minor0), last = std::min(m + thickness - 1, minor0 + kSmallSize - 1); c <= last; ++c)
                add(at, c, true);
        }
    }
    const quint64* bits = unset.bitsOf(small);
    for (int w = 0; w < 4; ++w) {
        for (quint64 hits = line[w] & bits[w]; hits; hits &= hits - 1) {
            const int bit = __builtin_ctzll(hits);
            const int x = x0 + (bit & 15), y = y0 + (w << 2) + (bit >> 4);
            if (!isOn(Steep ? y : x)) continue;
            if (batch.direct)
                reinterpret_cast<quint32*>(bits_ + y * stride_)[x] = pixel;
            else
                batch.writes.push_back({static_cast<quint32>(y * width_ + x), pixel});
            if (batch.marks) set_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = 1;
            unset.set(x, y);
        }
    }
}

// Walks a line from `from` to `end` along its major axis (y when Steep), `thickness` pixels across
// from the minor position minorAt(a), and sets the pixels not yet set where isOn(a). minorAt rises
// with a when Rising, else falls or stays.
// The line goes in stretches up to the next large square; a stretch over large squares without
// open small squares is stepped over whole. Otherwise the open small squares under the stretch are
// tried one by one when they are few, and the stretch walked across small squares when not.
template <bool Steep, bool Rising, class MinorAt, class IsOn>
void LinkLines::walk(Batch& batch, int from, int end, int thickness, const MinorAt& minorAt, const IsOn& isOn,
                     quint32 pixel) {
    UnsetPixels& unset = batch.unset;
    // The squares start at the top row drawn and the picture's left column.
    const int majorStart = Steep ? batch.top : 0, minorStart = Steep ? 0 : batch.top;
    const int minorLast = Steep ? width_ - 1 : batch.bottom - 1;
    from = std::max(from, majorStart);
    end = std::min(end, Steep ? batch.bottom : width_);
    // The line's pixels across a stretch [f, t), cut to the rows drawn and the picture.
    // minorAt rises along the line when Rising, and falls or stays when not.
    const auto across = [&](int f, int t, int& lo, int& hi) {
        const int m0 = minorAt(Rising ? f : t - 1), m1 = minorAt(Rising ? t - 1 : f);
        lo = std::max(m0, minorStart);
        hi = std::min(m1 + thickness - 1, minorLast);
        return lo <= hi;
    };
    // Bits of a large square's small squares, 8 * row + column, for columns c0..c1 and rows r0..r1.
    const auto box = [](int c0, int c1, int r0, int r1) {
        const quint64 columns = (0xffULL >> (7 - c1)) & (0xffULL << c0);
        const quint64 rows = (~0ULL >> (8 * (7 - r1))) & (~0ULL << (8 * r0));
        return columns * 0x0101010101010101ULL & rows;
    };
    int lo = 0, hi = 0;
    while (from < end && unset.unset() != 0) {
        // Two's complement: the low bits are the offset into the square for negative positions too.
        const int to = std::min(end, from + kLargeSize - ((from - majorStart) & (kLargeSize - 1)));
        if (across(from, to, lo, hi)) {
            const int largeMajor = (from - majorStart) >> kLargeShift;
            // The small squares under the stretch along the major axis, within its large square.
            const int major0 = ((from - majorStart) >> kSmallShift) & 7, major1 = ((to - 1 - majorStart) >> kSmallShift) & 7;
            // The stretch's open small squares within a large square across it.
            const auto openUnder = [&](int largeMinor) {
                const int minorBase = minorStart + (largeMinor << kLargeShift);
                const int minor0 = (std::max(lo, minorBase) - minorBase) >> kSmallShift;
                const int minor1 = (std::min(hi, minorBase + kLargeSize - 1) - minorBase) >> kSmallShift;
                return Steep ? unset.openSmalls(largeMinor, largeMajor) & box(minor0, minor1, major0, major1)
                             : unset.openSmalls(largeMajor, largeMinor) & box(major0, major1, minor0, minor1);
            };
            const auto visit = [&](int largeMinor, quint64 open) {
                const int minorBase = minorStart + (largeMinor << kLargeShift);
                const int smallMajorBase = largeMajor << 3, smallMinorBase = largeMinor << 3;
                const auto trySmall = [&](int bitMajor, int bitMinor, int f, int t) {
                    const int smallMajor = smallMajorBase + bitMajor, smallMinor = smallMinorBase + bitMinor;
                    walkSmall<Steep>(batch, Steep ? smallMinor : smallMajor, Steep ? smallMajor : smallMinor, f, t,
                                     thickness, minorAt, isOn, pixel);
                };
                int count = 0;
                for (quint64 left = open; left && count <= kFewSquares; left &= left - 1) ++count;
                if (count <= kFewSquares) {
                    // Each open small square: the part of the stretch over it, if the line crosses it.
                    for (quint64 left = open; left; left &= left - 1) {
                        const int bit = __builtin_ctzll(left);
                        const int bitMajor = Steep ? bit >> 3 : bit & 7, bitMinor = Steep ? bit & 7 : bit >> 3;
                        const int squareMajor = majorStart + ((smallMajorBase + bitMajor) << kSmallShift);
                        const int squareMinor = minorStart + ((smallMinorBase + bitMinor) << kSmallShift);
                        const int f = std::max(from, squareMajor), t = std::min(to, squareMajor + kSmallSize);
                        int m0 = 0, m1 = 0;
                        if (!across(f, t, m0, m1) || m1 < squareMinor || m0 >= squareMinor + kSmallSize) continue;
                        trySmall(bitMajor, bitMinor, f, t);
                    }
                    return;
                }
                // Many: walk the stretch in small squares, trying those that are open.
                for (int f = from; f < to;) {
                    const int t = std::min(to, f + kSmallSize - ((f - majorStart) & (kSmallSize - 1)));
                    int m0 = 0, m1 = 0;
                    if (across(f, t, m0, m1)) {
                        const int bitMajor = ((f - majorStart) >> kSmallShift) & 7;
                        const int first = (std::max(m0, minorBase) - minorBase) >> kSmallShift;
                        const int last = (std::min(m1, minorBase + kLargeSize - 1) - minorBase) >> kSmallShift;
                        for (int bitMinor = first; bitMinor <= last; ++bitMinor) {
                            const int bit = Steep ? (bitMajor << 3) | bitMinor : (bitMinor << 3) | bitMajor;
                            if ((open >> bit) & 1) trySmall(bitMajor, bitMinor, f, t);
                        }
                    }
                    f = t;
                }
            };
            const int first = (lo - minorStart) >> kLargeShift, last = (hi - minorStart) >> kLargeShift;
            if (last - first <= 1) {
                // One or two large squares: both looked at before a single test, which is rarely passed.
                const quint64 open0 = openUnder(first), open1 = openUnder(last) & (0 - quint64{last > first});
                if (open0 | open1) {
                    if (open0) visit(first, open0);
                    if (open1) visit(last, open1);
                }
            } else {
                for (int largeMinor = first; largeMinor <= last; ++largeMinor)
                    if (const quint64 open = openUnder(largeMinor)) visit(largeMinor, open);
            }
        }
        from = to;
    }
}

template <class MinorAt, class IsOn>
void LinkLines::walkAny(Batch& batch, bool steep, bool rising, int from, int end, int thickness, const MinorAt& minorAt,
                        const IsOn& isOn, quint32 pixel) {
    if (steep) {
        if (rising)
            walk<true, true>(batch, from, end, thickness, minorAt, isOn, pixel);
        else
            walk<true, false>(batch, from, end, thickness, minorAt, isOn, pixel);
    } else {
        if (rising)
            walk<false, true>(batch, from, end, thickness, minorAt, isOn, pixel);
        else
            walk<false, false>(batch, from, end, thickness, minorAt, isOn, pixel);
    }
}

// A line `ratio_` device pixels wide with square ends, between the centres of the logical pixels at
// its ends; a dotted one is one logical pixel on and two off along its major axis, from its start.
// Worked in doubled device units, in which every centre is a whole number.
void LinkLines::drawWideLine(Batch& batch, QLine line, quint32 pixel, bool dotted) {
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
    walkAny(batch, steep, b2 > b1, static_cast<int>(from), static_cast<int>(to), ratio_, minorAt, isOn, pixel);
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
void LinkLines::drawLine(Batch& batch, QLine line, quint32 pixel, bool dotted) {
    double x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    if (x1 == x2 && y1 == y2) {
        // A single pixel: a one-pixel stretch along x.
        walk<false, false>(batch, line.x1(), line.x1() + 1, 1, [&](int) { return line.y1(); }, [](int) { return true; },
                           pixel);
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
    walkAny(batch, steep, inc > 0, a, as, 1, minorAt, isOn, pixel);
}

}  // namespace kinloom
