#pragma once
#include "canvas/edit_host.h"

namespace kinloom {

class CanvasWidget;

// The editing commands' view of the canvas: its paint and zoom commands and the interaction state
// they set (placing a new box, pending links, the press ignored after a double-click).
class CanvasEditHost : public EditHost {
public:
    explicit CanvasEditHost(CanvasWidget& canvas) : canvas_(canvas) {}
    void repaint() override;
    void paintWithoutErase() override;
    void zoomTo(double zoom) override;
    WindowSize outerSize() const override;
    void startPlacing(bool dragPending) override;
    void setCrossCursor() override;
    void armLink(PendingLink kind, int dragX, int dragY) override;
    void setIgnoreNextMouseDown() override;
    void itemsDeleted(int count) override;

private:
    CanvasWidget& canvas_;
};

}  // namespace kinloom
