#include "app/ui/canvas_wiring.h"

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
    canvas->setSettingsSource([&state](PaintSettings& s) {
        s.screenFontName = state.screenFontName;
        s.screenFontSize = state.screenFontSize;
        s.currentFileName = state.currentFileName;
        s.charset = &state.charset;
        s.paintEnabled = state.paintEnabled;
    });
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

    // Zoom menu.
    const std::pair<QAction*, double> zooms[] = {{w.zoom200Action, 200}, {w.zoom100Action, 100}, {w.zoom50Action, 50}, {w.zoom35Action, 35},
                                                 {w.zoom20Action, 20},   {w.zoom10Action, 10},   {w.zoom5Action, 5},   {w.zoom1Action, 1}};
    for (const auto& [action, zoom] : zooms) {
        QObject::connect(action, &QAction::triggered, canvas, [canvas, z = zoom] {
            canvas->interaction().window = canvas->windowSize();
            canvas->interaction().zoomto(z);
        });
        action->setEnabled(true);
    }
    const auto command = [canvas](void (CanvasInteraction::*run)()) {
        return [canvas, run] {
            canvas->interaction().window = canvas->windowSize();
            (canvas->interaction().*run)();
        };
    };
    QObject::connect(w.zoomInAction, &QAction::triggered, canvas, command(&CanvasInteraction::zoomIn));
    QObject::connect(w.zoomOutAction, &QAction::triggered, canvas, command(&CanvasInteraction::zoomOut));
    QObject::connect(w.zoomToItemAction, &QAction::triggered, canvas, command(&CanvasInteraction::zoomToItem));
    for (QAction* a : {w.zoomInAction, w.zoomOutAction, w.zoomToItemAction}) a->setEnabled(true);
    QObject::connect(w.fitWholeTreeAction, &QAction::triggered, canvas, [canvas] { canvas->fitWholeTree(); });
    QObject::connect(w.fitSelectionAction, &QAction::triggered, canvas, [canvas] { canvas->fitSelection(); });
    for (QAction* a : {w.fitWholeTreeAction, w.fitSelectionAction}) a->setEnabled(true);
    state.hooks.showWholeTreeIfLarge = [canvas] { canvas->showWholeTreeIfLarge(); };
    state.hooks.fitWholeTree = [canvas] { canvas->fitWholeTree(); };

    // Zoom to Area: the menu entry holds the check mark; the toolbar button and Ctrl share it.
    QObject::connect(w.zoomToAreaAction, &QAction::triggered, canvas, [&in, &w] {
        in.zoomToAreaClicked();
        w.zoomToAreaAction->setChecked(in.zoomToAreaMode);
    });
    w.zoomToAreaAction->setEnabled(true);  // the toolbar's "Zoom to area" runs this entry and follows its state
    QObject::connect(canvas, &CanvasWidget::zoomToAreaCheckedChanged, &w, [&w](bool checked) {
        w.zoomToAreaAction->setChecked(checked);
    });
    QObject::connect(&canvas->popupMenu(), &QMenu::aboutToShow, canvas, [&w, canvas] {
        canvas->popupMenu().zoomToArea->setChecked(w.zoomToAreaAction->isChecked());
    });

    // Colour codes: a radio group in the View menu; not saved.
    const std::pair<QAction*, ColourCode> codes[] = {
        {w.genderColoursAction, ColourCode::Gender}, {w.notesColoursAction, ColourCode::Notes}, {w.pictureColoursAction, ColourCode::Picture},
        {w.noColoursAction, ColourCode::None}};
    for (const auto& [action, code] : codes) {
        QObject::connect(action, &QAction::triggered, canvas, [canvas, c = code] {
            canvas->settings().colourCodeMode = c;
            canvas->repaintTree();
        });
        action->setEnabled(true);
    }
    if (w.colourCodesMenu) w.colourCodesMenu->setEnabled(true);

    // The two toolbar buttons that follow the current item.
    QObject::connect(canvas, &CanvasWidget::toolbarButtonsChanged, &w, [&w](bool edit, bool create) {
        w.editPropertiesButton->setEnabled(edit);
        w.createTreeButton->setEnabled(create);
    });
    return canvas;
}

}  // namespace kinloom
