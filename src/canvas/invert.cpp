#include "canvas/invert.h"

#include "canvas/view_math.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace kinloom {

void InvertRect(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(rect, Qt::black);
    painter.restore();
}

void InvertBox(QPainter& painter, const TPersonItem& item, const ViewState& view) {
    InvertRect(painter, BoxEdgesOf(item, view).rect());
}

void InvertLine(QPainter& painter, QPoint from, QPoint to) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(from, to);
    painter.restore();
}

void InvertFrame(QPainter& painter, QPoint a, QPoint b, bool dotted) {
    // The outline spans the two corners; a degenerate band is a line or a point.
    const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
    const int t = std::min(a.y(), b.y()), btm = std::max(a.y(), b.y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0, dotted ? Qt::DotLine : Qt::SolidLine));
    if (l == r || t == btm)
        painter.drawLine(l, t, r, btm);
    else
        painter.drawRect(QRect(QPoint(l, t), QPoint(r, btm)));
    painter.restore();
}

}  // namespace kinloom
