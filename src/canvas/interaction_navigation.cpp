// Moving around the canvas: the wheel, the middle button, fitting the tree and Escape.
#include "canvas/interaction.h"

#include "canvas/fit_view.h"
#include "canvas/view_math.h"
#include "canvas/zoom.h"
#include "document/item_store.h"

#include <cmath>

namespace kinloom {

namespace {
constexpr int kNotch = 120;           // angle delta of one wheel notch
constexpr int kFallbackWheelStep = 60;  // screen pixels, before the arrow-key step is known
}  // namespace

void CanvasInteraction::moveViewBy(double dxPixels, double dyPixels) {
    const double s = scaleOf(view_);
    restX_ += dxPixels / s;
    restY_ += dyPixels / s;
    const double wholeX = std::trunc(restX_), wholeY = std::trunc(restY_);
    restX_ -= wholeX;
    restY_ -= wholeY;
    view_.offsetX = saturateInt(view_.offsetX + static_cast<long long>(wholeX));
    view_.offsetY = saturateInt(view_.offsetY + static_cast<long long>(wholeY));
}

void CanvasInteraction::repaintKeepingGestures() {
    surface_.repaint();
    // What the gesture had inverted on the old picture is gone: draw it once more at the new view,
    // so that the next move erases and draws it as usual.
    if (panning) {
        surface_.fillBackground();
        drawPanBoxes(true);
    }
    if (rubberBand) surface_.invertFrame(screenOf(dragX, dragY), screenOf(grabX, grabY), !zoomToAreaMode);
    if (anyLinkPending() && store_.currentItem) {
        const PersonItem* c = store_.currentItem;
        surface_.invertLine(screenOf(c->X + kLinkDX, c->Y + kLinkDY), screenOf(dragX, dragY));
    }
}

void CanvasInteraction::wheel(QPoint screen, QPoint angleDelta, QPoint pixelDelta,
                              Qt::KeyboardModifiers modifiers) {
    if (panning || viewDragging) return;
    if (modifiers.testFlag(Qt::ControlModifier)) {
        wheelZoomAngle_ += angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
        const int notches = wheelZoomAngle_ / kNotch;  // toward zero: the rest waits for the next event
        wheelZoomAngle_ -= notches * kNotch;
        if (notches != 0 && zoomStepsAt(view_, notches, screen.x(), screen.y())) {
            restX_ = restY_ = 0;
            repaintKeepingGestures();
        }
        return;
    }
    wheelZoomAngle_ = 0;
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    // Shift turns the wheel sideways, unless the window system has already done so.
    const auto sideways = [shift](QPoint d) {
        if (!shift) return d;
        return QPoint(d.x() != 0 ? d.x() : d.y(), 0);
    };
    double dx = 0, dy = 0;
    if (!pixelDelta.isNull()) {
        const QPoint d = sideways(pixelDelta);
        dx = d.x();
        dy = d.y();
    } else {
        const QPoint d = sideways(angleDelta);
        const int step = scrollStep > 0 ? scrollStep : kFallbackWheelStep;
        dx = static_cast<double>(d.x()) * step / kNotch;
        dy = static_cast<double>(d.y()) * step / kNotch;
    }
    if (dx == 0 && dy == 0) return;
    // Turning the wheel away from you shows what lies above: the tree moves down, as with Up.
    moveViewBy(dx, dy);
    repaintKeepingGestures();
}

void CanvasInteraction::fitWholeTree(QSize client) {
    if (store_.empty()) return;
    view_ = kinloom::fitWholeTree(store_, client);
    restX_ = restY_ = 0;
    repaintKeepingGestures();
}

void CanvasInteraction::fitSelection(QSize client) {
    const std::optional<ViewState> fitted = kinloom::fitSelection(store_, client);
    if (!fitted) return;
    view_ = *fitted;
    restX_ = restY_ = 0;
    repaintKeepingGestures();
}

bool CanvasInteraction::showWholeTreeIfLarge(QSize client) {
    const std::optional<CanvasBounds> bounds = boundsOfStore(store_);
    if (!bounds || client.isEmpty()) return false;
    const ViewState fitted = fitView(*bounds, client);
    if (fitted.zoom >= 100) return false;  // it fits: the home item stays centred at 100 %
    view_ = fitted;
    restX_ = restY_ = 0;
    repaintKeepingGestures();
    return true;
}

void CanvasInteraction::dragBegan(const PersonItem& item) {
    dragFromPress_ = true;
    dragOriginX_ = item.X;
    dragOriginY_ = item.Y;
    modifiedBeforeDrag_ = store_.modified;
}

bool CanvasInteraction::cancelGesture() {
    bool cancelled = false;
    PersonItem* current = store_.currentItem;
    if (anyLinkPending()) {
        if (current)  // erase the rubber line
            surface_.invertLine(screenOf(current->X + kLinkDX, current->Y + kLinkDY), screenOf(dragX, dragY));
        linkFatherPending = linkMotherPending = linkSpousePending = false;
        if (!zoomToAreaMode) surface_.setCanvasCursor(CanvasCursor::Arrow);
        cancelled = true;
    }
    if (rubberBand) {
        surface_.invertFrame(screenOf(dragX, dragY), screenOf(grabX, grabY), !zoomToAreaMode);
        rubberBand = false;
        cancelled = true;
    }
    if (dragging && current) {
        if (dragFromPress_) {
            // Back to where the drag began; a group keeps its shape around the item under the pointer.
            const long long dx = 0LL + dragOriginX_ - current->X, dy = 0LL + dragOriginY_ - current->Y;
            if (current->Selected) {
                for (PersonItem* item : store_.selectionList()) {
                    item->X = saturateInt(item->X + dx);
                    item->Y = saturateInt(item->Y + dy);
                }
            } else {
                current->X = dragOriginX_;
                current->Y = dragOriginY_;
            }
            store_.modified = modifiedBeforeDrag_;
        }
        dragging = false;
        dragFromPress_ = false;
        surface_.repaint();
        cancelled = true;
    }
    dragPending = false;
    return cancelled;
}

}  // namespace kinloom
