#pragma once
#include "app/app_state.h"
#include "app/file_commands.h"

#include <QMainWindow>

#include <memory>

class QActionGroup;
class QToolBar;

namespace kinloom {

class Registry;
class Tkl_options;
class TAboutBox;
class Twelcome;

// The main window: the menus, the toolbar, the status line and the canvas around the one
// application state. Slots are one-line calls into the core commands.
//
// Other parts of the program plug in here:
//  - the canvas widget through setCanvas(); it calls RenewCaption() on every paint and repaints
//    on repaintRequested();
//  - their commands by connecting the QAction members below (named after their menu entries)
//    and enabling them; an entry whose command is not there yet stays disabled;
//  - their windows through the signals startupCompleted() and charsetChanged().
class TSlektstre : public QMainWindow {
    Q_OBJECT
public:
    TSlektstre(Registry& registry, Prompts& prompts, const QString& programPath, const QStringList& arguments,
               QWidget* parent = nullptr);
    ~TSlektstre() override;

    AppState& state() { return *state_; }
    QWidget* canvas() const { return canvas_; }
    // Replaces the central area; the window takes the widget.
    void setCanvas(QWidget* canvas);
    QToolBar* toolbar() const { return Toolbar1; }

    void setWelcome(Twelcome* welcome) { welcome_ = welcome; }
    void setAboutBox(TAboutBox* about) { about_ = about; }
    void setOptionsDialog(Tkl_options* options) { options_ = options; }
    Tkl_options* optionsDialog() const { return options_; }

    // File menu
    QAction *New1, *Open1, *Save1, *SaveAs1, *Exportallfiles1, *Openversion1531, *Version101, *Read1, *Write1,
        *Printtree1, *Exit1;
    // Edit menu
    QMenu *CreateAncestorTree1, *OrganizeAncestorTree1;
    QAction *Nyperson1, *Properties1, *Slettperson1, *Top1, *Bottom1, *Left1, *Right1, *Compact1, *Fractal1,
        *Compact2, *Fractal2, *Makehome1;
    // Search, Link and Alias menus
    QAction *Find1, *LinktoFather1, *LinktoMother2, *LinkMarriage1, *DeleteLinktoFather1, *DeleteLinktoMother1,
        *DeleteLinktoMarriage1, *MakeAlias, *MakeThisAlias, *GotoAlias1;
    // View menu
    QMenu* Colorcodes1;
    QActionGroup* ColorcodesGroup;
    QAction *Toolbar2, *Control1, *NameSearch1, *Statusbar2, *Gender1, *Notes1, *Picture1, *None1, *MarriageLinks1,
        *Advancedtreeview1;
    // Zoom menu, and the popup's "&Zoom to Item" (Z), which lives on the window for its shortcut
    QAction *N2001, *N1001, *N301, *N351, *N101, *N102, *N51, *N12, *Area1, *ZoomIn1, *ZoomOut1, *Zoom1;
    // Tools and Reports menus
    QMenu *Alphabeticallist1, *Missinginformation1, *Charts1;
    QAction *Qualitycheck1, *AutoArrange1, *PrintScreen1, *Options1, *HTML1, *SavetreeasGIFimage1, *Allindividuals1,
        *Surnames1, *Places1, *Sources1, *Birthdates1, *Deathdates1, *Surnames2, *Ancestors1, *Descendants1,
        *Completetree1, *Statistics1;
    // Help menu
    QAction *Contents1, *KeywordSearch1, *WhatsNew1, *GettingStarted1, *HomePage1, *DiscussionForum1, *About1;
    // Toolbar buttons: each runs the menu command beside it in the comment
    QToolBar* Toolbar1;
    QAction *OpenButton /*Open1*/, *SaveButton /*Save1*/, *NewPersonButton /*Nyperson1*/,
        *EditPropertiesButton /*Properties1*/, *CreateTreeButton /*Compact1*/, *ZoomAreaButton /*Area1*/,
        *NavigatorButton /*Control1*/, *NameSearchButton /*NameSearch1*/, *PrintButton /*Printtree1*/,
        *HelpButton /*Contents1*/;

public slots:
    void RenewCaption();
    void requestRepaint();
    // The welcome window's confirmation: charset, toolbar positions, enable and show.
    void CompleteStartup();

    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void Exit1Click();
    void Options1Click();
    void About1Click();
    void ScreenFont1Click();

signals:
    void repaintRequested();
    void charsetChanged();
    void interactionReset();
    void startupCompleted();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void createMenus();
    void createToolbar();
    void bindHooks();
    void connectFileCommands();
    void FormClose();
    void loadToolbarPosition();
    void saveToolbarPosition();
    WindowSize outerSize() const;

    std::unique_ptr<AppState> state_;
    QWidget* canvas_ = nullptr;
    Twelcome* welcome_ = nullptr;
    TAboutBox* about_ = nullptr;
    Tkl_options* options_ = nullptr;
    int busyDepth_ = 0;
    bool startupDone_ = false;
};

}  // namespace kinloom
