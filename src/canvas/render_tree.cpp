#include "canvas/render_tree.h"

#include "canvas/view_math.h"
#include "document/item_store.h"
#include "platform/rounding.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace kinloom {

namespace {
constexpr int kMargin = 20;  // canvas units around the tree
}

ViewState fitWholeTree(const ItemStore& store, QSize size, std::optional<double> zoom) {
    ViewState view;
    if (store.empty() || size.width() <= 0 || size.height() <= 0) {
        if (zoom) view.zoom = *zoom;
        return view;
    }
    long long minX = LLONG_MAX, minY = LLONG_MAX, maxX = LLONG_MIN, maxY = LLONG_MIN;
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        minX = std::min<long long>(minX, item->X);
        minY = std::min<long long>(minY, item->Y);
        maxX = std::max<long long>(maxX, item->X + kItemWidth + 1);  // the shadow lies outside the box
        maxY = std::max<long long>(maxY, item->Y + kItemHeight + 1);
    }
    minX -= kMargin;
    minY -= kMargin;
    maxX += kMargin;
    maxY += kMargin;
    if (zoom) {
        view.zoom = *zoom;
    } else {
        const double fit = std::min(size.width() * 100.0 / (maxX - minX), size.height() * 100.0 / (maxY - minY));
        view.zoom = std::min(100.0, fit);
    }
    const double s = view.zoom * 0.01;
    // Centre the tree's extent in the picture.
    const double visibleW = size.width() / s, visibleH = size.height() / s;
    // A tree that spans the whole canvas needs an offset just beyond the int range: it stops at the end.
    view.offsetX = saturateInt(roundHalfEven((visibleW - static_cast<double>(maxX - minX)) / 2 - static_cast<double>(minX)));
    view.offsetY = saturateInt(roundHalfEven((visibleH - static_cast<double>(maxY - minY)) / 2 - static_cast<double>(minY)));
    return view;
}

QImage renderTree(const ItemStore& store, const RenderOptions& options, PaintResult* result) {
    ViewState view;
    if (options.offset) {
        view.zoom = options.zoom.value_or(100.0);
        view.offsetX = options.offset->x();
        view.offsetY = options.offset->y();
    } else {
        view = fitWholeTree(store, options.size, options.zoom);
    }
    QImage image(options.size, QImage::Format_RGB32);
    image.fill(kCanvasBackground);
    QPainter painter(&image);
    const PaintResult painted = paintTree(painter, store, view, options.size, options.settings);
    painter.end();
    if (result) *result = painted;
    return image;
}

}  // namespace kinloom
