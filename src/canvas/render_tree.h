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

// The largest picture of the whole tree: 64 million pixels, and GIF's 65,535 on a side.
inline constexpr long long kMaxTreeImagePixels = 64LL * 1000 * 1000;
inline constexpr int kMaxTreeImageSide = 65535;

// The picture size that shows every box at 100 % with the fitting margin, shrunk in proportion
// to stay within the limits above (the tree is then drawn smaller). An empty tree gets 1 x 1.
QSize wholeTreeImageSize(const ItemStore& store);

// Erases to the canvas colour and paints; `result` receives the caption and counters.
QImage renderTree(const ItemStore& store, const RenderOptions& options, PaintResult* result = nullptr);

}  // namespace kinloom
