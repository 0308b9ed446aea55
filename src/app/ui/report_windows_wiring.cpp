#include "app/ui/report_windows_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/ui/editing_controller.h"
#include "reports/tree_statistics.h"
#include "reports/ui/missing_information_window.h"
#include "reports/ui/statistics_window.h"

#include <QDate>

namespace kinloom {

void connectReportWindows(MainWindow& window, EditingController& editing) {
    AppState& s = window.state();
    Commands& commands = window.commands();
    auto* missing = new MissingInformationWindow(s.store, s.prompts, &window);
    missing->setShowPerson([&s, &editing, &commands](PersonItem* person) {
        s.store.currentItem = person;
        editing.zoomToItem();
        commands.run(CommandId::Properties);
    });
    commands.context().missingInformation = missing;
    commands.context().statistics = new StatisticsWindow(&window);
    commands.install(Part::ReportWindows);
}

void showMissingInformation(CommandContext& c, MissingField field) {
    c.missingInformation->showList(field, c.state.charset, QDate::currentDate().year());
}

void showStatistics(CommandContext& c) {
    AppState& s = c.state;
    s.setBusyCursor(true);
    const TreeStatistics counted = treeStatistics(s.store);
    s.setBusyCursor(false);
    c.statistics->showStatistics(counted);
}

}  // namespace kinloom
