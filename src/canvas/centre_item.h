#pragma once
#include "document/person_item.h"
#include "document/view_state.h"

namespace kinloom {

// "Zoom to Item" without the repaint: the item's centre comes to the centre of the window at 100 %.
// Kept as one small function so that the canvas's own zoom command can take its place.
inline void CentreItemAt100(ViewState& view, const TPersonItem& item, WindowSize size) {
    view.Zoom = 100.0;
    view.OffsetX = (size.Width / 2) - item.X - kLinkDX;
    view.OffsetY = (size.Height / 2) - item.Y - kLinkDY;
}

}  // namespace kinloom
