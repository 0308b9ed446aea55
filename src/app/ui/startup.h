#pragma once
#include <QStringList>

#include <memory>

namespace kinloom {

class Prompts;
class Registry;
class AboutBox;
class GedcomImportDialog;
class OptionsDialog;
class MainWindow;
class WelcomeWindow;
class HelpWindow;
class KeywordSearchDialog;
class TipsWindow;

// The windows of a run, made once at start in a fixed order and kept to the end. The main
// window owns the dialogs; the welcome window stands on its own so that it stays usable while
// the main window is disabled.
struct KinloomWindows {
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<WelcomeWindow> welcome;
    AboutBox* about = nullptr;
    OptionsDialog* options = nullptr;
    GedcomImportDialog* gedcomImport = nullptr;
    HelpWindow* help = nullptr;
    KeywordSearchDialog* keywordSearch = nullptr;
    TipsWindow* tips = nullptr;
    ~KinloomWindows();
};

// Makes the windows: the main window first (its creation opens a tree named by `arguments`),
// then the others, and wires them together.
std::unique_ptr<KinloomWindows> createWindows(Registry& registry, Prompts& prompts, const QString& programPath,
                                              const QStringList& arguments);

// Shows the main window, disabled, and the welcome window above it, whose confirmation
// completes start-up and then shows the tip of the day (unless switched off); without the
// welcome window (scripted runs) start-up completes at once and no tip is shown.
void startUp(KinloomWindows& windows, bool showWelcome);

}  // namespace kinloom
