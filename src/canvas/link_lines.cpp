#include "canvas/link_lines.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace kinloom {

LinkLines::LinkLines(QPainter& painter) : painter_(painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image) return;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied) return;
    if (image->devicePixelRatio() != 1.0) return;
    if (!painter.worldTransform().isIdentity() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.testRenderHint(QPainter::Antialiasing) || painter.hasClipping())
        return;
    bits_ = image->bits();
    stride_ = image->bytesPerLine();
    width_ = image->width();
    height_ = image->height();
}

void LinkLines::draw(const std::vector<QLine>& lines, const QColor& colour, bool dotted) {
    if (lines.empty()) return;
    if (!bits_ || colour.alpha() != 255) {
        // One logical pixel wide: on a 2x screen two device pixels, so that lines weigh as elsewhere.
        const QPaintDevice* device = painter_.device();
        const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
        QPen pen(colour, ratio > 1 ? std::round(ratio) : 0, dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCosmetic(true);
        painter_.setPen(pen);
        painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
        return;
    }
    const quint32 pixel = colour.rgba();
    for (const QLine& line : lines) pending_.push_back({line, pixel, dotted});
}

void LinkLines::finish() {
    if (pending_.empty()) return;
    set_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    tilesAcross_ = (width_ + kTile - 1) / kTile;
    const int tilesDown = (height_ + kTile - 1) / kTile;
    unsetInTile_.assign(static_cast<size_t>(tilesAcross_) * static_cast<size_t>(tilesDown), 0);
    for (int ty = 0; ty < tilesDown; ++ty)
        for (int tx = 0; tx < tilesAcross_; ++tx)
            unsetInTile_[static_cast<size_t>(ty * tilesAcross_ + tx)] =
                std::min(kTile, width_ - tx * kTile) * std::min(kTile, height_ - ty * kTile);
    for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) drawLine(it->line, it->pixel, it->dotted);
    pending_.clear();
}

void LinkLines::plot(int x, int y, quint32 pixel) {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
    unsigned char& set = set_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    if (set) return;  // a later line's pixel
    set = 1;
    reinterpret_cast<quint32*>(bits_ + y * stride_)[x] = pixel;
    --unsetInTile_[static_cast<size_t>((y / kTile) * tilesAcross_ + x / kTile)];
}

// True when the pixels from (major, minor0) to (major + a stretch within one square, minor1) all
// lie in squares whose every pixel is set.
bool LinkLines::covered(bool steep, int major, int minor0, int minor1) const {
    if (minor0 > minor1) std::swap(minor0, minor1);
    const int majorLimit = steep ? height_ : width_, minorLimit = steep ? width_ : height_;
    if (major < 0 || major >= majorLimit || minor0 < 0 || minor1 >= minorLimit) return false;
    for (int m = minor0 / kTile; m <= minor1 / kTile; ++m) {
        const int tx = steep ? m : major / kTile, ty = steep ? major / kTile : m;
        if (unsetInTile_[static_cast<size_t>(ty * tilesAcross_ + tx)] != 0) return false;
    }
    return true;
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
void LinkLines::drawLine(QLine line, quint32 pixel, bool dotted) {
    double x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    if (x1 == x2 && y1 == y2) {
        plot(line.x1(), line.y1(), pixel);
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
    // In stretches up to the next square along the major axis: a stretch over set squares only is
    // stepped over whole, the others pixel by pixel.
    while (a < as) {
        const int stretch = std::min(as - a, kTile - (((a % kTile) + kTile) % kTile));
        if (covered(steep, a, b >> 16, (b + inc * (stretch - 1)) >> 16)) {
            a += stretch;
            b += inc * stretch;
            if (dotted) offset = (offset + step * stretch) % kLength;
            continue;
        }
        for (const int end = a + stretch; a < end; ++a) {
            if (!dotted || offset < kOn) {
                if (steep)
                    plot(b >> 16, a, pixel);
                else
                    plot(a, b >> 16, pixel);
            }
            if (dotted) {
                offset += step;
                if (offset >= kLength) offset -= kLength;
            }
            b += inc;
        }
    }
}

}  // namespace kinloom
