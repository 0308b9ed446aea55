#include "app/ui/tslektstre.h"

#include "app/toolbar_settings.h"
#include "app/ui/taboutbox.h"
#include "app/ui/twelcome.h"
#include "gedcom/ui/tkl_options.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

namespace kinloom {

namespace {

// Stands in the central area until the canvas is plugged in; like the canvas it renews the
// caption whenever it paints.
class CanvasPlaceholder : public QWidget {
public:
    explicit CanvasPlaceholder(TSlektstre* window) : QWidget(window), window_(window) {
        setToolTip(QStringLiteral("Click your right mouse button to get a menu of the most common tasks"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(64, 128, 128));
        if (window_->state().PaintEnabled) window_->RenewCaption();
    }

private:
    TSlektstre* window_;
};

}  // namespace

TSlektstre::TSlektstre(Registry& registry, Prompts& prompts, const QString& programPath,
                       const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), state_(std::make_unique<AppState>(registry, prompts)) {
    setObjectName(QStringLiteral("Slektstre"));
    setWindowTitle(QStringLiteral("Please wait..."));
    setEnabled(false);  // until the welcome window is confirmed

    createMenus();
    createToolbar();
    statusBar()->setSizeGripEnabled(true);
    canvas_ = new CanvasPlaceholder(this);
    setCentralWidget(canvas_);

    bindHooks();
    BindTreeFiles(*state_);
    connectFileCommands();

    // The maximised client width is known only later; the screen's free area stands for it.
    const QScreen* screen = QApplication::primaryScreen();
    const int clientWidth = screen ? screen->availableGeometry().width() : 1024;
    if (screen) resize(screen->availableGeometry().size());  // where no window manager maximises
    setWindowState(Qt::WindowMaximized);
    FormCreate(*state_, StartupInfo{programPath, arguments, clientWidth});
}

TSlektstre::~TSlektstre() = default;

void TSlektstre::setCanvas(QWidget* canvas) {
    setCentralWidget(canvas);  // deletes the previous central widget
    canvas_ = canvas;
}

WindowSize TSlektstre::outerSize() const {
    if (isVisible()) return WindowSize{frameGeometry().width(), frameGeometry().height()};
    const QScreen* screen = QApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return WindowSize{r.width(), r.height()};
}

void TSlektstre::bindHooks() {
    AppHooks& h = state_->hooks;
    h.Repaint = [this] { requestRepaint(); };
    h.SetStatus = [this](const QString& text) { statusBar()->showMessage(text); };
    h.SetBusyCursor = [this](bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            ++busyDepth_;
        } else if (busyDepth_ > 0) {
            QApplication::restoreOverrideCursor();
            --busyDepth_;
        }
    };
    h.WindowOuterSize = [this] { return outerSize(); };
    h.CharsetChanged = [this] { emit charsetChanged(); };
    h.ResetInteraction = [this] { emit interactionReset(); };
    h.FocusMainWindow = [this] {
        activateWindow();
        setFocus();
    };
    h.CloseWelcome = [this] {
        if (welcome_) welcome_->close();
    };
}

void TSlektstre::connectFileCommands() {
    auto wire = [this](QAction* action, void (TSlektstre::*slot)()) {
        connect(action, &QAction::triggered, this, slot);
        action->setEnabled(true);
    };
    wire(New1, &TSlektstre::New1Click);
    wire(Exit1, &TSlektstre::Exit1Click);
    wire(Options1, &TSlektstre::Options1Click);
    wire(About1, &TSlektstre::About1Click);
    // Open and Save need the tree-file reader and writer.
    connect(Open1, &QAction::triggered, this, &TSlektstre::Open1Click);
    connect(Save1, &QAction::triggered, this, &TSlektstre::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TSlektstre::SaveAs1Click);
    connect(Openversion1531, &QAction::triggered, this, [this] { kinloom::Openversion1531Click(*state_); });
    connect(Version101, &QAction::triggered, this, [this] { kinloom::Version101Click(*state_); });
    Openversion1531->setEnabled(static_cast<bool>(state_->files.ReadV15));
    Version101->setEnabled(static_cast<bool>(state_->files.ReadV1));
    Open1->setEnabled(static_cast<bool>(state_->files.Read));
    Save1->setEnabled(static_cast<bool>(state_->files.Save));
    SaveAs1->setEnabled(static_cast<bool>(state_->files.Save));
    connect(Toolbar1, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden()) Toolbar2->setChecked(visible);
    });
}

void TSlektstre::RenewCaption() { setWindowTitle(Caption(*state_)); }

void TSlektstre::requestRepaint() {
    emit repaintRequested();
    if (canvas_) canvas_->update();
}

void TSlektstre::CompleteStartup() {
    if (startupDone_) return;
    startupDone_ = true;
    if (welcome_) welcome_->hide();
    if (options_)
        options_->Change_charset(state_->ScreenCharset);
    else
        ApplyCharset(*state_, state_->ScreenCharset);
    loadToolbarPosition();
    Toolbar2->setChecked(Toolbar1->isVisibleTo(this));
    setEnabled(true);
    emit startupCompleted();  // the navigator and the name search come up here
    if (!isVisible()) showMaximized();
    activateWindow();
    setFocus();
}

void TSlektstre::New1Click() { kinloom::New1Click(*state_); }
void TSlektstre::Open1Click() { kinloom::Open1Click(*state_); }
void TSlektstre::Save1Click() { kinloom::Save1Click(*state_); }
void TSlektstre::SaveAs1Click() { kinloom::SaveAs1Click(*state_); }
void TSlektstre::Exit1Click() { close(); }

void TSlektstre::Options1Click() {
    if (options_) options_->exec();
}

void TSlektstre::About1Click() {
    if (about_) about_->exec();
}

void TSlektstre::ScreenFont1Click() {
    if (ChooseTreeFont(*state_)) requestRepaint();
}

void TSlektstre::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery(*state_)) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TSlektstre::event(QEvent* event) {
    // The status line keeps its text while the pointer passes over menu entries without a tip.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) return true;
    return QMainWindow::event(event);
}

void TSlektstre::FormClose() { saveToolbarPosition(); }

void TSlektstre::loadToolbarPosition() {
    bool found = false;
    const ToolbarPosition p = LoadToolbarPosition(state_->registry, Toolbar1->objectName(), &found);
    if (!found) return;
    if (!p.WindowState.isEmpty() && restoreState(p.WindowState)) return;
    const Qt::ToolBarArea area = p.DockedTo == QStringLiteral("Top")      ? Qt::TopToolBarArea
                                 : p.DockedTo == QStringLiteral("Right")  ? Qt::RightToolBarArea
                                 : p.DockedTo == QStringLiteral("Bottom") ? Qt::BottomToolBarArea
                                                                          : Qt::LeftToolBarArea;
    addToolBar(area, Toolbar1);
    Toolbar1->setVisible(p.Visible);
}

void TSlektstre::saveToolbarPosition() {
    ToolbarPosition p;
    if (Toolbar1->isFloating()) {
        const QRect g = Toolbar1->geometry();
        p.FloatLeft = g.left();
        p.FloatTop = g.top();
        p.FloatRight = g.right();
        p.FloatBottom = g.bottom();
        p.FloatRightX = g.right();
    } else {
        switch (toolBarArea(Toolbar1)) {
        case Qt::TopToolBarArea: p.DockedTo = QStringLiteral("Top"); break;
        case Qt::RightToolBarArea: p.DockedTo = QStringLiteral("Right"); break;
        case Qt::BottomToolBarArea: p.DockedTo = QStringLiteral("Bottom"); break;
        default: p.DockedTo = QStringLiteral("Left"); break;
        }
        p.DockPos = Toolbar1->orientation() == Qt::Vertical ? Toolbar1->y() : Toolbar1->x();
    }
    p.Visible = Toolbar1->isVisibleTo(this);
    p.WindowState = saveState();
    SaveToolbarPosition(state_->registry, Toolbar1->objectName(), p);
}

}  // namespace kinloom
