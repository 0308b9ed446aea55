#pragma once
#include "gedcom/gedcom_export.h"

#include <QString>

#include <functional>
#include <optional>

namespace kinloom {

class ItemStore;
class GedcomImportDialog;
class Prompts;

// File > Import GEDCOM file: `chooseAndClear` asks about unsaved changes and for the file, and
// empties the tree only once a file was chosen (nothing when the user stopped); then the file is
// imported as below.
void runGedcomImportCommand(GedcomImportDialog& dialog,
                            const std::function<std::optional<QString>()>& chooseAndClear, bool& paintEnabled,
                            const std::function<void()>& repaint,
                            const std::function<void(const QString&)>& setStatus = {});

// Imports a GEDCOM file into the empty tree: the import dialog with painting switched off, then a
// repaint and a status line that tells how it went.
void importGedcomWithDialog(GedcomImportDialog& dialog, const QString& fileName, bool& paintEnabled,
                            const std::function<void()>& repaint,
                            const std::function<void(const QString&)>& setStatus = {});

// File > Export to GEDCOM file: the save dialog, then the export under the hourglass, with the notes
// found through `notes`; the status line tells how many persons and families went where, and how
// many notes files could not be read. store.modified stays as it was.
void runGedcomExportCommand(ItemStore& store, Prompts& prompts, const std::function<void()>& repaint,
                            const std::function<void(const QString&)>& setStatus = {},
                            const GedcomNotesSource& notes = {});

}  // namespace kinloom
