#pragma once

namespace kinloom {

class MainWindow;
class CanvasWidget;

// Puts the canvas into the main window and connects what belongs to it: the repaint requests, the
// zoom entries and shortcuts, Zoom to Area (menu, toolbar, Ctrl held), the colour codes, the
// status line, the caption after each paint and the two toolbar buttons that follow the current
// item. Returns the canvas, which the window owns.
CanvasWidget* installCanvas(MainWindow& window);

}  // namespace kinloom
