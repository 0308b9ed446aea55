#pragma once
#include <QDialog>

namespace kinloom {

// The welcome window shown on top at start; confirming it completes start-up (confirmed()).
class Twelcome : public QDialog {
    Q_OBJECT
public:
    explicit Twelcome(QWidget* parent = nullptr);

signals:
    void confirmed();
};

}  // namespace kinloom
