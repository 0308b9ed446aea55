#include "app/ui/help_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "help/manual.h"
#include "help/ui/help_window.h"
#include "help/ui/keyword_search_dialog.h"
#include "help/ui/tips_window.h"
#include "help/web_links.h"
#include "platform/shell.h"

#include <QUrl>

namespace kinloom {

void openWebAddress(Prompts& prompts, const QString& address) {
    if (!shellOpen(address)) prompts.error(kAppTitle, kNoBrowserMessage);
}

HelpWindows installHelp(MainWindow& main) {
    AppState& state = main.state();
    const QString folder = findManualFolder(state.programDir);
    HelpWindows w;
    w.help = new HelpWindow(folder, &main);
    w.keywordSearch = new KeywordSearchDialog(readManualKeywords(folder), &main);
    w.tips = new TipsWindow(state.registry, &main);

    QObject::connect(w.keywordSearch, &KeywordSearchDialog::topicChosen, w.help, &HelpWindow::showTopic);
    Prompts* prompts = &state.prompts;
    QObject::connect(w.help, &HelpWindow::externalLinkClicked, &main,
                     [prompts](const QUrl& url) { openWebAddress(*prompts, url.toString()); });
    CommandContext& c = main.commands().context();
    c.help = w.help;
    c.keywordSearch = w.keywordSearch;
    main.commands().install(Part::Help);
    return w;
}

}  // namespace kinloom

namespace kinloom {

void showHelpTopic(CommandContext& c, HelpTopic topic) {
    c.help->showTopic(topic == HelpTopic::WhatsNew         ? kWhatsNewPage
                      : topic == HelpTopic::GettingStarted ? kGettingStartedPage
                                                           : kManualContentsPage);
}

void showKeywordSearch(CommandContext& c) {
    c.keywordSearch->reset();
    c.keywordSearch->show();
    c.keywordSearch->raise();
    c.keywordSearch->activateWindow();
}

void openWebPage(CommandContext& c, WebPage page) {
    openWebAddress(c.state.prompts, page == WebPage::Home ? kHomePageAddress : kDiscussionForumAddress);
}

}  // namespace kinloom
