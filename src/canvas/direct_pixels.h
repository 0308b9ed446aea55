#pragma once
#include <QtGlobal>

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

}  // namespace kinloom
