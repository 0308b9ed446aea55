#pragma once
#include "document/person_item.h"
#include "document/view_state.h"
#include "platform/rounding.h"

#include <QRect>

namespace kinloom {

// The scale factor of a zoom in percent.
inline double ScaleOf(const ViewState& view) { return view.Zoom * 0.01; }

// Canvas coordinate -> screen pixel: Round((c + offset) * s).
inline int ToScreen(int canvas, int offset, double s) {
    return static_cast<int>(RoundHalfEven((static_cast<double>(canvas) + offset) * s));
}
inline int ToScreenX(const ViewState& v, int x) { return ToScreen(x, v.OffsetX, ScaleOf(v)); }
inline int ToScreenY(const ViewState& v, int y) { return ToScreen(y, v.OffsetY, ScaleOf(v)); }

// Screen pixel -> canvas unit: Round((screen - s * offset) / s).
inline int ToCanvas(int screen, int offset, double s) {
    return static_cast<int>(RoundHalfEven((screen - s * offset) / s));
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
            ToScreen(item.X + kItemWidth, v.OffsetX, s), ToScreen(item.Y + kItemHeight, v.OffsetY, s)};
}

}  // namespace kinloom
