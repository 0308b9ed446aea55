#pragma once

namespace kinloom {

class TSlektstre;
class EditingController;
class MenuExchange;

// Connects the editing and navigation commands to the main window: the "&Edit", "&Search",
// "&Link", "&Alias" and "&View" entries with their keys, and the menu-enabling rules, applied when
// each of those menus opens and again before a shortcut key is matched (so a key works exactly
// when its entry would be enabled).
void WireEditingCommands(TSlektstre& main, EditingController& commands, MenuExchange& exchange);

}  // namespace kinloom
