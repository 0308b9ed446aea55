#pragma once
#include "document/person_item.h"

#include <cstdint>
#include <vector>

namespace kinloom {

class ItemStore;

// What a printed chart shows, in canvas units: the boxes, each with the item whose texts it
// carries and its top-left corner, and the lines between them. The tree as it stands on the canvas
// is one such drawing; a chart of some persons laid out for itself is another. The items belong to
// the store, which must keep them while the drawing is used.
struct ChartDrawing {
    struct Box {
        const PersonItem* item;
        int32_t x, y;
    };
    // From a child to a parent (solid), or between a couple (dashed).
    struct Line {
        double x1, y1, x2, y2;
        bool couple;
    };
    std::vector<Box> boxes;  // in the order they are drawn
    std::vector<Line> lines;

    bool empty() const { return boxes.empty(); }
};

// The lines a chart draws from a box at (x, y): a couple's from centre to centre, a child's to its
// father from 5 units left of its centre and to its mother from 5 units right of it.
ChartDrawing::Line coupleLine(int32_t x, int32_t y, int32_t partnerX, int32_t partnerY);
ChartDrawing::Line fatherLine(int32_t x, int32_t y, int32_t fatherX, int32_t fatherY);
ChartDrawing::Line motherLine(int32_t x, int32_t y, int32_t motherX, int32_t motherY);

// The tree as the canvas shows it, or only its selected items: the included items in store order
// where they stand; each couple once, from the side with the lower Id; no parent lines from an
// alias item (its Father is its original); lines only between included items.
ChartDrawing drawingOfStore(const ItemStore& store, bool selectedOnly);

}  // namespace kinloom
