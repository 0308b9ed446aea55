#pragma once
#include "app/program_options.h"
#include "app/recent_files.h"
#include "canvas/paint_tree.h"
#include "canvas/program_version.h"
#include "canvas/tree_font.h"
#include "document/item_store.h"
#include "document/recovery_recorder.h"
#include "document/tree_file.h"
#include "document/undo_history.h"
#include "document/view_state.h"
#include "platform/charsets.h"
#include "platform/prompts.h"

#include <QString>

#include <functional>
#include <optional>

namespace kinloom {

class Registry;

// What the commands ask of the window around them. Every hook may be left empty: the commands
// then skip that step, which is how tests and batch work run them without windows.
struct AppHooks {
    std::function<void()> repaint;                      // erase the canvas and paint the tree
    std::function<void(const QString&)> setStatus;      // the status line (simple-text mode)
    std::function<void(bool busy)> setBusyCursor;       // hourglass on/off for the whole screen
    std::function<WindowSize()> windowOuterSize;        // W and H: the main window's frame size
    std::function<void()> charsetChanged;               // screenCharset was applied: redecode texts
    std::function<void()> resetInteraction;             // forget drags, pending links, modes
    std::function<void()> forgetHover;                  // the hover hint and status name no item
    std::function<void()> focusMainWindow;
    std::function<void()> refreshNameSearch;            // refresh the name search if it is visible
    std::function<void()> closeWelcome;
    std::function<void(const QString&)> importGedcom;  // import this GEDCOM file into the empty tree
    // The quality check over the open tree: the number of problems found. Left empty (in tests and
    // batch work), the automatic checks on open and save are skipped.
    std::function<int()> qualityCheck;
    // Shows the quality check window with the rows of the last check.
    std::function<void(bool modal)> showQualityCheck;
    // A tree was read: show it whole when it does not fit at 100 %.
    std::function<void()> showWholeTreeIfLarge;
    // Zoom > Fit Whole Tree, without making a step of its own.
    std::function<void()> fitWholeTree;
    // Opens a file with the desktop's default program for its type; false when none could be started.
    std::function<bool(const QString& file)> openWithDefaultProgram;
};

// The tree-file readers and writers the File commands use; the window binds them to the real
// ones, tests may bind recording fakes.
struct AppState;
struct TreeFileBinding {
    std::function<bool(ItemStore&, const QString&, Prompts&)> save;
    std::function<ReadStatus(ItemStore&, const QString&, ViewState&, WindowSize, Prompts&)> read;
    // The readers of the version 1.5.x (.kl2) and 1.0 (.kl) files: replace the store with the file.
    std::function<void(AppState&, const QString&)> readVersion15;
    std::function<void(AppState&, const QString&)> readVersion10;
};

// The application state that the main window owns for the whole run: the one document, the
// view, the settings and the seams to the user and the settings store. No widgets here.
struct AppState {
    AppState(Registry& registry, Prompts& prompts) : registry(registry), prompts(prompts), store(&prompts) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    Registry& registry;
    Prompts& prompts;

    ItemStore store;
    UndoHistory history{store};  // after the store: it lets go of the store first
    RecoveryRecorder recovery{store, history};  // after the history: it stops listening first
    bool recoveryFailureTold = false;  // the status line said once that recovery data failed
    ViewState view;
    QString currentFileName;  // empty = untitled
    QString programDir;       // the program's folder, ending with a separator
    QString screenFontName = kDefaultScreenFontName;
    int screenFontSize = kDefaultScreenFontSize;
    int screenCharset = DisplayCharset::kSystemDefault;
    DisplayCharset charset{DisplayCharset::kSystemDefault};  // how stored bytes are shown and typed
    int scrollStep = 0;       // screen pixels of one arrow-key scroll
    ProgramOptions options;   // the four switches of the options dialog
    bool paintEnabled = true;
    RecentFiles recentFiles;  // File › Open Recent

    // The three file dialogs whose filter and extension start-up sets.
    FileDialogRequest openDialog;
    FileDialogRequest saveDialog;
    FileDialogRequest collectFilesDialog;  // "Collect all files"
    FileDialogRequest importVersion10Dialog;  // "Import version 1.&0"
    FileDialogRequest importVersion15Dialog;  // "Import version 1.&5.x"

    AppHooks hooks;
    TreeFileBinding files;

    // Small helpers that run a hook when it is set.
    void repaint() const { if (hooks.repaint) hooks.repaint(); }
    void setStatus(const QString& text) const { if (hooks.setStatus) hooks.setStatus(text); }
    void setBusyCursor(bool busy) const { if (hooks.setBusyCursor) hooks.setBusyCursor(busy); }
    WindowSize windowOuterSize() const { return hooks.windowOuterSize ? hooks.windowOuterSize() : WindowSize{}; }
};

// The main window's caption for the open tree (see windowCaption).
QString caption(const AppState& state);

// The tree font, character set and file name that the tree is drawn with now; the colour codes
// and the dragging state belong to the canvas and are left as they are.
void fillTreePaintSettings(PaintSettings& settings, const AppState& state);

// Applies a display character set by its list position (1..19); any other number keeps the
// position but shows texts as the first entry would (font character set 0).
void applyCharset(AppState& state, int position);

// The tree-font command: the font dialog preset to the tree font; a confirmed choice becomes
// screenFontName and screenFontSize (points). True when the font changed.
bool chooseTreeFont(AppState& state);

}  // namespace kinloom
