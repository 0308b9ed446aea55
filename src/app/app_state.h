#pragma once
#include "document/item_store.h"
#include "document/tree_file.h"
#include "document/view_state.h"
#include "gedcom/options.h"
#include "platform/charsets.h"
#include "platform/prompts.h"

#include <QString>

#include <functional>
#include <optional>

namespace kinloom {

class Registry;

inline const QString kVersionLabel = QStringLiteral("2.0 beta 3.6");
inline const QString kDefaultScreenFontName = QStringLiteral("Times New Roman");
inline constexpr int kDefaultScreenFontSize = 16;

// What the commands ask of the window around them. Every hook may be left empty: the commands
// then skip that step, which is how tests and batch work run them without windows.
struct AppHooks {
    std::function<void()> Repaint;                      // erase the canvas and paint the tree
    std::function<void(const QString&)> SetStatus;      // the status line (simple-text mode)
    std::function<void(bool busy)> SetBusyCursor;       // hourglass on/off for the whole screen
    std::function<WindowSize()> WindowOuterSize;        // W and H: the main window's frame size
    std::function<void()> CharsetChanged;               // ScreenCharset was applied: redecode texts
    std::function<void()> ResetInteraction;             // forget drags, pending links, modes
    std::function<void()> FocusMainWindow;
    std::function<void()> RefreshNameSearch;            // refresh the name search if it is visible
    std::function<void()> CloseWelcome;
    // The quality check: the number of problems found. Left empty until the check exists; the
    // automatic checks on open and save are then skipped.
    std::function<int()> QCheck;
    std::function<void(bool modal)> ShowQualityCheck;
};

// The tree-file readers and writers the File commands use; the window binds them to the real
// ones, tests may bind recording fakes.
struct AppState;
struct TreeFileBinding {
    std::function<bool(TItemStore&, const QString&, Prompts&)> Save;
    std::function<ReadStatus(TItemStore&, const QString&, ViewState&, WindowSize, Prompts&)> Read;
    // The readers of the version 1.5.x (.kl2) and 1.0 (.kl) files: replace the store with the file.
    std::function<void(AppState&, const QString&)> ReadV15;
    std::function<void(AppState&, const QString&)> ReadV1;
};

// The application state that the main window owns for the whole run: the one document, the
// view, the settings and the seams to the user and the settings store. No widgets here.
struct AppState {
    AppState(Registry& registry, Prompts& prompts) : registry(registry), prompts(prompts), Store(&prompts) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    Registry& registry;
    Prompts& prompts;

    TItemStore Store;
    ViewState View;
    QString CurrentFileName;  // empty = untitled
    QString ProgramDir;       // the program's folder, ending with a separator
    QString ScreenFontName = kDefaultScreenFontName;
    int ScreenFontSize = kDefaultScreenFontSize;
    int ScreenCharset = DisplayCharset::kSystemDefault;
    DisplayCharset Charset{DisplayCharset::kSystemDefault};  // how stored bytes are shown and typed
    int ScrollStep = 0;       // screen pixels of one arrow-key scroll
    ProgramOptions Options;   // the four switches of the options dialog
    bool PaintEnabled = true;

    // The three file dialogs whose filter and extension start-up sets.
    FileDialogRequest OpenDialog1;
    FileDialogRequest SaveDialog1;
    FileDialogRequest SaveDialog2;  // "Collect all files"
    FileDialogRequest OpenDialog2;  // "Import version 1.&0"
    FileDialogRequest OpenDialog3;  // "Import version 1.&5.x"

    AppHooks hooks;
    TreeFileBinding files;

    // Small helpers that run a hook when it is set.
    void Repaint() const { if (hooks.Repaint) hooks.Repaint(); }
    void SetStatus(const QString& text) const { if (hooks.SetStatus) hooks.SetStatus(text); }
    void SetBusyCursor(bool busy) const { if (hooks.SetBusyCursor) hooks.SetBusyCursor(busy); }
    WindowSize WindowOuterSize() const { return hooks.WindowOuterSize ? hooks.WindowOuterSize() : WindowSize{}; }
};

// "Kinloom 2.0 beta 3.6", followed by " [file]" while a file name is set.
QString Caption(const AppState& state);

// Applies a display character set by its list position (1..19); any other number keeps the
// position but shows texts as the first entry would (font character set 0).
void ApplyCharset(AppState& state, int position);

// The tree-font command: the font dialog preset to the tree font; a confirmed choice becomes
// ScreenFontName and ScreenFontSize (points). True when the font changed.
bool ChooseTreeFont(AppState& state);

}  // namespace kinloom
