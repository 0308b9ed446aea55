// The main menu and the toolbar of the main window. Every entry starts disabled; the command
// that runs it enables it when it connects.
#include "app/ui/main_window.h"

#include "app/ui/shipped_icons.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace kinloom {

namespace {

QAction* entry(QMenu* menu, const QString& caption, const QKeySequence& key = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString(caption).remove(QLatin1Char('&')));
    if (!key.isEmpty()) a->setShortcut(key);
    a->setEnabled(false);
    return a;
}

QAction* checkable(QMenu* menu, const QString& caption, const QKeySequence& key, bool checked) {
    QAction* a = entry(menu, caption, key);
    a->setCheckable(true);
    a->setChecked(checked);
    return a;
}

QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }

}  // namespace

void MainWindow::createMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    connect(file, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    newAction = entry(file, QStringLiteral("&New"));
    openAction = entry(file, QStringLiteral("&Open"), ctrl(Qt::Key_O));
    openRecentMenu = file->addMenu(QStringLiteral("Open &Recent"));
    openRecentMenu->setEnabled(false);
    saveAction = entry(file, QStringLiteral("&Save"), ctrl(Qt::Key_S));
    saveAsAction = entry(file, QStringLiteral("Save &As"));
    collectFilesAction = entry(file, QStringLiteral("&Collect all files"));
    file->addSeparator();
    importVersion15Action = entry(file, QStringLiteral("Import version 1.&5.x"));
    importVersion10Action = entry(file, QStringLiteral("Import version 1.&0"));
    file->addSeparator();
    importGedcomAction = entry(file, QStringLiteral("&Import GEDCOM file"));
    exportGedcomAction = entry(file, QStringLiteral("&Export to GEDCOM file"));
    file->addSeparator();
    printTreeAction = entry(file, QStringLiteral("&Print tree"));
    file->addSeparator();
    exitAction = entry(file, QStringLiteral("E&xit"));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    undoAction = entry(edit, QStringLiteral("&Undo"), ctrl(Qt::Key_Z));
    redoAction = entry(edit, QStringLiteral("&Redo"));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ctrl(Qt::Key_Y)});
    edit->addSeparator();
    newItemAction = entry(edit, QStringLiteral("&New Item"), ctrl(Qt::Key_N));
    propertiesAction = entry(edit, QStringLiteral("&Properties"), QKeySequence(Qt::Key_Return));
    // Enter is either Enter key: the main one and the keypad's.
    propertiesAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    deleteAction = entry(edit, QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete));
    edit->addSeparator();
    alignTopAction = entry(edit, QStringLiteral("Align &Top"));
    alignBottomAction = entry(edit, QStringLiteral("Align &Bottom"));
    alignLeftAction = entry(edit, QStringLiteral("Align &Left"));
    alignRightAction = entry(edit, QStringLiteral("Align &Right"));
    edit->addSeparator();
    createAncestorTreeMenu = edit->addMenu(QStringLiteral("&Create Ancestor Tree"));
    createCompactTreeAction = entry(createAncestorTreeMenu, QStringLiteral("&Compact"));
    createFractalTreeAction = entry(createAncestorTreeMenu, QStringLiteral("&Fractal style"));
    organizeAncestorTreeMenu = edit->addMenu(QStringLiteral("&Organize Ancestor Tree"));
    organizeCompactTreeAction = entry(organizeAncestorTreeMenu, QStringLiteral("&Compact"));
    organizeFractalTreeAction = entry(organizeAncestorTreeMenu, QStringLiteral("&Fractal Style"));
    edit->addSeparator();
    makeHomeAction = entry(edit, QStringLiteral("Make this item &Home"), ctrl(Qt::Key_Home));

    QMenu* search = bar->addMenu(QStringLiteral("&Search"));
    findAction = entry(search, QStringLiteral("&Find"), QKeySequence(Qt::Key_F3));

    QMenu* link = bar->addMenu(QStringLiteral("&Link"));
    linkToFatherAction = entry(link, QStringLiteral("Link to &Father"), QKeySequence(Qt::Key_F));
    linkToMotherAction = entry(link, QStringLiteral("Link to &Mother"), QKeySequence(Qt::Key_M));
    linkToSpouseAction = entry(link, QStringLiteral("&Link to Spouse"), QKeySequence(Qt::Key_L));
    link->addSeparator();
    deleteFatherLinkAction = entry(link, QStringLiteral("Delete Link to Father"), ctrl(Qt::Key_F));
    deleteMotherLinkAction = entry(link, QStringLiteral("Delete Link to Mother"), ctrl(Qt::Key_M));
    deleteSpouseLinkAction = entry(link, QStringLiteral("Delete Link to Spouse"), ctrl(Qt::Key_L));

    QMenu* alias = bar->addMenu(QStringLiteral("&Alias"));
    makeAliasAction = entry(alias, QStringLiteral("Make &Alias"), ctrl(Qt::Key_A));
    makeThisAliasAction = entry(alias, QStringLiteral("Make &This an Alias"), ctrl(Qt::Key_T));
    alias->addSeparator();
    goToAliasAction = entry(alias, QStringLiteral("&Go to Alias"), ctrl(Qt::Key_G));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    toolbarAction = checkable(view, QStringLiteral("&Toolbar"), QKeySequence(Qt::Key_F7), true);
    navigatorAction = checkable(view, QStringLiteral("&Navigator"), QKeySequence(Qt::Key_F8), true);
    nameSearchAction = checkable(view, QStringLiteral("Name Search"), QKeySequence(Qt::Key_F9), false);
    statusBarAction = checkable(view, QStringLiteral("&Status bar "), QKeySequence(Qt::Key_F10), true);
    view->addSeparator();
    colourCodesMenu = view->addMenu(QStringLiteral("&Color codes"));
    colourCodesGroup = new QActionGroup(this);
    genderColoursAction = checkable(colourCodesMenu, QStringLiteral("&Gender"), {}, false);
    notesColoursAction = checkable(colourCodesMenu, QStringLiteral("N&otes"), {}, false);
    pictureColoursAction = checkable(colourCodesMenu, QStringLiteral("&Picture"), {}, false);
    colourCodesMenu->addSeparator();
    noColoursAction = checkable(colourCodesMenu, QStringLiteral("&None"), {}, true);
    for (QAction* a : {genderColoursAction, notesColoursAction, pictureColoursAction, noColoursAction}) colourCodesGroup->addAction(a);
    // Two entries that were never finished: kept, hidden, changing nothing.
    marriageLinksAction = checkable(view, QStringLiteral("&Marriage Links"), {}, true);
    marriageLinksAction->setVisible(false);
    advancedTreeViewAction = entry(view, QStringLiteral("&Advanced tree view"));
    advancedTreeViewAction->setVisible(false);

    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    zoom200Action = entry(zoom, QStringLiteral("200%"), ctrl(Qt::Key_F1));
    zoom100Action = entry(zoom, QStringLiteral("100%"), ctrl(Qt::Key_F2));
    zoom50Action = entry(zoom, QStringLiteral("50%"), ctrl(Qt::Key_F3));
    zoom35Action = entry(zoom, QStringLiteral("35%"), ctrl(Qt::Key_F4));
    zoom20Action = entry(zoom, QStringLiteral("20%"), ctrl(Qt::Key_F5));
    zoom10Action = entry(zoom, QStringLiteral("10%"), ctrl(Qt::Key_F6));
    zoom5Action = entry(zoom, QStringLiteral("5%"), ctrl(Qt::Key_F7));
    zoom1Action = entry(zoom, QStringLiteral("1%"), ctrl(Qt::Key_F8));
    zoom->addSeparator();
    zoomToAreaAction = checkable(zoom, QStringLiteral("Zoom to &Area"), {}, false);
    zoom->addSeparator();
    zoomInAction = entry(zoom, QStringLiteral("Zoom &In"), QKeySequence(Qt::Key_I));
    zoomOutAction = entry(zoom, QStringLiteral("Zoom &Out"), QKeySequence(Qt::Key_O));
    zoom->addSeparator();
    fitWholeTreeAction = entry(zoom, QStringLiteral("Fit &Whole Tree"), QKeySequence(Qt::Key_W));
    fitSelectionAction = entry(zoom, QStringLiteral("Fit &Selection"));
    zoomToItemAction = new QAction(QStringLiteral("&Zoom to Item"), this);
    zoomToItemAction->setObjectName(QStringLiteral("Zoom to Item"));
    zoomToItemAction->setShortcut(QKeySequence(Qt::Key_Z));
    zoomToItemAction->setEnabled(false);
    addAction(zoomToItemAction);

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    qualityCheckAction = entry(tools, QStringLiteral("&Quality check"));
    autoArrangeAction = entry(tools, QStringLiteral("&Auto Arrange Items"));
    familyChartAction = entry(tools, QStringLiteral("Arrange as &Family Chart"));
    printScreenAction = entry(tools, QStringLiteral("&Print Screen"));
    tools->addSeparator();
    optionsAction = entry(tools, QStringLiteral("&Options"));

    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    htmlAction = entry(reports, QStringLiteral("&HTML - Generate web pages"));
    saveTreeAsGifAction = entry(reports, QStringLiteral("Save tree as &GIF image "));
    reports->addSeparator();
    alphabeticalListMenu = reports->addMenu(QStringLiteral("&Alphabetical list"));
    allIndividualsAction = entry(alphabeticalListMenu, QStringLiteral("&All individuals"));
    surnamesAction = entry(alphabeticalListMenu, QStringLiteral("&Surnames"));
    placesAction = entry(alphabeticalListMenu, QStringLiteral("&Places"));
    sourcesAction = entry(alphabeticalListMenu, QStringLiteral("&Sources"));
    missingInformationMenu = reports->addMenu(QStringLiteral("&Missing information"));
    missingBirthDatesAction = entry(missingInformationMenu, QStringLiteral("&Birth dates"));
    missingDeathDatesAction = entry(missingInformationMenu, QStringLiteral("&Death dates"));
    missingSurnamesAction = entry(missingInformationMenu, QStringLiteral("&Surnames"));
    missingInformationMenu->setEnabled(false);
    reports->addSeparator();
    chartsMenu = reports->addMenu(QStringLiteral("&Charts"));
    ancestorsChartAction = entry(chartsMenu, QStringLiteral("&Ancestors"));
    descendantsChartAction = entry(chartsMenu, QStringLiteral("&Descendants"));
    chartsMenu->addSeparator();
    completeTreeChartAction = entry(chartsMenu, QStringLiteral("&Complete tree"));
    chartsMenu->setEnabled(false);
    statisticsAction = entry(reports, QStringLiteral("&Statistics"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    contentsAction = entry(help, QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1));
    keywordSearchAction = entry(help, QStringLiteral("&Keyword Search"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    whatsNewAction = entry(help, QStringLiteral("&What's New"));
    gettingStartedAction = entry(help, QStringLiteral("&Getting Started"));
    help->addSeparator();
    homePageAction = entry(help, QStringLiteral("Kinloom &Home Page"));
    discussionForumAction = entry(help, QStringLiteral("Kinloom &Discussion Forum"));
    help->addSeparator();
    aboutAction = entry(help, QStringLiteral("&About..."));

    const std::pair<QAction*, const char*> icons[] = {
        {newAction, "document-new"},        {openAction, "document-open"},       {saveAction, "document-save"},
        {saveAsAction, "document-save-as"}, {printTreeAction, "document-print"}, {exitAction, "system-log-out"},
        {newItemAction, "contact-new"},     {propertiesAction, "document-properties"},
        {findAction, "edit-find"},          {fitWholeTreeAction, "view-fullscreen"},
        {zoomToAreaAction, "system-search"}, {optionsAction, "preferences-system"}, {contentsAction, "help-browser"}};
    for (const auto& [action, name] : icons) action->setIcon(shippedIcon(QString::fromLatin1(name)));
}

void MainWindow::createToolbar() {
    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(true);
    toolbar_->setFloatable(true);
    addToolBar(Qt::LeftToolBarArea, toolbar_);

    QStyle* style = QApplication::style();
    // A button follows the enabled state of its menu command unless `own` says it has rules of its own.
    auto button = [this, style](const QString& hint, const QString& theme, QStyle::StandardPixmap fallback,
                                QAction* runs, bool own = false) {
        QIcon icon = shippedIcon(theme);
        if (icon.isNull()) icon = style->standardIcon(fallback);
        QAction* b = toolbar_->addAction(icon, hint);
        b->setObjectName(hint);
        b->setToolTip(hint);
        b->setEnabled(false);
        connect(b, &QAction::triggered, runs, &QAction::trigger);
        if (!own) connect(runs, &QAction::changed, b, [b, runs] { b->setEnabled(runs->isEnabled()); });
        return b;
    };
    openButton = button(QStringLiteral("Open family tree"), QStringLiteral("document-open"),
                        QStyle::SP_DialogOpenButton, openAction);
    saveButton = button(QStringLiteral("Save family tree"), QStringLiteral("document-save"),
                        QStyle::SP_DialogSaveButton, saveAction);
    toolbar_->addSeparator();
    undoButton = button(QStringLiteral("Undo"), QStringLiteral("edit-undo"), QStyle::SP_ArrowBack, undoAction);
    redoButton = button(QStringLiteral("Redo"), QStringLiteral("edit-redo"), QStyle::SP_ArrowForward, redoAction);
    toolbar_->addSeparator();
    newPersonButton = button(QStringLiteral("New person"), QStringLiteral("contact-new"), QStyle::SP_FileIcon, newItemAction);
    editPropertiesButton = button(QStringLiteral("Edit properties"), QStringLiteral("document-properties"),
                                  QStyle::SP_FileDialogDetailedView, propertiesAction, true);
    createTreeButton = button(QStringLiteral("Create ancestor tree"), QStringLiteral("view-list-tree"),
                              QStyle::SP_FileDialogListView, createCompactTreeAction, true);
    toolbar_->addSeparator();
    zoomAreaButton = button(QStringLiteral("Zoom to area"), QStringLiteral("zoom-fit-best"),
                            QStyle::SP_FileDialogContentsView, zoomToAreaAction);
    navigatorButton = button(QStringLiteral("View/hide Navigator"), QStringLiteral("view-grid"),
                             QStyle::SP_ComputerIcon, navigatorAction);
    nameSearchButton = button(QStringLiteral("View/hide Name Search"), QStringLiteral("edit-find"),
                              QStyle::SP_FileDialogInfoView, nameSearchAction);
    printButton = button(QStringLiteral("Print tree or selected items"), QStringLiteral("document-print"),
                         QStyle::SP_DriveFDIcon, printTreeAction);
    toolbar_->addSeparator();
    helpButton = button(QStringLiteral("Help"), QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton, contentsAction);
}

}  // namespace kinloom
