#pragma once

namespace kinloom {

class MainWindow;
class EditingController;
class MenuExchange;
class CanvasWidget;

// Connects the editing and navigation commands to the main window: the "&Edit", "&Search",
// "&Link", "&Alias" and "&View" entries with their keys, and the menu-enabling rules, applied when
// each of those menus opens and again before a shortcut key is matched (so a key works exactly
// when its entry would be enabled).
void wireEditingCommands(MainWindow& main, EditingController& commands, MenuExchange& exchange);

// Builds the editing commands on the canvas and wires them in everywhere: the main menu (above),
// the canvas popup menu, the canvas's double-click and drop, the toolbar (through the menu
// entries its buttons run) and the navigator with its counters after every paint. The main window
// owns what is made here.
EditingController* installEditing(MainWindow& main, CanvasWidget& canvas);

}  // namespace kinloom
