#pragma once
#include <QDialog>

namespace kinloom {

// The about box of the Help menu.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace kinloom
