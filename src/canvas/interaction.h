#pragma once
#include "canvas/canvas_surface.h"
#include "canvas/popup_state.h"
#include "document/view_state.h"

#include <Qt>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

namespace kinloom {

class TItemStore;
class DisplayCharset;
struct TPersonItem;

// The mouse and keyboard behaviour of the canvas, without a window: events come in (screen pixels
// of the canvas's client area, with buttons and modifiers), the store and view change, and what the
// window must show goes out through a CanvasSurface. The main window owns one of these next to the
// store and the view; the editing commands read and set its state directly:
//  - a link command sets DragX/DragY to CurrentItem's centre and one of the Link...Pending flags
//    (and the cross cursor through the surface);
//  - the new-item and alias commands call BeginPlacingNewItem, or set GrabX = 70, GrabY = 32,
//    Dragging (and DragPending) themselves after creating the item;
//  - the go-to commands centre with CentreItem (zoom.h) and repaint through Repaint();
//  - GotoAlias, EditProperties and NewItem below are where their commands plug in.
class CanvasInteraction {
public:
    CanvasInteraction(TItemStore& store, ViewState& view, CanvasSurface& surface);
    ~CanvasInteraction();
    CanvasInteraction(const CanvasInteraction&) = delete;
    CanvasInteraction& operator=(const CanvasInteraction&) = delete;

    // --- Interaction state (PointerX/PointerY and GridSize live in the store) ---
    int GrabX = 0, GrabY = 0;  // dragging: pointer offset from the item's corner; band: moving corner
    int DragX = 0, DragY = 0;  // press point; previous position of a dragged item; end of a rubber line
    bool DragPending = false;  // left button went down on an item; a drag starts beyond 10 units
    bool Dragging = false;     // CurrentItem follows the mouse (drag or placement); not painted
    bool RubberBand = false;   // a selection or zoom-to-area band is being drawn
    // Armed by "Link to Father/Mother/Spouse" (set DragX/DragY to CurrentItem's centre first);
    // completed or cancelled by the next press.
    bool LinkFatherPending = false, LinkMotherPending = false, LinkSpousePending = false;
    bool LinkHandled = false;          // the current press completed a link
    bool IgnoreNextMouseDown = false;  // set by the double-click
    bool PanArmed = false;             // Alt held: a press starts panning
    bool Panning = false;
    int PanLastX = 0, PanLastY = 0;    // screen pixels
    bool AreaSticky = false;           // Ctrl held: zoom to area re-arms after each zoom
    const TPersonItem* ToolbarItem = nullptr;  // compared only, never followed
    bool ZoomToAreaMode = false;       // the check mark of "Zoom to &Area"
    int ScrollStep = 0;                // arrow-key scroll in screen pixels
    WindowSize Window;                 // the main window's outer size
    bool ShowNameTips = true;          // the "Show name tips" option
    const DisplayCharset* Charset = nullptr;  // nil: System Default
    QString HintText;
    bool HintsEnabled = false;

    // --- Hooks into the editing commands; each has a working default ---
    // The canvas double-click (go to alias or original); the default centres CurrentItem, or the
    // pointer on empty canvas, keeping the zoom.
    std::function<void()> GotoAlias;
    // Opens the person dialog for CurrentItem (a dropped item with an empty Sex); default: nothing.
    std::function<void()> EditProperties;
    // The new-item command used when a pending link is completed on empty canvas.
    std::function<TPersonItem*()> NewItem;

    // --- Events ---
    void MousePress(QPoint screen, Qt::MouseButton button);
    void MouseMove(QPoint screen);
    void MouseRelease(QPoint screen);
    void DoubleClick(QPoint screen);
    void KeyPress(int key, Qt::KeyboardModifiers modifiers);
    void KeyRelease(int key, Qt::KeyboardModifiers modifiers);

    // --- Commands ---
    // Forgets every gesture in progress and every mode (a new document, an import).
    void Reset();
    // The first step of every paint: arrow cursor, zoom to area off, pan and sticky disarmed.
    void PaintStarted();
    void Repaint();           // PaintStarted + erase and paint
    void PaintWithoutErase();  // PaintStarted + paint over
    // The item under a canvas point (last in store order wins); nil on empty canvas or while
    // zoom to area is checked.
    TPersonItem* HitTest(int px, int py) const;
    // New item: created on the grid under the pointer, made current and hung under the pointer
    // until the next click (Nyperson1Click).
    TPersonItem* BeginPlacingNewItem();
    void Area1Click();
    void zoomto(double zoom);
    void ZoomIn1Click();
    void ZoomOut1Click();
    void Zoom1Click();
    void SpeedButton1Click();  // Right: the tree moves left
    void SpeedButton2Click();  // Down
    void SpeedButton3Click();  // Left
    void SpeedButton4Click();  // Up
    // Shift/Ctrl/Alt + arrow: the nearest item in a direction by score; nil when there is none.
    TPersonItem* NearestItem(int key) const;
    // The popup menu is opening: empties the status bar and the hint and returns the entries' state.
    PopupMenuState PopupMenu();
    bool AnyLinkPending() const { return LinkFatherPending || LinkMotherPending || LinkSpousePending; }

    // The texts of the hover hint (before the on/off toggling) and of the status bar for an item.
    QString HintTextFor(const TPersonItem& item) const;
    QString StatusTextFor(const TPersonItem& item) const;

private:
    void invertItem(const TPersonItem& item);
    void invertSelection();
    void setZoomToArea(bool checked);
    void completePendingLinks(TPersonItem* previous, bool hitNothing, int px, int py);
    void drawPanBoxes(bool silver);
    void scrollBy(int dx, int dy);
    void updateToolbar();
    QPoint screenOf(int cx, int cy) const;
    QString text(const std::string_view bytes) const;

    TItemStore& store_;
    ViewState& view_;
    CanvasSurface& surface_;
    std::shared_ptr<bool> alive_;
};

}  // namespace kinloom
