#include "app/ui/canvas_wiring.h"

#include "app/ui/tslektstre.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "canvas/ui/canvas_widget.h"

#include <QAction>
#include <QActionGroup>
#include <QStatusBar>

namespace kinloom {

CanvasWidget* InstallCanvas(TSlektstre& w) {
    AppState& state = w.state();
    auto* canvas = new CanvasWidget(state.Store, state.View, &w);
    CanvasInteraction& in = canvas->interaction();
    canvas->setPrompts(&state.prompts);
    canvas->setSettingsSource([&state](PaintSettings& s) {
        s.ScreenFontName = state.ScreenFontName;
        s.ScreenFontSize = state.ScreenFontSize;
        s.CurrentFileName = state.CurrentFileName;
        s.Charset = &state.Charset;
        s.PaintEnabled = state.PaintEnabled;
    });
    in.Charset = &state.Charset;
    in.ScrollStep = state.ScrollStep;
    in.ShowNameTips = state.Options.ShowNameHints;
    w.setCanvas(canvas);
    canvas->setFocus();

    // Every repaint of the window goes through the canvas, which also renews the caption.
    QObject::connect(&w, &TSlektstre::repaintRequested, canvas, [canvas, &state] {
        canvas->interaction().ShowNameTips = state.Options.ShowNameHints;
        canvas->repaintTree();
    });
    QObject::connect(&w, &TSlektstre::interactionReset, canvas, [&in] { in.Reset(); });
    QObject::connect(canvas, &CanvasWidget::painted, &w, [&w] { w.RenewCaption(); });
    QObject::connect(canvas, &CanvasWidget::statusTextChanged, &w,
                     [&w](const QString& text) { w.statusBar()->showMessage(text); });

    // Zoom menu.
    const std::pair<QAction*, double> zooms[] = {{w.N2001, 200}, {w.N1001, 100}, {w.N301, 50}, {w.N351, 35},
                                                 {w.N101, 20},   {w.N102, 10},   {w.N51, 5},   {w.N12, 1}};
    for (const auto& [action, zoom] : zooms) {
        QObject::connect(action, &QAction::triggered, canvas, [canvas, z = zoom] {
            canvas->interaction().Window = canvas->windowSize();
            canvas->interaction().zoomto(z);
        });
        action->setEnabled(true);
    }
    const auto command = [canvas](void (CanvasInteraction::*run)()) {
        return [canvas, run] {
            canvas->interaction().Window = canvas->windowSize();
            (canvas->interaction().*run)();
        };
    };
    QObject::connect(w.ZoomIn1, &QAction::triggered, canvas, command(&CanvasInteraction::ZoomIn1Click));
    QObject::connect(w.ZoomOut1, &QAction::triggered, canvas, command(&CanvasInteraction::ZoomOut1Click));
    QObject::connect(w.Zoom1, &QAction::triggered, canvas, command(&CanvasInteraction::Zoom1Click));
    for (QAction* a : {w.ZoomIn1, w.ZoomOut1, w.Zoom1}) a->setEnabled(true);

    // Zoom to Area: the menu entry holds the check mark; the toolbar button and Ctrl share it.
    QObject::connect(w.Area1, &QAction::triggered, canvas, [&in, &w] {
        in.Area1Click();
        w.Area1->setChecked(in.ZoomToAreaMode);
    });
    w.Area1->setEnabled(true);  // the toolbar's "Zoom to area" runs this entry and follows its state
    QObject::connect(canvas, &CanvasWidget::zoomToAreaCheckedChanged, &w, [&w](bool checked) {
        w.Area1->setChecked(checked);
    });
    QObject::connect(&canvas->popupMenu(), &QMenu::aboutToShow, canvas, [&w, canvas] {
        canvas->popupMenu().ZoomToArea->setChecked(w.Area1->isChecked());
    });

    // Colour codes: a radio group in the View menu; not saved.
    const std::pair<QAction*, ColourCode> codes[] = {
        {w.Gender1, ColourCode::Gender}, {w.Notes1, ColourCode::Notes}, {w.Picture1, ColourCode::Picture},
        {w.None1, ColourCode::None}};
    for (const auto& [action, code] : codes) {
        QObject::connect(action, &QAction::triggered, canvas, [canvas, c = code] {
            canvas->settings().ColourCodeMode = c;
            canvas->repaintTree();
        });
        action->setEnabled(true);
    }
    if (w.Colorcodes1) w.Colorcodes1->setEnabled(true);

    // The two toolbar buttons that follow the current item.
    QObject::connect(canvas, &CanvasWidget::toolbarButtonsChanged, &w, [&w](bool edit, bool create) {
        w.EditPropertiesButton->setEnabled(edit);
        w.CreateTreeButton->setEnabled(create);
    });
    return canvas;
}

}  // namespace kinloom
