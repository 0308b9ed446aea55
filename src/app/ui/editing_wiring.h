#pragma once

namespace kinloom {

class MainWindow;
class EditingController;
class MenuExchange;
class CanvasWidget;
struct CommandContext;

// Hands the editing commands to the main window's command table and brings them on: the "&Edit",
// "&Search", "&Link", "&Alias" and "&View" entries with their keys.
void wireEditingCommands(MainWindow& main, EditingController& commands, MenuExchange& exchange);
// Builds the editing commands on the canvas and wires them in: the commands' context, the canvas
// popup's entries, the canvas's double-click and drop, the enabled states (brought up to date as a
// menu opens, before a shortcut key is matched, so that a key works exactly when its entry would
// be enabled, and after every paint), the exchange of the menus while a name is typed and the
// navigator with its counters. The main window owns what is made here.
EditingController* installEditing(MainWindow& main, CanvasWidget& canvas);

// "&Find" (F3) and View > "Name Search" (F9): show or hide the name search.
void toggleNameSearch(CommandContext& c);

}  // namespace kinloom
