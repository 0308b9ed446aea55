#pragma once
#include "document/view_state.h"

namespace kinloom {

class ItemStore;

// Scrolls the view so that the home item's link point sits in the middle of a window of the given
// outer size; an empty store leaves the offsets as they are. Offsets that would not fit an int
// (only a corrupt file can place an item there) are clamped.
void centreHomeItem(const ItemStore& store, ViewState& view, WindowSize window);

}  // namespace kinloom
