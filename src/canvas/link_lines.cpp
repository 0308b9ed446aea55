#include "canvas/link_lines.h"

#include <QImage>
#include <QPainter>
#include <QPen>

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
        painter_.setPen(QPen(colour, 0, dotted ? Qt::DotLine : Qt::SolidLine));
        painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
        return;
    }
    const quint32 pixel = colour.rgba();
    for (const QLine& line : lines) drawLine(line, pixel, dotted);
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
        if (line.x1() >= 0 && line.x1() < width_ && line.y1() >= 0 && line.y1() < height_)
            reinterpret_cast<quint32*>(bits_ + line.y1() * stride_)[line.x1()] = pixel;
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
    do {
        const bool on = !dotted || offset < kOn;
        if (on) {
            const int px = steep ? (b >> 16) : a;
            const int py = steep ? a : (b >> 16);
            if (px >= 0 && px < width_ && py >= 0 && py < height_)
                reinterpret_cast<quint32*>(bits_ + py * stride_)[px] = pixel;
        }
        if (dotted) {
            offset += step;
            if (offset >= kLength) offset -= kLength;
        }
        b += inc;
    } while (++a < as);
}

}  // namespace kinloom
