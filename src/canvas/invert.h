#pragma once
#include <QPoint>
#include <QRect>

class QPainter;

namespace kinloom {

struct TPersonItem;
struct ViewState;

// Highlights are drawn by inverting pixels, so drawing the same thing twice restores the picture.
// Each helper saves and restores the painter's state.

// Inverts every pixel of a rectangle, edge and inside.
void InvertRect(QPainter& painter, const QRect& rect);
// Inverts an item's box rectangle.
void InvertBox(QPainter& painter, const TPersonItem& item, const ViewState& view);
// Inverts a one-pixel line (the rubber line of a pending link).
void InvertLine(QPainter& painter, QPoint from, QPoint to);
// Inverts the outline of a band, dotted for a selection and solid for zoom to area; nothing for a
// band without width or height.
void InvertFrame(QPainter& painter, QPoint a, QPoint b, bool dotted);

}  // namespace kinloom
