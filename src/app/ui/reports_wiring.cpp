#include "app/ui/reports_wiring.h"

#include "app/report_commands.h"
#include "app/ui/main_window.h"
#include "platform/shell.h"
#include "reports/ui/quality_check_window.h"

#include <QAction>

namespace kinloom {

QualityCheckWindow* connectReportCommands(MainWindow& window) {
    AppState& s = window.state();
    auto* checkWindow = new QualityCheckWindow(s.store, s.prompts, s.currentFileName, &window);
    checkWindow->setObjectName(QStringLiteral("qualityCheckWindow"));
    // The window follows the open tree's file and character set each time it is used.
    auto follow = [&s, checkWindow] {
        checkWindow->setFileName(s.currentFileName);
        checkWindow->setCharset(s.charset);
    };
    s.hooks.qualityCheck = [follow, checkWindow] {
        follow();
        return checkWindow->runCheck();
    };
    s.hooks.showQualityCheck = [follow, checkWindow](bool modal) {
        follow();
        checkWindow->showDetails(modal);
    };
    s.hooks.openWithDefaultProgram = shellOpen;
    QObject::connect(checkWindow, &QualityCheckWindow::corrected, &window, &MainWindow::requestRepaint);

    // From the Tools menu the window comes up first and then checks.
    QObject::connect(window.qualityCheckAction, &QAction::triggered, checkWindow, [follow, checkWindow] {
        follow();
        checkWindow->showDetails(false);
        checkWindow->runCheck();
    });
    QObject::connect(window.allIndividualsAction, &QAction::triggered, checkWindow, [&s] { alphabeticalListCommand(s); });
    QObject::connect(window.collectFilesAction, &QAction::triggered, checkWindow, [&s] { collectAllFilesCommand(s); });
    QObject::connect(window.surnamesAction, &QAction::triggered, checkWindow, [&s] { surnameListCommand(s); });
    QObject::connect(window.placesAction, &QAction::triggered, checkWindow, [&s] { placeListCommand(s); });
    QObject::connect(window.sourcesAction, &QAction::triggered, checkWindow, [&s] { sourceListCommand(s); });
    for (QAction* a : {window.qualityCheckAction, window.allIndividualsAction, window.surnamesAction, window.placesAction,
                       window.sourcesAction, window.collectFilesAction})
        a->setEnabled(true);
    return checkWindow;
}

}  // namespace kinloom
