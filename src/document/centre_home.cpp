#include "document/centre_home.h"

#include "document/item_store.h"

#include <algorithm>
#include <limits>

namespace kinloom {

namespace {
int ClampToInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

void CentreHomeItem(const TItemStore& store, ViewState& view, WindowSize window) {
    const TPersonItem* home = store.FirstItem();
    if (!home) return;
    // div truncates toward zero, as integer division does in C++.
    view.OffsetX = ClampToInt(static_cast<long long>(window.Width / 2) - home->X - kLinkDX);
    view.OffsetY = ClampToInt(static_cast<long long>(window.Height / 2) - home->Y - kLinkDY);
}

}  // namespace kinloom
