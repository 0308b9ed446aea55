#pragma once
#include "app/app_state.h"
#include "app/file_commands.h"

#include <QMainWindow>

#include <memory>

class QMenu;
class QToolBar;

namespace kinloom {

class Registry;
class OptionsDialog;
class GedcomImportDialog;
class AboutBox;
class WelcomeWindow;
class Commands;

// The main window: the menus, the toolbar, the status line and the canvas around the one
// application state. Slots are one-line calls into the core commands.
//
// Other parts of the program plug in here:
//  - the canvas widget through setCanvas(); it calls renewCaption() on every paint and repaints
//    on repaintRequested();
//  - their commands through commands(): each piece fills in the commands' context and installs
//    its part of the command table (command_table.cpp);
//  - their windows through the signals startupCompleted() and charsetChanged().
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Registry& registry, Prompts& prompts, const QString& programPath, const QStringList& arguments,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    AppState& state() { return *state_; }
    QWidget* canvas() const { return canvas_; }
    // Replaces the central area; the window takes the widget.
    void setCanvas(QWidget* canvas);
    QToolBar* toolbar() const { return toolbar_; }

    void setWelcome(WelcomeWindow* welcome) { welcome_ = welcome; }
    void setAboutBox(AboutBox* about) { about_ = about; }
    void setOptionsDialog(OptionsDialog* options) { options_ = options; }
    OptionsDialog* optionsDialog() const { return options_; }
    void setGedcomImportDialog(GedcomImportDialog* dialog);
    bool hasGedcomImportDialog() const { return gedcomImport_ != nullptr; }

    // The commands of the menus, the toolbar, the window's keys and the canvas popup.
    Commands& commands() { return *commands_; }

public slots:
    void renewCaption();
    void requestRepaint();
    // The welcome window's confirmation: charset, toolbar positions, enable and show.
    void completeStartup();

    void newTree();
    void openTree();
    void saveTree();
    void saveTreeAs();
    void importGedcom();
    void exportGedcom();
    void exitProgram();
    void showOptions();
    void showAbout();
    void changeTreeFont();
    void openRecentTree(const QString& path);
    // Lists the recent files in File › Open Recent (each time the File menu opens).
    void fillRecentMenu();

signals:
    void repaintRequested();
    void charsetChanged();
    void interactionReset();
    void startupCompleted();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void bindHooks();
    // Repaints, then shows a freshly imported tree whole when it does not fit at 100 %.
    void repaintShowingWholeTree();
    void saveWindowSettings();
    void loadToolbarPosition();
    void saveToolbarPosition();
    WindowSize outerSize() const;

    std::unique_ptr<AppState> state_;
    Commands* commands_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMenu* openRecentMenu_ = nullptr;
    QWidget* canvas_ = nullptr;
    WelcomeWindow* welcome_ = nullptr;
    AboutBox* about_ = nullptr;
    OptionsDialog* options_ = nullptr;
    GedcomImportDialog* gedcomImport_ = nullptr;
    int busyDepth_ = 0;
    bool startupDone_ = false;
};

}  // namespace kinloom
