#pragma once

namespace kinloom {

class TSlektstre;

// Connects the ancestor-tree entries of the Edit menu, the toolbar button "Create ancestor tree"
// and Tools > Auto Arrange Items to the layout commands. The create dialog is made here, once, and
// belongs to the window. When the entries of the two tree submenus are open is decided where the
// Edit menu's other rules are; Auto Arrange Items is always open.
void ConnectLayoutCommands(TSlektstre& window);

}  // namespace kinloom
