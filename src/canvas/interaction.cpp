#include "canvas/interaction.h"

#include "canvas/popup_state.h"
#include "canvas/view_math.h"
#include "canvas/zoom.h"
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
bool SameOrBetween(long long lo, long long v, long long hi) { return lo <= v && v <= hi; }
}  // namespace

CanvasInteraction::CanvasInteraction(TItemStore& store, ViewState& view, CanvasSurface& surface)
    : store_(store), view_(view), surface_(surface), alive_(std::make_shared<bool>(true)) {
    // ToolbarItem must not keep pointing at a freed item that a new one might reuse.
    std::weak_ptr<bool> alive = alive_;
    store_.addRemovalListener([this, alive](const TPersonItem* item) {
        if (alive.expired()) return;
        if (item == nullptr || item == ToolbarItem) ToolbarItem = nullptr;
        // A drag, a placement and a waiting link belong to CurrentItem; deleting it (the store then
        // has no current item) ends them, so the next press is a plain click and not the tail of a
        // gesture whose item is gone.
        if (item == nullptr || store_.CurrentItem == nullptr) {
            Dragging = DragPending = false;
            LinkFatherPending = LinkMotherPending = LinkSpousePending = false;
        }
    });
}

CanvasInteraction::~CanvasInteraction() = default;

QString CanvasInteraction::text(const std::string_view bytes) const {
    static const DisplayCharset kDefault;
    return (Charset ? *Charset : kDefault).decode(bytes);
}

QPoint CanvasInteraction::screenOf(int cx, int cy) const { return {ToScreenX(view_, cx), ToScreenY(view_, cy)}; }

void CanvasInteraction::invertItem(const TPersonItem& item) { surface_.InvertRect(BoxEdgesOf(item, view_).rect()); }

void CanvasInteraction::invertSelection() {
    for (const TPersonItem* item : store_.SelectionList()) invertItem(*item);
}

void CanvasInteraction::setZoomToArea(bool checked) {
    ZoomToAreaMode = checked;
    surface_.SetZoomToAreaChecked(checked);
}

void CanvasInteraction::Reset() {
    DragPending = Dragging = RubberBand = false;
    LinkFatherPending = LinkMotherPending = LinkSpousePending = LinkHandled = false;
    IgnoreNextMouseDown = PanArmed = Panning = AreaSticky = false;
    ToolbarItem = nullptr;
    setZoomToArea(false);
    surface_.SetCursor(CanvasCursor::Arrow);
}

void CanvasInteraction::PaintStarted() {
    surface_.SetCursor(CanvasCursor::Arrow);
    setZoomToArea(false);
    PanArmed = false;
    AreaSticky = false;
}

void CanvasInteraction::Repaint() {
    PaintStarted();
    surface_.Repaint();
}

void CanvasInteraction::PaintWithoutErase() {
    PaintStarted();
    surface_.PaintWithoutErase();
}

TPersonItem* CanvasInteraction::HitTest(int px, int py) const {
    if (ZoomToAreaMode) return nullptr;
    TPersonItem* hit = nullptr;
    for (TPersonItem* item = store_.FirstItem(); item; item = item->Next)
        if (SameOrBetween(item->X, px, 0LL + item->X + kItemWidth) &&
            SameOrBetween(item->Y, py, 0LL + item->Y + kItemHeight))
            hit = item;  // later items are drawn on top
    return hit;
}

TPersonItem* CanvasInteraction::BeginPlacingNewItem() {
    TPersonItem* item = store_.LagNyPerson();
    if (!item) return nullptr;
    GrabX = kLinkDX;
    GrabY = kLinkDY;
    Dragging = true;
    PaintWithoutErase();
    return item;
}

// ---------------------------------------------------------------- mouse

void CanvasInteraction::drawPanBoxes(bool silver) {
    for (const TPersonItem* item = store_.FirstItem(); item; item = item->Next)
        surface_.FillBox(BoxEdgesOf(*item, view_).rect(), silver);
}

void CanvasInteraction::completePendingLinks(TPersonItem* previous, bool hitNothing, int px, int py) {
    bool* const flags[] = {&LinkFatherPending, &LinkMotherPending, &LinkSpousePending};
    for (int kind = 0; kind < 3; ++kind) {
        if (!*flags[kind]) continue;
        // A press on the waiting item itself cancels; without a waiting item there is nothing to link.
        if (previous && store_.CurrentItem != previous) {
            store_.Modified = true;
            if (hitNothing) {
                store_.PointerX = px;
                store_.PointerY = py;
                TPersonItem* created = NewItem ? NewItem() : BeginPlacingNewItem();
                Dragging = false;  // it stays where it was made
                hitNothing = false;
                if (!created) store_.CurrentItem = nullptr;
            }
            TPersonItem* target = store_.CurrentItem;
            if (target) {
                if (kind == 0) {
                    previous->Father = target;
                    target->Sex = "M";
                } else if (kind == 1) {
                    previous->Mother = target;
                    target->Sex = "F";
                } else {
                    store_.AddMarriage(previous, target);
                }
            }
            store_.CurrentItem = previous;
        }
        *flags[kind] = false;
        Repaint();
        LinkHandled = true;
    }
}

void CanvasInteraction::MousePress(QPoint screen, Qt::MouseButton button) {
    if (PanArmed) {
        PanLastX = screen.x();
        PanLastY = screen.y();
        Panning = true;
        surface_.FillBackground();
        drawPanBoxes(true);
        return;
    }
    if (IgnoreNextMouseDown) {
        IgnoreNextMouseDown = false;
        return;
    }
    const int px = ToCanvasX(view_, screen.x()), py = ToCanvasY(view_, screen.y());
    TPersonItem* previous = store_.CurrentItem;
    store_.CurrentItem = HitTest(px, py);
    const bool hitNothing = store_.CurrentItem == nullptr;

    completePendingLinks(previous, hitNothing, px, py);

    if (button == Qt::LeftButton && !LinkHandled) {
        if (TPersonItem* item = store_.CurrentItem) {
            if (!item->Selected && !store_.SelectionList().empty()) {
                invertSelection();
                previous = nullptr;  // already restored with the selection
                store_.ClearSelection();
            }
            DragPending = true;
            GrabX = SaturateInt(0LL + px - item->X);
            GrabY = SaturateInt(0LL + py - item->Y);
            DragX = px;
            DragY = py;
        } else {
            RubberBand = true;
            DragX = GrabX = px;
            DragY = GrabY = py;
        }
    }
    LinkHandled = false;

    // Move the inverted highlight to the new current item.
    TPersonItem* current = store_.CurrentItem;
    if (current == previous && store_.SelectionList().empty()) return;
    if (current) {
        if (current->Selected) return;
        if (previous) invertItem(*previous);
        invertItem(*current);
    } else if (!store_.SelectionList().empty()) {
        invertSelection();
        store_.ClearSelection();
    } else if (previous) {
        invertItem(*previous);
    }
}

QString CanvasInteraction::HintTextFor(const TPersonItem& item) const {
    QString head = text(item.FirstName) + QLatin1Char(' ') + text(item.LastName) + kCrLf + QLatin1Char('(') +
                   text(item.BornDate) + QStringLiteral(" - ") + text(item.DiedDate) + QLatin1Char(')') + kCrLf;
    head.truncate(kHintCut);
    const bool male = QString::fromLatin1(item.Sex.str().data(), item.Sex.length()).toUpper() == QLatin1String("M");
    head += male ? QStringLiteral("[Male]") : QStringLiteral("[Female]");
    if (!item.PictureFile.empty()) head += kCrLf + QStringLiteral("[Picture]");
    if (!item.NotesFile.empty()) head += kCrLf + QStringLiteral("[Additional notes]");
    return head;
}

QString CanvasInteraction::StatusTextFor(const TPersonItem& item) const {
    QString status = text(item.FirstName) + QLatin1Char(' ') + text(item.LastName) + QStringLiteral(" (") +
                     text(item.BornDate) + QStringLiteral(" - ") + text(item.DiedDate) + QLatin1Char(')');
    status.truncate(kHintCut);
    return status;
}

void CanvasInteraction::MouseMove(QPoint screen) {
    if (!Panning && !Dragging && !RubberBand && ShowNameTips) {
        if (const TPersonItem* item = HitTest(ToCanvasX(view_, screen.x()), ToCanvasY(view_, screen.y()))) {
            const QString hint = HintTextFor(*item);
            // Switching hints off for one move closes the hint window, so it reopens with the new text.
            HintsEnabled = !(HintsEnabled && hint != HintText);
            HintText = hint;
            surface_.SetHint(HintText, HintsEnabled);
            surface_.SetStatusText(StatusTextFor(*item));
        } else {
            HintsEnabled = false;
            surface_.SetHint(HintText, false);
            surface_.SetStatusText(QString());
        }
    }

    if (Panning) {
        drawPanBoxes(false);
        const double s = ScaleOf(view_);
        view_.OffsetX = SaturateInt(view_.OffsetX - RoundHalfEven((PanLastX - screen.x()) / s));
        view_.OffsetY = SaturateInt(view_.OffsetY - RoundHalfEven((PanLastY - screen.y()) / s));
        drawPanBoxes(true);
        PanLastX = screen.x();
        PanLastY = screen.y();
    }

    store_.PointerX = ToCanvasX(view_, screen.x());
    store_.PointerY = ToCanvasY(view_, screen.y());
    TPersonItem* current = store_.CurrentItem;

    if (DragPending && current &&
        (std::llabs(current->X - (0LL + store_.PointerX - GrabX)) > kDragThreshold ||
         std::llabs(current->Y - (0LL + store_.PointerY - GrabY)) > kDragThreshold)) {
        store_.Modified = true;
        Dragging = true;
        DragPending = false;
    }

    if (AnyLinkPending() && current) {
        const QPoint centre = screenOf(current->X + kLinkDX, current->Y + kLinkDY);
        surface_.InvertLine(centre, screenOf(DragX, DragY));
        DragX = store_.PointerX;
        DragY = store_.PointerY;
        surface_.InvertLine(centre, screenOf(DragX, DragY));
    }

    if (Dragging && current) {
        const long long G = store_.GridSize > 0 ? store_.GridSize : 1;
        // "/" truncates toward zero, as the grid has always done.
        const int tx = SaturateInt(((0LL + store_.PointerX - GrabX) / G) * G + (G / 2));
        const int ty = SaturateInt(((0LL + store_.PointerY - GrabY) / G) * G + (G / 2));
        if (current->Selected) {
            // The group keeps its shape; only the item under the pointer lands on the grid.
            const long long dx = 0LL + current->X - tx, dy = 0LL + current->Y - ty;
            if (dx != 0 || dy != 0) {
                invertSelection();
                for (TPersonItem* item : store_.SelectionList()) {
                    item->X = SaturateInt(item->X - dx);
                    item->Y = SaturateInt(item->Y - dy);
                }
                invertSelection();
            }
        } else {
            DragX = current->X;
            DragY = current->Y;
            if (current->X != tx || current->Y != ty) {
                invertItem(*current);
                current->X = tx;
                current->Y = ty;
                invertItem(*current);
            }
            DragX = store_.PointerX;
            DragY = store_.PointerY;
        }
    }

    if (RubberBand) {
        const bool dotted = !ZoomToAreaMode;
        if (ZoomToAreaMode && Window.Width != 0)
            store_.PointerY = SaturateInt(RoundHalfEven(static_cast<double>(Window.Height) / Window.Width *
                                                            (static_cast<double>(store_.PointerX) - DragX) +
                                                        DragY));
        surface_.InvertFrame(screenOf(DragX, DragY), screenOf(GrabX, GrabY), dotted);
        GrabX = store_.PointerX;
        GrabY = store_.PointerY;
        surface_.InvertFrame(screenOf(DragX, DragY), screenOf(GrabX, GrabY), dotted);
    }

    updateToolbar();
}

void CanvasInteraction::updateToolbar() {
    const TPersonItem* current = store_.CurrentItem;
    if (current == ToolbarItem) return;
    ToolbarItem = current;
    const ToolbarButtonState buttons = ComputeToolbarButtonState(store_);
    surface_.SetToolbarButtons(buttons.EditProperties, buttons.CreateAncestorTree);
}

void CanvasInteraction::MouseRelease(QPoint /*screen*/) {
    surface_.SetCursor(CanvasCursor::Arrow);
    DragPending = false;

    if (RubberBand) {
        const int minX = std::min(DragX, GrabX), maxX = std::max(DragX, GrabX);
        const int minY = std::min(DragY, GrabY), maxY = std::max(DragY, GrabY);
        if (ZoomToAreaMode) {
            RubberBand = false;
            setZoomToArea(false);
            ZoomToArea(view_, Window, minX, minY, maxX, maxY);
            // The paint disarms the sticky flag, so remember whether Ctrl is still held first.
            const bool sticky = AreaSticky;
            Repaint();
            if (sticky) {
                AreaSticky = true;
                setZoomToArea(true);
                surface_.SetCursor(CanvasCursor::Cross);
            }
        } else {
            surface_.InvertFrame(screenOf(DragX, DragY), screenOf(GrabX, GrabY), true);
            RubberBand = false;
            store_.ClearSelection();
            // Every box that overlaps the band; touching an edge is not enough.
            for (TPersonItem* item = store_.FirstItem(); item; item = item->Next)
                if (0LL + minX - kItemWidth < item->X && item->X < maxX && 0LL + minY - kItemHeight < item->Y &&
                    item->Y < maxY)
                    store_.AddToSelection(item);
            invertSelection();
        }
    }

    if (Dragging) {
        Dragging = false;
        if (store_.CurrentItem && store_.CurrentItem->Sex.empty() && EditProperties) EditProperties();
        Repaint();
    }

    if (Panning) {
        Panning = false;
        Repaint();
    }
}

void CanvasInteraction::DoubleClick(QPoint /*screen*/) {
    // The window reports the second press of a double-click as a press of its own first. It must
    // not start a drag, a band or panning: after the jump the pointer lies elsewhere on the tree, so
    // the slightest move before the release would drag the item we jumped to or select with a band.
    DragPending = false;
    RubberBand = false;
    Panning = false;
    if (GotoAlias) {
        GotoAlias();
    } else {
        const double zoom = view_.Zoom;
        if (store_.CurrentItem)
            CentreItem(store_.CurrentItem, view_, Window);
        else
            CentrePoint(store_.PointerX, store_.PointerY, view_, Window);
        kinloom::zoomto(view_, Window, zoom);
        Repaint();
    }
    IgnoreNextMouseDown = true;
}

// ---------------------------------------------------------------- keys and commands

void CanvasInteraction::scrollBy(int dx, int dy) {
    const double s = ScaleOf(view_);
    const long long step = RoundHalfEven(ScrollStep / s);
    view_.OffsetX = SaturateInt(view_.OffsetX + dx * step);
    view_.OffsetY = SaturateInt(view_.OffsetY + dy * step);
    Repaint();
}

void CanvasInteraction::SpeedButton1Click() { scrollBy(-1, 0); }
void CanvasInteraction::SpeedButton2Click() { scrollBy(0, -1); }
void CanvasInteraction::SpeedButton3Click() { scrollBy(1, 0); }
void CanvasInteraction::SpeedButton4Click() { scrollBy(0, 1); }

TPersonItem* CanvasInteraction::NearestItem(int key) const {
    const TPersonItem* c = store_.CurrentItem;
    if (!c) return nullptr;
    TPersonItem* best = nullptr;
    long long bestScore = std::numeric_limits<long long>::max();
    for (TPersonItem* item = store_.FirstItem(); item; item = item->Next) {
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
        const long long score = along + RoundHalfEven(1.5 * static_cast<double>(std::llabs(across)));
        if (score < bestScore) {  // the earlier item keeps a tie
            bestScore = score;
            best = item;
        }
    }
    return best;
}

void CanvasInteraction::KeyPress(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && held == Qt::NoModifier) {
        // The plain arrows are shortcuts of the hidden scroll commands.
        switch (key) {
        case Qt::Key_Up: SpeedButton4Click(); break;
        case Qt::Key_Down: SpeedButton2Click(); break;
        case Qt::Key_Left: SpeedButton3Click(); break;
        default: SpeedButton1Click(); break;
        }
        return;
    }
    if (arrow && store_.CurrentItem) {
        if (TPersonItem* next = NearestItem(key)) store_.CurrentItem = next;
        CentreItemKeepingZoom(store_.CurrentItem, view_, Window);
        Repaint();
        surface_.SetStatusText(StatusTextFor(*store_.CurrentItem).trimmed());
    }
    if (!RubberBand) {
        if (held == Qt::AltModifier) {
            PanArmed = true;
            setZoomToArea(false);
            surface_.SetCursor(CanvasCursor::PointingHand);
        } else if (held == Qt::ControlModifier) {
            PanArmed = false;
            setZoomToArea(true);
            AreaSticky = true;
            surface_.SetCursor(CanvasCursor::Cross);
        }
    }
}

void CanvasInteraction::KeyRelease(int key, Qt::KeyboardModifiers modifiers) {
    Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // The released key no longer counts as held, whatever the window system reports.
    if (key == Qt::Key_Shift) held &= ~Qt::ShiftModifier;
    if (key == Qt::Key_Control) held &= ~Qt::ControlModifier;
    if (key == Qt::Key_Alt) held &= ~Qt::AltModifier;
    if (RubberBand || held != Qt::NoModifier) return;
    setZoomToArea(false);
    PanArmed = false;
    surface_.SetCursor(CanvasCursor::Arrow);
    AreaSticky = false;
}

PopupMenuState CanvasInteraction::PopupMenu() {
    surface_.SetStatusText(QString());
    HintText.clear();
    surface_.SetHint(HintText, HintsEnabled);
    return ComputePopupMenuState(store_, Charset);
}

void CanvasInteraction::Area1Click() {
    setZoomToArea(!ZoomToAreaMode);
    surface_.SetCursor(ZoomToAreaMode ? CanvasCursor::Cross : CanvasCursor::Arrow);
}

void CanvasInteraction::zoomto(double zoom) {
    kinloom::zoomto(view_, Window, zoom);
    Repaint();
}

void CanvasInteraction::ZoomIn1Click() {
    kinloom::ZoomIn1Click(view_, Window);
    Repaint();
}

void CanvasInteraction::ZoomOut1Click() {
    if (kinloom::ZoomOut1Click(view_, Window)) Repaint();
}

void CanvasInteraction::Zoom1Click() {
    if (CentreItem(store_.CurrentItem, view_, Window)) Repaint();
}

}  // namespace kinloom
