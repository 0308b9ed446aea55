#pragma once
#include "document/view_state.h"
#include "platform/prompts.h"

#include <QString>

namespace kinloom {

class ItemStore;

// Record sizes of the older tree files: version 1.5.x (.kl2) and version 1.0 (.kl).
inline constexpr int kVersion15RecordSize = 1372;
inline constexpr int kVersion10RecordSize = 480;

// Replace the store with the items of an older tree file, resolve the stored Ids, set the zoom to 100 % and
// centre the home item. With `dateStandardization` the dates of a 1.5.x file go through
// standardizeDate (1.0 dates are copied as they are). Any error shows "There was an error opening
// the file" and returns false; the items read before it stay, their links unresolved, and so does
// the empty item made for the record that failed.
bool readVersion15File(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                      Prompts& prompts, bool dateStandardization);
bool readVersion10File(ItemStore& store, const QString& fileName, ViewState& view, WindowSize window,
                    Prompts& prompts, bool dateStandardization);

// The open dialogs of "Import version 1.&5.x" (importVersion15Dialog) and "Import version 1.&0" (importVersion10Dialog).
FileDialogRequest version15OpenDialog();
FileDialogRequest version10OpenDialog();

// What the main window does after an import: the tree is untitled whatever happened (the next
// Save asks for a name), and the canvas is repainted.
struct LegacyImportResult {
    bool complete = false;       // the reader read the whole file
    QString currentFileName;     // always empty
    bool repaint = true;
};

// Import version 1.5.x and Import version 1.0, once unsaved changes are dealt with and a file is
// chosen: read it and mark the document unmodified, even after a read error.
LegacyImportResult importVersion15(ItemStore& store, const QString& fileName, ViewState& view,
                                   WindowSize window, Prompts& prompts, bool dateStandardization);
LegacyImportResult importVersion10(ItemStore& store, const QString& fileName, ViewState& view,
                                   WindowSize window, Prompts& prompts, bool dateStandardization);

}  // namespace kinloom
