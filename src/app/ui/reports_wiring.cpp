#include "app/ui/reports_wiring.h"

#include "app/report_commands.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/ui/canvas_widget.h"
#include "platform/shell.h"
#include "reports/ui/quality_check_window.h"

namespace kinloom {

namespace {

// The window follows the open tree's file and character set each time it is used.
void follow(QualityCheckWindow& window, const AppState& s) {
    window.setFileName(s.currentFileName);
    window.setCharset(s.charset);
}

}  // namespace

QualityCheckWindow* connectReportCommands(MainWindow& window) {
    AppState& s = window.state();
    auto* checkWindow = new QualityCheckWindow(s.store, s.prompts, s.currentFileName, &window);
    checkWindow->setObjectName(QStringLiteral("qualityCheckWindow"));
    s.hooks.qualityCheck = [&s, checkWindow] {
        follow(*checkWindow, s);
        return checkWindow->runCheck();
    };
    s.hooks.showQualityCheck = [&s, checkWindow](bool modal) {
        follow(*checkWindow, s);
        checkWindow->showDetails(modal);
    };
    s.hooks.openWithDefaultProgram = shellOpen;
    QObject::connect(checkWindow, &QualityCheckWindow::corrected, &window, &MainWindow::requestRepaint);
    window.commands().context().qualityCheck = checkWindow;
    window.commands().install(Part::Reports);
    return checkWindow;
}

void showQualityCheck(CommandContext& c) {
    follow(*c.qualityCheck, c.state);
    c.qualityCheck->showDetails(false);
    c.qualityCheck->runCheck();
}

void saveTreeAsGif(CommandContext& c) {
    PaintSettings settings = c.canvas ? c.canvas->settings() : PaintSettings{};
    fillTreePaintSettings(settings, c.state);
    saveTreeAsGifCommand(c.state, settings);
}

void collectAllFiles(CommandContext& c) { collectAllFilesCommand(c.state); }
void writeAlphabeticalList(CommandContext& c) { alphabeticalListCommand(c.state); }
void writeSurnameList(CommandContext& c) { surnameListCommand(c.state); }
void writePlaceList(CommandContext& c) { placeListCommand(c.state); }
void writeSourceList(CommandContext& c) { sourceListCommand(c.state); }

}  // namespace kinloom
