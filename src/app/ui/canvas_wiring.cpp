#include "app/ui/canvas_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "canvas/ui/canvas_widget.h"

#include <QAction>
#include <QActionGroup>
#include <QStatusBar>

namespace kinloom {

CanvasWidget* installCanvas(MainWindow& w) {
    AppState& state = w.state();
    auto* canvas = new CanvasWidget(state.store, state.view, &w);
    CanvasInteraction& in = canvas->interaction();
    canvas->setPrompts(&state.prompts);
    canvas->setSettingsSource([&state](PaintSettings& s) { fillTreePaintSettings(s, state); });
    in.charset = &state.charset;
    in.scrollStep = state.scrollStep;
    in.showNameTips = state.options.showNameHints;
    w.setCanvas(canvas);
    canvas->setFocus();

    // Every repaint of the window goes through the canvas, which also renews the caption.
    QObject::connect(&w, &MainWindow::repaintRequested, canvas, [canvas, &state] {
        canvas->interaction().showNameTips = state.options.showNameHints;
        canvas->repaintTree();
    });
    QObject::connect(&w, &MainWindow::interactionReset, canvas, [&in] { in.reset(); });
    state.hooks.forgetHover = [&in] { in.forgetHover(); };
    QObject::connect(canvas, &CanvasWidget::painted, &w, [&w] { w.renewCaption(); });
    QObject::connect(canvas, &CanvasWidget::statusTextChanged, &w,
                     [&w](const QString& text) { w.statusBar()->showMessage(text); });

    state.hooks.showWholeTreeIfLarge = [canvas] { canvas->showWholeTreeIfLarge(); };
    state.hooks.fitWholeTree = [canvas] { canvas->fitWholeTree(); };

    // Zoom to Area: the menu entry holds the check mark; the toolbar button and Ctrl share it.
    Commands& commands = w.commands();
    QObject::connect(canvas, &CanvasWidget::zoomToAreaCheckedChanged, &w, [&commands](bool checked) {
        commands.action(CommandId::ZoomToArea)->setChecked(checked);
    });
    QObject::connect(&canvas->popupMenu(), &QMenu::aboutToShow, canvas, [&commands, canvas] {
        canvas->popupMenu().zoomToArea->setChecked(commands.isChecked(CommandId::ZoomToArea));
    });

    // The two toolbar buttons that follow the current item.
    QObject::connect(canvas, &CanvasWidget::toolbarButtonsChanged, &w, [&commands](bool edit, bool create) {
        commands.toolbarButton(CommandId::Properties)->setEnabled(edit);
        commands.toolbarButton(CommandId::CreateCompactTree)->setEnabled(create);
    });
    commands.context().canvas = canvas;
    commands.install(Part::Canvas);
    return canvas;
}

namespace {

// Runs a view command of the canvas with the window's size as it is now.
template <typename Run>
void onCanvas(CommandContext& c, Run run) {
    CanvasInteraction& in = c.canvas->interaction();
    in.window = c.canvas->windowSize();
    run(in);
}

}  // namespace

void zoomCanvasTo(CommandContext& c, double zoom) {
    onCanvas(c, [zoom](CanvasInteraction& in) { in.zoomTo(zoom); });
}
void zoomCanvasIn(CommandContext& c) {
    onCanvas(c, [](CanvasInteraction& in) { in.zoomIn(); });
}
void zoomCanvasOut(CommandContext& c) {
    onCanvas(c, [](CanvasInteraction& in) { in.zoomOut(); });
}
void zoomCanvasToItem(CommandContext& c) {
    onCanvas(c, [](CanvasInteraction& in) { in.zoomToItem(); });
}

void zoomToAreaClicked(CommandContext& c) {
    CanvasInteraction& in = c.canvas->interaction();
    in.zoomToAreaClicked();
    c.commands.action(CommandId::ZoomToArea)->setChecked(in.zoomToAreaMode);
}

void fitCanvasToWholeTree(CommandContext& c) { c.canvas->fitWholeTree(); }
void fitCanvasToSelection(CommandContext& c) { c.canvas->fitSelection(); }

void setColourCode(CommandContext& c, ColourCode code) {
    c.canvas->settings().colourCodeMode = code;
    c.canvas->repaintTree();
}

}  // namespace kinloom
