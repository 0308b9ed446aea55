#include "reports/ui/statistics_window.h"

#include "document/item_store.h"
#include "support/test_support.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QTreeWidget>
#include <QtTest>

using namespace kinloom;

class StatisticsWindowTest : public QObject {
    Q_OBJECT

    // The bars of a chart as "label=count" in axis order.
    static QStringList bars(QChartView* view) {
        auto* series = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
        auto* axis = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
        QStringList out;
        if (!series || !axis || series->count() != 1) return out;
        for (int i = 0; i < series->barSets()[0]->count(); ++i)
            out << axis->categories().value(i) + "=" + QString::number(series->barSets()[0]->at(i));
        return out;
    }

private slots:
    void countsAndPlots() {
        ItemStore store;
        const std::pair<const char*, const char*> dates[] = {{"1801", "1850"}, {"1805", "1890"}, {"1831", "abt 1832"}, {"?", "1900"}};
        for (const auto& [born, died] : dates) {
            PersonItem* p = test::addPerson(store, "A", "B");
            p->BornDate = born;
            p->DiedDate = died;
        }
        StatisticsWindow w;
        w.showStatistics(treeStatistics(store));
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QString("Statistics"));
        QTreeWidget* counts = w.counts();
        QCOMPARE(counts->topLevelItem(0)->text(0), QString("Persons"));
        QCOMPARE(counts->topLevelItem(0)->text(1), QString("4"));
        const QList<QTreeWidgetItem*> mean = counts->findItems("Mean lifespan", Qt::MatchExactly);
        QCOMPARE(mean.size(), 1);
        QCOMPARE(mean[0]->text(1), QString("45.0 years"));  // 49, 85 and 1
        // Every decade from the first to the last, the empty ones too.
        QCOMPARE(bars(w.bornPerDecadeChart()), (QStringList{"1800=2", "1810=0", "1820=0", "1830=1"}));
        QCOMPARE(bars(w.ageAtDeathChart()), (QStringList{"0=1", "10=0", "20=0", "30=0", "40=1", "50=0", "60=0", "70=0", "80=1"}));

        // Shown again for an empty tree: no bars, no stale chart.
        w.showStatistics(treeStatistics(ItemStore()));
        QCOMPARE(bars(w.bornPerDecadeChart()), QStringList{});
        QCOMPARE(counts->topLevelItem(0)->text(1), QString("0"));
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
