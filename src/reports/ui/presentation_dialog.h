#pragma once
#include "platform/shell.h"
#include <QDialog>

#include <functional>

class QPushButton;

namespace kinloom {

class Prompts;


// "Presentation created": offers to open the new site's index.html in the desktop's browser.
class PresentationDialog : public QDialog {
    Q_OBJECT
public:
    // `open` opens an address with the default program and tells whether one was started.
    PresentationDialog(QString outputFolder, Prompts& prompts, std::function<bool(const QString&)> open,
                       QWidget* parent = nullptr);

    QPushButton *viewButton, *closeButton;
    void viewInBrowser();

private:
    QString folder_;
    Prompts& prompts_;
    std::function<bool(const QString&)> open_;
};

}  // namespace kinloom
