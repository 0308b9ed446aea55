#include "app/ui/html_report_wiring.h"

#include "app/file_commands.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "platform/shell.h"
#include "reports/ui/html_report_dialog.h"

#include <QFileInfo>

namespace kinloom {

void connectHtmlReport(MainWindow& window) {
    AppState& s = window.state();
    HtmlReportHooks hooks;
    // The quality check's hooks are read when used: they are bound after this dialog is made.
    hooks.qualityCheck = [&s] { return s.hooks.qualityCheck ? s.hooks.qualityCheck() : 0; };
    hooks.showQualityCheck = [&s] {
        if (s.hooks.showQualityCheck) s.hooks.showQualityCheck(false);
    };
    hooks.saveTree = [&s] { saveTree(s); };
    hooks.treeFolder = [&s] { return s.currentFileName.isEmpty() ? QString() : QFileInfo(s.currentFileName).absolutePath(); };
    hooks.personCount = [&s] { return s.store.personCount(); };
    hooks.openInBrowser = shellOpen;
    auto* dialog = new HtmlReportDialog(s.store, s.registry, s.prompts, &s.charset, hooks, &window);
    dialog->setObjectName(QStringLiteral("htmlReportDialog"));
    window.commands().context().htmlReport = dialog;
    window.commands().install(Part::Html);
}

void showHtmlReport(CommandContext& c) {
    AppState& s = c.state;
    if (s.store.empty()) {
        s.prompts.inform(kAppTitle, QStringLiteral("Your Kinloom tree is empty"));
        return;
    }
    if (!checkModified(s)) return;
    // Without a quality check in the program the button stays disabled.
    c.htmlReport->setQualityCheckAvailable(static_cast<bool>(s.hooks.qualityCheck));
    c.htmlReport->exec();
}

}  // namespace kinloom
