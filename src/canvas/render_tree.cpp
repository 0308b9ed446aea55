#include "canvas/render_tree.h"

#include "document/item_store.h"

#include <QPainter>

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

}  // namespace kinloom
