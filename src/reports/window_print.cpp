#include "reports/window_print.h"

#include "platform/rounding.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kinloom {

QRect fittedRect(QSize image, QSize page) {
    if (image.isEmpty() || page.isEmpty()) return {};
    const double k = std::min(static_cast<double>(page.width()) / image.width(),
                              static_cast<double>(page.height()) / image.height());
    const int w = static_cast<int>(roundHalfEven(k * image.width()));
    const int h = static_cast<int>(roundHalfEven(k * image.height()));
    return QRect((page.width() - w) / 2, (page.height() - h) / 2, w, h);
}

bool printImageOnPage(QPagedPaintDevice& device, const QImage& image) {
    const QRect target = fittedRect(image.size(), QSize(device.width(), device.height()));
    if (target.isEmpty()) return false;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    return painter.end();
}

}  // namespace kinloom
