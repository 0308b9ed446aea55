#pragma once

namespace kinloom {

// Zoom in percent and the scroll offset in canvas units. A canvas point (x, y) is drawn at
// (Round((x + offsetX) * zoom / 100), Round((y + offsetY) * zoom / 100)).
struct ViewState {
    double zoom = 100.0;
    int offsetX = 0;
    int offsetY = 0;
};

// The outer size of the main window (frame included), used to centre and to test visibility.
struct WindowSize {
    int width = 0;
    int height = 0;
};

}  // namespace kinloom
