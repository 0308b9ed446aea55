#pragma once
#include "reports/tree_statistics.h"

#include <QWidget>

class QChartView;
class QTreeWidget;

namespace kinloom {

// Reports > Statistics: the counts a genealogist looks for, and two plots, the persons born in each
// decade and their ages at death.
class StatisticsWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget* parent = nullptr);

    // Fills the window with `statistics` and shows it.
    void showStatistics(const TreeStatistics& statistics);

    QTreeWidget* counts() const { return counts_; }
    QChartView* bornPerDecadeChart() const { return born_; }
    QChartView* ageAtDeathChart() const { return died_; }

private:
    QTreeWidget* counts_;
    QChartView* born_;
    QChartView* died_;
};

}  // namespace kinloom
