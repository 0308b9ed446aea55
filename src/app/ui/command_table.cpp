// The table of the main window's commands: one row per command, menus top to bottom.
//
// To add a command: write the function that performs it (in the file of its piece), add its id to
// CommandId and its row here, and test it through Commands::run. Menus, toolbar, popup, enabled
// states and the undo step follow from the row.
#include "app/ui/command_table.h"

#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/ui/canvas_wiring.h"
#include "app/ui/chart_report_wiring.h"
#include "app/ui/commands.h"
#include "app/ui/editing_wiring.h"
#include "app/ui/help_wiring.h"
#include "app/ui/html_report_wiring.h"
#include "app/ui/layout_wiring.h"
#include "app/ui/main_window.h"
#include "app/ui/print_wiring.h"
#include "app/ui/report_windows_wiring.h"
#include "app/ui/reports_wiring.h"
#include "app/ui/undo_wiring.h"
#include "canvas/ui/editing_controller.h"

#include <QStatusBar>
#include <QToolBar>

namespace kinloom {

namespace {

using C = CommandContext;
using M = MainMenuState;
using P = CanvasPopupMenu;
using S = QStyle;

QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }
QKeySequence key(Qt::Key k) { return QKeySequence(k); }

// Edit > Select All: every box joins the selection, for the Align entries or a drag of the whole tree.
void selectAllItems(C& c) {
    ItemStore& store = c.state.store;
    for (PersonItem* p = store.firstItem(); p; p = p->Next)
        if (!p->Selected) store.addToSelection(p);
    c.window.requestRepaint();
}

const CommandRow kRows[] = {
    // id, menu, text, key, other key, icon, flags, piece, enabled when, runs, toolbar button, popup entry
    {CommandId::New, "&File", "&New", {}, {}, "document-new", 0, Part::Window, nullptr, [](C& c) { c.window.newTree(); }, {}, nullptr},
    {CommandId::Open, "&File", "&Open", ctrl(Qt::Key_O), {}, "document-open", 0, Part::Window,
     [](const C& c, const M&) { return bool(c.state.files.read); }, [](C& c) { c.window.openTree(); },
     {10, "Open family tree", "document-open", S::SP_DialogOpenButton}, nullptr},
    // Filled from the recent files each time the File menu opens.
    {CommandId::OpenRecent, "&File", "Open &Recent", {}, {}, nullptr, Submenu | StartsOff, Part::Window,
     [](const C& c, const M&) { return !c.state.recentFiles.files().isEmpty() && bool(c.state.files.read); }, nullptr, {}, nullptr},
    {CommandId::Save, "&File", "&Save", ctrl(Qt::Key_S), {}, "document-save", 0, Part::Window,
     [](const C& c, const M&) { return bool(c.state.files.save); }, [](C& c) { c.window.saveTree(); },
     {11, "Save family tree", "document-save", S::SP_DialogSaveButton}, nullptr},
    {CommandId::SaveAs, "&File", "Save &As", {}, {}, "document-save-as", 0, Part::Window,
     [](const C& c, const M&) { return bool(c.state.files.save); }, [](C& c) { c.window.saveTreeAs(); }, {}, nullptr},
    {CommandId::CollectFiles, "&File", "&Collect all files", {}, {}, nullptr, 0, Part::Reports, nullptr, collectAllFiles, {}, nullptr},
    {CommandId::ImportVersion15, "&File", "Import version 1.&5.x", {}, {}, nullptr, SeparatorBefore, Part::Window,
     [](const C& c, const M&) { return bool(c.state.files.readVersion15); }, [](C& c) { importVersion15(c.state); }, {}, nullptr},
    {CommandId::ImportVersion10, "&File", "Import version 1.&0", {}, {}, nullptr, 0, Part::Window,
     [](const C& c, const M&) { return bool(c.state.files.readVersion10); }, [](C& c) { importVersion10(c.state); }, {}, nullptr},
    {CommandId::ImportGedcom, "&File", "&Import GEDCOM file", {}, {}, nullptr, SeparatorBefore, Part::Window,
     [](const C& c, const M&) { return c.window.hasGedcomImportDialog(); }, [](C& c) { c.window.importGedcom(); }, {}, nullptr},
    {CommandId::ExportGedcom, "&File", "&Export to GEDCOM file", {}, {}, nullptr, 0, Part::Window, nullptr,
     [](C& c) { c.window.exportGedcom(); }, {}, nullptr},
    {CommandId::PrintTree, "&File", "&Print tree", {}, {}, "document-print", SeparatorBefore, Part::Printing, nullptr, openPrintWindow,
     {43, "Print tree or selected items", "document-print", S::SP_DriveFDIcon}, nullptr},
    {CommandId::Exit, "&File", "E&xit", {}, {}, "system-log-out", SeparatorBefore, Part::Window, nullptr,
     [](C& c) { c.window.exitProgram(); }, {}, nullptr},

    {CommandId::Undo, "&Edit", "&Undo", ctrl(Qt::Key_Z), {}, nullptr, 0, Part::Undo, canUndo, undoStep,
     {20, "Undo", "edit-undo", S::SP_ArrowBack}, nullptr},
    {CommandId::Redo, "&Edit", "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ctrl(Qt::Key_Y), nullptr, 0, Part::Undo,
     canRedo, redoStep, {21, "Redo", "edit-redo", S::SP_ArrowForward}, nullptr},
    {CommandId::NewItem, "&Edit", "&New Item", ctrl(Qt::Key_N), {}, "contact-new", SeparatorBefore | ChangesTree, Part::Editing,
     nullptr, [](C& c) { c.editing->newPerson(); }, {30, "New person", "contact-new", S::SP_FileIcon}, &P::newItem},
    // Enter is either Enter key: the main one and the keypad's.
    {CommandId::Properties, "&Edit", "&Properties", key(Qt::Key_Return), key(Qt::Key_Enter), "document-properties", ChangesTree,
     Part::Editing, [](const C&, const M& m) { return m.properties; }, [](C& c) { c.editing->editProperties(); },
     {31, "Edit properties", "document-properties", S::SP_FileDialogDetailedView, true}, &P::editProperties},
    {CommandId::Delete, "&Edit", "&Delete", key(Qt::Key_Delete), {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.deleteItem; }, [](C& c) { c.editing->deletePerson(); }, {}, &P::deleteItem},
    {CommandId::SelectAll, "&Edit", "Select &All", {}, {}, nullptr, 0, Part::Editing,
     [](const C& c, const M&) { return !c.state.store.empty(); }, selectAllItems, {}, nullptr},
    {CommandId::AlignTop, "&Edit", "Align &Top", {}, {}, nullptr, SeparatorBefore | ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.align; }, [](C& c) { c.editing->alignTop(); }, {}, &P::alignTop},
    {CommandId::AlignBottom, "&Edit", "Align &Bottom", {}, {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.align; }, [](C& c) { c.editing->alignBottom(); }, {}, &P::alignBottom},
    {CommandId::AlignLeft, "&Edit", "Align &Left", {}, {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.align; }, [](C& c) { c.editing->alignLeft(); }, {}, &P::alignLeft},
    {CommandId::AlignRight, "&Edit", "Align &Right", {}, {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.align; }, [](C& c) { c.editing->alignRight(); }, {}, &P::alignRight},
    {CommandId::CreateAncestorTree, "&Edit", "&Create Ancestor Tree", {}, {}, nullptr, SeparatorBefore | Submenu, Part::Layout,
     [](const C&, const M& m) { return m.createAncestors; }, nullptr, {}, nullptr},
    // The toolbar's button runs the compact tree under rules of its own, so the entry stays on.
    {CommandId::CreateCompactTree, "&Edit/&Create Ancestor Tree", "&Compact", {}, {}, nullptr, ChangesTree, Part::Layout, nullptr,
     [](C& c) { createAncestorTree(c, TreeStyle::Compact); },
     {32, "Create ancestor tree", "view-list-tree", S::SP_FileDialogListView, true}, nullptr},
    {CommandId::CreateFractalTree, "&Edit/&Create Ancestor Tree", "&Fractal style", {}, {}, nullptr, ChangesTree, Part::Layout,
     nullptr, [](C& c) { createAncestorTree(c, TreeStyle::Fractal); }, {}, nullptr},
    {CommandId::OrganizeAncestorTree, "&Edit", "&Organize Ancestor Tree", {}, {}, nullptr, Submenu, Part::Layout,
     [](const C&, const M& m) { return m.organizeAncestors; }, nullptr, {}, nullptr},
    {CommandId::OrganizeCompactTree, "&Edit/&Organize Ancestor Tree", "&Compact", {}, {}, nullptr, ChangesTree, Part::Layout,
     [](const C&, const M& m) { return m.organizeAncestors; }, [](C& c) { organizeAncestorTree(c, TreeStyle::Compact); }, {}, nullptr},
    {CommandId::OrganizeFractalTree, "&Edit/&Organize Ancestor Tree", "&Fractal Style", {}, {}, nullptr, ChangesTree, Part::Layout,
     [](const C&, const M& m) { return m.organizeAncestors; }, [](C& c) { organizeAncestorTree(c, TreeStyle::Fractal); }, {}, nullptr},
    {CommandId::MakeHome, "&Edit", "Make this item &Home", ctrl(Qt::Key_Home), {}, nullptr, SeparatorBefore | ChangesTree,
     Part::Editing, [](const C&, const M& m) { return m.makeHome; }, [](C& c) { c.editing->makeHome(); }, {}, &P::makeThisHome},

    {CommandId::Find, "&Search", "&Find", key(Qt::Key_F3), {}, "edit-find", 0, Part::Editing, nullptr, toggleNameSearch, {}, nullptr},

    {CommandId::LinkToFather, "&Link", "Link to &Father", key(Qt::Key_F), {}, nullptr, 0, Part::Editing,
     [](const C&, const M& m) { return m.linkParentsAndSpouse; }, [](C& c) { c.editing->linkToFather(); }, {}, &P::linkToFather},
    {CommandId::LinkToMother, "&Link", "Link to &Mother", key(Qt::Key_M), {}, nullptr, 0, Part::Editing,
     [](const C&, const M& m) { return m.linkParentsAndSpouse; }, [](C& c) { c.editing->linkToMother(); }, {}, &P::linkToMother},
    {CommandId::LinkToSpouse, "&Link", "&Link to Spouse", key(Qt::Key_L), {}, nullptr, 0, Part::Editing,
     [](const C&, const M& m) { return m.linkParentsAndSpouse; }, [](C& c) { c.editing->linkToSpouse(); }, {}, &P::linkToSpouse},
    {CommandId::DeleteFatherLink, "&Link", "Delete Link to Father", ctrl(Qt::Key_F), {}, nullptr, SeparatorBefore | ChangesTree,
     Part::Editing, [](const C&, const M& m) { return m.deleteFatherLink; }, [](C& c) { c.editing->deleteFatherLink(); }, {},
     &P::deleteLinkFather},
    {CommandId::DeleteMotherLink, "&Link", "Delete Link to Mother", ctrl(Qt::Key_M), {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.deleteMotherLink; }, [](C& c) { c.editing->deleteMotherLink(); }, {}, &P::deleteLinkMother},
    {CommandId::DeleteSpouseLink, "&Link", "Delete Link to Spouse", ctrl(Qt::Key_L), {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.deleteSpouseLink; }, [](C& c) { c.editing->deleteSpouseLink(); }, {}, &P::deleteLinkSpouse},

    {CommandId::MakeAlias, "&Alias", "Make &Alias", ctrl(Qt::Key_A), {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.makeAlias; }, [](C& c) { c.editing->makeAlias(); }, {}, &P::makeAliasAction},
    {CommandId::MakeThisAlias, "&Alias", "Make &This an Alias", ctrl(Qt::Key_T), {}, nullptr, ChangesTree, Part::Editing,
     [](const C&, const M& m) { return m.makeThisAlias; }, [](C& c) { c.editing->makeThisAlias(); }, {}, &P::makeThisAliasAction},
    {CommandId::GoToAlias, "&Alias", "&Go to Alias", ctrl(Qt::Key_G), {}, nullptr, SeparatorBefore, Part::Editing,
     [](const C&, const M& m) { return m.gotoAlias; }, [](C& c) { c.editing->goToAlias(); }, {}, &P::goToAliasEntry,
     [](const M& m) { return m.gotoAliasCaption; }},

    {CommandId::Toolbar, "&View", "&Toolbar", key(Qt::Key_F7), {}, nullptr, Checkable | Checked, Part::Editing, nullptr,
     [](C& c) { c.window.toolbar()->setVisible(c.commands.isChecked(CommandId::Toolbar)); }, {}, nullptr},
    {CommandId::Navigator, "&View", "&Navigator", key(Qt::Key_F8), {}, nullptr, Checkable | Checked, Part::Editing, nullptr,
     [](C& c) { c.editing->toggleNavigator(); }, {41, "View/hide Navigator", "view-grid", S::SP_ComputerIcon}, nullptr},
    {CommandId::NameSearch, "&View", "Name Search", key(Qt::Key_F9), {}, nullptr, Checkable, Part::Editing, nullptr,
     toggleNameSearch, {42, "View/hide Name Search", "edit-find", S::SP_FileDialogInfoView}, nullptr},
    {CommandId::StatusBar, "&View", "&Status bar ", key(Qt::Key_F10), {}, nullptr, Checkable | Checked, Part::Editing, nullptr,
     [](C& c) { c.window.statusBar()->setVisible(c.commands.isChecked(CommandId::StatusBar)); }, {}, nullptr},
    {CommandId::ColourCodes, "&View", "&Color codes", {}, {}, nullptr, SeparatorBefore | Submenu, Part::Canvas, nullptr, nullptr, {},
     nullptr},
    {CommandId::GenderColours, "&View/&Color codes", "&Gender", {}, {}, nullptr, Radio, Part::Canvas, nullptr,
     [](C& c) { setColourCode(c, ColourCode::Gender); }, {}, nullptr},
    {CommandId::NotesColours, "&View/&Color codes", "N&otes", {}, {}, nullptr, Radio, Part::Canvas, nullptr,
     [](C& c) { setColourCode(c, ColourCode::Notes); }, {}, nullptr},
    {CommandId::PictureColours, "&View/&Color codes", "&Picture", {}, {}, nullptr, Radio, Part::Canvas, nullptr,
     [](C& c) { setColourCode(c, ColourCode::Picture); }, {}, nullptr},
    {CommandId::NoColours, "&View/&Color codes", "&None", {}, {}, nullptr, SeparatorBefore | Radio | Checked, Part::Canvas, nullptr,
     [](C& c) { setColourCode(c, ColourCode::None); }, {}, nullptr},
    // Two entries that were never finished: kept, hidden, changing nothing.
    {CommandId::MarriageLinks, "&View", "&Marriage Links", {}, {}, nullptr, Checkable | Checked | Hidden, Part::None, nullptr,
     nullptr, {}, nullptr},
    {CommandId::AdvancedTreeView, "&View", "&Advanced tree view", {}, {}, nullptr, Hidden, Part::None, nullptr, nullptr, {}, nullptr},

    {CommandId::Zoom200, "&Zoom", "200%", ctrl(Qt::Key_F1), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 200); }, {}, nullptr},
    {CommandId::Zoom100, "&Zoom", "100%", ctrl(Qt::Key_F2), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 100); }, {}, nullptr},
    {CommandId::Zoom50, "&Zoom", "50%", ctrl(Qt::Key_F3), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 50); }, {}, nullptr},
    {CommandId::Zoom35, "&Zoom", "35%", ctrl(Qt::Key_F4), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 35); }, {}, nullptr},
    {CommandId::Zoom20, "&Zoom", "20%", ctrl(Qt::Key_F5), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 20); }, {}, nullptr},
    {CommandId::Zoom10, "&Zoom", "10%", ctrl(Qt::Key_F6), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 10); }, {}, nullptr},
    {CommandId::Zoom5, "&Zoom", "5%", ctrl(Qt::Key_F7), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 5); }, {}, nullptr},
    {CommandId::Zoom1, "&Zoom", "1%", ctrl(Qt::Key_F8), {}, nullptr, 0, Part::Canvas, nullptr, [](C& c) { zoomCanvasTo(c, 1); }, {}, nullptr},
    // The menu entry holds the check mark; the toolbar button and Ctrl share it.
    {CommandId::ZoomToArea, "&Zoom", "Zoom to &Area", {}, {}, "system-search", SeparatorBefore | Checkable, Part::Canvas, nullptr,
     zoomToAreaClicked, {40, "Zoom to area", "zoom-fit-best", S::SP_FileDialogContentsView}, nullptr},
    {CommandId::ZoomIn, "&Zoom", "Zoom &In", key(Qt::Key_I), {}, nullptr, SeparatorBefore, Part::Canvas, nullptr, zoomCanvasIn, {}, nullptr},
    {CommandId::ZoomOut, "&Zoom", "Zoom &Out", key(Qt::Key_O), {}, nullptr, 0, Part::Canvas, nullptr, zoomCanvasOut, {}, nullptr},
    {CommandId::FitWholeTree, "&Zoom", "Fit &Whole Tree", key(Qt::Key_W), {}, "view-fullscreen", SeparatorBefore, Part::Canvas,
     nullptr, fitCanvasToWholeTree, {}, nullptr},
    {CommandId::FitSelection, "&Zoom", "Fit &Selection", {}, {}, nullptr, 0, Part::Canvas, nullptr, fitCanvasToSelection, {}, nullptr},
    // The popup's "&Zoom to Item" (Z) is a key of the window, so that it works with the popup closed.
    {CommandId::ZoomToItem, nullptr, "&Zoom to Item", key(Qt::Key_Z), {}, nullptr, WindowKey, Part::Canvas, nullptr, zoomCanvasToItem,
     {}, nullptr},

    {CommandId::QualityCheck, "&Tools", "&Quality check", {}, {}, nullptr, 0, Part::Reports, nullptr, showQualityCheck, {}, nullptr},
    {CommandId::AutoArrange, "&Tools", "&Auto Arrange Items", {}, {}, nullptr, ChangesTree, Part::Layout, nullptr, autoArrange, {},
     nullptr},
    {CommandId::FamilyChart, "&Tools", "Arrange as &Family Chart", {}, {}, nullptr, ChangesTree, Part::Layout, nullptr,
     arrangeAsFamilyChart, {}, nullptr},
    {CommandId::PrintScreen, "&Tools", "&Print Screen", {}, {}, nullptr, 0, Part::Printing, nullptr, printScreen, {}, nullptr},
    {CommandId::Options, "&Tools", "&Options", {}, {}, "preferences-system", SeparatorBefore, Part::Window, nullptr,
     [](C& c) { c.window.showOptions(); }, {}, nullptr},

    {CommandId::Html, "&Reports", "&HTML - Generate web pages", {}, {}, nullptr, 0, Part::Html, nullptr, showHtmlReport, {}, nullptr},
    {CommandId::SaveTreeAsGif, "&Reports", "Save tree as &GIF image ", {}, {}, nullptr, 0, Part::Reports,
     [](const C& c, const M&) { return !c.state.store.empty(); }, saveTreeAsGif, {}, nullptr},
    {CommandId::AlphabeticalList, "&Reports", "&Alphabetical list", {}, {}, nullptr, SeparatorBefore | Submenu, Part::Reports,
     nullptr, nullptr, {}, nullptr},
    {CommandId::AllIndividuals, "&Reports/&Alphabetical list", "&All individuals", {}, {}, nullptr, 0, Part::Reports, nullptr,
     writeAlphabeticalList, {}, nullptr},
    {CommandId::Surnames, "&Reports/&Alphabetical list", "&Surnames", {}, {}, nullptr, 0, Part::Reports, nullptr, writeSurnameList,
     {}, nullptr},
    {CommandId::Places, "&Reports/&Alphabetical list", "&Places", {}, {}, nullptr, 0, Part::Reports, nullptr, writePlaceList, {},
     nullptr},
    {CommandId::Sources, "&Reports/&Alphabetical list", "&Sources", {}, {}, nullptr, 0, Part::Reports, nullptr, writeSourceList, {},
     nullptr},
    {CommandId::MissingInformation, "&Reports", "&Missing information", {}, {}, nullptr, Submenu | StartsOff, Part::ReportWindows,
     nullptr, nullptr, {}, nullptr},
    {CommandId::MissingBirthDates, "&Reports/&Missing information", "&Birth dates", {}, {}, nullptr, 0, Part::ReportWindows, nullptr,
     [](C& c) { showMissingInformation(c, MissingField::BirthDate); }, {}, nullptr},
    {CommandId::MissingDeathDates, "&Reports/&Missing information", "&Death dates", {}, {}, nullptr, 0, Part::ReportWindows, nullptr,
     [](C& c) { showMissingInformation(c, MissingField::DeathDate); }, {}, nullptr},
    {CommandId::MissingSurnames, "&Reports/&Missing information", "&Surnames", {}, {}, nullptr, 0, Part::ReportWindows, nullptr,
     [](C& c) { showMissingInformation(c, MissingField::Surname); }, {}, nullptr},
    {CommandId::Charts, "&Reports", "&Charts", {}, {}, nullptr, SeparatorBefore | Submenu | StartsOff, Part::Charts,
     [](const C& c, const M&) { return !c.state.store.empty(); }, nullptr, {}, nullptr},
    {CommandId::AncestorsChart, "&Reports/&Charts", "&Ancestors", {}, {}, nullptr, 0, Part::Charts, nullptr, showAncestorsChart, {},
     nullptr},
    {CommandId::DescendantsChart, "&Reports/&Charts", "&Descendants", {}, {}, nullptr, 0, Part::Charts, nullptr,
     showDescendantsChart, {}, nullptr},
    {CommandId::CompleteTreeChart, "&Reports/&Charts", "&Complete tree", {}, {}, nullptr, SeparatorBefore, Part::Charts, nullptr,
     showCompleteTreeChart, {}, nullptr},
    {CommandId::Statistics, "&Reports", "&Statistics", {}, {}, nullptr, 0, Part::ReportWindows, nullptr, showStatistics, {}, nullptr},

    {CommandId::Contents, "&Help", "&Contents", key(Qt::Key_F1), {}, "help-browser", 0, Part::Help, nullptr,
     [](C& c) { showHelpTopic(c, HelpTopic::Contents); }, {50, "Help", "help-contents", S::SP_DialogHelpButton}, nullptr},
    {CommandId::KeywordSearch, "&Help", "&Keyword Search", QKeySequence(Qt::SHIFT | Qt::Key_F1), {}, nullptr, 0, Part::Help, nullptr,
     showKeywordSearch, {}, nullptr},
    {CommandId::WhatsNew, "&Help", "&What's New", {}, {}, nullptr, 0, Part::Help, nullptr,
     [](C& c) { showHelpTopic(c, HelpTopic::WhatsNew); }, {}, nullptr},
    {CommandId::GettingStarted, "&Help", "&Getting Started", {}, {}, nullptr, 0, Part::Help, nullptr,
     [](C& c) { showHelpTopic(c, HelpTopic::GettingStarted); }, {}, nullptr},
    {CommandId::HomePage, "&Help", "Kinloom &Home Page", {}, {}, nullptr, SeparatorBefore, Part::Help, nullptr,
     [](C& c) { openWebPage(c, WebPage::Home); }, {}, nullptr},
    {CommandId::DiscussionForum, "&Help", "Kinloom &Discussion Forum", {}, {}, nullptr, 0, Part::Help, nullptr,
     [](C& c) { openWebPage(c, WebPage::DiscussionForum); }, {}, nullptr},
    {CommandId::About, "&Help", "&About...", {}, {}, nullptr, SeparatorBefore, Part::Window, nullptr, [](C& c) { c.window.showAbout(); },
     {}, nullptr},

    // Home is a key of the window, like Z: it must work without opening the popup, and it must
    // leave the name search's box alone (the window's keys go with the menus while a name is typed).
    {CommandId::GoHome, nullptr, "&Home", key(Qt::Key_Home), {}, nullptr, WindowKey, Part::Editing, nullptr,
     [](C& c) { c.editing->goHome(); }, {}, &P::goToHomeEntry},
    {CommandId::GoToFather, nullptr, "&Father", {}, {}, nullptr, 0, Part::Editing, nullptr, [](C& c) { c.editing->goToFather(); }, {},
     &P::goToFatherEntry},
    {CommandId::GoToMother, nullptr, "&Mother", {}, {}, nullptr, 0, Part::Editing, nullptr, [](C& c) { c.editing->goToMother(); }, {},
     &P::goToMotherEntry},
    {CommandId::ListOfSpouses, nullptr, "List of &Spouses", {}, {}, nullptr, 0, Part::Editing, nullptr,
     [](C& c) { c.editing->listSpouses(); }, {}, &P::listOfSpouses},
    {CommandId::ListOfSiblings, nullptr, "List of S&iblings", {}, {}, nullptr, 0, Part::Editing, nullptr,
     [](C& c) { c.editing->listSiblings(); }, {}, &P::listOfSiblings},
    {CommandId::ListOfChildren, nullptr, "List of &Children", {}, {}, nullptr, 0, Part::Editing, nullptr,
     [](C& c) { c.editing->listChildren(); }, {}, &P::listOfChildren},
};

}  // namespace

std::span<const CommandRow> commandTable() { return kRows; }

const CommandRow& commandRow(CommandId id) {
    for (const CommandRow& row : kRows)
        if (row.id == id) return row;
    Q_UNREACHABLE();
}

QString stepName(const CommandRow& row) {
    QString text = QString::fromUtf8(row.text);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("..."))) text.chop(3);
    return text.trimmed();
}

}  // namespace kinloom
