#include "canvas/direct_pixels.h"

#include <QImage>
#include <QPainter>

namespace kinloom {

DirectPixels directPixelsOf(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image) return {};
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied) return {};
    const qreal ratio = image->devicePixelRatio();
    if (ratio < 1 || ratio > 8 || ratio != static_cast<int>(ratio)) return {};
    if (!painter.worldTransform().isIdentity() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return {};
    // The painter has already made the image its own.
    return {image->bits(), image->bytesPerLine(), image->width(), image->height(), static_cast<int>(ratio)};
}

}  // namespace kinloom
