#pragma once
#include "layout/chart_selection.h"
#include "reports/ui/print_window.h"

class QLabel;
class QSpinBox;

namespace kinloom {

struct PersonChart;

// Reports > Charts: the print window for a chart of ancestors, of descendants or of the whole tree,
// laid out for itself (the canvas is not moved), with the generations it spans. The chart is made
// when the window is asked for it, when the generations change, and after the tree changed when it
// is next shown or printed; an item that leaves the tree drops the chart at once, so that it
// never shows a deleted item.
class ChartPrintWindow : public PrintWindow {
    Q_OBJECT
public:
    ChartPrintWindow(ItemStore& store, Prompts& prompts, std::function<PosterSettings()> treeFont,
                     std::function<void()> changeTreeFont, QWidget* parent = nullptr);
    ~ChartPrintWindow() override;

    // Shows the window with the chart of `person` (an alias stands for its original; nil for the
    // complete tree).
    void showChart(ChartKind kind, const PersonItem* person);
    ChartKind kind() const { return kind_; }
    // The tree changed: the chart is made again when it is next needed.
    void treeChanged() { chart_.reset(); }

    QSpinBox* generationsBox;  // the special value "All" (0) takes every generation there is
    QLabel* chartLabel;        // "31 persons in 5 generations"

protected:
    std::shared_ptr<const ChartDrawing> drawing() const override;
    bool canPrint() const override;

private:
    // Makes the chart again now and shows its pages and preview.
    void remake();

    ItemStore& store_;
    ChartKind kind_ = ChartKind::CompleteTree;
    const PersonItem* person_ = nullptr;
    mutable std::shared_ptr<const ChartDrawing> chart_;  // nil until needed
};

}  // namespace kinloom
