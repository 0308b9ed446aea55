#pragma once
#include <QRect>
#include <QtGlobal>

#include <algorithm>

class QPainter;

namespace kinloom {

// The pixels of a painter's device, for drawing that sets them itself: a 32-bit image with a
// whole-number pixel ratio (each logical pixel a square of device pixels) and nothing but plain
// painting in force. `bits` is null anywhere else, and the painter must draw.
struct DirectPixels {
    uchar* bits = nullptr;
    qsizetype stride = 0;
    int width = 0;   // in device pixels
    int height = 0;
    int ratio = 1;
};
DirectPixels directPixelsOf(QPainter& painter);

// The device pixels [left, right) x [top, bottom) of a rectangle given in logical pixels at a pixel
// ratio, cut to a picture width x height device pixels; none when left >= right or top >= bottom.
struct DeviceSpan {
    int left, top, right, bottom;
    bool empty() const { return left >= right || top >= bottom; }
};
inline DeviceSpan deviceSpanOf(const QRect& rect, int ratio, int width, int height) {
    return {std::max(rect.left() * ratio, 0), std::max(rect.top() * ratio, 0),
            std::min((rect.right() + 1) * ratio, width), std::min((rect.bottom() + 1) * ratio, height)};
}

}  // namespace kinloom
