#include "reports/ui/chart_print_window.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "reports/person_chart.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kinloom {

ChartPrintWindow::ChartPrintWindow(ItemStore& store, Prompts& prompts, std::function<PosterSettings()> treeFont,
                                   std::function<void()> changeTreeFont, QWidget* parent)
    : PrintWindow(store, prompts, std::move(treeFont), std::move(changeTreeFont), parent), store_(store) {
    setObjectName(QStringLiteral("chartPrintWindow"));
    setWindowTitle(QStringLiteral("Print Chart"));
    selectedOnlyBox->hide();  // a chart shows whom it shows, not the selection

    auto* chart = new QGroupBox(QStringLiteral(" Chart "), this);
    chartLabel = new QLabel(chart);
    generationsBox = new QSpinBox(chart);
    generationsBox->setRange(0, 999);
    generationsBox->setSpecialValueText(QStringLiteral("All"));
    auto* generationsLabel = new QLabel(QStringLiteral("&Generations:"), chart);
    generationsLabel->setBuddy(generationsBox);
    auto* row = new QHBoxLayout;
    row->addWidget(generationsLabel);
    row->addWidget(generationsBox);
    row->addStretch();
    auto* layout = new QVBoxLayout(chart);
    layout->addLayout(row);
    layout->addWidget(chartLabel);
    choicesColumn->insertWidget(0, chart);
    connect(generationsBox, &QSpinBox::valueChanged, this, &ChartPrintWindow::remake);

    store.addRemovalListener([guard = QPointer<ChartPrintWindow>(this)](const PersonItem* item) {
        if (!guard) return;
        if (!item || item == guard->person_) guard->person_ = nullptr;
        guard->chart_.reset();
    });
}

ChartPrintWindow::~ChartPrintWindow() = default;

void ChartPrintWindow::showChart(ChartKind kind, const PersonItem* person) {
    kind_ = kind;
    // The chart of an alias is its original's, whose name it carries.
    person_ = person && person->isAlias() && person->Father ? person->Father : person;
    const PosterSettings font = posterSettings();
    const DisplayCharset systemDefault;
    setWindowTitle(chartTitle(kind, person_, font.charset ? *font.charset : systemDefault));
    generationsBox->setEnabled(kind != ChartKind::CompleteTree);
    chart_.reset();
    openWindow();
    remake();
}

void ChartPrintWindow::remake() {
    chart_.reset();
    showPageCount();
    showPreview();
}

std::shared_ptr<const ChartDrawing> ChartPrintWindow::drawing() const {
    if (!chart_) {
        if (kind_ != ChartKind::CompleteTree && !person_) {
            chart_ = std::make_shared<const ChartDrawing>();
            chartLabel->setText(QStringLiteral("Nothing to print"));
        } else {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            PersonChart made = personChart(store_, kind_, person_, generationsBox->value());
            QApplication::restoreOverrideCursor();
            chartLabel->setText(describeChart(made));
            chart_ = std::make_shared<const ChartDrawing>(std::move(made.drawing));
        }
    }
    return chart_;
}

bool ChartPrintWindow::canPrint() const { return !drawing()->empty(); }

}  // namespace kinloom
