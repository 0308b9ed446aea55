#pragma once
#include "canvas/fit_view.h"
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

// Erases to the canvas colour and paints; `result` receives the caption and counters.
QImage renderTree(const ItemStore& store, const RenderOptions& options, PaintResult* result = nullptr);

}  // namespace kinloom
