#include "app/ui/startup.h"

#include "app/ui/canvas_wiring.h"
#include "app/ui/chart_report_wiring.h"
#include "app/ui/editing_wiring.h"
#include "app/ui/layout_wiring.h"
#include "app/ui/html_report_wiring.h"
#include "app/ui/print_wiring.h"
#include "app/ui/report_windows_wiring.h"
#include "app/ui/reports_wiring.h"
#include "app/ui/undo_wiring.h"
#include "app/ui/about_box.h"
#include "app/ui/help_wiring.h"
#include "help/ui/tips_window.h"
#include "app/ui/main_window.h"
#include "app/ui/welcome_window.h"
#include "gedcom/ui/gedcom_import_dialog.h"
#include "layout/arrange_style.h"
#include "app/ui/options_dialog.h"

namespace kinloom {

KinloomWindows::~KinloomWindows() = default;

std::unique_ptr<KinloomWindows> createWindows(Registry& registry, Prompts& prompts, const QString& programPath,
                                              const QStringList& arguments) {
    auto w = std::make_unique<KinloomWindows>();
    w->main = std::make_unique<MainWindow>(registry, prompts, programPath, arguments);
    MainWindow* main = w->main.get();
    CanvasWidget* canvas = installCanvas(*main);
    EditingController* editing = installEditing(*main, *canvas);
    w->welcome = std::make_unique<WelcomeWindow>(registry);
    w->about = new AboutBox(main);
    w->options = new OptionsDialog(main->state(), main);
    AppState& state = main->state();
    w->gedcomImport = new GedcomImportDialog(state.store, state.view, [&state] { return state.windowOuterSize(); },
                                        state.prompts, main);

    main->setWelcome(w->welcome.get());
    main->setAboutBox(w->about);
    main->setOptionsDialog(w->options);
    w->gedcomImport->arrangement = [&state] { return readImportArrangement(state.registry); };
    main->setGedcomImportDialog(w->gedcomImport);
    QObject::connect(w->welcome.get(), &WelcomeWindow::confirmed, main, &MainWindow::completeStartup);
    QObject::connect(w->options, &OptionsDialog::treeFontRequested, main, &MainWindow::changeTreeFont);
    connectLayoutCommands(*main);
    connectReportCommands(*main);
    connectReportWindows(*main, *editing);
    connectHtmlReport(*main);
    installPrinting(*main);
    installChartReports(*main);
    const HelpWindows help = installHelp(*main);
    w->help = help.help;
    w->keywordSearch = help.keywordSearch;
    w->tips = help.tips;
    connectUndo(*main);
    return w;
}

void startUp(KinloomWindows& windows, bool showWelcome) {
    windows.main->showMaximized();
    if (!showWelcome) {
        windows.main->completeStartup();
        return;
    }
    QObject::connect(windows.welcome.get(), &WelcomeWindow::confirmed, windows.tips, &TipsWindow::showAtStartup);
    windows.welcome->show();
    windows.welcome->raise();
    windows.welcome->activateWindow();
}

}  // namespace kinloom
