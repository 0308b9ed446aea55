#pragma once
#include "platform/charsets.h"
#include "reports/quality_check.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kinloom {

class ItemStore;
class Prompts;

// The "Quality Check" window: the problems of the last check, one row each, and the commands to
// repair them. It is made once and reused: modeless from the Tools menu and after opening a tree,
// modal before a save. The check itself and the repairs are the core's; this window shows them.
class QualityCheckWindow : public QDialog {
    Q_OBJECT
public:
    QualityCheckWindow(ItemStore& store, Prompts& prompts, const QString& treeFileName = {},
                       QWidget* parent = nullptr);

    // The open tree's file (empty while untitled): its folder is where relative names are looked up.
    void setFileName(const QString& treeFileName);
    void setCharset(const DisplayCharset& charset) { charset_ = charset; }

    // Runs the check over the whole store, fills the list and returns the number of problems.
    int runCheck();
    // Shows the window without waiting, or modally until it is closed.
    void showDetails(bool modal);

    const std::vector<QualityProblem>& rows() const { return rows_; }

    QLabel* fileLabel;
    QLabel* resultLabel;
    QTreeWidget* problemList;
    QPushButton* okButton;
    QPushButton* resolveButton;
    QPushButton* checkAgainButton;

public slots:
    // "&Resolve" and a double click: repair the selected row.
    void resolveSelected();

signals:
    // An item's file reference changed.
    void corrected();

private:
    int selectedRow() const;
    void updateResolveButton();
    void forgetItem(const PersonItem* item);

    ItemStore& store_;
    Prompts& prompts_;
    DisplayCharset charset_;
    QString treeFileName_;
    std::vector<QualityProblem> rows_;
};

}  // namespace kinloom
