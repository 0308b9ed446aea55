#pragma once
#include "canvas/paint_tree.h"

#include <QImage>
#include <QSize>

#include <optional>

namespace kinloom {

class ItemStore;

// A picture of a tree as the canvas would show it, for the command line and for saving the tree
// as an image. Without a zoom or an offset the view is chosen so that the whole tree fits.
struct RenderOptions {
    QSize size{1024, 768};
    std::optional<double> zoom;
    std::optional<QPoint> offset;  // canvas units
    PaintSettings settings;
};

// The view that shows every box of the store within a picture of the given size: at most 100 %,
// centred, with a margin. An empty store gets 100 % at offset (0, 0). A given zoom is kept.
ViewState fitWholeTree(const ItemStore& store, QSize size, std::optional<double> zoom = {});

// Erases to the canvas colour and paints; `result` receives the caption and counters.
QImage renderTree(const ItemStore& store, const RenderOptions& options, PaintResult* result = nullptr);

}  // namespace kinloom
