#pragma once
#include <QDialog>

class QCheckBox;

namespace kinloom {

class Registry;

// The welcome window shown on top at start; confirming it completes start-up (confirmed()).
// "Show this window at start-up" is kept with the settings as it is ticked.
class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeWindow(Registry& registry, QWidget* parent = nullptr);

    // Whether the window is to be shown when the program starts (yes until the user says otherwise).
    static bool wantedAtStart(Registry& registry);

    QCheckBox* showAtStartBox = nullptr;

signals:
    void confirmed();
};

}  // namespace kinloom
