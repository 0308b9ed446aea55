#pragma once
#include <QPoint>
#include <QRect>

class QPainter;

namespace kinloom {

struct PersonItem;
struct ViewState;

// Highlights are drawn by inverting pixels, so drawing the same thing twice restores the picture.
// Each helper saves and restores the painter's state.

// Inverts every pixel of a rectangle, edge and inside.
void invertRect(QPainter& painter, const QRect& rect);
// Inverts an item's box rectangle.
void invertBox(QPainter& painter, const PersonItem& item, const ViewState& view);
// Inverts a one-pixel line (the rubber line of a pending link).
void invertLine(QPainter& painter, QPoint from, QPoint to);
// Inverts the outline of a band, dotted for a selection and solid for zoom to area; nothing for a
// band without width or height.
void invertFrame(QPainter& painter, QPoint a, QPoint b, bool dotted);

}  // namespace kinloom
