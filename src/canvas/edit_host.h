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
    virtual void Repaint() = 0;           // erase the canvas and paint the tree
    virtual void PaintWithoutErase() = 0;  // paint the tree over what is on the screen
    virtual void ZoomTo(double zoom) = 0;  // zoomto: new zoom, window centre kept, repaint
    virtual WindowSize OuterSize() const = 0;
    // GrabX = 70, GrabY = 32, Dragging (and DragPending when asked) true: the current item hangs
    // centred under the pointer until the next click drops it.
    virtual void StartPlacing(bool dragPending) = 0;
    // Cross cursor; with a current item, DragX/DragY at its centre and the pending flag set.
    virtual void SetCrossCursor() = 0;
    virtual void ArmLink(PendingLink kind, int dragX, int dragY) = 0;
    virtual void SetIgnoreNextMouseDown() = 0;
};

}  // namespace kinloom
