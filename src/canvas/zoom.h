#pragma once
#include "document/view_state.h"

namespace kinloom {

struct PersonItem;

// The view arithmetic of the zoom commands. Each changes the view only; the caller repaints.
// W and H are always the main window's outer size.

// Sets the zoom keeping the window centre on the same canvas point.
void zoomKeepingCentre(ViewState& view, WindowSize window, double newZoom);
// One step in (x 1.25) while below 200 %; false when nothing changed.
bool zoomIn(ViewState& view, WindowSize window);
// One step out (x 0.8) while above 1 %; false when nothing changed.
bool zoomOut(ViewState& view, WindowSize window);
// The same steps, `steps` of them (in when positive, out when negative, each within its limit),
// about a point of the canvas's client area (the wheel with Ctrl): the canvas point under it stays
// there, to the rounding of the offsets. False when the zoom did not change.
bool zoomStepsAt(ViewState& view, int steps, double screenX, double screenY);
// Centres an item's box at 100 % (Zoom to Item and every go-to command); false for null.
bool centreItem(const PersonItem* item, ViewState& view, WindowSize window);
// Centres an item keeping the zoom in force (arrow jumps, go to alias).
void centreItemKeepingZoom(const PersonItem* item, ViewState& view, WindowSize window);
// Centres a canvas point at 100 %.
void centrePoint(long long x, long long y, ViewState& view, WindowSize window);
// Zoom to a band given by two corners in canvas units, in any order.
void zoomToArea(ViewState& view, WindowSize window, int x1, int y1, int x2, int y2);

}  // namespace kinloom
