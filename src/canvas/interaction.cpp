#include "canvas/interaction.h"

#include "canvas/popup_state.h"
#include "canvas/view_math.h"
#include "canvas/zoom.h"
#include "document/undo_history.h"
#include "document/item_store.h"
#include "platform/charsets.h"

#include <cstdlib>
#include <limits>

namespace kinloom {

namespace {
constexpr int kDragThreshold = 10;
constexpr int kHintCut = 255;
const QString kCrLf = QStringLiteral("\r\n");

// Wide arithmetic throughout: an item may sit at the very ends of the int range.
bool sameOrBetween(long long lo, long long v, long long hi) { return lo <= v && v <= hi; }
}  // namespace

CanvasInteraction::CanvasInteraction(ItemStore& store, ViewState& view, CanvasSurface& surface)
    : store_(store), view_(view), surface_(surface), alive_(std::make_shared<bool>(true)) {
    // toolbarItem must not keep pointing at a freed item that a new one might reuse.
    std::weak_ptr<bool> alive = alive_;
    store_.addRemovalListener([this, alive](const PersonItem* item) {
        if (alive.expired()) return;
        if (item == nullptr || item == toolbarItem) toolbarItem = nullptr;
        // A drag, a placement and a waiting link belong to currentItem; deleting it (the store then
        // has no current item) ends them, so the next press is a plain click and not the tail of a
        // gesture whose item is gone.
        if (item == nullptr || store_.currentItem == nullptr) {
            dragging = dragPending = dragFromPress_ = false;
            linkFatherPending = linkMotherPending = linkSpousePending = false;
        }
    });
}

CanvasInteraction::~CanvasInteraction() = default;

QString CanvasInteraction::text(const std::string_view bytes) const {
    static const DisplayCharset kDefault;
    return (charset ? *charset : kDefault).decode(bytes);
}

QPoint CanvasInteraction::screenOf(int cx, int cy) const { return {toScreenX(view_, cx), toScreenY(view_, cy)}; }

void CanvasInteraction::invertItem(const PersonItem& item) { surface_.invertRect(boxEdgesOf(item, view_).rect()); }

void CanvasInteraction::invertSelection() {
    for (const PersonItem* item : store_.selectionList()) invertItem(*item);
}

void CanvasInteraction::setZoomToArea(bool checked) {
    zoomToAreaMode = checked;
    surface_.setZoomToAreaChecked(checked);
}

void CanvasInteraction::reset() {
    dragPending = dragging = rubberBand = false;
    linkFatherPending = linkMotherPending = linkSpousePending = linkHandled = false;
    ignoreNextMouseDown = panArmed = panning = areaSticky = false;
    viewDragging = dragFromPress_ = false;
    restX_ = restY_ = 0;
    wheelZoomAngle_ = 0;
    toolbarItem = nullptr;
    setZoomToArea(false);
    surface_.setCanvasCursor(CanvasCursor::Arrow);
    endStep();
}

void CanvasInteraction::paintStarted() {
    surface_.setCanvasCursor(CanvasCursor::Arrow);
    setZoomToArea(false);
    panArmed = false;
    areaSticky = false;
}

void CanvasInteraction::repaint() {
    paintStarted();
    surface_.repaint();
}

void CanvasInteraction::paintWithoutErase() {
    paintStarted();
    surface_.paintWithoutErase();
}

PersonItem* CanvasInteraction::hitTest(int px, int py) const {
    if (zoomToAreaMode) return nullptr;
    PersonItem* hit = nullptr;
    for (PersonItem* item = store_.firstItem(); item; item = item->Next)
        if (sameOrBetween(item->X, px, 0LL + item->X + kItemWidth) &&
            sameOrBetween(item->Y, py, 0LL + item->Y + kItemHeight))
            hit = item;  // later items are drawn on top
    return hit;
}

PersonItem* CanvasInteraction::beginPlacingNewItem() {
    PersonItem* item = store_.createItem();
    if (!item) return nullptr;
    grabX = kLinkDX;
    grabY = kLinkDY;
    dragging = true;
    paintWithoutErase();
    return item;
}

// ---------------------------------------------------------------- mouse

void CanvasInteraction::drawPanBoxes(bool silver) {
    for (const PersonItem* item = store_.firstItem(); item; item = item->Next)
        surface_.fillBox(boxEdgesOf(*item, view_).rect(), silver);
}

void CanvasInteraction::completePendingLinks(PersonItem* previous, bool hitNothing, int px, int py) {
    bool* const flags[] = {&linkFatherPending, &linkMotherPending, &linkSpousePending};
    for (int kind = 0; kind < 3; ++kind) {
        if (!*flags[kind]) continue;
        // A press on the waiting item itself cancels; without a waiting item there is nothing to link.
        if (previous && store_.currentItem != previous) {
            beginStep();
            store_.modified = true;
            if (hitNothing) {
                store_.pointerX = px;
                store_.pointerY = py;
                PersonItem* created = newItem ? newItem() : beginPlacingNewItem();
                dragging = false;  // it stays where it was made
                hitNothing = false;
                if (!created) store_.currentItem = nullptr;
            }
            PersonItem* target = store_.currentItem;
            stepName = kind == 0 ? QStringLiteral("Link to Father") : kind == 1 ? QStringLiteral("Link to Mother")
                                                                                : QStringLiteral("Link to Spouse");
            if (target) {
                store_.touch(previous);
                store_.touch(target);
                if (kind == 0) {
                    previous->Father = target;
                    target->Sex = "M";
                } else if (kind == 1) {
                    previous->Mother = target;
                    target->Sex = "F";
                } else {
                    store_.addMarriage(previous, target);
                }
            }
            store_.currentItem = previous;
        }
        *flags[kind] = false;
        repaint();
        linkHandled = true;
    }
}

void CanvasInteraction::mousePress(QPoint screen, Qt::MouseButton button) {
    // The middle button drags the view and picks nothing; other presses wait until it is let go.
    if (viewDragging) return;
    if (button == Qt::MiddleButton) {
        viewDragging = true;
        viewDragLast = screen;
        surface_.setCanvasCursor(CanvasCursor::ClosedHand);
        return;
    }
    if (panArmed) {
        panLastX = screen.x();
        panLastY = screen.y();
        panning = true;
        surface_.fillBackground();
        drawPanBoxes(true);
        return;
    }
    if (ignoreNextMouseDown) {
        ignoreNextMouseDown = false;
        return;
    }
    const int px = toCanvasX(view_, screen.x()), py = toCanvasY(view_, screen.y());
    PersonItem* previous = store_.currentItem;
    store_.currentItem = hitTest(px, py);
    const bool hitNothing = store_.currentItem == nullptr;

    completePendingLinks(previous, hitNothing, px, py);

    if (button == Qt::LeftButton && !linkHandled) {
        if (PersonItem* item = store_.currentItem) {
            if (!item->Selected && !store_.selectionList().empty()) {
                invertSelection();
                previous = nullptr;  // already restored with the selection
                store_.clearSelection();
            }
            dragPending = true;
            grabX = saturateInt(0LL + px - item->X);
            grabY = saturateInt(0LL + py - item->Y);
            dragX = px;
            dragY = py;
        } else {
            rubberBand = true;
            dragX = grabX = px;
            dragY = grabY = py;
        }
    }
    linkHandled = false;

    // Move the inverted highlight to the new current item.
    PersonItem* current = store_.currentItem;
    if (current == previous && store_.selectionList().empty()) return;
    if (current) {
        if (current->Selected) return;
        if (previous) invertItem(*previous);
        invertItem(*current);
    } else if (!store_.selectionList().empty()) {
        invertSelection();
        store_.clearSelection();
    } else if (previous) {
        invertItem(*previous);
    }
}

QString CanvasInteraction::hintTextFor(const PersonItem& item) const {
    QString head = text(item.FirstName) + QLatin1Char(' ') + text(item.LastName) + kCrLf + QLatin1Char('(') +
                   text(item.BornDate) + QStringLiteral(" - ") + text(item.DiedDate) + QLatin1Char(')') + kCrLf;
    head.truncate(kHintCut);
    const bool male = QString::fromLatin1(item.Sex.str().data(), item.Sex.length()).toUpper() == QLatin1String("M");
    head += male ? QStringLiteral("[Male]") : QStringLiteral("[Female]");
    if (!item.PictureFile.empty()) head += kCrLf + QStringLiteral("[Picture]");
    if (!item.NotesFile.empty()) head += kCrLf + QStringLiteral("[Additional notes]");
    return head;
}

QString CanvasInteraction::statusTextFor(const PersonItem& item) const {
    QString status = text(item.FirstName) + QLatin1Char(' ') + text(item.LastName) + QStringLiteral(" (") +
                     text(item.BornDate) + QStringLiteral(" - ") + text(item.DiedDate) + QLatin1Char(')');
    status.truncate(kHintCut);
    return status;
}

void CanvasInteraction::mouseMove(QPoint screen) {
    if (viewDragging) {
        // The whole tree follows the pointer.
        moveViewBy(screen.x() - viewDragLast.x(), screen.y() - viewDragLast.y());
        viewDragLast = screen;
        repaintKeepingGestures();
        store_.pointerX = toCanvasX(view_, screen.x());
        store_.pointerY = toCanvasY(view_, screen.y());
        return;
    }
    if (!panning && !dragging && !rubberBand && showNameTips) {
        if (const PersonItem* item = hitTest(toCanvasX(view_, screen.x()), toCanvasY(view_, screen.y()))) {
            const QString hint = hintTextFor(*item);
            // Switching hints off for one move closes the hint window, so it reopens with the new text.
            hintsEnabled = !(hintsEnabled && hint != hintText);
            hintText = hint;
            surface_.setHint(hintText, hintsEnabled);
            surface_.setStatusText(statusTextFor(*item));
        } else {
            hintsEnabled = false;
            surface_.setHint(hintText, false);
            surface_.setStatusText(QString());
        }
    }

    if (panning) {
        drawPanBoxes(false);
        const double s = scaleOf(view_);
        view_.offsetX = saturateInt(view_.offsetX - roundHalfEven((panLastX - screen.x()) / s));
        view_.offsetY = saturateInt(view_.offsetY - roundHalfEven((panLastY - screen.y()) / s));
        drawPanBoxes(true);
        panLastX = screen.x();
        panLastY = screen.y();
    }

    store_.pointerX = toCanvasX(view_, screen.x());
    store_.pointerY = toCanvasY(view_, screen.y());
    PersonItem* current = store_.currentItem;

    if (dragPending && current &&
        (std::llabs(current->X - (0LL + store_.pointerX - grabX)) > kDragThreshold ||
         std::llabs(current->Y - (0LL + store_.pointerY - grabY)) > kDragThreshold)) {
        dragBegan(*current);
        store_.modified = true;
        dragging = true;
        dragPending = false;
        stepName = moveLabel(current->Selected ? static_cast<int>(store_.selectionList().size()) : 1);
    }

    if (anyLinkPending() && current) {
        const QPoint centre = screenOf(current->X + kLinkDX, current->Y + kLinkDY);
        surface_.invertLine(centre, screenOf(dragX, dragY));
        dragX = store_.pointerX;
        dragY = store_.pointerY;
        surface_.invertLine(centre, screenOf(dragX, dragY));
    }

    if (dragging && current) {
        beginStep();
        const long long G = store_.gridSize > 0 ? store_.gridSize : 1;
        // "/" truncates toward zero, as the grid has always done.
        const int tx = saturateInt(((0LL + store_.pointerX - grabX) / G) * G + (G / 2));
        const int ty = saturateInt(((0LL + store_.pointerY - grabY) / G) * G + (G / 2));
        if (current->Selected) {
            // The group keeps its shape; only the item under the pointer lands on the grid.
            const long long dx = 0LL + current->X - tx, dy = 0LL + current->Y - ty;
            if (dx != 0 || dy != 0) {
                invertSelection();
                for (PersonItem* item : store_.selectionList()) {
                    store_.touchPlace(item);
                    item->X = saturateInt(item->X - dx);
                    item->Y = saturateInt(item->Y - dy);
                }
                invertSelection();
            }
        } else {
            dragX = current->X;
            dragY = current->Y;
            if (current->X != tx || current->Y != ty) {
                invertItem(*current);
                store_.touchPlace(current);
                current->X = tx;
                current->Y = ty;
                invertItem(*current);
            }
            dragX = store_.pointerX;
            dragY = store_.pointerY;
        }
    }

    if (rubberBand) {
        const bool dotted = !zoomToAreaMode;
        if (zoomToAreaMode && window.width != 0)
            store_.pointerY = saturateInt(roundHalfEven(static_cast<double>(window.height) / window.width *
                                                            (static_cast<double>(store_.pointerX) - dragX) +
                                                        dragY));
        surface_.invertFrame(screenOf(dragX, dragY), screenOf(grabX, grabY), dotted);
        grabX = store_.pointerX;
        grabY = store_.pointerY;
        surface_.invertFrame(screenOf(dragX, dragY), screenOf(grabX, grabY), dotted);
    }

    updateToolbar();
}

void CanvasInteraction::updateToolbar() {
    const PersonItem* current = store_.currentItem;
    if (current == toolbarItem) return;
    toolbarItem = current;
    const ToolbarButtonState buttons = computeToolbarButtonState(store_);
    surface_.setToolbarButtons(buttons.editProperties, buttons.createAncestorTree);
}

void CanvasInteraction::mouseRelease(QPoint /*screen*/, Qt::MouseButton button) {
    if (viewDragging) {
        if (button == Qt::MiddleButton) {
            viewDragging = false;
            surface_.setCanvasCursor(zoomToAreaMode || anyLinkPending() ? CanvasCursor::Cross
                                     : panArmed                        ? CanvasCursor::PointingHand
                                                                       : CanvasCursor::Arrow);
        }
        return;
    }
    surface_.setCanvasCursor(CanvasCursor::Arrow);
    dragPending = false;

    if (rubberBand) {
        const int minX = std::min(dragX, grabX), maxX = std::max(dragX, grabX);
        const int minY = std::min(dragY, grabY), maxY = std::max(dragY, grabY);
        if (zoomToAreaMode) {
            rubberBand = false;
            setZoomToArea(false);
            zoomToArea(view_, window, minX, minY, maxX, maxY);
            // The paint disarms the sticky flag, so remember whether Ctrl is still held first.
            const bool sticky = areaSticky;
            repaint();
            if (sticky) {
                areaSticky = true;
                setZoomToArea(true);
                surface_.setCanvasCursor(CanvasCursor::Cross);
            }
        } else {
            surface_.invertFrame(screenOf(dragX, dragY), screenOf(grabX, grabY), true);
            rubberBand = false;
            store_.clearSelection();
            // Every box that overlaps the band; touching an edge is not enough.
            for (PersonItem* item = store_.firstItem(); item; item = item->Next)
                if (0LL + minX - kItemWidth < item->X && item->X < maxX && 0LL + minY - kItemHeight < item->Y &&
                    item->Y < maxY)
                    store_.addToSelection(item);
            invertSelection();
        }
    }

    if (dragging) {
        dragging = false;
        dragFromPress_ = false;
        if (stepName.isEmpty()) stepName = moveLabel(1);  // a new item dropped where it hung
        // A new item dropped without a sex: its dialog is a step of its own.
        if (store_.currentItem && store_.currentItem->Sex.empty() && editProperties) {
            endStep();
            editProperties();
        }
        repaint();
    }
    endStep();

    if (panning) {
        panning = false;
        repaint();
    }
}

void CanvasInteraction::beginStep() {
    if (!gestureStep_) gestureStep_.emplace(store_, QString());
}

void CanvasInteraction::endStep() {
    if (anyLinkPending()) return;
    if (gestureStep_) {
        gestureStep_->setLabel(stepName.isEmpty() ? QStringLiteral("Edit") : stepName);
        gestureStep_.reset();
    }
    stepName.clear();
}

void CanvasInteraction::doubleClick(QPoint /*screen*/) {
    // The window reports the second press of a double-click as a press of its own first. It must
    // not start a drag, a band or panning: after the jump the pointer lies elsewhere on the tree, so
    // the slightest move before the release would drag the item we jumped to or select with a band.
    dragPending = false;
    rubberBand = false;
    panning = false;
    if (goToAliasEntry) {
        goToAliasEntry();
    } else {
        const double zoom = view_.zoom;
        if (store_.currentItem)
            centreItem(store_.currentItem, view_, window);
        else
            centrePoint(store_.pointerX, store_.pointerY, view_, window);
        kinloom::zoomKeepingCentre(view_, window, zoom);
        repaint();
    }
    ignoreNextMouseDown = true;
}

// ---------------------------------------------------------------- keys and commands

void CanvasInteraction::scrollBy(int dx, int dy) {
    const double s = scaleOf(view_);
    const long long step = roundHalfEven(scrollStep / s);
    view_.offsetX = saturateInt(view_.offsetX + dx * step);
    view_.offsetY = saturateInt(view_.offsetY + dy * step);
    repaint();
}

void CanvasInteraction::scrollRight() { scrollBy(-1, 0); }
void CanvasInteraction::scrollDown() { scrollBy(0, -1); }
void CanvasInteraction::scrollLeft() { scrollBy(1, 0); }
void CanvasInteraction::scrollUp() { scrollBy(0, 1); }

PersonItem* CanvasInteraction::nearestItem(int key) const {
    const PersonItem* c = store_.currentItem;
    if (!c) return nullptr;
    PersonItem* best = nullptr;
    long long bestScore = std::numeric_limits<long long>::max();
    for (PersonItem* item = store_.firstItem(); item; item = item->Next) {
        if (item == c) continue;
        const long long ax = static_cast<long long>(c->X) - item->X;  // > 0: item lies to the left
        const long long ay = static_cast<long long>(c->Y) - item->Y;  // > 0: item lies above
        long long along = 0, across = 0;
        switch (key) {
        case Qt::Key_Left: along = ax; across = ay; break;
        case Qt::Key_Up: along = ay; across = ax; break;
        case Qt::Key_Right: along = -ax; across = ay; break;
        case Qt::Key_Down: along = -ay; across = ax; break;
        default: return nullptr;
        }
        if (along < 1) continue;
        const long long score = along + roundHalfEven(1.5 * static_cast<double>(std::llabs(across)));
        if (score < bestScore) {  // the earlier item keeps a tie
            bestScore = score;
            best = item;
        }
    }
    return best;
}

void CanvasInteraction::keyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Escape) {
        cancelGesture();
        return;
    }
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && held == Qt::NoModifier) {
        // The plain arrows are shortcuts of the hidden scroll commands.
        switch (key) {
        case Qt::Key_Up: scrollUp(); break;
        case Qt::Key_Down: scrollDown(); break;
        case Qt::Key_Left: scrollLeft(); break;
        default: scrollRight(); break;
        }
        return;
    }
    if (arrow && store_.currentItem) {
        if (PersonItem* next = nearestItem(key)) store_.currentItem = next;
        centreItemKeepingZoom(store_.currentItem, view_, window);
        repaint();
        surface_.setStatusText(statusTextFor(*store_.currentItem).trimmed());
    }
    if (!rubberBand) {
        if (held == Qt::AltModifier) {
            panArmed = true;
            setZoomToArea(false);
            surface_.setCanvasCursor(CanvasCursor::PointingHand);
        } else if (held == Qt::ControlModifier) {
            panArmed = false;
            setZoomToArea(true);
            areaSticky = true;
            surface_.setCanvasCursor(CanvasCursor::Cross);
        }
    }
}

void CanvasInteraction::keyRelease(int key, Qt::KeyboardModifiers modifiers) {
    Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // The released key no longer counts as held, whatever the window system reports.
    if (key == Qt::Key_Shift) held &= ~Qt::ShiftModifier;
    if (key == Qt::Key_Control) held &= ~Qt::ControlModifier;
    if (key == Qt::Key_Alt) held &= ~Qt::AltModifier;
    if (rubberBand || held != Qt::NoModifier) return;
    setZoomToArea(false);
    panArmed = false;
    surface_.setCanvasCursor(CanvasCursor::Arrow);
    areaSticky = false;
}

void CanvasInteraction::forgetHover() {
    hintText.clear();
    hintsEnabled = false;
    surface_.setHint(hintText, false);
    surface_.setStatusText(QString());
}

PopupMenuState CanvasInteraction::popupMenu() {
    surface_.setStatusText(QString());
    hintText.clear();
    surface_.setHint(hintText, hintsEnabled);
    return computePopupMenuState(store_, charset);
}

void CanvasInteraction::zoomToAreaClicked() {
    setZoomToArea(!zoomToAreaMode);
    surface_.setCanvasCursor(zoomToAreaMode ? CanvasCursor::Cross : CanvasCursor::Arrow);
}

void CanvasInteraction::zoomTo(double zoom) {
    kinloom::zoomKeepingCentre(view_, window, zoom);
    repaint();
}

void CanvasInteraction::zoomIn() {
    kinloom::zoomIn(view_, window);
    repaint();
}

void CanvasInteraction::zoomOut() {
    if (kinloom::zoomOut(view_, window)) repaint();
}

void CanvasInteraction::zoomToItem() {
    if (centreItem(store_.currentItem, view_, window)) repaint();
}

}  // namespace kinloom
