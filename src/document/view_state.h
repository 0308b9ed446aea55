#pragma once

namespace kinloom {

// Zoom in percent and the scroll offset in canvas units. A canvas point (x, y) is drawn at
// (Round((x + OffsetX) * Zoom / 100), Round((y + OffsetY) * Zoom / 100)).
struct ViewState {
    double Zoom = 100.0;
    int OffsetX = 0;
    int OffsetY = 0;
};

// The outer size of the main window (frame included), used to centre and to test visibility.
struct WindowSize {
    int Width = 0;
    int Height = 0;
};

}  // namespace kinloom
