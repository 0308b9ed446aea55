#include "canvas/zoom.h"

#include "canvas/view_math.h"
#include "document/person_item.h"
#include "platform/rounding.h"

#include <algorithm>

namespace kinloom {

void zoomto(ViewState& view, WindowSize window, double newZoom) {
    const double W = window.Width, H = window.Height;
    const long long dx = roundHalfEven(W / (newZoom * 0.01)) - roundHalfEven(W / (view.Zoom * 0.01));
    const long long dy = roundHalfEven(H / (newZoom * 0.01)) - roundHalfEven(H / (view.Zoom * 0.01));
    view.offsetX = saturateInt(view.offsetX + roundHalfEven(dx * 0.5));
    view.offsetY = saturateInt(view.offsetY + roundHalfEven(dy * 0.5));
    view.Zoom = newZoom;
}

bool zoomIn(ViewState& view, WindowSize window) {
    if (!(view.Zoom < 200)) return false;
    view.Zoom = view.Zoom * 1.25;
    const double s = view.Zoom * 0.01;
    view.offsetX = saturateInt(view.offsetX - roundHalfEven((window.Width * 0.125) / s));
    view.offsetY = saturateInt(view.offsetY - roundHalfEven((window.Height * 0.125) / s));
    return true;
}

bool zoomOut(ViewState& view, WindowSize window) {
    if (!(view.Zoom > 1)) return false;
    const double s = view.Zoom * 0.01;
    view.offsetX = saturateInt(view.offsetX + roundHalfEven((window.Width * 0.125) / s));
    view.offsetY = saturateInt(view.offsetY + roundHalfEven((window.Height * 0.125) / s));
    view.Zoom = view.Zoom * 0.8;
    return true;
}

bool centreItem(const PersonItem* item, ViewState& view, WindowSize window) {
    if (!item) return false;
    centrePoint(0LL + item->X + kLinkDX, 0LL + item->Y + kLinkDY, view, window);
    return true;
}

void centreItemKeepingZoom(const PersonItem* item, ViewState& view, WindowSize window) {
    const double zoom = view.Zoom;
    if (!centreItem(item, view, window)) return;
    zoomto(view, window, zoom);
}

void centrePoint(long long x, long long y, ViewState& view, WindowSize window) {
    view.Zoom = 100;
    // An item at the very end of the canvas cannot come all the way to the centre: the offset stops
    // at the end of its range.
    view.offsetX = saturateInt((window.Width / 2) - x);
    view.offsetY = saturateInt((window.Height / 2) - y);
}

void zoomToArea(ViewState& view, WindowSize window, int x1, int y1, int x2, int y2) {
    const int minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const int minY = std::min(y1, y2);
    view.offsetX = saturateInt(-static_cast<long long>(minX));
    view.offsetY = saturateInt(-static_cast<long long>(minY));
    const long long width = static_cast<long long>(maxX) - minX;
    if (width > 0) {
        view.Zoom = static_cast<double>(window.Width) * 100 / static_cast<double>(width);
        if (view.Zoom > 200) view.Zoom = 200;
    }
}

}  // namespace kinloom
