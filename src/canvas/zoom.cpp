#include "canvas/zoom.h"

#include "document/person_item.h"
#include "platform/rounding.h"

#include <algorithm>

namespace kinloom {

void zoomto(ViewState& view, WindowSize window, double newZoom) {
    const double W = window.Width, H = window.Height;
    const long long dx = RoundHalfEven(W / (newZoom * 0.01)) - RoundHalfEven(W / (view.Zoom * 0.01));
    const long long dy = RoundHalfEven(H / (newZoom * 0.01)) - RoundHalfEven(H / (view.Zoom * 0.01));
    view.OffsetX += static_cast<int>(RoundHalfEven(dx * 0.5));
    view.OffsetY += static_cast<int>(RoundHalfEven(dy * 0.5));
    view.Zoom = newZoom;
}

bool ZoomIn1Click(ViewState& view, WindowSize window) {
    if (!(view.Zoom < 200)) return false;
    view.Zoom = view.Zoom * 1.25;
    const double s = view.Zoom * 0.01;
    view.OffsetX -= static_cast<int>(RoundHalfEven((window.Width * 0.125) / s));
    view.OffsetY -= static_cast<int>(RoundHalfEven((window.Height * 0.125) / s));
    return true;
}

bool ZoomOut1Click(ViewState& view, WindowSize window) {
    if (!(view.Zoom > 1)) return false;
    const double s = view.Zoom * 0.01;
    view.OffsetX += static_cast<int>(RoundHalfEven((window.Width * 0.125) / s));
    view.OffsetY += static_cast<int>(RoundHalfEven((window.Height * 0.125) / s));
    view.Zoom = view.Zoom * 0.8;
    return true;
}

bool CentreItem(const TPersonItem* item, ViewState& view, WindowSize window) {
    if (!item) return false;
    CentrePoint(item->X + kLinkDX, item->Y + kLinkDY, view, window);
    return true;
}

void CentreItemKeepingZoom(const TPersonItem* item, ViewState& view, WindowSize window) {
    const double zoom = view.Zoom;
    if (!CentreItem(item, view, window)) return;
    zoomto(view, window, zoom);
}

void CentrePoint(int x, int y, ViewState& view, WindowSize window) {
    view.Zoom = 100;
    view.OffsetX = (window.Width / 2) - x;
    view.OffsetY = (window.Height / 2) - y;
}

void ZoomToArea(ViewState& view, WindowSize window, int x1, int y1, int x2, int y2) {
    const int minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const int minY = std::min(y1, y2);
    view.OffsetX = -minX;
    view.OffsetY = -minY;
    if (maxX - minX > 0) {
        view.Zoom = static_cast<double>(window.Width) * 100 / (maxX - minX);
        if (view.Zoom > 200) view.Zoom = 200;
    }
}

}  // namespace kinloom
