#pragma once
#include <QString>

namespace kinloom {

class HelpWindow;
class KeywordSearchDialog;
class MainWindow;
class Prompts;
class TipsWindow;

struct HelpWindows {
    HelpWindow* help = nullptr;
    KeywordSearchDialog* keywordSearch = nullptr;
    TipsWindow* tips = nullptr;
};

// Makes the help window, the keyword search and the tips window (the main window owns them) and
// enables the Help menu's commands.
HelpWindows installHelp(MainWindow& main);

// Opens an address in the user's browser; when that fails, tells the user so.
void openWebAddress(Prompts& prompts, const QString& address);

}  // namespace kinloom
