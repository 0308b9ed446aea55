#pragma once
#include "app/app_state.h"
#include "app/file_commands.h"

#include <QMainWindow>

#include <memory>

class QActionGroup;
class QToolBar;

namespace kinloom {

class Registry;
class OptionsDialog;
class GedcomImportDialog;
class AboutBox;
class WelcomeWindow;

// The main window: the menus, the toolbar, the status line and the canvas around the one
// application state. Slots are one-line calls into the core commands.
//
// Other parts of the program plug in here:
//  - the canvas widget through setCanvas(); it calls renewCaption() on every paint and repaints
//    on repaintRequested();
//  - their commands by connecting the QAction members below (named after their menu entries)
//    and enabling them; an entry whose command is not there yet stays disabled;
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

    // File menu
    QAction *newAction, *openAction, *saveAction, *saveAsAction, *collectFilesAction, *importVersion15Action, *importVersion10Action, *importGedcomAction, *exportGedcomAction,
        *printTreeAction, *exitAction;
    QMenu* openRecentMenu;  // filled from the recent files each time it opens
    // Edit menu
    QMenu *createAncestorTreeMenu, *organizeAncestorTreeMenu;
    QAction *undoAction, *redoAction;
    QAction *newItemAction, *propertiesAction, *deleteAction, *alignTopAction, *alignBottomAction, *alignLeftAction, *alignRightAction, *createCompactTreeAction, *createFractalTreeAction,
        *organizeCompactTreeAction, *organizeFractalTreeAction, *makeHomeAction;
    // Search, Link and Alias menus
    QAction *findAction, *linkToFatherAction, *linkToMotherAction, *linkToSpouseAction, *deleteFatherLinkAction, *deleteMotherLinkAction,
        *deleteSpouseLinkAction, *makeAliasAction, *makeThisAliasAction, *goToAliasAction;
    // View menu
    QMenu* colourCodesMenu;
    QActionGroup* colourCodesGroup;
    QAction *toolbarAction, *navigatorAction, *nameSearchAction, *statusBarAction, *genderColoursAction, *notesColoursAction, *pictureColoursAction, *noColoursAction, *marriageLinksAction,
        *advancedTreeViewAction;
    // Zoom menu, and the popup's "&Zoom to Item" (Z), which lives on the window for its shortcut
    QAction *zoom200Action, *zoom100Action, *zoom50Action, *zoom35Action, *zoom20Action, *zoom10Action, *zoom5Action, *zoom1Action, *zoomToAreaAction, *zoomInAction, *zoomOutAction, *zoomToItemAction;
    QAction *fitWholeTreeAction, *fitSelectionAction;
    // Tools and Reports menus
    QMenu *alphabeticalListMenu, *missingInformationMenu, *chartsMenu;
    QAction *qualityCheckAction, *autoArrangeAction, *familyChartAction, *printScreenAction, *optionsAction, *htmlAction, *saveTreeAsGifAction, *allIndividualsAction,
        *surnamesAction, *placesAction, *sourcesAction, *missingBirthDatesAction, *missingDeathDatesAction, *missingSurnamesAction, *ancestorsChartAction, *descendantsChartAction,
        *completeTreeChartAction, *statisticsAction;
    // Help menu
    QAction *contentsAction, *keywordSearchAction, *whatsNewAction, *gettingStartedAction, *homePageAction, *discussionForumAction, *aboutAction;
    // Toolbar buttons: each runs the menu command beside it in the comment
    QToolBar* toolbar_;
    QAction *openButton /*openAction*/, *saveButton /*saveAction*/, *newPersonButton /*newItemAction*/,
        *editPropertiesButton /*propertiesAction*/, *createTreeButton /*createCompactTreeAction*/, *zoomAreaButton /*zoomToAreaAction*/,
        *navigatorButton /*navigatorAction*/, *nameSearchButton /*nameSearchAction*/, *printButton /*printTreeAction*/,
        *helpButton /*contentsAction*/, *undoButton /*undoAction*/, *redoButton /*redoAction*/;

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
    void createMenus();
    void createToolbar();
    void bindHooks();
    void connectFileCommands();
    // Repaints, then shows a freshly imported tree whole when it does not fit at 100 %.
    void repaintShowingWholeTree();
    void saveWindowSettings();
    void loadToolbarPosition();
    void saveToolbarPosition();
    WindowSize outerSize() const;

    std::unique_ptr<AppState> state_;
    QWidget* canvas_ = nullptr;
    WelcomeWindow* welcome_ = nullptr;
    AboutBox* about_ = nullptr;
    OptionsDialog* options_ = nullptr;
    GedcomImportDialog* gedcomImport_ = nullptr;
    int busyDepth_ = 0;
    bool startupDone_ = false;
};

}  // namespace kinloom
