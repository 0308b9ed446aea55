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
// brings on the Help menu's commands.
HelpWindows installHelp(MainWindow& main);

// Opens an address in the user's browser; when that fails, tells the user so.
void openWebAddress(Prompts& prompts, const QString& address);

struct CommandContext;
enum class HelpTopic { Contents, WhatsNew, GettingStarted };
enum class WebPage { Home, DiscussionForum };
void showHelpTopic(CommandContext& c, HelpTopic topic);
void showKeywordSearch(CommandContext& c);
void openWebPage(CommandContext& c, WebPage page);

}  // namespace kinloom
