#include "app/ui/main_window.h"

#include "app/crash_recovery.h"
#include "app/toolbar_settings.h"
#include "app/ui/about_box.h"
#include "app/ui/commands.h"
#include "app/ui/welcome_window.h"
#include "gedcom/gedcom_commands.h"
#include "gedcom/ui/gedcom_menu_commands.h"
#include "app/ui/options_dialog.h"
#include "platform/file_references.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

namespace kinloom {

namespace {

// The central area before the canvas comes: the background and the canvas's hint; like the
// canvas it renews the caption whenever it paints.
class EmptyCentralArea : public QWidget {
public:
    explicit EmptyCentralArea(MainWindow* window) : QWidget(window), window_(window) {
        setToolTip(QStringLiteral("Click your right mouse button to get a menu of the most common tasks"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(64, 128, 128));
        if (window_->state().paintEnabled) window_->renewCaption();
    }

private:
    MainWindow* window_;
};

// The one local tree or GEDCOM file of a drag; empty for anything else.
QString droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().first().isLocalFile()) return {};
    const QString path = mime->urls().first().toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("kl3") || suffix == QLatin1String("ged") ? path : QString();
}

}  // namespace

MainWindow::MainWindow(Registry& registry, Prompts& prompts, const QString& programPath,
                       const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), state_(std::make_unique<AppState>(registry, prompts)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Please wait..."));
    setEnabled(false);  // until the welcome window is confirmed
    setAcceptDrops(true);

    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(true);
    toolbar_->setFloatable(true);
    addToolBar(Qt::LeftToolBarArea, toolbar_);
    bindTreeFiles(*state_);
    commands_ = new Commands(*this, *state_);
    commands_->build(*menuBar(), *toolbar_);
    openRecentMenu_ = commands_->menu(CommandId::OpenRecent);
    connect(menuBar()->actions().first()->menu(), &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    connect(toolbar_, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden()) commands_->action(CommandId::Toolbar)->setChecked(visible);
    });
    statusBar()->setSizeGripEnabled(true);
    canvas_ = new EmptyCentralArea(this);
    setCentralWidget(canvas_);

    bindHooks();

    // The maximised client width is known only later; the screen's free area stands for it.
    const QScreen* screen = QApplication::primaryScreen();
    const int clientWidth = screen ? screen->availableGeometry().width() : 1024;
    if (screen) resize(screen->availableGeometry().size());  // where no window manager maximises
    setWindowState(Qt::WindowMaximized);
    setUpState(*state_, StartupInfo{programPath, arguments, clientWidth});
    fillRecentMenu();
}

MainWindow::~MainWindow() {
    // The canvas goes before the state it draws (an edit step it holds open closes on the history).
    delete takeCentralWidget();
}

void MainWindow::setCanvas(QWidget* canvas) {
    setCentralWidget(canvas);  // deletes the previous central widget
    canvas_ = canvas;
}

WindowSize MainWindow::outerSize() const {
    if (isVisible()) return WindowSize{frameGeometry().width(), frameGeometry().height()};
    const QScreen* screen = QApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return WindowSize{r.width(), r.height()};
}

void MainWindow::bindHooks() {
    AppHooks& h = state_->hooks;
    h.repaint = [this] { requestRepaint(); };
    h.setStatus = [this](const QString& text) { statusBar()->showMessage(text); };
    h.setBusyCursor = [this](bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            ++busyDepth_;
        } else if (busyDepth_ > 0) {
            QApplication::restoreOverrideCursor();
            --busyDepth_;
        }
    };
    h.windowOuterSize = [this] { return outerSize(); };
    h.charsetChanged = [this] { emit charsetChanged(); };
    h.resetInteraction = [this] { emit interactionReset(); };
    h.focusMainWindow = [this] {
        // The canvas is the one widget that handles the arrow keys and the Alt/Ctrl arming.
        activateWindow();
        if (canvas_)
            canvas_->setFocus();
        else
            setFocus();
    };
    h.closeWelcome = [this] {
        if (welcome_) welcome_->close();
    };
    // Open offers a .ged file that is no tree file to the GEDCOM import.
    h.importGedcom = [this](const QString& file) {
        if (!gedcomImport_) return;
        importGedcomWithDialog(*gedcomImport_, file, state_->paintEnabled, [this] { repaintShowingWholeTree(); },
                               state_->hooks.setStatus);
        startFreshHistory(*state_, importedTreeLabel(file));
    };
}

void MainWindow::renewCaption() {
    // Qt's mark of unsaved changes: an asterisk in place of "[*]" while the window is modified.
    setWindowTitle(caption(*state_) + QStringLiteral("[*]"));
    setWindowModified(state_->store.modified);
}

void MainWindow::requestRepaint() {
    emit repaintRequested();
    if (canvas_) canvas_->update();
}

void MainWindow::completeStartup() {
    if (startupDone_) return;
    startupDone_ = true;
    if (welcome_) welcome_->hide();
    if (options_)
        options_->changeCharset(state_->screenCharset);
    else
        applyCharset(*state_, state_->screenCharset);
    loadToolbarPosition();
    commands_->action(CommandId::Toolbar)->setChecked(toolbar_->isVisibleTo(this));
    setEnabled(true);
    emit startupCompleted();  // the navigator and the name search come up here
    if (!isVisible()) showMaximized();
    state_->hooks.focusMainWindow();
    offerRecovery(*state_);
    // A tree named on the command line is shown whole once the window has its final size.
    QTimer::singleShot(0, this, [this] {
        if (!state_->store.empty() && state_->hooks.showWholeTreeIfLarge) state_->hooks.showWholeTreeIfLarge();
    });
}

void MainWindow::newTree() { kinloom::newTree(*state_); }
void MainWindow::openTree() { kinloom::openTree(*state_); }
void MainWindow::saveTree() { kinloom::saveTree(*state_); }
void MainWindow::saveTreeAs() { kinloom::saveTreeAs(*state_); }
void MainWindow::exitProgram() { close(); }

void MainWindow::setGedcomImportDialog(GedcomImportDialog* dialog) {
    gedcomImport_ = dialog;
    commands_->refresh();
}

void MainWindow::importGedcom() {
    if (!gedcomImport_) return;
    std::optional<QString> chosen;
    runGedcomImportCommand(
        *gedcomImport_,
        [this, &chosen] {
            return chosen = replaceTreeWith(*state_, [this] { return askGedcomFileToImport(state_->prompts); });
        },
        state_->paintEnabled, [this] { repaintShowingWholeTree(); }, state_->hooks.setStatus);
    // What the import read is no step: undo never goes behind it. A cancelled import leaves the
    // tree and its history alone.
    if (chosen) startFreshHistory(*state_, importedTreeLabel(*chosen));
}

void MainWindow::repaintShowingWholeTree() {
    requestRepaint();
    if (state_->hooks.showWholeTreeIfLarge) state_->hooks.showWholeTreeIfLarge();
}

void MainWindow::openRecentTree(const QString& path) { kinloom::openRecentTree(*state_, path); }

void MainWindow::fillRecentMenu() {
    QMenu* openRecentMenu = openRecentMenu_;
    openRecentMenu->clear();
    const QStringList& files = state_->recentFiles.files();
    for (int i = 0; i < files.size(); ++i) {
        QString shown = files[i];
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = openRecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(a, &QAction::triggered, this, [this, path = files[i]] { openRecentTree(path); });
    }
    commands_->refresh();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop has finished, so that the file manager is not kept waiting on our questions.
    QTimer::singleShot(0, this, [this, path] { openDroppedFile(*state_, path); });
}

void MainWindow::exportGedcom() {
    runGedcomExportCommand(state_->store, state_->prompts, [this] { requestRepaint(); }, state_->hooks.setStatus,
                           {treeFolderOf(state_->currentFileName), state_->charset});
    if (!state_->store.modified) state_->history.markSaved();  // the export counts as a save
}

void MainWindow::showOptions() {
    if (options_) options_->exec();
}

void MainWindow::showAbout() {
    if (about_) about_->exec();
}

void MainWindow::changeTreeFont() {
    if (chooseTreeFont(*state_)) requestRepaint();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!canClose(*state_)) {
        event->ignore();
        return;
    }
    saveWindowSettings();
    event->accept();
}

bool MainWindow::event(QEvent* event) {
    // The status line keeps its text while the pointer passes over menu entries without a tip.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) return true;
    return QMainWindow::event(event);
}

void MainWindow::saveWindowSettings() { saveToolbarPosition(); }

void MainWindow::loadToolbarPosition() {
    bool found = false;
    const ToolbarPosition p = kinloom::loadToolbarPosition(state_->registry, toolbar_->objectName(), &found);
    if (!found) return;
    if (!p.windowState.isEmpty() && restoreState(p.windowState)) return;
    const Qt::ToolBarArea area = p.dockedTo == QStringLiteral("Top")      ? Qt::TopToolBarArea
                                 : p.dockedTo == QStringLiteral("Right")  ? Qt::RightToolBarArea
                                 : p.dockedTo == QStringLiteral("Bottom") ? Qt::BottomToolBarArea
                                                                          : Qt::LeftToolBarArea;
    addToolBar(area, toolbar_);
    toolbar_->setVisible(p.visible);
}

void MainWindow::saveToolbarPosition() {
    ToolbarPosition p;
    if (toolbar_->isFloating()) {
        const QRect g = toolbar_->geometry();
        p.floatLeft = g.left();
        p.floatTop = g.top();
        p.floatRight = g.right();
        p.floatBottom = g.bottom();
        p.floatRightX = g.right();
    } else {
        switch (toolBarArea(toolbar_)) {
        case Qt::TopToolBarArea: p.dockedTo = QStringLiteral("Top"); break;
        case Qt::RightToolBarArea: p.dockedTo = QStringLiteral("Right"); break;
        case Qt::BottomToolBarArea: p.dockedTo = QStringLiteral("Bottom"); break;
        default: p.dockedTo = QStringLiteral("Left"); break;
        }
        p.dockPos = toolbar_->orientation() == Qt::Vertical ? toolbar_->y() : toolbar_->x();
    }
    p.visible = toolbar_->isVisibleTo(this);
    p.windowState = saveState();
    kinloom::saveToolbarPosition(state_->registry, toolbar_->objectName(), p);
}

}  // namespace kinloom
