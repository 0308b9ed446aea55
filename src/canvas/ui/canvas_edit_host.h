#pragma once
#include "canvas/edit_host.h"

namespace kinloom {

class CanvasWidget;

// The editing commands' view of the canvas: its paint and zoom commands and the interaction state
// they set (placing a new box, pending links, the press ignored after a double-click).
class CanvasEditHost : public EditHost {
public:
    explicit CanvasEditHost(CanvasWidget& canvas) : canvas_(canvas) {}
    void Repaint() override;
    void PaintWithoutErase() override;
    void ZoomTo(double zoom) override;
    WindowSize OuterSize() const override;
    void StartPlacing(bool dragPending) override;
    void SetCrossCursor() override;
    void ArmLink(PendingLink kind, int dragX, int dragY) override;
    void SetIgnoreNextMouseDown() override;

private:
    CanvasWidget& canvas_;
};

}  // namespace kinloom
