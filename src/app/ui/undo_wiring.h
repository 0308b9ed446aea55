#pragma once
#include "canvas/menu_state.h"

namespace kinloom {

class MainWindow;
struct CommandContext;

// Edit > Undo and Redo: their texts, enabled states and toolbar hints follow the history, and the
// status line tells which step each took back or made again. The steps themselves are cut by the
// commands (see Commands::run and EditStep).
void connectUndo(MainWindow& window);

bool canUndo(const CommandContext& c, const MainMenuState&);
bool canRedo(const CommandContext& c, const MainMenuState&);
void undoStep(CommandContext& c);
void redoStep(CommandContext& c);

}  // namespace kinloom
