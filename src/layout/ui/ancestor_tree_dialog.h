#pragma once
#include "layout/ancestor_tree.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace kinloom {

// Asks for the number of generations of a new ancestor tree. Created once and reused, so the last
// number stays in the edit for the next time.
class AncestorTreeDialog : public QDialog {
    Q_OBJECT
public:
    explicit AncestorTreeDialog(QWidget* parent = nullptr);

    // Shows the dialog modally: the edit's text after OK, nothing after Cancel.
    std::optional<QString> ask();
    // The dialog as createTree asks it, shown again after a refused number.
    GenerationsDialog asker() {
        return [this] { return ask(); };
    }

    QLabel* generationsLabel = nullptr;
    QSpinBox* generationsBox = nullptr;  // one digit with its up-down arrows
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    bool result = false;  // set by OK, cleared by Cancel and whenever the dialog is shown

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kinloom
