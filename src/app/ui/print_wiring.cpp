#include "app/ui/print_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"
#include "reports/ui/print_window.h"
#include "reports/window_print.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPrinter>
#include <QToolBar>

namespace kinloom {

ScreenPrinter::ScreenPrinter(MainWindow& window)
    : QObject(&window), window_(window), dialogs_(qtPrinterDialogs()),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("screenPrinter"));
}

ScreenPrinter::~ScreenPrinter() = default;

void ScreenPrinter::printScreen() {
    if (!dialogs_.print || !dialogs_.print(*printer_, &window_)) return;
    QToolBar* toolbar = window_.toolbar();
    const bool toolbarWasVisible = toolbar->isVisibleTo(&window_);
    toolbar->hide();
    window_.layout()->activate();  // the canvas takes the toolbar's room before the picture is taken
    const int top = window_.menuBar()->isVisible() ? window_.menuBar()->geometry().bottom() + 1 : 0;
    const QImage picture = window_.grab(QRect(0, top, window_.width(), window_.height() - top)).toImage();
    toolbar->setVisible(toolbarWasVisible);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = printImageOnPage(*printer_, picture);
    QApplication::restoreOverrideCursor();
    if (!printed) window_.state().prompts.error(kAppTitle, kPrintFailed);
}

std::function<PosterSettings()> currentTreeFont(AppState& state) {
    return [&state] {
        PosterSettings s;
        s.fontName = state.screenFontName;
        s.fontSize = state.screenFontSize;
        s.charset = &state.charset;
        return s;
    };
}

PrintWindow* installPrinting(MainWindow& w) {
    AppState& state = w.state();
    auto* window = new PrintWindow(state.store, state.prompts, currentTreeFont(state), [&w] { w.changeTreeFont(); }, &w);
    CommandContext& c = w.commands().context();
    c.print = window;
    c.screenPrinter = new ScreenPrinter(w);
    w.commands().install(Part::Printing);
    return window;
}

void openPrintWindow(CommandContext& c) {
    if (c.canvas) c.canvas->interaction().panArmed = false;
    c.print->openWindow();
}

void printScreen(CommandContext& c) { c.screenPrinter->printScreen(); }

}  // namespace kinloom
