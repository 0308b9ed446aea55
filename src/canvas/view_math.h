#pragma once
#include "document/person_item.h"
#include "document/view_state.h"
#include "platform/rounding.h"

#include <QRect>

#include <algorithm>
#include <climits>

namespace kinloom {

// The scale factor of a zoom in percent.
inline double scaleOf(const ViewState& view) { return view.zoom * 0.01; }

// Clamps a wide result into the range of an int: an item or a view far out at the ends of the
// canvas stays far out rather than wrapping round onto the other side.
inline int saturateInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Canvas coordinate -> screen pixel: Round((c + offset) * s). The canvas coordinate may lie beyond
// the int range (a box's right edge at the far end of the canvas).
inline int toScreen(long long canvas, int offset, double s) {
    return saturateInt(roundHalfEven((static_cast<double>(canvas) + offset) * s));
}
inline int toScreenX(const ViewState& v, int x) { return toScreen(x, v.offsetX, scaleOf(v)); }
inline int toScreenY(const ViewState& v, int y) { return toScreen(y, v.offsetY, scaleOf(v)); }

// Screen pixel -> canvas unit: Round((screen - s * offset) / s).
inline int toCanvas(int screen, int offset, double s) {
    return saturateInt(roundHalfEven((screen - s * offset) / s));
}
inline int toCanvasX(const ViewState& v, int x) { return toCanvas(x, v.offsetX, scaleOf(v)); }
inline int toCanvasY(const ViewState& v, int y) { return toCanvas(y, v.offsetY, scaleOf(v)); }

// The screen rectangle of a box, edges rounded one by one as the paint routine does. Qt's
// QRect right()/bottom() are inclusive, so the rectangle spans [left, right) x [top, bottom).
struct BoxEdges {
    int left, top, right, bottom;
    QRect rect() const { return QRect(left, top, right - left, bottom - top); }
};
inline BoxEdges boxEdgesOf(const PersonItem& item, const ViewState& v) {
    const double s = scaleOf(v);
    return {toScreen(item.X, v.offsetX, s), toScreen(item.Y, v.offsetY, s),
            toScreen(static_cast<long long>(item.X) + kItemWidth, v.offsetX, s),
            toScreen(static_cast<long long>(item.Y) + kItemHeight, v.offsetY, s)};
}

}  // namespace kinloom
