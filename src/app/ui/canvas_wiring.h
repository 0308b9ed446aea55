#pragma once
#include "canvas/paint_tree.h"

namespace kinloom {

class MainWindow;
class CanvasWidget;
struct CommandContext;

// Puts the canvas into the main window and connects what belongs to it: the repaint requests,
// Zoom to Area's check mark (menu, toolbar, Ctrl held), the status line, the caption after each
// paint and the two toolbar buttons that follow the current item. Returns the canvas, which the
// window owns.
CanvasWidget* installCanvas(MainWindow& window);

// The Zoom menu's and View > Color codes' commands.
void zoomCanvasTo(CommandContext& c, double zoom);
void zoomCanvasIn(CommandContext& c);
void zoomCanvasOut(CommandContext& c);
void zoomCanvasToItem(CommandContext& c);
void zoomToAreaClicked(CommandContext& c);
void fitCanvasToWholeTree(CommandContext& c);
void fitCanvasToSelection(CommandContext& c);
void setColourCode(CommandContext& c, ColourCode code);

}  // namespace kinloom
