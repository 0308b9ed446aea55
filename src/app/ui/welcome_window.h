#pragma once
#include <QDialog>

namespace kinloom {

// The welcome window shown on top at start; confirming it completes start-up (confirmed()).
class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeWindow(QWidget* parent = nullptr);

signals:
    void confirmed();
};

}  // namespace kinloom
