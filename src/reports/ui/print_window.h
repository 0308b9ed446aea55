#pragma once
#include "reports/poster.h"
#include "reports/ui/printer_dialogs.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace kinloom {

class ItemStore;
class Prompts;

inline const QString kPrintFailed = QStringLiteral("The tree could not be printed.");

// The "Print Tree" window: prints the whole tree, or the selected items, as a poster of 1 x 1 to
// 8 x 8 pages, with a schematic preview. Made once and shown without blocking the main window;
// it keeps its choices between openings.
class PrintWindow : public QDialog {
    Q_OBJECT
public:
    // `treeFont` gives the tree font's name, size and character set as they are now;
    // `changeTreeFont` runs the main window's tree-font command.
    PrintWindow(ItemStore& store, Prompts& prompts, std::function<PosterSettings()> treeFont,
                std::function<void()> changeTreeFont, QWidget* parent = nullptr);
    ~PrintWindow() override;

    void setPrinterDialogs(PrinterDialogs dialogs) { dialogs_ = std::move(dialogs); }
    QPrinter& printer() { return *printer_; }
    // The choices as a poster's settings, with the tree font.
    PosterSettings posterSettings() const;

    QRadioButton *landscapeButton, *portraitButton;
    QCheckBox* selectedOnlyBox;
    std::array<QRadioButton*, 8> sizeButtons;  // 1 page, 2 x 2 pages ... 8 x 8 pages
    QComboBox* thicknessBox;
    QFrame* sampleLine;
    QPushButton* treeFontButton;
    QLineEdit *fontNameEdit, *fontSizeEdit;
    QPushButton* setupButton;
    QLabel* previewImage;
    QPushButton *previewButton, *printButton, *closeButton;

public slots:
    void openWindow();
    void showPreview();
    void printTree();
    void pageSetup();
    void chooseTreeFont();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void activated();
    void showTreeFont();
    void applyOrientation();
    // Runs one of the modal dialogs this window opens; coming back from it is no new activation.
    void runModal(const std::function<void()>& run);

    ItemStore& store_;
    Prompts& prompts_;
    std::function<PosterSettings()> treeFont_;
    std::function<void()> changeTreeFont_;
    PrinterDialogs dialogs_;
    std::unique_ptr<QPrinter> printer_;
    int modalDepth_ = 0;
    bool backFromModal_ = false;
};

}  // namespace kinloom
