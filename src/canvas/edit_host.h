#pragma once
#include "document/view_state.h"

namespace kinloom {

// The three links that a press on the canvas completes.
enum class PendingLink { Father, Mother, Spouse };

// What the editing commands ask of the window around them: painting, the zoom commands and the
// interaction state of the canvas. The main window implements it with the canvas; tests record it.
class EditHost {
public:
    virtual ~EditHost() = default;
    virtual void repaint() = 0;           // erase the canvas and paint the tree
    virtual void paintWithoutErase() = 0;  // paint the tree over what is on the screen
    virtual void zoomTo(double zoom) = 0;  // new zoom, window centre kept, repaint
    virtual WindowSize outerSize() const = 0;
    // grabX = 70, grabY = 32, Dragging (and dragPending when asked) true: the current item hangs
    // centred under the pointer until the next click drops it.
    virtual void startPlacing(bool dragPending) = 0;
    // Cross cursor; with a current item, dragX/dragY at its centre and the pending flag set.
    virtual void setCrossCursor() = 0;
    virtual void armLink(PendingLink kind, int dragX, int dragY) = 0;
    virtual void setIgnoreNextMouseDown() = 0;
    // Items were deleted: the hover hint forgets them and the status line tells what happened.
    virtual void itemsDeleted(int count) { (void)count; }
};

}  // namespace kinloom
