#include "reports/ui/quality_check_window.h"

#include "document/item_store.h"
#include "platform/file_references.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kinloom {

QualityCheckWindow::QualityCheckWindow(ItemStore& store, Prompts& prompts, const QString& treeFileName, QWidget* parent)
    : QDialog(parent), store_(store), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Quality Check"));
    fileLabel = new QLabel(this);
    resultLabel = new QLabel(this);
    problemList = new QTreeWidget(this);
    problemList->setObjectName(QStringLiteral("problemList"));
    problemList->setHeaderLabels({QStringLiteral("Person"), QStringLiteral("Error message")});
    problemList->setColumnWidth(0, 200);
    problemList->setColumnWidth(1, 1000);
    problemList->setRootIsDecorated(false);
    problemList->setSelectionBehavior(QAbstractItemView::SelectRows);
    problemList->setSelectionMode(QAbstractItemView::SingleSelection);
    problemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    problemList->setSortingEnabled(false);  // the rows come sorted by person

    okButton = new QPushButton(QStringLiteral("&OK"), this);
    resolveButton = new QPushButton(QStringLiteral("&Resolve"), this);
    checkAgainButton = new QPushButton(QStringLiteral("&Check again"), this);
    okButton->setDefault(true);
    resolveButton->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(resolveButton);
    buttons->addWidget(checkAgainButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel);
    layout->addWidget(resultLabel);
    layout->addWidget(problemList, 1);
    layout->addLayout(buttons);
    resize(640, 400);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);  // Esc closes it too
    connect(resolveButton, &QPushButton::clicked, this, &QualityCheckWindow::resolveSelected);
    connect(checkAgainButton, &QPushButton::clicked, this, [this] { runCheck(); });
    connect(problemList, &QTreeWidget::itemDoubleClicked, this, &QualityCheckWindow::resolveSelected);
    connect(problemList, &QTreeWidget::itemSelectionChanged, this, &QualityCheckWindow::updateResolveButton);

    // The window outlives no store, but the store may outlive the window.
    store_.addRemovalListener([guard = QPointer<QualityCheckWindow>(this)](const PersonItem* item) {
        if (guard) guard->forgetItem(item);
    });
    setFileName(treeFileName);
}

void QualityCheckWindow::setFileName(const QString& treeFileName) {
    treeFileName_ = treeFileName;
    fileLabel->setText(QStringLiteral("File: ") +
                       (treeFileName.isEmpty() ? QStringLiteral("(New File)") : treeFileName));
}

int QualityCheckWindow::runCheck() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    resultLabel->setText(QStringLiteral("Checking Quality, please wait..."));
    problemList->hide();
    problemList->clear();
    for (QPushButton* b : {okButton, resolveButton, checkAgainButton}) b->setEnabled(false);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    QualityCheckResult result = runQualityCheck(store_, treeFolderOf(treeFileName_), charset_);
    rows_ = std::move(result.rows);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows_.size()));
    for (const QualityProblem& row : rows_) items.append(new QTreeWidgetItem({row.person, row.message}));
    problemList->addTopLevelItems(items);
    problemList->show();

    resultLabel->setText(qualityCheckSummary(result.count));
    okButton->setEnabled(true);
    checkAgainButton->setEnabled(true);
    updateResolveButton();
    QApplication::restoreOverrideCursor();
    return result.count;
}

void QualityCheckWindow::showDetails(bool modal) {
    if (modal) {
        if (isVisible()) hide();  // a modeless window becomes modal only when shown anew
        exec();
        return;
    }
    show();
    raise();
    activateWindow();
}

int QualityCheckWindow::selectedRow() const {
    const QTreeWidgetItem* item = problemList->currentItem();
    if (!item || !item->isSelected()) return -1;
    const int index = problemList->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    return index >= 0 && index < static_cast<int>(rows_.size()) ? index : -1;
}

void QualityCheckWindow::resolveSelected() {
    const int index = selectedRow();
    if (index < 0) return;
    QualityProblem& row = rows_[static_cast<size_t>(index)];
    bool resolved = false;
    {
        EditStep step(store_, QStringLiteral("Resolve"));
        resolved = resolveQualityProblem(store_, row, treeFolderOf(treeFileName_), prompts_, charset_);
    }
    if (resolved) {
        problemList->topLevelItem(index)->setText(1, row.message);
        emit corrected();
    }
    updateResolveButton();
}

void QualityCheckWindow::updateResolveButton() {
    const int index = selectedRow();
    const bool open = index >= 0 && rows_[static_cast<size_t>(index)].item &&
                      !rows_[static_cast<size_t>(index)].message.isEmpty();
    resolveButton->setEnabled(open && okButton->isEnabled());
}

void QualityCheckWindow::forgetItem(const PersonItem* item) {
    for (QualityProblem& row : rows_)
        if (!item || row.item == item) row.item = nullptr;
    updateResolveButton();
}

}  // namespace kinloom
