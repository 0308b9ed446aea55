#include "document/centre_home.h"

#include "document/item_store.h"

#include <algorithm>
#include <limits>

namespace kinloom {

namespace {
int clampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

void centreHomeItem(const ItemStore& store, ViewState& view, WindowSize window) {
    const PersonItem* home = store.firstItem();
    if (!home) return;
    // div truncates toward zero, as integer division does in C++.
    view.offsetX = clampToInt(static_cast<long long>(window.width / 2) - home->X - kLinkDX);
    view.offsetY = clampToInt(static_cast<long long>(window.height / 2) - home->Y - kLinkDY);
}

}  // namespace kinloom
