#pragma once

namespace kinloom {

class MainWindow;
class CanvasWidget;

// Edit > Undo and Redo, and the cut of one undo step after each command: every menu, popup and
// toolbar command, each finished mouse gesture on the canvas and each correction in the quality
// check window.
void connectUndo(MainWindow& window, CanvasWidget& canvas);

}  // namespace kinloom
