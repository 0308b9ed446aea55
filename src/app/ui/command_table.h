#pragma once
#include "canvas/menu_state.h"
#include "canvas/ui/canvas_popup_menu.h"

#include <QKeySequence>
#include <QStyle>

#include <span>

namespace kinloom {

class MainWindow;
class Commands;
struct AppState;
class EditingController;
class CanvasWidget;
class AncestorTreeDialog;
class QualityCheckWindow;
class MissingInformationWindow;
class StatisticsWindow;
class HtmlReportDialog;
class PrintWindow;
class ScreenPrinter;
class HelpWindow;
class KeywordSearchDialog;

// Every user command of the main window, named once. The table (command_table.cpp) says the rest.
enum class CommandId {
    // File
    New, Open, OpenRecent, Save, SaveAs, CollectFiles, ImportVersion15, ImportVersion10, ImportGedcom, ExportGedcom,
    PrintTree, Exit,
    // Edit
    Undo, Redo, NewItem, Properties, Delete, SelectAll, AlignTop, AlignBottom, AlignLeft, AlignRight, CreateAncestorTree,
    CreateCompactTree, CreateFractalTree, OrganizeAncestorTree, OrganizeCompactTree, OrganizeFractalTree, MakeHome,
    // Search, Link, Alias
    Find, LinkToFather, LinkToMother, LinkToSpouse, DeleteFatherLink, DeleteMotherLink, DeleteSpouseLink, MakeAlias,
    MakeThisAlias, GoToAlias,
    // View
    Toolbar, Navigator, NameSearch, StatusBar, ColourCodes, GenderColours, NotesColours, PictureColours, NoColours,
    MarriageLinks, AdvancedTreeView,
    // Zoom
    Zoom200, Zoom100, Zoom50, Zoom35, Zoom20, Zoom10, Zoom5, Zoom1, ZoomToArea, ZoomIn, ZoomOut, FitWholeTree,
    FitSelection, ZoomToItem,
    // Tools
    QualityCheck, AutoArrange, FamilyChart, PrintScreen, Options,
    // Reports
    Html, SaveTreeAsGif, AlphabeticalList, AllIndividuals, Surnames, Places, Sources, MissingInformation,
    MissingBirthDates, MissingDeathDates, MissingSurnames, Charts, AncestorsChart, DescendantsChart, CompleteTreeChart,
    Statistics,
    // Help
    Contents, KeywordSearch, WhatsNew, GettingStarted, HomePage, DiscussionForum, About,
    // Only on the canvas popup or as a key of the window
    GoHome, GoToFather, GoToMother, ListOfSpouses, ListOfSiblings, ListOfChildren,
};

// The piece of the program that performs a command. A command is enabled only once its piece is
// installed (a main window on its own runs only its own commands).
enum class Part { Window, Undo, Canvas, Editing, Layout, Reports, ReportWindows, Html, Printing, Charts, Help, None };

// What the commands work on: the window, its state and the windows the pieces made at start.
struct CommandContext {
    MainWindow& window;
    AppState& state;
    Commands& commands;
    EditingController* editing = nullptr;
    CanvasWidget* canvas = nullptr;
    AncestorTreeDialog* ancestorTree = nullptr;
    QualityCheckWindow* qualityCheck = nullptr;
    MissingInformationWindow* missingInformation = nullptr;
    StatisticsWindow* statistics = nullptr;
    HtmlReportDialog* htmlReport = nullptr;
    PrintWindow* print = nullptr;
    ScreenPrinter* screenPrinter = nullptr;
    HelpWindow* help = nullptr;
    KeywordSearchDialog* keywordSearch = nullptr;
};

// Flags of a row.
enum CommandFlag : unsigned {
    SeparatorBefore = 1,   // a line above the entry
    ChangesTree = 2,       // runs in an undo step named after its text
    Checkable = 4,
    Checked = 8,           // checkable and checked at start
    Radio = 16,            // one of the checkable entries of its submenu of which one is checked
    Hidden = 32,
    Submenu = 64,          // the row is a submenu; the rows naming it as their menu go into it
    StartsOff = 128,       // a submenu that is off until its piece is installed
    WindowKey = 256,       // no menu entry: a key of the window
};

// A button of the toolbar: its place (buttons in order; a new group of ten starts after a line),
// hint, icon and the standard icon in its place when the icon is missing.
struct ToolbarButton {
    int place = 0;  // 0: no button
    const char* hint = nullptr;
    const char* icon = nullptr;
    QStyle::StandardPixmap fallback = QStyle::SP_CustomBase;
    bool ownState = false;  // enabled by rules of its own, not with its command
};

using CommandRun = void (*)(CommandContext&);
using CommandRule = bool (*)(const CommandContext&, const MainMenuState&);
using CommandText = QString (*)(const MainMenuState&);

// One command: where it appears, how it looks, when it is enabled and what runs it. The rows of a
// menu are in menu order; a row names its menu by its path ("&Edit" or "&Edit/&Create Ancestor Tree").
// A row whose text comes from `text` follows its text each time the states are brought up to date.
struct CommandRow {
    CommandId id;
    const char* menu;   // nullptr: no menu entry (popup only, or a key of the window)
    const char* text;
    QKeySequence key;
    QKeySequence otherKey;
    const char* icon;   // the menu entry's icon from the shipped icons, or nullptr
    unsigned flags;
    Part part;
    CommandRule enabled;  // nullptr: enabled once its piece is installed
    CommandRun run;       // nullptr: never enabled
    ToolbarButton toolbar;
    QAction* CanvasPopupMenu::*popupEntry;  // its entry on the canvas popup, or nullptr
    CommandText dynamicText = nullptr;
};

std::span<const CommandRow> commandTable();
const CommandRow& commandRow(CommandId id);
// "Link to &Father" -> "Link to Father": the name of the undo step a command makes.
QString stepName(const CommandRow& row);

}  // namespace kinloom
