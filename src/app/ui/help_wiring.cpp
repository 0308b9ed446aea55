#include "app/ui/help_wiring.h"

#include "app/ui/main_window.h"
#include "help/manual.h"
#include "help/ui/help_window.h"
#include "help/ui/keyword_search_dialog.h"
#include "help/ui/tips_window.h"
#include "help/web_links.h"
#include "platform/shell.h"

#include <QAction>
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

    HelpWindow* help = w.help;
    auto opens = [&main](QAction* action, auto&& run) {
        QObject::connect(action, &QAction::triggered, &main, run);
        action->setEnabled(true);
    };
    opens(main.contentsAction, [help] { help->showTopic(kManualContentsPage); });
    opens(main.whatsNewAction, [help] { help->showTopic(kWhatsNewPage); });
    opens(main.gettingStartedAction, [help] { help->showTopic(kGettingStartedPage); });
    KeywordSearchDialog* keywords = w.keywordSearch;
    opens(main.keywordSearchAction, [keywords] {
        keywords->reset();
        keywords->show();
        keywords->raise();
        keywords->activateWindow();
    });
    QObject::connect(keywords, &KeywordSearchDialog::topicChosen, help, &HelpWindow::showTopic);
    Prompts* prompts = &state.prompts;
    opens(main.homePageAction, [prompts] { openWebAddress(*prompts, kHomePageAddress); });
    opens(main.discussionForumAction, [prompts] { openWebAddress(*prompts, kDiscussionForumAddress); });
    QObject::connect(help, &HelpWindow::externalLinkClicked, &main,
                     [prompts](const QUrl& url) { openWebAddress(*prompts, url.toString()); });
    return w;
}

}  // namespace kinloom
