#pragma once
#include "help/manual.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace kinloom {

// "Keyword Search": the manual's keyword index with a field that filters it as you type. Enter or
// a double-click opens the chosen topic.
class KeywordSearchDialog : public QDialog {
    Q_OBJECT
public:
    KeywordSearchDialog(std::vector<ManualKeyword> keywords, QWidget* parent = nullptr);

    QLineEdit* filterBox() const { return filterBox_; }
    QListWidget* list() const { return list_; }
    // Clears the filter and shows the whole index.
    void reset();

signals:
    void topicChosen(const QString& target);

private:
    void refill();
    void openCurrent();

    std::vector<ManualKeyword> keywords_;
    QLineEdit* filterBox_;
    QListWidget* list_;
};

}  // namespace kinloom
