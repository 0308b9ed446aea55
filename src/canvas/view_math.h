#pragma once
#include "document/person_item.h"
#include "document/view_state.h"
#include "platform/rounding.h"

#include <QRect>

#include <algorithm>
#include <climits>

namespace kinloom {

// The scale factor of a zoom in percent.
inline double ScaleOf(const ViewState& view) { return view.Zoom * 0.01; }

// Clamps a wide result into the range of an int: an item or a view far out at the ends of the
// canvas stays far out rather than wrapping round onto the other side.
inline int SaturateInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Canvas coordinate -> screen pixel: Round((c + offset) * s). The canvas coordinate may lie beyond
// the int range (a box's right edge at the far end of the canvas).
inline int ToScreen(long long canvas, int offset, double s) {
    return SaturateInt(RoundHalfEven((static_cast<double>(canvas) + offset) * s));
}
inline int ToScreenX(const ViewState& v, int x) { return ToScreen(x, v.OffsetX, ScaleOf(v)); }
inline int ToScreenY(const ViewState& v, int y) { return ToScreen(y, v.OffsetY, ScaleOf(v)); }

// Screen pixel -> canvas unit: Round((screen - s * offset) / s).
inline int ToCanvas(int screen, int offset, double s) {
    return SaturateInt(RoundHalfEven((screen - s * offset) / s));
}
inline int ToCanvasX(const ViewState& v, int x) { return ToCanvas(x, v.OffsetX, ScaleOf(v)); }
inline int ToCanvasY(const ViewState& v, int y) { return ToCanvas(y, v.OffsetY, ScaleOf(v)); }

// The screen rectangle of a box, edges rounded one by one as the paint routine does. Qt's
// QRect right()/bottom() are inclusive, so the rectangle spans [left, right) x [top, bottom).
struct BoxEdges {
    int left, top, right, bottom;
    QRect rect() const { return QRect(left, top, right - left, bottom - top); }
};
inline BoxEdges BoxEdgesOf(const TPersonItem& item, const ViewState& v) {
    const double s = ScaleOf(v);
    return {ToScreen(item.X, v.OffsetX, s), ToScreen(item.Y, v.OffsetY, s),
            ToScreen(static_cast<long long>(item.X) + kItemWidth, v.OffsetX, s),
            ToScreen(static_cast<long long>(item.Y) + kItemHeight, v.OffsetY, s)};
}

}  // namespace kinloom
