#include "reports/ui/statistics_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace kinloom {

namespace {

QChartView* makeChartView(QWidget* parent, const QString& name) {
    auto* view = new QChartView(parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 220);
    return view;
}

// A bar chart of `bins` (first value of each bin -> count), each bin labelled "from-to".
QChart* histogram(const QString& title, const std::map<int, int>& bins, const QString& axisTitle) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    auto* set = new QBarSet(title);
    QStringList labels;
    int highest = 0;
    // Every bin from the first to the last, empty ones too, so that the axis is even.
    if (!bins.empty()) {
        for (int from = bins.begin()->first; from <= bins.rbegin()->first; from += 10) {
            const auto it = bins.find(from);
            const int count = it == bins.end() ? 0 : it->second;
            *set << count;
            highest = std::max(highest, count);
            labels << QString::number(from);
        }
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    x->setTitleText(axisTitle);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, std::max(1, highest));
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    return chart;
}

}  // namespace

StatisticsWindow::StatisticsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("statisticsWindow"));
    setWindowTitle(QStringLiteral("Statistics"));
    resize(900, 560);
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    counts_ = new QTreeWidget(this);
    counts_->setObjectName(QStringLiteral("counts"));
    counts_->setColumnCount(2);
    counts_->setHeaderLabels({QStringLiteral("Count"), QStringLiteral("Value")});
    counts_->setRootIsDecorated(false);
    counts_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    left->addWidget(counts_, 1);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    left->addWidget(close, 0, Qt::AlignRight);
    layout->addLayout(left, 1);
    auto* charts = new QVBoxLayout;
    born_ = makeChartView(this, QStringLiteral("bornPerDecadeChart"));
    died_ = makeChartView(this, QStringLiteral("ageAtDeathChart"));
    charts->addWidget(born_);
    charts->addWidget(died_);
    layout->addLayout(charts, 2);
}

void StatisticsWindow::showStatistics(const TreeStatistics& statistics) {
    counts_->clear();
    for (const auto& [label, value] : statisticsRows(statistics))
        counts_->addTopLevelItem(new QTreeWidgetItem({label, value}));
    // The views own their charts and free the old ones when given new.
    QChart* old = born_->chart();
    born_->setChart(histogram(QStringLiteral("Persons born per decade"), statistics.bornPerDecade, QStringLiteral("Decade")));
    delete old;
    old = died_->chart();
    died_->setChart(histogram(QStringLiteral("Age at death"), statistics.ageAtDeath, QStringLiteral("Age (years)")));
    delete old;
    show();
    raise();
    activateWindow();
}

}  // namespace kinloom
