#pragma once
#include "document/view_state.h"
#include "layout/ancestor_tree.h"

namespace kinloom {

class Prompts;
class TCreateTreeDlg;
class TItemStore;

// The layout commands as the main window's slots run them: with the hourglass while items move.
// Each returns true when the canvas needs a repaint.

// Edit > Create Ancestor Tree > Compact / Fractal style, and the toolbar button.
bool RunCreateTree(TItemStore& store, TreeStyle style, TCreateTreeDlg& dialog, Prompts& prompts);
// Edit > Organize Ancestor Tree > Compact / Fractal Style (at most 8 generations).
bool RunOrganizeTree(TItemStore& store, TreeStyle style, Prompts& prompts);
// Tools > Auto Arrange Items: asks first, then arranges and zooms to the new home item.
bool RunAutoArrange(TItemStore& store, ViewState& view, WindowSize window, Prompts& prompts);

}  // namespace kinloom
