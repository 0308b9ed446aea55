#include "canvas/ui/canvas_edit_host.h"

#include "canvas/interaction.h"
#include "document/person_item.h"
#include "canvas/ui/canvas_widget.h"

namespace kinloom {

void CanvasEditHost::repaint() { canvas_.repaintTree(); }

void CanvasEditHost::paintWithoutErase() { canvas_.paintTreeWithoutErase(); }

void CanvasEditHost::zoomTo(double zoom) {
    canvas_.interaction().window = canvas_.windowSize();
    canvas_.interaction().zoomTo(zoom);
}

WindowSize CanvasEditHost::outerSize() const { return canvas_.windowSize(); }

void CanvasEditHost::startPlacing(bool dragPending) {
    CanvasInteraction& in = canvas_.interaction();
    in.grabX = kLinkDX;
    in.grabY = kLinkDY;
    in.dragging = true;
    if (dragPending) in.dragPending = true;
}

void CanvasEditHost::setCrossCursor() { canvas_.setCanvasCursor(CanvasCursor::Cross); }

void CanvasEditHost::armLink(PendingLink kind, int dragX, int dragY) {
    CanvasInteraction& in = canvas_.interaction();
    in.dragX = dragX;
    in.dragY = dragY;
    switch (kind) {
    case PendingLink::Father: in.linkFatherPending = true; break;
    case PendingLink::Mother: in.linkMotherPending = true; break;
    case PendingLink::Spouse: in.linkSpousePending = true; break;
    }
}

void CanvasEditHost::setIgnoreNextMouseDown() { canvas_.interaction().ignoreNextMouseDown = true; }

void CanvasEditHost::itemsDeleted(int count) {
    canvas_.interaction().forgetHover();
    canvas_.setStatusText(count == 1 ? QStringLiteral("1 item deleted") : QStringLiteral("%1 items deleted").arg(count));
}

}  // namespace kinloom
