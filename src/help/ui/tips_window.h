#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;

namespace kinloom {

class Registry;

// "Tip of the Day": one tip at a time, browsed with Previous and Next. Whether it appears at
// start-up and which tip comes next are kept with the settings when the window closes.
class TipsWindow : public QDialog {
    Q_OBJECT
public:
    explicit TipsWindow(Registry& registry, QWidget* parent = nullptr);

    // Shows the next tip when the user has not switched the tips off.
    void showAtStartup();
    // Shows the window with the next tip, whatever the setting.
    void showNextTip();
    QLabel* tipLabel() const { return tipLabel_; }
    QCheckBox* showAtStartupBox() const { return showAtStartupBox_; }
    int currentTip() const { return current_; }

public slots:
    void next();
    void previous();

protected:
    void done(int result) override;

private:
    void showTip(int index);

    Registry& registry_;
    QLabel* tipLabel_;
    QCheckBox* showAtStartupBox_;
    int current_ = 0;
};

}  // namespace kinloom
