#pragma once
#include "document/view_state.h"
#include "layout/ancestor_tree.h"

namespace kinloom {

class Prompts;
class AncestorTreeDialog;
class ItemStore;

// The layout commands as the main window's slots run them: with the hourglass while items move.
// Each returns true when the canvas needs a repaint.

// Edit > Create Ancestor Tree > Compact / Fractal style, and the toolbar button.
bool runCreateTree(ItemStore& store, TreeStyle style, AncestorTreeDialog& dialog, Prompts& prompts);
// Edit > Organize Ancestor Tree > Compact / Fractal Style (at most 8 generations).
bool runOrganizeTree(ItemStore& store, TreeStyle style, Prompts& prompts);
// Tools > Auto Arrange Items: asks first, then arranges and zooms to the new home item.
bool runAutoArrange(ItemStore& store, ViewState& view, WindowSize window, Prompts& prompts);
// Tools > Arrange as Family Chart: asks as auto arrange does, then arranges; the caller fits the
// whole tree in the window.
bool runFamilyChart(ItemStore& store, Prompts& prompts);

}  // namespace kinloom
