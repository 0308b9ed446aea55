#include "canvas/ui/canvas_edit_host.h"

#include "canvas/interaction.h"
#include "document/person_item.h"
#include "canvas/ui/canvas_widget.h"

namespace kinloom {

void CanvasEditHost::Repaint() { canvas_.repaintTree(); }

void CanvasEditHost::PaintWithoutErase() { canvas_.paintTreeWithoutErase(); }

void CanvasEditHost::ZoomTo(double zoom) {
    canvas_.interaction().Window = canvas_.windowSize();
    canvas_.interaction().zoomto(zoom);
}

WindowSize CanvasEditHost::OuterSize() const { return canvas_.windowSize(); }

void CanvasEditHost::StartPlacing(bool dragPending) {
    CanvasInteraction& in = canvas_.interaction();
    in.GrabX = kLinkDX;
    in.GrabY = kLinkDY;
    in.Dragging = true;
    if (dragPending) in.DragPending = true;
}

void CanvasEditHost::SetCrossCursor() { canvas_.SetCursor(CanvasCursor::Cross); }

void CanvasEditHost::ArmLink(PendingLink kind, int dragX, int dragY) {
    CanvasInteraction& in = canvas_.interaction();
    in.DragX = dragX;
    in.DragY = dragY;
    switch (kind) {
    case PendingLink::Father: in.LinkFatherPending = true; break;
    case PendingLink::Mother: in.LinkMotherPending = true; break;
    case PendingLink::Spouse: in.LinkSpousePending = true; break;
    }
}

void CanvasEditHost::SetIgnoreNextMouseDown() { canvas_.interaction().IgnoreNextMouseDown = true; }

}  // namespace kinloom
