#pragma once
#include <QDialog>

namespace kinloom {

// The about box of the Help menu.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace kinloom
