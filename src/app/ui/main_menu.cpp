// The main menu and the toolbar of the main window. Every entry starts disabled; the command
// that runs it enables it when it connects.
#include "app/ui/tslektstre.h"

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

void TSlektstre::createMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    New1 = entry(file, QStringLiteral("&New"));
    Open1 = entry(file, QStringLiteral("&Open"), ctrl(Qt::Key_O));
    Save1 = entry(file, QStringLiteral("&Save"), ctrl(Qt::Key_S));
    SaveAs1 = entry(file, QStringLiteral("Save &As"));
    Exportallfiles1 = entry(file, QStringLiteral("&Collect all files"));
    file->addSeparator();
    Openversion1531 = entry(file, QStringLiteral("Import version 1.&5.x"));
    Version101 = entry(file, QStringLiteral("Import version 1.&0"));
    file->addSeparator();
    Read1 = entry(file, QStringLiteral("&Import GEDCOM file"));
    Write1 = entry(file, QStringLiteral("&Export to GEDCOM file"));
    file->addSeparator();
    Printtree1 = entry(file, QStringLiteral("&Print tree"));
    file->addSeparator();
    Exit1 = entry(file, QStringLiteral("E&xit"));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    Nyperson1 = entry(edit, QStringLiteral("&New Item"), ctrl(Qt::Key_N));
    Properties1 = entry(edit, QStringLiteral("&Properties"), QKeySequence(Qt::Key_Return));
    // Enter is either Enter key: the main one and the keypad's.
    Properties1->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    Slettperson1 = entry(edit, QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete));
    edit->addSeparator();
    Top1 = entry(edit, QStringLiteral("Align &Top"));
    Bottom1 = entry(edit, QStringLiteral("Align &Bottom"));
    Left1 = entry(edit, QStringLiteral("Align &Left"));
    Right1 = entry(edit, QStringLiteral("Align &Right"));
    edit->addSeparator();
    CreateAncestorTree1 = edit->addMenu(QStringLiteral("&Create Ancestor Tree"));
    Compact1 = entry(CreateAncestorTree1, QStringLiteral("&Compact"));
    Fractal1 = entry(CreateAncestorTree1, QStringLiteral("&Fractal style"));
    OrganizeAncestorTree1 = edit->addMenu(QStringLiteral("&Organize Ancestor Tree"));
    Compact2 = entry(OrganizeAncestorTree1, QStringLiteral("&Compact"));
    Fractal2 = entry(OrganizeAncestorTree1, QStringLiteral("&Fractal Style"));
    edit->addSeparator();
    Makehome1 = entry(edit, QStringLiteral("Make this item &Home"), ctrl(Qt::Key_Home));

    QMenu* search = bar->addMenu(QStringLiteral("&Search"));
    Find1 = entry(search, QStringLiteral("&Find"), QKeySequence(Qt::Key_F3));

    QMenu* link = bar->addMenu(QStringLiteral("&Link"));
    LinktoFather1 = entry(link, QStringLiteral("Link to &Father"), QKeySequence(Qt::Key_F));
    LinktoMother2 = entry(link, QStringLiteral("Link to &Mother"), QKeySequence(Qt::Key_M));
    LinkMarriage1 = entry(link, QStringLiteral("&Link to Spouse"), QKeySequence(Qt::Key_L));
    link->addSeparator();
    DeleteLinktoFather1 = entry(link, QStringLiteral("Delete Link to Father"), ctrl(Qt::Key_F));
    DeleteLinktoMother1 = entry(link, QStringLiteral("Delete Link to Mother"), ctrl(Qt::Key_M));
    DeleteLinktoMarriage1 = entry(link, QStringLiteral("Delete Link to Spouse"), ctrl(Qt::Key_L));

    QMenu* alias = bar->addMenu(QStringLiteral("&Alias"));
    MakeAlias = entry(alias, QStringLiteral("Make &Alias"), ctrl(Qt::Key_A));
    MakeThisAlias = entry(alias, QStringLiteral("Make &This an Alias"), ctrl(Qt::Key_T));
    alias->addSeparator();
    GotoAlias1 = entry(alias, QStringLiteral("&Go to Alias"), ctrl(Qt::Key_G));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    Toolbar2 = checkable(view, QStringLiteral("&Toolbar"), QKeySequence(Qt::Key_F7), true);
    Control1 = checkable(view, QStringLiteral("&Navigator"), QKeySequence(Qt::Key_F8), true);
    NameSearch1 = checkable(view, QStringLiteral("Name Search"), QKeySequence(Qt::Key_F9), false);
    Statusbar2 = checkable(view, QStringLiteral("&Status bar "), QKeySequence(Qt::Key_F10), true);
    view->addSeparator();
    Colorcodes1 = view->addMenu(QStringLiteral("&Color codes"));
    ColorcodesGroup = new QActionGroup(this);
    Gender1 = checkable(Colorcodes1, QStringLiteral("&Gender"), {}, false);
    Notes1 = checkable(Colorcodes1, QStringLiteral("N&otes"), {}, false);
    Picture1 = checkable(Colorcodes1, QStringLiteral("&Picture"), {}, false);
    Colorcodes1->addSeparator();
    None1 = checkable(Colorcodes1, QStringLiteral("&None"), {}, true);
    for (QAction* a : {Gender1, Notes1, Picture1, None1}) ColorcodesGroup->addAction(a);
    // Two entries that were never finished: kept, hidden, changing nothing.
    MarriageLinks1 = checkable(view, QStringLiteral("&Marriage Links"), {}, true);
    MarriageLinks1->setVisible(false);
    Advancedtreeview1 = entry(view, QStringLiteral("&Advanced tree view"));
    Advancedtreeview1->setVisible(false);

    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    N2001 = entry(zoom, QStringLiteral("200%"), ctrl(Qt::Key_F1));
    N1001 = entry(zoom, QStringLiteral("100%"), ctrl(Qt::Key_F2));
    N301 = entry(zoom, QStringLiteral("50%"), ctrl(Qt::Key_F3));
    N351 = entry(zoom, QStringLiteral("35%"), ctrl(Qt::Key_F4));
    N101 = entry(zoom, QStringLiteral("20%"), ctrl(Qt::Key_F5));
    N102 = entry(zoom, QStringLiteral("10%"), ctrl(Qt::Key_F6));
    N51 = entry(zoom, QStringLiteral("5%"), ctrl(Qt::Key_F7));
    N12 = entry(zoom, QStringLiteral("1%"), ctrl(Qt::Key_F8));
    zoom->addSeparator();
    Area1 = checkable(zoom, QStringLiteral("Zoom to &Area"), {}, false);
    zoom->addSeparator();
    ZoomIn1 = entry(zoom, QStringLiteral("Zoom &In"), QKeySequence(Qt::Key_I));
    ZoomOut1 = entry(zoom, QStringLiteral("Zoom &Out"), QKeySequence(Qt::Key_O));
    Zoom1 = new QAction(QStringLiteral("&Zoom to Item"), this);
    Zoom1->setObjectName(QStringLiteral("Zoom to Item"));
    Zoom1->setShortcut(QKeySequence(Qt::Key_Z));
    Zoom1->setEnabled(false);
    addAction(Zoom1);

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    Qualitycheck1 = entry(tools, QStringLiteral("&Quality check"));
    AutoArrange1 = entry(tools, QStringLiteral("&Auto Arrange Items"));
    PrintScreen1 = entry(tools, QStringLiteral("&Print Screen"));
    tools->addSeparator();
    Options1 = entry(tools, QStringLiteral("&Options"));

    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    HTML1 = entry(reports, QStringLiteral("&HTML - Generate web pages"));
    SavetreeasGIFimage1 = entry(reports, QStringLiteral("Save tree as &GIF image "));
    reports->addSeparator();
    Alphabeticallist1 = reports->addMenu(QStringLiteral("&Alphabetical list"));
    Allindividuals1 = entry(Alphabeticallist1, QStringLiteral("&All individuals"));
    Surnames1 = entry(Alphabeticallist1, QStringLiteral("&Surnames"));
    Places1 = entry(Alphabeticallist1, QStringLiteral("&Places"));
    Sources1 = entry(Alphabeticallist1, QStringLiteral("&Sources"));
    Missinginformation1 = reports->addMenu(QStringLiteral("&Missing information"));
    Birthdates1 = entry(Missinginformation1, QStringLiteral("&Birth dates"));
    Deathdates1 = entry(Missinginformation1, QStringLiteral("&Death dates"));
    Surnames2 = entry(Missinginformation1, QStringLiteral("&Surnames"));
    Missinginformation1->setEnabled(false);
    reports->addSeparator();
    Charts1 = reports->addMenu(QStringLiteral("&Charts"));
    Ancestors1 = entry(Charts1, QStringLiteral("&Ancestors"));
    Descendants1 = entry(Charts1, QStringLiteral("&Descendants"));
    Charts1->addSeparator();
    Completetree1 = entry(Charts1, QStringLiteral("&Complete tree"));
    Charts1->setEnabled(false);
    Statistics1 = entry(reports, QStringLiteral("&Statistics"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    Contents1 = entry(help, QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1));
    KeywordSearch1 = entry(help, QStringLiteral("&Keyword Search"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    WhatsNew1 = entry(help, QStringLiteral("&What's New"));
    GettingStarted1 = entry(help, QStringLiteral("&Getting Started"));
    help->addSeparator();
    HomePage1 = entry(help, QStringLiteral("Kinloom &Home Page"));
    DiscussionForum1 = entry(help, QStringLiteral("Kinloom &Discussion Forum"));
    help->addSeparator();
    About1 = entry(help, QStringLiteral("&About..."));
}

void TSlektstre::createToolbar() {
    Toolbar1 = new QToolBar(QStringLiteral("Toolbar"), this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(true);
    Toolbar1->setFloatable(true);
    addToolBar(Qt::LeftToolBarArea, Toolbar1);

    QStyle* style = QApplication::style();
    // A button follows the enabled state of its menu command unless `own` says it has rules of its own.
    auto button = [this, style](const QString& hint, const QString& theme, QStyle::StandardPixmap fallback,
                                QAction* runs, bool own = false) {
        QAction* b = Toolbar1->addAction(QIcon::fromTheme(theme, style->standardIcon(fallback)), hint);
        b->setObjectName(hint);
        b->setToolTip(hint);
        b->setEnabled(false);
        connect(b, &QAction::triggered, runs, &QAction::trigger);
        if (!own) connect(runs, &QAction::changed, b, [b, runs] { b->setEnabled(runs->isEnabled()); });
        return b;
    };
    OpenButton = button(QStringLiteral("Open family tree"), QStringLiteral("document-open"),
                        QStyle::SP_DialogOpenButton, Open1);
    SaveButton = button(QStringLiteral("Save family tree"), QStringLiteral("document-save"),
                        QStyle::SP_DialogSaveButton, Save1);
    Toolbar1->addSeparator();
    NewPersonButton = button(QStringLiteral("New person"), QStringLiteral("contact-new"), QStyle::SP_FileIcon, Nyperson1);
    EditPropertiesButton = button(QStringLiteral("Edit properties"), QStringLiteral("document-properties"),
                                  QStyle::SP_FileDialogDetailedView, Properties1, true);
    CreateTreeButton = button(QStringLiteral("Create ancestor tree"), QStringLiteral("view-list-tree"),
                              QStyle::SP_FileDialogListView, Compact1, true);
    Toolbar1->addSeparator();
    ZoomAreaButton = button(QStringLiteral("Zoom to area"), QStringLiteral("zoom-fit-best"),
                            QStyle::SP_FileDialogContentsView, Area1);
    NavigatorButton = button(QStringLiteral("View/hide Navigator"), QStringLiteral("view-grid"),
                             QStyle::SP_ComputerIcon, Control1);
    NameSearchButton = button(QStringLiteral("View/hide Name Search"), QStringLiteral("edit-find"),
                              QStyle::SP_FileDialogInfoView, NameSearch1);
    PrintButton = button(QStringLiteral("Print tree or selected items"), QStringLiteral("document-print"),
                         QStyle::SP_DriveFDIcon, Printtree1);
    Toolbar1->addSeparator();
    HelpButton = button(QStringLiteral("Help"), QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton, Contents1);
}

}  // namespace kinloom
