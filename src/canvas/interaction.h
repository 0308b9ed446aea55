#pragma once
#include "canvas/canvas_surface.h"
#include "canvas/popup_state.h"
#include "document/item_store.h"
#include "document/view_state.h"

#include <Qt>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kinloom {

class ItemStore;
class DisplayCharset;
struct PersonItem;

// The mouse and keyboard behaviour of the canvas, without a window: events come in (screen pixels
// of the canvas's client area, with buttons and modifiers), the store and view change, and what the
// window must show goes out through a CanvasSurface. The main window owns one of these next to the
// store and the view. The editing commands share its state: a link command arms one of the
// link...Pending flags from currentItem's centre, a new box hangs under the pointer through
// beginPlacingNewItem or the grab offsets, and the hooks below let a gesture run a command.
class CanvasInteraction {
public:
    CanvasInteraction(ItemStore& store, ViewState& view, CanvasSurface& surface);
    ~CanvasInteraction();
    CanvasInteraction(const CanvasInteraction&) = delete;
    CanvasInteraction& operator=(const CanvasInteraction&) = delete;

    // --- Interaction state (pointerX/pointerY and gridSize live in the store) ---
    int grabX = 0, grabY = 0;  // dragging: pointer offset from the item's corner; band: moving corner
    int dragX = 0, dragY = 0;  // press point; previous position of a dragged item; end of a rubber line
    bool dragPending = false;  // left button went down on an item; a drag starts beyond 10 units
    bool dragging = false;     // currentItem follows the mouse (drag or placement); not painted
    bool rubberBand = false;   // a selection or zoom-to-area band is being drawn
    // Armed by "Link to Father/Mother/Spouse" (set dragX/dragY to currentItem's centre first);
    // completed or cancelled by the next press.
    bool linkFatherPending = false, linkMotherPending = false, linkSpousePending = false;
    bool linkHandled = false;          // the current press completed a link
    bool ignoreNextMouseDown = false;  // set by the double-click
    bool panArmed = false;             // Alt held: a press starts panning
    bool panning = false;
    int panLastX = 0, panLastY = 0;    // screen pixels
    bool areaSticky = false;           // Ctrl held: zoom to area re-arms after each zoom
    const PersonItem* toolbarItem = nullptr;  // compared only, never followed
    bool zoomToAreaMode = false;       // the check mark of "Zoom to &Area"
    int scrollStep = 0;                // arrow-key scroll in screen pixels
    WindowSize window;                 // the main window's outer size
    bool showNameTips = true;          // the "Show name tips" option
    const DisplayCharset* charset = nullptr;  // null: System Default
    QString hintText;
    bool hintsEnabled = false;
    bool viewDragging = false;         // the middle button drags the view
    QPoint viewDragLast;               // screen pixels

    // --- Hooks into the editing commands; each has a working default ---
    // The canvas double-click (go to alias or original); the default centres currentItem, or the
    // pointer on empty canvas, keeping the zoom.
    std::function<void()> goToAliasEntry;
    // Opens the person dialog for currentItem (a dropped item with an empty Sex); default: nothing.
    std::function<void()> editProperties;
    // The new-item command used when a pending link is completed on empty canvas.
    std::function<PersonItem*()> newItem;

    // --- Events ---
    void mousePress(QPoint screen, Qt::MouseButton button);
    void mouseMove(QPoint screen);
    void mouseRelease(QPoint screen, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(QPoint screen);
    void keyPress(int key, Qt::KeyboardModifiers modifiers);
    void keyRelease(int key, Qt::KeyboardModifiers modifiers);
    // The wheel or a touchpad's two-finger scroll: scrolls up and down, with Shift left and right;
    // with Ctrl it zooms in or out one step per notch about the pointer. Pixel deltas (touchpads)
    // scroll by exactly that many pixels, a notch (120) by the arrow keys' step. Modes armed by
    // Ctrl or Alt stay as they were, and a gesture in progress carries on at the new view.
    void wheel(QPoint screen, QPoint angleDelta, QPoint pixelDelta, Qt::KeyboardModifiers modifiers);

    // --- Commands ---
    // Forgets every gesture in progress and every mode (a new document, an import).
    void reset();
    // The first step of every paint: arrow cursor, zoom to area off, pan and sticky disarmed.
    void paintStarted();
    void repaint();           // paintStarted + erase and paint
    void paintWithoutErase();  // paintStarted + paint over
    // The item under a canvas point (last in store order wins); null on empty canvas or while
    // zoom to area is checked.
    PersonItem* hitTest(int px, int py) const;
    // A new item on the grid under the pointer, made current and hung under the pointer until the
    // next click.
    PersonItem* beginPlacingNewItem();
    void zoomToAreaClicked();
    void zoomTo(double zoom);
    void zoomIn();
    void zoomOut();
    void zoomToItem();
    // Fit Whole Tree and Fit Selection: every item, or the selected ones (else the current item),
    // fill the canvas's client area with a small margin, at most 100 %.
    void fitWholeTree(QSize client);
    void fitSelection(QSize client);
    // After a tree was read: shows it whole when it does not fit at 100 %; true when it did so.
    bool showWholeTreeIfLarge(QSize client);
    // Escape: cancels a pending link, a drag (the items go back where it began; a box being placed
    // stops following the pointer where it is) and a band. Nothing else changes. True when there
    // was something to cancel.
    bool cancelGesture();
    void scrollRight();  // Right: the tree moves left
    void scrollDown();  // Down
    void scrollLeft();  // Left
    void scrollUp();  // Up
    // Shift/Ctrl/Alt + arrow: the nearest item in a direction by score; null when there is none.
    PersonItem* nearestItem(int key) const;
    // Items went away (deleted, a new or another tree): the hint and the status bar, which may
    // name one of them, are emptied.
    void forgetHover();
    // The popup menu is opening: empties the status bar and the hint and returns the entries' state.
    PopupMenuState popupMenu();
    // A gesture's edit step opens with its first change (a link made, a box moved) and closes
    // when the button is let go.
    QString stepName;  // the undo step the current gesture makes
    void beginStep();
    void endStep();
    bool anyLinkPending() const { return linkFatherPending || linkMotherPending || linkSpousePending; }

    // The texts of the hover hint (before the on/off toggling) and of the status bar for an item.
    QString hintTextFor(const PersonItem& item) const;
    QString statusTextFor(const PersonItem& item) const;

private:
    std::optional<EditStep> gestureStep_;
    void invertItem(const PersonItem& item);
    void invertSelection();
    void setZoomToArea(bool checked);
    void completePendingLinks(PersonItem* previous, bool hitNothing, int px, int py);
    void drawPanBoxes(bool silver);
    void scrollBy(int dx, int dy);
    void updateToolbar();
    QPoint screenOf(int cx, int cy) const;
    QString text(const std::string_view bytes) const;
    // Moves the view by screen pixels, carrying the fraction of a canvas unit over to the next move.
    void moveViewBy(double dxPixels, double dyPixels);
    // Repaints without ending any mode, then draws again what an unfinished gesture shows by inversion.
    void repaintKeepingGestures();
    void dragBegan(const PersonItem& item);

    ItemStore& store_;
    ViewState& view_;
    CanvasSurface& surface_;
    std::shared_ptr<bool> alive_;
    double restX_ = 0, restY_ = 0;  // canvas units not yet moved
    int wheelZoomAngle_ = 0;        // a notch is 120; fine wheels and touchpads send less
    // Where a drag from a press began, to put the items back on Escape.
    bool dragFromPress_ = false;
    int dragOriginX_ = 0, dragOriginY_ = 0;
    bool modifiedBeforeDrag_ = false;
};

}  // namespace kinloom
