#include "canvas/render_tree.h"

#include "document/item_store.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kinloom {

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

QSize wholeTreeImageSize(const ItemStore& store) {
    const std::optional<CanvasBounds> bounds = boundsOfStore(store);
    if (!bounds) return {1, 1};
    const double w = static_cast<double>(bounds->maxX - bounds->minX) + 2.0 * kFitMargin;
    const double h = static_cast<double>(bounds->maxY - bounds->minY) + 2.0 * kFitMargin;
    const double shrink = std::min({1.0, std::sqrt(static_cast<double>(kMaxTreeImagePixels) / (w * h)),
                                    kMaxTreeImageSide / w, kMaxTreeImageSide / h});
    const auto side = [](double v) { return static_cast<int>(std::clamp(std::ceil(v), 1.0, double(kMaxTreeImageSide))); };
    return {side(w * shrink), side(h * shrink)};
}

}  // namespace kinloom
