#include "reports/poster_preview.h"

#include "platform/rounding.h"
#include "reports/poster.h"

#include <QPainter>

#include <algorithm>

namespace kinloom {

namespace {

const QColor kNavy(0, 0, 128);

int scaled(double k, long long v) { return static_cast<int>(roundHalfEven(k * static_cast<double>(v))); }

// The lines and boxes of a layout's drawing, each coordinate times `k`, from `corner`.
void drawSchematic(QPainter& painter, const PosterLayout& layout, double k, QPoint corner) {
    const int n = layout.enlargement();
    painter.setPen(Qt::black);
    for (size_t i = 0; i < layout.lineCount(); ++i) {
        const QLine l = layout.lineOf(i);
        painter.drawLine(corner + QPoint(scaled(k, 1LL * l.x1() * n), scaled(k, 1LL * l.y1() * n)),
                         corner + QPoint(scaled(k, 1LL * l.x2() * n), scaled(k, 1LL * l.y2() * n)));
    }
    painter.setPen(kNavy);
    painter.setBrush(Qt::white);
    for (size_t i = 0; i < layout.items().size(); ++i) {
        const QRect b = layout.boxOf(i);
        const int left = scaled(k, 1LL * b.left() * n), top = scaled(k, 1LL * b.top() * n);
        const int right = scaled(k, 1LL * (b.left() + b.width()) * n), bottom = scaled(k, 1LL * (b.top() + b.height()) * n);
        // A box of a pixel or two is a dot; one pixel is the least a box becomes.
        if (right - left <= 2 || bottom - top <= 2)
            painter.fillRect(QRect(corner.x() + left, corner.y() + top, std::max(1, right - left), std::max(1, bottom - top)), kNavy);
        else
            painter.drawRect(QRect(corner.x() + left, corner.y() + top, right - left - 1, bottom - top - 1));
    }
}

}  // namespace

QImage posterPreview(const ItemStore& store, const PosterSettings& settings, QSize picture, QSize page, int dpi,
                     const QColor& background) {
    return posterPreview(drawingOfStore(store, settings.selectedOnly), settings, picture, page, dpi, background);
}

QImage posterPreview(const ChartDrawing& drawing, const PosterSettings& settings, QSize picture, QSize page, int dpi,
                     const QColor& background) {
    if (picture.isEmpty() || page.isEmpty()) return {};
    const int bw = picture.width(), bh = picture.height();
    QImage image(picture, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);

    if (settings.scale == ChartScale::FitPages && !settings.onePage) {
        const double k = std::min(static_cast<double>(bw) / page.width(), static_cast<double>(bh) / page.height());
        const int pw = static_cast<int>(roundHalfEven(k * page.width()));
        const int ph = static_cast<int>(roundHalfEven(k * page.height()));
        // The boxes lie as on a printed page of the preview's size: scaled to 95 % of the page by
        // whichever side limits, centred. This also places a single row or a single item sensibly.
        PosterSettings one = settings;
        one.pagesPerSide = 1;
        one.pageLabels = one.cutMarks = false;
        one.overlapMm = 0;
        const PosterLayout layout(drawing, one, QSize(pw, ph));
        if (layout.isEmpty()) return {};
        const int left = (bw - pw) / 2, top = (bh - ph) / 2;
        const int right = (bw + pw) / 2, bottom = (bh + ph) / 2;
        painter.setPen(kNavy);
        painter.setBrush(Qt::white);
        painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
        drawSchematic(painter, layout, 1.0, QPoint(left, top));
        // Where the n x n pages meet.
        const int n = std::clamp(settings.pagesPerSide, 1, 8);
        painter.setPen(QPen(Qt::red, 1));
        for (int i = 1; i < n; ++i) {
            const int x = left + (right - left) * i / n, y = top + (bottom - top) * i / n;
            painter.drawLine(x, top, x, bottom - 1);
            painter.drawLine(left, y, right - 1, y);
        }
        return image;
    }

    const PosterLayout layout(drawing, settings, page, dpi);
    if (layout.isEmpty()) return {};
    const PageGrid& grid = layout.grid();
    const QSize total = grid.total();
    const double k = std::min(static_cast<double>(bw - 1) / total.width(), static_cast<double>(bh - 1) / total.height());
    const QPoint corner((bw - scaled(k, total.width())) / 2, (bh - scaled(k, total.height())) / 2);
    painter.fillRect(QRect(corner, QSize(scaled(k, total.width()), scaled(k, total.height()))), Qt::white);
    drawSchematic(painter, layout, k, corner);
    painter.setPen(QPen(Qt::red, 1));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < layout.pageCount(); ++i) {
        const QRect a = grid.shownArea(layout.gridIndexOf(i));
        painter.drawRect(QRect(corner + QPoint(scaled(k, a.left()), scaled(k, a.top())),
                               QSize(scaled(k, a.width()), scaled(k, a.height()))));
    }
    return image;
}

QImage posterPreview(const ItemStore& store, bool selectedOnly, QSize picture, QSize page, const QColor& background) {
    PosterSettings settings;
    settings.selectedOnly = selectedOnly;
    return posterPreview(store, settings, picture, page, 300, background);
}

QImage pagePreview(const PosterLayout& layout, int index, QSize picture, const QColor& background) {
    if (picture.isEmpty() || index < 0 || index >= layout.pageCount()) return {};
    const QSize page = layout.pageSize();
    const double k = std::min(static_cast<double>(picture.width()) / page.width(),
                              static_cast<double>(picture.height()) / page.height());
    QImage image(picture, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    const QSizeF shown(k * page.width(), k * page.height());
    painter.translate((picture.width() - shown.width()) / 2, (picture.height() - shown.height()) / 2);
    painter.scale(k, k);
    painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);
    layout.drawPage(painter, index);
    return image;
}

}  // namespace kinloom
