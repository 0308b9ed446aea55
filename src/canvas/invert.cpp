#include "canvas/invert.h"

#include "canvas/view_math.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace kinloom {

void invertRect(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(rect, Qt::black);
    painter.restore();
}

void invertBox(QPainter& painter, const PersonItem& item, const ViewState& view) {
    invertRect(painter, boxEdgesOf(item, view).rect());
}

void invertLine(QPainter& painter, QPoint from, QPoint to) {
    if (from == to) return;  // a line of no length draws nothing, so erasing it leaves nothing behind
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(from, to);
    painter.restore();
}

void invertFrame(QPainter& painter, QPoint a, QPoint b, bool dotted) {
    // The outline spans the two corners; a band without width or height draws nothing, so the
    // first erase of a band that has just begun leaves no stray pixel behind.
    // Corners far outside any picture are pulled in to a distance where the rectangle's width and
    // height still fit an int; the edges that move stay out of sight.
    const auto near = [](int v) { return std::clamp(v, -(1 << 24), 1 << 24); };
    const int l = near(std::min(a.x(), b.x())), r = near(std::max(a.x(), b.x()));
    const int t = near(std::min(a.y(), b.y())), btm = near(std::max(a.y(), b.y()));
    if (l == r || t == btm) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0, dotted ? Qt::DotLine : Qt::SolidLine));
    // Like a window-system rectangle, the outline runs along the last pixels inside [l, r) x [t, b);
    // Qt's outline of a QRect lies one pixel further right and down.
    painter.drawRect(QRect(l, t, r - l - 1, btm - t - 1));
    painter.restore();
}

}  // namespace kinloom
