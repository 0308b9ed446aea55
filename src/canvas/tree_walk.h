#pragma once
#include "canvas/paint_tree.h"
#include "canvas/view_math.h"

#include <QBrush>
#include <QSize>

#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

// A solid colour to fill boxes with, and its pixel value.
struct BoxFill {
    explicit BoxFill(const QColor& colour) : brush(colour), rgba(colour.rgba()) {}
    QBrush brush;
    QRgb rgba;
};

// What a walk over the store finds to draw, in list order: the link lines that may touch the
// screen, in screen pixels, and the boxes on it with what their drawing needs, so that a tree at a
// small zoom is drawn without a second pass over the items' memory.
struct TreeWalk {
    struct Line {
        int x1, y1, x2, y2;
        int kind;  // 0 spouse, 1 father, 2 mother
    };
    struct Box {
        const PersonItem* item;
        BoxEdges edges;
        const BoxFill* fill;
    };
    std::vector<Line> spouseLines, parentLines;
    std::vector<Box> boxes;
    int items = 0;    // drawn, the dragged item aside
    int persons = 0;  // of those, the named ones that are not aliases
    void clear();
};

// How a walk is shared out: Auto walks a large store from both ends at once on a machine with two
// cores or more, and any other from the front.
enum class WalkSplit { Auto, FrontOnly, BothEnds };

// Walks the store's items for a repaint of a `target`-sized screen. From both ends, the front half
// goes into `front` and the back half into `back`; from the front, all goes into `front`. The
// lists keep their room from one call to the next.
void walkTree(const ItemStore& store, const ViewState& view, QSize target, const PaintSettings& settings,
              TreeWalk& front, TreeWalk& back, WalkSplit split = WalkSplit::Auto);

}  // namespace kinloom
