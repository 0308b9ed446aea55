#pragma once
#include <functional>

namespace kinloom {

class ItemStore;
class GedcomImportDialog;
class Prompts;

// File > Import GEDCOM file: runs the main window's New (which asks about unsaved changes); when the
// tree is empty after it, shows the import dialog with painting switched off, then repaints.
void runGedcomImportCommand(ItemStore& store, GedcomImportDialog& dialog, const std::function<void()>& newCommand,
                            bool& paintEnabled, const std::function<void()>& repaint);

// File > Export to GEDCOM file: the save dialog, then the export under the hourglass; the tree
// counts as saved afterwards.
void runGedcomExportCommand(ItemStore& store, Prompts& prompts, const std::function<void()>& repaint);

}  // namespace kinloom
