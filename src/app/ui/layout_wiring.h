#pragma once

namespace kinloom {

class MainWindow;

// Connects the ancestor-tree entries of the Edit menu, the toolbar button "Create ancestor tree"
// and Tools > Auto Arrange Items to the layout commands. The create dialog is made here, once, and
// belongs to the window. The two submenus are enabled by the Edit menu's rules when it opens;
// Auto Arrange Items is always enabled.
void connectLayoutCommands(MainWindow& window);

}  // namespace kinloom
