#include "app/ui/report_windows_wiring.h"

#include "app/ui/main_window.h"
#include "canvas/ui/editing_controller.h"
#include "reports/tree_statistics.h"
#include "reports/ui/missing_information_window.h"
#include "reports/ui/statistics_window.h"

#include <QAction>
#include <QDate>
#include <QMenu>

namespace kinloom {

void connectReportWindows(MainWindow& window, EditingController& editing) {
    AppState& s = window.state();
    auto* missing = new MissingInformationWindow(s.store, s.prompts, &window);
    missing->setShowPerson([&s, &editing](PersonItem* person) {
        s.store.currentItem = person;
        editing.zoomToItem();
        editing.editProperties();
    });
    const std::pair<QAction*, MissingField> entries[] = {{window.missingBirthDatesAction, MissingField::BirthDate},
                                                         {window.missingDeathDatesAction, MissingField::DeathDate},
                                                         {window.missingSurnamesAction, MissingField::Surname}};
    for (const auto& [action, field] : entries) {
        QObject::connect(action, &QAction::triggered, missing, [&s, missing, field = field] {
            missing->showList(field, s.charset, QDate::currentDate().year());
        });
        action->setEnabled(true);
    }
    window.missingInformationMenu->setEnabled(true);

    auto* statistics = new StatisticsWindow(&window);
    QObject::connect(window.statisticsAction, &QAction::triggered, statistics, [&s, statistics] {
        s.setBusyCursor(true);
        const TreeStatistics counted = treeStatistics(s.store);
        s.setBusyCursor(false);
        statistics->showStatistics(counted);
    });
    window.statisticsAction->setEnabled(true);
}

}  // namespace kinloom
