#pragma once
#include "reports/html_settings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace kinloom {

class ItemStore;
class Prompts;
class Registry;
class DisplayCharset;

// What the report dialog needs from the program around it. An empty quality check leaves the
// "&Quality Check" button disabled and skips the check before generating.
struct HtmlReportHooks {
    std::function<int()> qualityCheck;        // runs the check: the number of problems
    std::function<void()> showQualityCheck;   // shows the quality check window
    std::function<void()> saveTree;           // the File menu's Save
    std::function<QString()> treeFolder;      // the tree file's folder
    std::function<int()> personCount;         // the persons counter of the canvas
    std::function<bool(const QString&)> openInBrowser;  // the shell's open
    std::function<void(const QString& folder)> showCompleted;  // default: "Presentation created"
};

// "Create HTML Presentation": the output folder, the page options and the visual design of the
// web pages, kept in the settings store; "&Generate!" writes the pages.
class HtmlReportDialog : public QDialog {
    Q_OBJECT
public:
    HtmlReportDialog(ItemStore& store, Registry& registry, Prompts& prompts, const DisplayCharset* charset,
                     HtmlReportHooks hooks, QWidget* parent = nullptr);

    const HtmlReportSettings& settings() const { return settings_; }
    QString outputFolder() const;
    // Whether the program has a quality check: without one its button stays disabled and
    // generating skips the check.
    void setQualityCheckAvailable(bool available) { qualityCheckAvailable_ = available; }
    void setOutputFolder(const QString& folder);

    QTabWidget* pages;
    QTreeView* folderView;
    QLabel *sizeLabel, *processLabel, *boxPreview, *pagePreview, *linksHeader, *linksBody;
    QLabel *textSample, *linkSample, *visitedSample, *activeSample;
    QProgressBar* progressBar;
    QPushButton *generateButton, *newFolderButton, *qualityCheckButton, *closeButton, *fontButton, *frameColorButton,
        *boxColorButton;
    QComboBox* charsetBox;
    QCheckBox *framesBox, *siblingsBox;

    void generate();
    void newFolder();
    void runQualityCheck();
    void chooseBoxFont();
    void chooseFrameColor();
    void chooseBoxColor();
    // The four page text colours: 0 text, 1 link, 2 visited link, 3 active link.
    void chooseTextColor(int which);
    // The page (0), the links header (1) and the links body (2): colour and wallpaper.
    void chooseBackground(int part);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeGenerateTab();
    QWidget* makeContentTab();
    QWidget* makeDesignTab();
    void takeControls();
    void refreshPreviews();

    ItemStore& store_;
    Registry& registry_;
    Prompts& prompts_;
    const DisplayCharset* charset_;
    HtmlReportHooks hooks_;
    HtmlReportSettings settings_;
    QFileSystemModel* folders_;
    bool qualityCheckAvailable_ = true;
};

}  // namespace kinloom
