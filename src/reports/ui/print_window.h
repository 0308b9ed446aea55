#pragma once
#include "reports/chart_file.h"
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
class QSpinBox;
class QVBoxLayout;

namespace kinloom {

class ChartChoices;
class ItemStore;
class Prompts;
class SaveFile;

inline const QString kPrintFailed = QStringLiteral("The tree could not be printed.");

// The "Print Tree" window: prints the whole tree, or the selected items, as a poster of 1 x 1 to
// 8 x 8 pages or at a readable size on as many pages as that needs, with a preview of the whole
// chart or of each page. Made once and shown without blocking the main window; it keeps its
// choices between openings.
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
    // Lets a test make the PDF file's writing fail (see SaveFile's fault injection).
    void setSaveFileFaults(std::function<void(SaveFile&)> faults) { saveFileFaults_ = std::move(faults); }

    QRadioButton *landscapeButton, *portraitButton;
    QCheckBox* selectedOnlyBox;
    std::array<QRadioButton*, 8> sizeButtons;  // 1 page, 2 x 2 pages ... 8 x 8 pages
    QComboBox* thicknessBox;
    QFrame* sampleLine;
    QPushButton* treeFontButton;
    QLineEdit *fontNameEdit, *fontSizeEdit;
    QPushButton* setupButton;
    ChartChoices* chartChoices;
    QLabel* pageCountLabel;  // the pages the choices make, before printing
    QLabel* previewImage;
    QSpinBox* previewPageBox;  // 0: the whole chart, else that page
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
    // What the window prints: the tree as it stands on the canvas (or its selected items). A
    // window for another chart gives its own drawing.
    virtual std::shared_ptr<const ChartDrawing> drawing() const;
    virtual bool canPrint() const;
    // Says how many pages the choices make; called whenever a choice changes.
    void showPageCount();
    // The column of choices between the printer's and the preview, for a window's own choices.
    QVBoxLayout* choicesColumn = nullptr;

private:
    void buildControls();
    void activated();
    void showTreeFont();
    void applyOrientation();
    // The page the chart is laid out on: the whole paper for a PDF file, else the printable part.
    QSize pagePixels() const;
    // The printer's paper for a PDF file.
    ChartPaper pdfPaper() const;
    bool printToPdfFile(const PageProgress& progress, QString& error);
    // Runs one of the modal dialogs this window opens; coming back from it is no new activation.
    void runModal(const std::function<void()>& run);

    ItemStore& store_;
    Prompts& prompts_;
    std::function<PosterSettings()> treeFont_;
    std::function<void()> changeTreeFont_;
    PrinterDialogs dialogs_;
    std::unique_ptr<QPrinter> printer_;
    std::function<void(SaveFile&)> saveFileFaults_;
    int modalDepth_ = 0;
    bool backFromModal_ = false;
};

}  // namespace kinloom
