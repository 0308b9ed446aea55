#pragma once
#include "layout/ancestor_tree.h"

namespace kinloom {

class MainWindow;
struct CommandContext;

// Makes the ancestor tree dialog (once; it belongs to the window) and brings on the layout
// commands: the ancestor-tree entries of the Edit menu, the toolbar's "Create ancestor tree",
// Tools > Auto Arrange Items and Arrange as Family Chart.
void connectLayoutCommands(MainWindow& window);

void createAncestorTree(CommandContext& c, TreeStyle style);
void organizeAncestorTree(CommandContext& c, TreeStyle style);
void autoArrange(CommandContext& c);
void arrangeAsFamilyChart(CommandContext& c);

}  // namespace kinloom
