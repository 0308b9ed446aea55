#include "canvas/zoom.h"

#include "canvas/view_math.h"
#include "document/person_item.h"
#include "platform/rounding.h"

#include <algorithm>

namespace kinloom {

void zoomKeepingCentre(ViewState& view, WindowSize window, double newZoom) {
    const double W = window.width, H = window.height;
    const long long dx = roundHalfEven(W / (newZoom * 0.01)) - roundHalfEven(W / (view.zoom * 0.01));
    const long long dy = roundHalfEven(H / (newZoom * 0.01)) - roundHalfEven(H / (view.zoom * 0.01));
    view.offsetX = saturateInt(view.offsetX + roundHalfEven(dx * 0.5));
    view.offsetY = saturateInt(view.offsetY + roundHalfEven(dy * 0.5));
    view.zoom = newZoom;
}

bool zoomIn(ViewState& view, WindowSize window) {
    if (!(view.zoom < 200)) return false;
    view.zoom = view.zoom * 1.25;
    const double s = view.zoom * 0.01;
    view.offsetX = saturateInt(view.offsetX - roundHalfEven((window.width * 0.125) / s));
    view.offsetY = saturateInt(view.offsetY - roundHalfEven((window.height * 0.125) / s));
    return true;
}

bool zoomOut(ViewState& view, WindowSize window) {
    if (!(view.zoom > 1)) return false;
    const double s = view.zoom * 0.01;
    view.offsetX = saturateInt(view.offsetX + roundHalfEven((window.width * 0.125) / s));
    view.offsetY = saturateInt(view.offsetY + roundHalfEven((window.height * 0.125) / s));
    view.zoom = view.zoom * 0.8;
    return true;
}

bool zoomStepsAt(ViewState& view, int steps, double screenX, double screenY) {
    double zoom = view.zoom;
    for (; steps > 0 && zoom < 200; --steps) zoom *= 1.25;
    for (; steps < 0 && zoom > 1; ++steps) zoom *= 0.8;
    if (zoom == view.zoom) return false;
    // One rounding for all the steps: the point under the pointer drifts by half a unit at most.
    const double s = view.zoom * 0.01, t = zoom * 0.01;
    const double cx = screenX / s - view.offsetX, cy = screenY / s - view.offsetY;
    view.zoom = zoom;
    view.offsetX = saturateInt(roundHalfEven(screenX / t - cx));
    view.offsetY = saturateInt(roundHalfEven(screenY / t - cy));
    return true;
}

bool centreItem(const PersonItem* item, ViewState& view, WindowSize window) {
    if (!item) return false;
    centrePoint(0LL + item->X + kLinkDX, 0LL + item->Y + kLinkDY, view, window);
    return true;
}

void centreItemKeepingZoom(const PersonItem* item, ViewState& view, WindowSize window) {
    const double zoom = view.zoom;
    if (!centreItem(item, view, window)) return;
    zoomKeepingCentre(view, window, zoom);
}

void centrePoint(long long x, long long y, ViewState& view, WindowSize window) {
    view.zoom = 100;
    // An item at the very end of the canvas cannot come all the way to the centre: the offset stops
    // at the end of its range.
    view.offsetX = saturateInt((window.width / 2) - x);
    view.offsetY = saturateInt((window.height / 2) - y);
}

void zoomToArea(ViewState& view, WindowSize window, int x1, int y1, int x2, int y2) {
    const int minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const int minY = std::min(y1, y2);
    view.offsetX = saturateInt(-static_cast<long long>(minX));
    view.offsetY = saturateInt(-static_cast<long long>(minY));
    const long long width = static_cast<long long>(maxX) - minX;
    if (width > 0) {
        view.zoom = static_cast<double>(window.width) * 100 / static_cast<double>(width);
        if (view.zoom > 200) view.zoom = 200;
    }
}

}  // namespace kinloom
